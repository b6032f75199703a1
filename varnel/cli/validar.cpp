// varnel-cli validar: types a declaration as calcular does and runs the consistency rules on it.
#include <QDate>
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/computation/validacion_lote.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli validar: %s\n", qPrintable(texto)); }

int validar(const QStringList& args) {
    QString archivo;
    for (const QString& a : args) {
        if (a.startsWith("--")) return error("unknown option " + a), 2;
        if (!archivo.isEmpty()) return error("only one FILE may be given"), 2;
        archivo = a;
    }
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
    ResultadoValidacionLote r;
    try {
        r = validaLote(*s.Base, lineas, QDate::currentDate());
    } catch (const ErrorBD& e) {
        error(QString("database error %1 %2").arg(e.numero()).arg(e.descripcion()));
        return 2;
    }
    for (const QString& a : r.avisos) std::fprintf(stderr, "aviso: %s\n", a.toUtf8().constData());
    for (const QString& l : r.lineas) std::printf("%s\n", l.toUtf8().constData());
    return r.estado;
}

}  // namespace

REGISTRA_COMANDO(
    "validar", "validar [FILE]",
    "Types a declaration as 'calcular' does (same NNN=text and control lines; 'ruc' names the declarant)\n"
    "into a form 0738 opened for modification, then checks it with the validation of the 'Validar'\n"
    "button against the catalogs of the database of NEMDAL.INI and today's date.\n"
    "Prints one inconsistency per line on standard output, in the order of the rules; the notices\n"
    "(amount to pay, spouse's birth date) and input problems go to standard error as 'aviso: ' lines.\n"
    "Exit status 0: consistent; 1: inconsistencies; 2: unusable input or no database.",
    validar);
