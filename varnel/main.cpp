// Varnel, the interactive module of form 0738. The host suite starts it; it runs only while the
// host's main window is on screen (the mark the host's window holds, on X11 and Wayland alike), and
// only once.
//
// QVR_DIALOGOS=consola sends every message to standard error and answers with the default button
// instead of showing a message box (scripted runs and tests under a virtual display).
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "common/sesion.h"
#include "platform/arranque.h"
#include "platform/ui/dialogos_qt.h"
#include "platform/ui/interfaz.h"
#include "platform/version.h"
#include "platform/windows.h"
#include "varnel/app/aplicacion.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/app/ui/frm_principal.h"
#include "varnel/ventanas.h"

using namespace qvr;

namespace {

const char* const kUso = "Uso: Varnel [--version | --help]\n";

// --version and --help answer without a display; --help names the help file Varnel carries.
// Anything else but the window toolkit's own options is refused before a window or the database
// is touched.
int opcionInformativa(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Varnel %s\n", versionPrograma());
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        QCoreApplication app(argc, argv);
        std::printf(
            "%s"
            "El integrador (orvelane) inicia el módulo; NEMDAL.INI se lee de $WINDIR o $XDG_CONFIG_HOME/qvr.\n"
            "Ayuda: %s\n",
            kUso, qPrintable(origenAyuda()));
        return 0;
    }
    if (const char* palabra = primeraPalabraPropia(argc, argv)) {
        const bool informativa = std::strcmp(palabra, "--version") == 0 || std::strcmp(palabra, "--help") == 0 ||
                                 std::strcmp(palabra, "-h") == 0;
        // "--version --dry-run": what is refused is the word after it.
        if (informativa && palabra == argv[1] && argc > 2) palabra = primeraPalabraPropia(argc - 1, argv + 1);
        if (palabra) return rechazaOpcion("Varnel", palabra, kUso);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int r = opcionInformativa(argc, argv); r >= 0) return r;
    agrupaVentanasEnLaSuite();
    PlataformaDeLaSesion plataforma;
    QApplication qapp(argc, argv);
    plataforma.suelta();
    if (qapp.arguments().size() > 1) return rechazaOpcion("Varnel", qPrintable(qapp.arguments().at(1)), kUso);
    QApplication::setApplicationName(kPrograma);
    preparaInterfaz(qapp);
    if (qEnvironmentVariable("QVR_DIALOGOS") == "consola")
        instalaDialogos(std::make_shared<DialogosConsola>());
    else
        instalaDialogos(std::make_shared<DialogosQt>());

    cWindows ventanas;
    Aplicacion app;
    app.sesion.Periodo = kPeriodo;
    app.sesion.Semana = 0;

    if (!ventanas.CorreApp(kTituloHost)) {
        // Someone who just installed the suite has no environment yet either: say how to make one.
        const QString texto = QStringLiteral("Debe ejecutar este módulo desde el Integrador del QVR");
        dialogos().muestra(hayEntorno() ? texto : texto + "\n\n" + mensajeSinEntorno(),
                           "Error al ejecutar el módulo", Icono::Error, Botones::Ok);
        return 1;
    }
    InstanciaUnica instancia(kPrograma);
    if (!instancia.adquiere()) {
        dialogos().muestra("La Aplicación ya se encuentra en ejecución", kTituloModulo, Icono::Informacion,
                           Botones::Ok);
        return 1;
    }

    RegistroVentanas registro;
    registraVentanasVarnel(registro);
    FrmPrincipal principal(app, registro);
    anunciaEnPantalla(&principal);
    QObject::connect(&principal, &FrmPrincipal::programaTerminado, &qapp, &QApplication::quit,
                     Qt::QueuedConnection);
    if (!principal.carga()) return 1;
    return qapp.exec();
}
