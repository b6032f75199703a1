// varnel-cli reporte: prints a report file into a PDF through the viewer's print path.
#include <QFileInfo>
#include <cstdio>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "varnel/cli/comando.h"
#include "varnel/reports/visor_reporte.h"

namespace {

int uso(const char* motivo) {
    std::fprintf(
        stderr,
        "varnel-cli reporte: %s\nusage: varnel-cli reporte FILE.PRN --pdf OUT.pdf [--desde N --hasta M]\n",
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
            if (!ok || n < 1) return uso("--desde and --hasta take a page number from 1");
            (a == "--desde" ? rango.desde : rango.hasta) = n;
            (a == "--desde" ? hayDesde : hayHasta) = true;
        } else if (a.startsWith("--") || !archivo.isEmpty()) {
            return uso(qPrintable("unexpected argument " + a));
        } else {
            archivo = a;
        }
    }
    if (archivo.isEmpty() || pdf.isEmpty()) return uso("FILE.PRN and --pdf OUT.pdf are required");
    if (hayDesde != hayHasta) return uso("--desde and --hasta go together");
    if (hayDesde && rango.hasta < rango.desde) return uso("--hasta is below --desde");
    rango.activo = hayDesde;

    qvr::instalaDialogos(std::make_shared<qvr::DialogosConsola>());
    qvr::instalaImpresora([pdf] { return qvr::impresoraPdf(pdf); });
    const QFileInfo info(archivo);
    qvr::reporte::VisorReporte visor(info.absolutePath(), rango);
    visor.fijaRut(info.fileName());
    if (!visor.pDesencripta(info.fileName(), "xx") || !visor.archivoExiste()) return 1;
    return QFileInfo::exists(pdf) ? 0 : 1;
}

}  // namespace

REGISTRA_COMANDO("reporte", "reporte FILE.PRN --pdf OUT.pdf [--desde N --hasta M]",
                 "Prints a report file (.PRN) into a PDF file, A4, through the viewer's print path.\n"
                 "--desde/--hasta print only that range of pages (from 1).",
                 ejecuta);
