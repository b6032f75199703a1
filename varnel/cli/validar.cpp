// varnel-cli validar: types a declaration as calcular does and runs the consistency rules on it.
#include <QDate>
#include <QFile>
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_validacion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli validar: %s\n", qPrintable(texto)); }

int validar(const QStringList& args) {
    QString motivo;
    QFile entrada;
    if (!cli::entradaDeArgumentos(args, entrada, &motivo)) return error(motivo), 2;
    // Exit 1 means inconsistencies: a refusal or a database error is 2, like unusable input.
    return cli::ejecutaConBase(
        [&](DatosSesion& s) {
            cli::SalidaLote salida;
            LectorLineas lector(entrada);
            const ResultadoValidacionEntrada r =
                validaEntrada(*s.Base, s.Formulario, s.Usuario, lector, QDate::currentDate(),
                              [](const QString& a) { std::fprintf(stderr, "aviso: %s\n", a.toUtf8().constData()); });
            if (!r.rechazo.isEmpty()) return cli::SalidaLote{2, {r.rechazo}, {}};
            for (const QString& aviso : r.avisos) salida.avisos << "aviso: " + aviso;
            salida.lineas = r.lineas;
            salida.salida = r.estado;
            return salida;
        },
        [](const QString& t) {
            if (t.startsWith("aviso: "))
                std::fprintf(stderr, "%s\n", t.toUtf8().constData());
            else
                error(t);
        },
        2);
}

}  // namespace

REGISTRA_COMANDO(
    "validar", "validar [FILE]",
    "Types a declaration as 'calcular' does (same NNN=text and control lines; 'ruc' names the declarant)\n"
    "into a form 0738 opened for modification, then checks it with the validation of the 'Validar'\n"
    "button against the catalogs of the database of NEMDAL.INI and today's date.\n"
    "Prints one inconsistency per line on standard output, in the order of the rules; the notices\n"
    "(amount to pay, spouse's birth date) and input problems go to standard error as 'aviso: ' lines.\n"
    "A ruc= line must name a taxpayer the configured user may choose. The lines are checked as\n"
    "'calcular' checks them: a refused line is reported with its line number and nothing is validated.\n"
    "Exit status 0: consistent; 1: inconsistencies; 2: unusable input, a refused RUC or no database.",
    validar);
