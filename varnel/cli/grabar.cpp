// varnel-cli grabar: a declaration typed as `calcular` types it, saved as the window saves it.
#include <QFile>
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_declaracion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli grabar: %s\n", qPrintable(texto)); }

int grabar(const QStringList& args) {
    QString motivo;
    QFile entrada;
    if (!cli::entradaDeArgumentos(args, entrada, &motivo)) return error(motivo), 2;
    return cli::ejecutaConBase(
        [&](DatosSesion& s) {
            LectorLineas lector(entrada);
            const ResultadoGrabarLote r = grabaLote(*s.Base, s.Formulario, s.Usuario, lector, error);
            return cli::SalidaLote{r.salida, r.avisos, r.lineas};
        },
        error);
}

}  // namespace

REGISTRA_COMANDO(
    "grabar", "grabar [FILE]",
    "Saves a declaration into the database of NEMDAL.INI as the declaration window saves it.\n"
    "Reads the lines of `calcular` (NNN=text and the other controls) after one line ruc=RUC naming a\n"
    "taxpayer that the configured user (SysUser) may choose; any other RUC is refused. Only blank and\n"
    "comment lines may come before the ruc= line, and a later one may only repeat it. Every line is\n"
    "checked as `calcular` checks it; when one is refused nothing is saved. When that RUC\n"
    "already has a declaration of form 0738 for 2003, it is opened and the lines modify it; otherwise\n"
    "a new declaration is entered. The identification checks of the window run before anything is\n"
    "written; their messages go to standard error. Prints estado=N, the header's estado (0 consistent).\n"
    "Exit status 1: refused RUC, failed checks or a database error; 2: malformed input or no database.",
    grabar);
