// Lotmira, the table installer of form 0738. No window but its message boxes (standard error
// when there is no display); the exit status tells the host how the installation went.
#include <QApplication>
#include <QCoreApplication>
#include <cstring>
#include <memory>

#include "lotmira/instalador.h"
#include "platform/arranque.h"
#include "platform/dialogs.h"
#include "platform/ui/interfaz.h"

namespace qvr {
const char* versionPrograma();
}

namespace {
const char* const kUso = "Uso: Lotmira [--version | --help]\n";
}

int main(int argc, char** argv) {
    // Lotmira takes no arguments: a word it does not know must not install anything.
    const bool version = argc > 1 && std::strcmp(argv[1], "--version") == 0;
    const bool ayuda = argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
    if (argc > 2 || (argc == 2 && !version && !ayuda))
        return qvr::rechazaOpcion("Lotmira", argv[version || ayuda ? 2 : 1], kUso);
    if (version) {
        std::printf("Lotmira %s\n", qvr::versionPrograma());
        return 0;
    }
    if (ayuda) {
        std::printf(
            "%sInstala las tablas del formulario 0738 en la base de datos de NEMDAL.INI\n"
            "($WINDIR o $XDG_CONFIG_HOME/qvr); la lista de envío es SysPath + tmp/env738.txt.\n",
            kUso);
        return 0;
    }
    qvr::agrupaVentanasEnLaSuite();
    // QVR_DIALOGOS=consola: messages on standard error and the default answer, even on a display.
    const bool consola = qEnvironmentVariable("QVR_DIALOGOS") == "consola";
    const bool hayPantalla = !consola && (!qEnvironmentVariableIsEmpty("DISPLAY") ||
                                          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                                          !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"));
    // A display that cannot be reached falls back to standard error instead of aborting.
    if (hayPantalla && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM",
                qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb;offscreen" : "wayland;xcb;offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (hayPantalla)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    if (hayPantalla) qvr::preparaInterfaz(*app);
    if (consola)
        qvr::instalaDialogos(std::make_shared<qvr::DialogosConsola>());
    else
        qvr::instalaDialogos(qvr::dialogosParaLineaDeComandos());
    return qvr::InstalaTablas();
}
