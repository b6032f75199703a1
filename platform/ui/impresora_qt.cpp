#include "platform/ui/impresora_qt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/dialogs.h"

namespace qvr {

namespace {

QPageLayout::Orientation aQt(OrientacionHoja o) {
    return o == OrientacionHoja::Horizontal ? QPageLayout::Landscape : QPageLayout::Portrait;
}

class ImpresoraQt : public Impresora {
  public:
    explicit ImpresoraQt(std::unique_ptr<QPrinter> p) : printer_(std::move(p)) {
        // Report coordinates are measured from the paper's corner, not from the printable area.
        printer_->setFullPage(true);
    }
    ~ImpresoraQt() override {
        if (pintor_.isActive()) pintor_.end();
    }

    bool comienza(OrientacionHoja o) override {
        printer_->setPageOrientation(aQt(o));
        if (!pintor_.begin(printer_.get())) {
            error_ = printer_->outputFileName().isEmpty()
                         ? QStringLiteral("No se pudo abrir la impresora ") + printer_->printerName()
                         : QStringLiteral("No se pudo crear el archivo ") + printer_->outputFileName();
            return false;
        }
        return true;
    }
    bool nuevaPagina(OrientacionHoja o) override {
        // The layout set between pages applies to the page that newPage() starts.
        printer_->setPageOrientation(aQt(o));
        const bool ok = printer_->newPage();
        pintor_.resetTransform();
        if (!ok) error_ = QStringLiteral("No se pudo empezar una nueva página");
        return ok;
    }
    QPainter& pintor() override { return pintor_; }
    double resolucion() const override { return printer_->resolution(); }
    bool termina() override {
        if (!pintor_.isActive()) return false;
        const bool ok = pintor_.end();
        printer_->setPageOrientation(QPageLayout::Portrait);
        if (!ok) error_ = QStringLiteral("No se pudo terminar la impresión");
        return ok;
    }
    void aborta() override {
        printer_->abort();
        if (pintor_.isActive()) pintor_.end();
        if (!printer_->outputFileName().isEmpty()) QFile::remove(printer_->outputFileName());
    }
    QString error() const override { return error_; }

  private:
    std::unique_ptr<QPrinter> printer_;
    QPainter pintor_;
    QString error_;
};

PreguntaArchivoPdf& preguntaPdf() {
    static PreguntaArchivoPdf f;
    return f;
}

QString preguntaPorDialogo() {
    // Without windows there is nobody to ask.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return {};
    QString ruta = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QStringLiteral("Guardar como PDF"),
        QDir::home().filePath(QStringLiteral("reporte.pdf")), QStringLiteral("Documentos PDF (*.pdf)"));
    if (!ruta.isEmpty() && !ruta.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        ruta += QStringLiteral(".pdf");
    return ruta;
}

}  // namespace

std::unique_ptr<Impresora> impresoraQt(std::unique_ptr<QPrinter> printer) {
    return std::make_unique<ImpresoraQt>(std::move(printer));
}

std::unique_ptr<Impresora> impresoraPdf(const QString& ruta) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(ruta);
    p->setPageSize(QPageSize(QPageSize::A4));
    p->setCreator(QStringLiteral("Varnel"));
    return impresoraQt(std::move(p));
}

std::unique_ptr<Impresora> impresoraPredeterminada() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        info = QPrinterInfo::availablePrinters().front();
    if (!info.isNull()) return impresoraQt(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
    if (dialogos().muestra(mensajeSinImpresora(), QStringLiteral("Impresión"), Icono::Pregunta, Botones::SiNo,
                           Respuesta::Si) != Respuesta::Si)
        return nullptr;
    const QString ruta = preguntaPdf() ? preguntaPdf()() : preguntaPorDialogo();
    if (ruta.isEmpty()) return nullptr;
    return impresoraPdf(ruta);
}

PreguntaArchivoPdf instalaPreguntaArchivoPdf(PreguntaArchivoPdf f) {
    PreguntaArchivoPdf previa = std::move(preguntaPdf());
    preguntaPdf() = std::move(f);
    return previa;
}

}  // namespace qvr
