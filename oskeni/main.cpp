// Oskeni: writes the send summary of the declaration named on its command line.
#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "oskeni/programa.h"
#include "platform/arranque.h"
#include "platform/dialogs.h"
#include "platform/ui/interfaz.h"
#include "platform/version.h"

namespace {
const char* const kUso = "Uso: Oskeni 'LINEA'\n";
}

int main(int argc, char** argv) {
    // The host passes the whole command line as one text; split words are joined back with blanks.
    // A word with the shape of an option is none of it (the line starts with two blanks and has the
    // taxpayer number next): it is refused before the INI or the database is touched.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fprintf(stdout, "Oskeni %s\n", qvr::versionPrograma());
        return 0;
    }
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fprintf(stdout,
                     "%s"
                     "  LINEA: 2 caracteres sin uso, el número del contribuyente (15), el formulario (4), el\n"
                     "  periodo (6), la semana (1) y el valor NC (8). Escribe el resumen de envío en el spool\n"
                     "  y sus dos copias con nombre.\n",
                     kUso);
        return 0;
    }
    for (int i = 1; i < argc; ++i)
        if (qvr::pareceOpcion(argv[i])) return qvr::rechazaOpcion("Oskeni", argv[i], kUso);
    qvr::agrupaVentanasEnLaSuite();

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
    return qvr::EjecutaOskeni(app->arguments().mid(1).join(' '));
}
