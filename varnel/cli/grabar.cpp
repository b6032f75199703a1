// varnel-cli grabar: types a declaration as calcular does and saves it through GrabarForm.
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/cli/comando.h"
#include "varnel/computation/tasas.h"
#include "varnel/declaration/anexos_copia.h"
#include "varnel/declaration/identificacion.h"
#include "varnel/declaration/instantanea_nucleo.h"
#include "varnel/declaration/lote.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli grabar: %s\n", qPrintable(texto)); }

int grabar(const QStringList& args) {
    if (args.size() > 1) return error("only one FILE may be given"), 2;
    QStringList lineas;
    {
        QFile f;
        const QString archivo = args.value(0);
        if (archivo.isEmpty() || archivo == "-") {
            if (!f.open(stdin, QIODevice::ReadOnly)) return error("cannot read standard input"), 2;
        } else {
            f.setFileName(archivo);
            if (!f.open(QIODevice::ReadOnly)) return error("cannot read " + archivo), 2;
        }
        QTextStream in(&f);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) lineas << in.readLine();
    }
    QString ruc;
    for (const QString& l : lineas)
        if (l.trimmed().startsWith("ruc=")) ruc = l.trimmed().mid(4).trimmed();
    if (ruc.isEmpty()) return error("no ruc= line"), 2;

    instalaDialogos(dialogosParaLineaDeComandos());
    DatosSesion s;
    LeeConfiguracion(s);
    if (!AbreBaseDatos(s)) return 2;
    try {
        BaseDatos& base = *s.Base;
        bool permitido = false;
        for (const QString& e : entradasContribuyentes(base, s.Formulario, s.Usuario))
            permitido = permitido || e.left(11).trimmed() == ruc;
        if (!permitido)
            return error("RUC " + ruc + " is not a taxpayer that user " + s.Usuario + " may choose"), 1;

        ValoresEjecucion v;
        const bool existe =
            base.escalar(
                    "SELECT count(*) FROM CAB WHERE doc_id_d=? AND periodo=? AND formulario=? "
                    "AND tip_doc_d=6",
                    {ruc, s.Periodo, s.Formulario})
                .toInt() > 0;
        v.ModoDeclaracion = existe ? 2 : 1;
        v.RucDeclarante = ruc;
        Tasas tasas{leeUit(base, s.Periodo).value_or(0), leeTasa110(base, s.Periodo).value_or(0), 0};
        Declaracion d(v, tasas);
        llenaListas(d, base);
        if (existe) {
            aplicaCarga(d, CargaDeclaracion(base, v, s.Formulario, s.Usuario));
        } else {
            VaciaTemporales(base);
            d.preparaNueva();
        }
        const ResultadoLote r = ejecutaLote(d, lineas, false);
        for (const QString& a : r.avisos) std::fprintf(stderr, "%s\n", qPrintable(a));
        if (r.estado != 0) return r.estado;
        OpcionesGrabado o;
        o.validaIdentificacion = [&d] { return ValIdent(d).valido; };
        const ResultadoGrabado g = grabaDeclaracion(base, d, s.Formulario, o);
        if (!g.grabado) return 1;
        std::printf("estado=%d\n", g.consistente ? 0 : 9);
    } catch (const ErrorBD& e) {
        return error(QString("%1 %2").arg(e.numero()).arg(e.descripcion())), 1;
    }
    return 0;
}

}  // namespace

REGISTRA_COMANDO(
    "grabar", "grabar [FILE]",
    "Types a declaration as calcular does (same lines, plus ruc=RUC) and saves it into the database of\n"
    "NEMDAL.INI: a new declaration, or the stored one of that RUC opened and modified by the lines.\n"
    "The RUC must be one of the taxpayers the configured user may choose. The identification checks\n"
    "answer as in the window (messages on standard error). Prints estado=0 (consistent) or 9.\n"
    "Exit status 1: refused (RUC, identification, database); 2: malformed input or no database.",
    grabar);
