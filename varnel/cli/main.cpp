// varnel-cli: batch access to Varnel's widget-free core.
#include <QApplication>
#include <cstdio>

#include "common/sesion.h"
#include "platform/arranque.h"
#include "platform/version.h"
#include "varnel/cli/comando.h"

namespace qvr::cli {
std::map<QString, Comando>& comandos() {
    static std::map<QString, Comando> c;
    return c;
}
}  // namespace qvr::cli

namespace {
void ayuda(FILE* f) {
    std::fprintf(f, "Uso: varnel-cli ORDEN [ARGUMENTOS]\n\nÓrdenes:\n");
    for (const auto& [nombre, c] : qvr::cli::comandos()) {
        std::fprintf(f, "  varnel-cli %s\n", qPrintable(c.uso));
        for (const QString& l : c.descripcion.split('\n', Qt::SkipEmptyParts))
            std::fprintf(f, "      %s\n", qPrintable(l));
    }
    std::fprintf(f,
                 "\nNEMDAL.INI se lee de $WINDIR (o de $XDG_CONFIG_HOME/qvr). Para crear un entorno de\n"
                 "demostración: %s\n",
                 qPrintable(qvr::kOrdenEntornoDemo));
}
}  // namespace

int main(int argc, char** argv) {
    // Reports render through Qt's painting and need no window; only "ver" shows one, on a display.
    const bool ver = argc > 1 && qstrcmp(argv[1], "ver") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (!ver || (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The viewer's window ("ver") is one of the suite's.
    qvr::agrupaVentanasEnLaSuite();
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        ayuda(args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::printf("varnel-cli %s\n", qvr::versionPrograma());
        return 0;
    }
    const QString nombre = args.takeFirst();
    auto it = qvr::cli::comandos().find(nombre);
    if (it == qvr::cli::comandos().end()) {
        std::fprintf(stderr, "varnel-cli: orden desconocida '%s'\n\n", qPrintable(nombre));
        ayuda(stderr);
        return 2;
    }
    return it->second.ejecuta(args);
}
