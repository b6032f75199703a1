// varnel-cli orden: registers the order number of a sent declaration, as its window's save does.
#include <cstdio>

#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_declaracion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli orden: %s\n", qPrintable(texto)); }

int orden(const QStringList& args) {
    QString motivo;
    const auto a = cli::leeArgumentos(args, {{"--correl", "--orden", "--digitos"}, {}, 1, "RUC"}, &motivo);
    if (!a) return error(motivo), 2;
    const QString ruc = a->posicional();
    if (ruc.isEmpty() || a->valor("--correl").isEmpty() || !a->tiene("--orden") || !a->tiene("--digitos"))
        return error("usage: orden RUC --correl C --orden NNNNNNNN --digitos DD"), 2;
    instalaDialogos(dialogosParaLineaDeComandos());
    return cli::ejecutaConBase(
        [&](DatosSesion& s) {
            const ResultadoGrabarLote r = registraOrden(*s.Base, s.Formulario, s.Usuario, ruc, a->valor("--correl"),
                                                        a->valor("--orden"), a->valor("--digitos"));
            return cli::SalidaLote{r.salida, r.avisos, r.lineas};
        },
        error);
}

}  // namespace

REGISTRA_COMANDO(
    "orden", "orden RUC --correl C --orden NNNNNNNN --digitos DD",
    "Registers the order number of the sent declaration RUC / C of the database of NEMDAL.INI, as\n"
    "the declaration window saves a sent declaration: the order number must have 8 characters and\n"
    "DD must be its check digits for the sending's control number (messages on standard error).\n"
    "Only a taxpayer the configured user may choose (as the list of sent declarations shows).\n"
    "Exit status 1: refused or no such sending; 2: bad arguments or no database.",
    orden);
