// varnel-cli calcular: types a declaration through the declaration core and prints its boxes.
#include <QFile>
#include <cstdio>

#include "common/catalogos.h"
#include "common/conexion.h"
#include "common/formato.h"
#include "common/sesion.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_tecleo.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/lote.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli calcular: %s\n", qPrintable(texto)); }

std::optional<double> opcionNumerica(const QString& texto) {
    const auto n = numeroDeTexto(texto);
    return n && *n >= 0 ? n : std::nullopt;
}

int calcular(const QStringList& args) {
    QString motivo;
    const auto a = cli::leeArgumentos(args, {{"--uit", "--tasa110"}, {"--det"}}, &motivo);
    if (!a) return error(motivo), 2;
    std::optional<double> uit, tasa110;
    for (const char* opcion : {"--uit", "--tasa110"}) {
        if (!a->tiene(opcion)) continue;
        const auto v = opcionNumerica(a->valor(opcion));
        if (!v) return error(QString(opcion) + ": no es un número: " + a->valor(opcion)), 2;
        (QString(opcion) == "--uit" ? uit : tasa110) = v;
    }
    const bool det = a->tiene("--det");
    QFile entrada;
    if (!cli::abreEntrada(a->posicional(), entrada, &motivo)) return error(motivo), 2;

    // The rates come from the options or else from the catalogs of the configured database.
    DatosSesion s;
    if (!uit || !tasa110) {
        // A database that could not be opened has said why already.
        if (!cli::abreBaseConfigurada(s, &motivo)) {
            if (!motivo.isEmpty())
                error("sin --uit/--tasa110 las tasas salen de la base de datos de NEMDAL.INI: " + motivo);
            return 2;
        }
        try {
            if (!uit) uit = valorDeTasa(UitDelAnio(*s.Base, s.Periodo));
            if (!tasa110) tasa110 = valorDeTasa(TasaPorCodigo(*s.Base, "050802", catalogo::Tasas, s.Periodo));
        } catch (const ErrorBD& e) {
            error(QString("al leer los catálogos: %1 %2").arg(e.numero()).arg(e.descripcion()));
            return 2;
        }
        if (!uit) return error("no hay UIT de " + s.Periodo + " en el catálogo '404'; indique --uit"), 2;
        if (!tasa110) return error("no hay tasa '050802' en el catálogo '998'; indique --tasa110"), 2;
    }

    ValoresEjecucion valores;
    Declaracion d(valores, Tasas{*uit, *tasa110, 0});
    conectaCalculo(d);
    if (s.Base) {
        try {
            llenaListas(d, *s.Base);
        } catch (const ErrorBD& e) {
            error(QString("al leer las listas: %1 %2").arg(e.numero()).arg(e.descripcion()));
            return 2;
        }
    }
    d.preparaNueva();
    LectorLineas lector(entrada);
    const int estado =
        tecleaEntrada(d, lector, [](const QString& a) { std::fprintf(stderr, "%s\n", a.toUtf8().constData()); });
    if (estado != 0) return estado;
    for (const QString& l : salidaDeclaracion(d, det)) std::printf("%s\n", l.toUtf8().constData());
    return 0;
}

}  // namespace

REGISTRA_COMANDO(
    "calcular", "calcular [--uit U] [--tasa110 T] [--det] [ARCHIVO]",
    "Teclea una declaración en un formulario 0738 nuevo como lo hace una persona e imprime las casillas.\n"
    "Lee líneas NNN=texto de ARCHIVO o de la entrada estándar; se omiten las líneas vacías y las que\n"
    "empiezan con #. En cada línea la casilla NNN recibe el foco, su texto se selecciona y se borra, cada\n"
    "carácter del texto pasa por el filtro de teclas de la casilla y el foco sale de ella. Las casillas\n"
    "530-540 se teclean en la ventana de detalle de la casilla 200 (535-539) o 201 (530-534, 540), que se\n"
    "acepta con Aceptar.\n"
    "Otros controles: ruc, telefono, profesion, alquiler (1 Si, 2 No), rectifica, devolucion, general,\n"
    "extranjero, fideicomiso (1 Si, 0 No), tipodoc.NNN (código elegido en la lista NNN), nacimiento\n"
    "(dd/mm/aaaa), pago.forma, pago.banco, pago.cheque, pago.monto.\n"
    "Imprime cada casilla no vacía como NNN=texto tal como se muestra, en el orden de las casillas; con\n"
    "--det, el valor que se graba (i_valor) de cada casilla no vacía del orden de grabación.\n"
    "La UIT y la tasa de la casilla 110 vienen de --uit/--tasa110 o, si no, de los catálogos '404' y\n"
    "'998' de la base de datos de NEMDAL.INI (que también llena las listas de tipos de documento y\n"
    "profesiones).\n"
    "Una casilla bloqueada se informa en la salida de errores y queda como está.\n"
    "La entrada se lee línea por línea en UTF-8. Se rechaza un valor que la casilla cambiaría: dígitos o\n"
    "caracteres más allá de su longitud, un signo, decimales, caracteres que su filtro descarta (salvo los\n"
    "separadores de miles donde la casilla los muestra, las mayúsculas y los blancos alrededor del\n"
    "valor); también un teléfono o una fecha de nacimiento que el control cambiaría, bytes que no son\n"
    "UTF-8 y líneas de más de 65536 bytes. Se revisan todas las líneas y cada rechazo se informa con su\n"
    "número de línea.\n"
    "Salida 2: una línea mal formada o rechazada (sin '=', clave o casilla desconocida, un valor\n"
    "cambiado), sin tasas, entrada ilegible; entonces no se imprime nada.",
    calcular);
