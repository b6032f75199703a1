// Lotmira, the table installer of form 0738. No window but its message boxes (standard error
// when there is no display); the exit status tells the host how the installation went.
#include <QApplication>
#include <QCoreApplication>
#include <cstring>
#include <memory>

#include "lotmira/instalador.h"
#include "platform/dialogs.h"
#include "platform/ui/interfaz.h"

namespace qvr {
const char* versionPrograma();
}

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Lotmira %s\n", qvr::versionPrograma());
            return 0;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            // Asking for the usage must not install anything.
            std::printf(
                "Uso: Lotmira\nInstala las tablas del formulario 0738 en la base de datos de NEMDAL.INI\n"
                "($WINDIR o $XDG_CONFIG_HOME/qvr); la lista de envío es SysPath + tmp/env738.txt.\n");
            return 0;
        }
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
