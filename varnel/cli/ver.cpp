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
        std::fprintf(stderr, "usage: varnel-cli ver FILE.PRN\n");
        return 2;
    }
    if (QGuiApplication::platformName() == "offscreen" || QGuiApplication::platformName() == "minimal") {
        std::fprintf(stderr, "varnel-cli ver: no display; use 'varnel-cli reporte FILE --pdf OUT.pdf'\n");
        return 2;
    }
    qvr::preparaInterfaz(*QCoreApplication::instance());
    qvr::instalaDialogos(std::make_shared<qvr::DialogosQt>());
    const QFileInfo info(args[0]);
    if (!info.isFile()) {
        std::fprintf(stderr, "varnel-cli ver: %s: no such file\n", qPrintable(args[0]));
        return 1;
    }
    qvr::reporte::VerReporte(info.fileName(), "Vprevia", info.absolutePath(), qvr::reporte::RangoHojas{});
    return 0;
}

REGISTRA_COMANDO("ver", "ver FILE.PRN",
                 "Shows a report file in the report viewer window (previous/next page, print, close).\n"
                 "Needs a display; the host stand-in's spool window uses it.",
                 ejecuta);

}  // namespace
