// Oskeni: writes the send summary of the declaration named on its command line.
#include <QApplication>
#include <QCoreApplication>
#include <memory>

#include "oskeni/programa.h"
#include "platform/dialogs.h"
#include "platform/ui/interfaz.h"
#include "platform/version.h"

int main(int argc, char** argv) {
    // Message boxes when a display is there; standard error otherwise.
    const bool hayPantalla =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    std::unique_ptr<QCoreApplication> app;
    if (hayPantalla && qEnvironmentVariable("QVR_DIALOGOS") != "consola")
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    if (qobject_cast<QApplication*>(app.get())) qvr::preparaInterfaz(*app);
    qvr::instalaDialogos(qvr::dialogosParaLineaDeComandos());

    // The host passes the whole command line as one text; split words are joined back with blanks.
    QStringList args = app->arguments().mid(1);
    if (args == QStringList{"--version"}) {
        std::fprintf(stdout, "Oskeni %s\n", qvr::versionPrograma());
        return 0;
    }
    if (!args.isEmpty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fprintf(stdout,
                     "usage: Oskeni 'CMDLINE'\n"
                     "  CMDLINE: 2 unused characters, taxpayer number (15), form (4), period (6), week (1),\n"
                     "  NC value (8). Writes the send summary into the spool and the two named copies.\n");
        return 0;
    }
    return qvr::EjecutaOskeni(args.join(' '));
}
