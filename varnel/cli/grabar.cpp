// varnel-cli grabar: a declaration typed as `calcular` types it, saved as the window saves it.
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/declaration/frm0738_lote.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli grabar: %s\n", qPrintable(texto)); }

int grabar(const QStringList& args) {
    if (args.size() > 1) return error("only one FILE may be given"), 2;
    const QString archivo = args.value(0);
    if (archivo.startsWith("--")) return error("unknown option " + archivo), 2;
    QString motivo;
    const std::optional<QStringList> leidas = cli::leeLineas(archivo, &motivo);
    if (!leidas) return error(motivo), 2;
    const QStringList& lineas = *leidas;
    DatosSesion s;
    QString sinBase;
    if (!cli::abreBaseConfigurada(s, &sinBase)) {
        if (!sinBase.isEmpty()) error(sinBase);
        return 2;
    }
    return cli::ejecutaSobreBase(
        [&] {
            const ResultadoGrabarLote r = grabaLote(*s.Base, s.Formulario, s.Usuario, lineas);
            return cli::SalidaLote{r.salida, r.avisos, r.lineas};
        },
        error);
}

}  // namespace

REGISTRA_COMANDO(
    "grabar", "grabar [FILE]",
    "Saves a declaration into the database of NEMDAL.INI as the declaration window saves it.\n"
    "Reads the lines of `calcular` (NNN=text and the other controls) plus one line ruc=RUC naming a\n"
    "taxpayer that the configured user (SysUser) may choose; any other RUC is refused. When that RUC\n"
    "already has a declaration of form 0738 for 2003, it is opened and the lines modify it; otherwise\n"
    "a new declaration is entered. The identification checks of the window run before anything is\n"
    "written; their messages go to standard error. Prints estado=N, the header's estado (0 consistent).\n"
    "Exit status 1: refused RUC, failed checks or a database error; 2: malformed input or no database.",
    grabar);
