// varnel-cli ver: shows a report file in the report viewer window (needs a display).
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "platform/ui/dialogos_qt.h"
#include "platform/ui/interfaz.h"
#include "varnel/cli/comando.h"
#include "varnel/reports/ui/frmPreview.h"

namespace {

int ejecuta(const QStringList& args) {
    if (args.size() != 1 || args[0].startsWith("--")) {
        std::fprintf(stderr, "Uso: varnel-cli ver ARCHIVO.PRN\n");
        return 2;
    }
    if (QGuiApplication::platformName() == "offscreen" || QGuiApplication::platformName() == "minimal") {
        std::fprintf(stderr,
                     "varnel-cli ver: no hay pantalla; use 'varnel-cli reporte ARCHIVO --pdf SALIDA.pdf'\n");
        return 2;
    }
    qvr::preparaInterfaz(*QCoreApplication::instance());
    qvr::instalaDialogos(std::make_shared<qvr::DialogosQt>());
    const QFileInfo info(args[0]);
    if (!info.isFile()) {
        std::fprintf(stderr, "varnel-cli ver: %s: no existe el archivo\n", qPrintable(args[0]));
        return 1;
    }
    qvr::reporte::VerReporte(info.fileName(), "Vprevia", info.absolutePath(), qvr::reporte::RangoHojas{});
    return 0;
}

REGISTRA_COMANDO(
    "ver", "ver ARCHIVO.PRN",
    "Muestra un archivo de reporte en la ventana del visor (página anterior/siguiente, imprimir,\n"
    "cerrar). Necesita una pantalla; la ventana de reportes del integrador la usa.",
    ejecuta);

}  // namespace
