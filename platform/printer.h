#pragma once
// The printer port. Reports are painted page by page on a QPainter whose units the caller sets;
// the port owns the device: the system printer, a PDF file, or a recording fake in tests.
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;

namespace qvr {

enum class OrientacionHoja { Vertical, Horizontal };

class Impresora {
  public:
    virtual ~Impresora() = default;
    // Starts the job with its first page; false (see error()) when the device can not be opened.
    virtual bool comienza(OrientacionHoja o) = 0;
    // Ends the page in progress and starts another of the given orientation.
    virtual bool nuevaPagina(OrientacionHoja o) = 0;
    // The painter of the page in progress, untransformed: device pixels from the paper's corner.
    virtual QPainter& pintor() = 0;
    // Device pixels per inch.
    virtual double resolucion() const = 0;
    virtual bool termina() = 0;
    // Drops the job: nothing is printed (a PDF file is removed).
    virtual void aborta() = 0;
    virtual QString error() const { return {}; }
};

// A QPrinter already set up (system printer or PDF output file).
std::unique_ptr<Impresora> impresoraQt(std::unique_ptr<QPrinter> printer);
// A PDF file at a file-system path, A4 pages.
std::unique_ptr<Impresora> impresoraPdf(const QString& ruta);

// The system's default printer, without a dialog. On a machine without any printer the user is
// told so (dialogs port) and offered to save the pages as a PDF file instead; nullptr when he
// declines or cancels the choice of the file.
std::unique_ptr<Impresora> impresoraPredeterminada();

// The question for the PDF file's path ("" when cancelled). By default a file dialog; tests
// replace it.
using PreguntaArchivoPdf = std::function<QString()>;
PreguntaArchivoPdf instalaPreguntaArchivoPdf(PreguntaArchivoPdf f);
// The message of a machine without printers.
QString mensajeSinImpresora();

// The port the programs use. Until one is installed it is the default printer
// (impresoraPredeterminada).
using FabricaImpresora = std::function<std::unique_ptr<Impresora>()>;
std::unique_ptr<Impresora> abreImpresora();
FabricaImpresora instalaImpresora(FabricaImpresora f);

}  // namespace qvr
