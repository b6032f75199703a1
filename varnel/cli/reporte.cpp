// varnel-cli reporte: prints a report file into a PDF through the viewer's print path.
#include <QFileInfo>
#include <cstdio>

#include "platform/dialogs.h"
#include "platform/ui/impresora_qt.h"
#include "varnel/cli/comando.h"
#include "varnel/reports/visor_reporte.h"

namespace {

// The PDF printer of one run, noting whether a job was begun and finished without an error.
class PdfVigilado : public qvr::Impresora {
  public:
    PdfVigilado(std::unique_ptr<qvr::Impresora> i, bool* escrito, QString* error)
        : i_(std::move(i)), escrito_(escrito), error_(error) {}
    bool comienza(qvr::OrientacionHoja o) override { return nota(i_->comienza(o), false); }
    bool nuevaPagina(qvr::OrientacionHoja o) override { return nota(i_->nuevaPagina(o), false); }
    QPainter& pintor() override { return i_->pintor(); }
    double resolucion() const override { return i_->resolucion(); }
    bool termina() override { return nota(i_->termina(), true); }
    void aborta() override {
        i_->aborta();
        *escrito_ = false;
    }
    QString error() const override { return i_->error(); }

  private:
    bool nota(bool ok, bool fin) {
        if (!ok) {
            *escrito_ = false;
            fallo_ = true;
            if (error_->isEmpty()) *error_ = i_->error();
        } else if (fin && !fallo_) {
            *escrito_ = true;
        }
        return ok;
    }
    std::unique_ptr<qvr::Impresora> i_;
    bool* escrito_;
    QString* error_;
    bool fallo_ = false;
};

int uso(const char* motivo) {
    std::fprintf(stderr,
                 "varnel-cli reporte: %s\nUso: varnel-cli reporte ARCHIVO.PRN --pdf SALIDA.pdf [--desde N "
                 "--hasta M]\n",
                 motivo);
    return 2;
}

int ejecuta(const QStringList& args) {
    QString archivo, pdf;
    qvr::reporte::RangoHojas rango;
    bool hayDesde = false, hayHasta = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto valor = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == "--pdf") {
            pdf = valor();
        } else if (a == "--desde" || a == "--hasta") {
            bool ok = false;
            const int n = valor().toInt(&ok);
            if (!ok || n < 1) return uso("--desde y --hasta necesitan un número de página desde 1");
            (a == "--desde" ? rango.desde : rango.hasta) = n;
            (a == "--desde" ? hayDesde : hayHasta) = true;
        } else if (a.startsWith("--") || !archivo.isEmpty()) {
            return uso(qPrintable("argumento de más " + a));
        } else {
            archivo = a;
        }
    }
    if (archivo.isEmpty() || pdf.isEmpty()) return uso("se necesitan ARCHIVO.PRN y --pdf SALIDA.pdf");
    if (hayDesde != hayHasta) return uso("--desde y --hasta van juntos");
    if (hayDesde && rango.hasta < rango.desde) return uso("--hasta es menor que --desde");
    rango.activo = hayDesde;

    qvr::instalaDialogos(std::make_shared<qvr::DialogosConsola>());
    bool escrito = false;
    QString error;
    qvr::instalaImpresora([pdf, &escrito, &error]() -> std::unique_ptr<qvr::Impresora> {
        return std::make_unique<PdfVigilado>(qvr::impresoraPdf(pdf), &escrito, &error);
    });
    const QFileInfo info(archivo);
    qvr::reporte::VisorReporte visor(info.absolutePath(), rango);
    visor.fijaRut(info.fileName());
    if (!visor.pDesencripta(info.fileName(), "xx") || !visor.archivoExiste()) return 1;
    // A file left from an earlier run does not count: this job must have written it.
    if (escrito && QFileInfo(pdf).isFile()) return 0;
    std::fprintf(stderr, "varnel-cli reporte: no se pudo escribir %s%s\n", qPrintable(pdf),
                 error.isEmpty() ? "" : qPrintable(": " + error));
    return 1;
}

}  // namespace

REGISTRA_COMANDO(
    "reporte", "reporte ARCHIVO.PRN --pdf SALIDA.pdf [--desde N --hasta M]",
    "Imprime un archivo de reporte (.PRN) en un archivo PDF, A4, por el camino de impresión del\n"
    "visor. --desde/--hasta imprimen solo ese rango de páginas (desde 1).",
    ejecuta);
