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
    "validar", "validar [ARCHIVO]",
    "Teclea una declaración como 'calcular' (las mismas líneas NNN=texto y de controles; 'ruc' nombra al\n"
    "declarante) en un formulario 0738 abierto para modificar y la revisa con la validación del botón\n"
    "'Validar', con los catálogos de la base de datos de NEMDAL.INI y la fecha de hoy.\n"
    "Imprime una inconsistencia por línea en la salida estándar, en el orden de las reglas; los avisos\n"
    "(importe a pagar, fecha de nacimiento del cónyuge) y los problemas de la entrada van a la salida de\n"
    "errores como líneas 'aviso: '. Una línea ruc= debe nombrar un contribuyente que el usuario\n"
    "configurado puede elegir. Las líneas se revisan como en 'calcular': una línea rechazada se informa\n"
    "con su número y no se valida nada.\n"
    "Salida 0: consistente; 1: inconsistencias; 2: entrada inutilizable, un RUC rechazado o sin base de\n"
    "datos.",
    validar);
