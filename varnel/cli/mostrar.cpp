// varnel-cli mostrar: opens a stored (or sent) declaration through the loading steps and prints it.
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/cli/comando.h"
#include "varnel/computation/tasas.h"
#include "varnel/declaration/instantanea_nucleo.h"
#include "varnel/declaration/lote.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli mostrar: %s\n", qPrintable(texto)); }

QString opcion(Opcion o, const char* si, const char* no) {
    return o == Opcion::Si ? si : o == Opcion::No ? no : "";
}

int mostrar(const QStringList& args) {
    QString ruc, correl;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--correl") {
            if (i + 1 >= args.size()) return error("--correl needs a value"), 2;
            correl = args[++i];
        } else if (args[i].startsWith("--")) {
            return error("unknown option " + args[i]), 2;
        } else if (ruc.isEmpty()) {
            ruc = args[i].trimmed();
        } else {
            return error("only one RUC may be given"), 2;
        }
    }
    if (ruc.isEmpty()) return error("a RUC is needed"), 2;
    instalaDialogos(dialogosParaLineaDeComandos());
    DatosSesion s;
    LeeConfiguracion(s);
    if (!AbreBaseDatos(s)) return 2;
    try {
        BaseDatos& base = *s.Base;
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        v.RucDeclarante = ruc;
        const QVariantList clave = {ruc, s.Periodo, s.Formulario};
        if (!correl.isEmpty()) {
            const Registros h = base.consulta(
                "SELECT norden, control FROM hCAB WHERE doc_id_d=? AND periodo=? AND "
                "formulario=? AND tip_doc_d=6 AND correl=?",
                clave + QVariantList{correl});
            if (h.vacio()) return error("no sent declaration " + ruc + " " + correl), 1;
            v.DeclaracionEnviada = true;
            v.CorrelEnviada = correl;
            v.NumeroOrden = h.texto(0, "norden");
            v.NumeroControl = h.texto(0, "control");
        } else if (base.escalar(
                           "SELECT count(*) FROM CAB WHERE doc_id_d=? AND periodo=? AND formulario=? AND "
                           "tip_doc_d=6",
                           clave)
                       .toInt() == 0) {
            return error("no stored declaration for " + ruc), 1;
        }
        Tasas tasas{leeUit(base, s.Periodo).value_or(0), leeTasa110(base, s.Periodo).value_or(0), 0};
        Declaracion d(v, tasas);
        llenaListas(d, base);
        aplicaCarga(d, CargaDeclaracion(base, v, s.Formulario, s.Usuario));
        for (const QString& l : ejecutaLote(d, {}, false).salida) std::printf("%s\n", l.toUtf8().constData());
        const Instantanea i = instantaneaDe(d);
        QStringList otros = {"ruc=" + i.ruc,
                             "telefono=" + i.telefono,
                             "profesion=" + i.profesion.left(2),
                             "alquiler=" + opcion(i.inmueble, "1", "2"),
                             "rectifica=" + opcion(i.rectifica, "1", "0"),
                             "devolucion=" + opcion(i.devolucion, "1", "0"),
                             "general=" + opcion(i.general, "1", "0"),
                             "extranjero=" + opcion(i.extranjero, "1", "0"),
                             "fideicomiso=" + opcion(i.fideicomiso, "1", "0")};
        for (const auto& [n, entrada] : i.listas)
            otros << QString("tipodoc.%1=%2").arg(n).arg(entrada.left(2));
        otros << "nacimiento=" + i.fechaNacimiento << "pago.forma=" + i.pago.codigo
              << "pago.banco=" + i.pago.banco << "pago.cheque=" + i.pago.cheque
              << "pago.monto=" + i.pago.monto;
        if (v.DeclaracionEnviada) otros << "orden=" + i.orden << "verifica=" + i.verifica;
        for (const QString& l : otros) std::printf("%s\n", l.toUtf8().constData());
    } catch (const ErrorBD& e) {
        return error(QString("%1 %2").arg(e.numero()).arg(e.descripcion())), 1;
    }
    return 0;
}

}  // namespace

REGISTRA_COMANDO(
    "mostrar", "mostrar RUC [--correl C]",
    "Opens the stored declaration of RUC (or its sending C) of the database of NEMDAL.INI through\n"
    "the loading steps and prints every non-empty box as NNN=text as shown, then the other controls\n"
    "as key=value lines (the keys of calcular; orden and verifica for a sent declaration).\n"
    "Exit status 1: no such declaration or a database error; 2: bad arguments or no database.",
    mostrar);
