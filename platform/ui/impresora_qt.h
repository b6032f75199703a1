#pragma once
// The printer port's devices on QPrinter: the system printer and PDF files.
#include <QString>
#include <functional>
#include <memory>

#include "platform/printer.h"

class QPrinter;

namespace qvr {

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

}  // namespace qvr
