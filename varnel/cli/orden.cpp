// varnel-cli orden: registers the order number of a sent declaration, as its window's save does.
#include "varnel/declaration/orden.h"

#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/cli/comando.h"
#include "varnel/declaration/declaracion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli orden: %s\n", qPrintable(texto)); }

int orden(const QStringList& args) {
    QString ruc, correl, numero, digitos;
    bool conOrden = false, conDigitos = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--correl" || a == "--orden" || a == "--digitos") {
            if (i + 1 >= args.size()) return error(a + " needs a value"), 2;
            const QString v = args[++i];
            if (a == "--correl") correl = v;
            if (a == "--orden") numero = v, conOrden = true;
            if (a == "--digitos") digitos = v, conDigitos = true;
        } else if (a.startsWith("--")) {
            return error("unknown option " + a), 2;
        } else if (ruc.isEmpty()) {
            ruc = a.trimmed();
        } else {
            return error("only one RUC may be given"), 2;
        }
    }
    if (ruc.isEmpty() || correl.isEmpty() || !conOrden || !conDigitos)
        return error("usage: orden RUC --correl C --orden NNNNNNNN --digitos DD"), 2;
    instalaDialogos(dialogosParaLineaDeComandos());
    DatosSesion s;
    LeeConfiguracion(s);
    if (!AbreBaseDatos(s)) return 2;
    try {
        const Registros h = s.Base->consulta(
            "SELECT control FROM hCAB WHERE doc_id_d=? AND periodo=? AND "
            "formulario=? AND tip_doc_d=6 AND correl=?",
            {ruc, s.Periodo, s.Formulario, correl});
        if (h.vacio()) return error("no sent declaration " + ruc + " " + correl), 1;
        ClaveDeclaracion clave;
        clave.ruc = ruc;
        clave.periodo = s.Periodo;
        clave.formulario = s.Formulario;
        clave.correl = correl;
        ValoresEjecucion v;
        const QString titulo = Declaracion(v).Titulo;
        return GrabarOrden(*s.Base, clave, h.texto(0, "control"), numero, digitos, titulo).grabado ? 0 : 1;
    } catch (const ErrorBD& e) {
        return error(QString("%1 %2").arg(e.numero()).arg(e.descripcion())), 1;
    }
}

}  // namespace

REGISTRA_COMANDO(
    "orden", "orden RUC --correl C --orden NNNNNNNN --digitos DD",
    "Registers the order number of the sent declaration RUC / C of the database of NEMDAL.INI, as\n"
    "the declaration window saves a sent declaration: the order number must have 8 characters and\n"
    "DD must be its check digits for the sending's control number (messages on standard error).\n"
    "Exit status 1: refused or no such sending; 2: bad arguments or no database.",
    orden);
