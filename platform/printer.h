#pragma once
// The printer port. Reports are painted page by page on a QPainter whose units the caller sets;
// the port owns the device: the system printer, a PDF file, or a recording fake in tests. The
// QPrinter devices are the window part's (platform/ui/impresora_qt.h).
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>

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

// The message of a machine without printers.
QString mensajeSinImpresora();

// The port the programs use. Until one is installed it is the default one; nullptr (nothing
// printed, as when the user declines) when there is no default either.
using FabricaImpresora = std::function<std::unique_ptr<Impresora>()>;
std::unique_ptr<Impresora> abreImpresora();
FabricaImpresora instalaImpresora(FabricaImpresora f);
// The default: the system's printer (impresoraPredeterminada), set by the window part at start-up.
void instalaImpresoraPredeterminada(FabricaImpresora f);

}  // namespace qvr
