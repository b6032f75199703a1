// varnel-cli mostrar: a stored or sent declaration opened as the declaration window opens it.
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_declaracion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli mostrar: %s\n", qPrintable(texto)); }

int mostrar(const QStringList& args) {
    QString motivo;
    const auto a = cli::leeArgumentos(args, {{"--correl"}, {}, 1, "RUC"}, &motivo);
    if (!a) return error(motivo), 2;
    const QString ruc = a->posicional();
    if (ruc.isEmpty()) return error("a RUC must be given"), 2;
    return cli::ejecutaConBase(
        [&](DatosSesion& s) {
            const ResultadoGrabarLote r = muestraDeclaracion(*s.Base, s.Formulario, s.Usuario, ruc, a->valor("--correl"));
            return cli::SalidaLote{r.salida, r.avisos, r.lineas};
        },
        error);
}

}  // namespace

REGISTRA_COMANDO(
    "mostrar", "mostrar RUC [--correl C]",
    "Opens the stored declaration of RUC (or, with --correl, the sent one of that correl) through the\n"
    "loading steps of the declaration window and prints every non-empty box as NNN=text, as shown,\n"
    "then the other controls as key=value with the keys `calcular` reads (and orden, verifica for a\n"
    "sent one). Like the window, the opening refills the working annex tables.\n"
    "Exit status 1: no such declaration or a database error; 2: bad arguments or no database.",
    mostrar);
