// Varnel, the interactive module of form 0738. The host suite starts it; it runs only while the
// host's main window is on screen, and only once.
//
// QVR_DIALOGOS=consola sends every message to standard error and answers with the default button
// instead of showing a message box (scripted runs and tests under a virtual display).
#include <QApplication>

#include "platform/dialogs.h"
#include "platform/interfaz.h"
#include "platform/windows.h"
#include "varnel/app/aplicacion.h"
#include "varnel/app/ui/frm_principal.h"
#include "varnel/app/ui/ventanas.h"

using namespace qvr;

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
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
        dialogos().muestra("Debe ejecutar este módulo desde el Integrador del QVR",
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
    QObject::connect(&principal, &FrmPrincipal::programaTerminado, &qapp, &QApplication::quit,
                     Qt::QueuedConnection);
    if (!principal.carga()) return 1;
    return qapp.exec();
}
