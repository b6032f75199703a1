#include "varnel/declaration/carga.h"

#include <QDate>

#include "common/cabeceras.h"
#include "common/contribuyentes.h"
#include "common/detalles.h"
#include "common/formato.h"
#include "common/valores_comunes.h"
#include "platform/database.h"
#include "varnel/declaration/anexos_copia.h"
#include "varnel/declaration/orden.h"

namespace qvr {

namespace {

// Boxes of the TxtValor array that a stored row may fill.
bool esCasillaVentana(int n) {
    for (int c : OrdenCasillas())
        if (c == n) return true;
    return (n >= 811 && n <= 825 && n != 816) || n == 890;
}

bool textoSinCambio(int n) {
    static const int cajas[] = {208, 209, 211, 215, 217, 218, 219, 229, 230, 236, 302, 890};
    for (int c : cajas)
        if (c == n) return true;
    return (n >= 801 && n <= 803) || (n >= 811 && n <= 825);
}

bool esLista(int n) {
    for (int c : listasTipoDocumento())
        if (c == n) return true;
    return false;
}

QString fechaDeTexto(const QString& valor) {
    const QString t = valor.trimmed();
    for (const char* f : {"dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(t, f);
        if (d.isValid()) return d.toString("dd/MM/yyyy");
    }
    return QStringLiteral("__/__/____");  // not a date: the empty mask
}

}  // namespace

void ActivaBotonesForm(Instantanea& d, int casilla, const QString& valor) {
    const QString v = valor.trimmed();
    const auto siNo = [](bool si) { return si ? Opcion::Si : Opcion::No; };
    switch (casilla) {
        case 871:
            d.rectifica = siNo(v != "0");
            break;
        case 873:
            d.general = siNo(v != "0");
            break;
        case 874:
            d.extranjero = siNo(v != "0");
            break;
        case 875:
            d.fideicomiso = siNo(v != "0");
            break;
        case 260:
            d.devolucion = siNo(v != "0");
            break;
        case 27:
            d.inmueble = siNo(v == "1");
            break;
        default:
            break;
    }
}

void aplicaCasilla(Instantanea& d, const QString& casilla, const QString& valor) {
    bool ok = false;
    const int n = casilla.trimmed().toInt(&ok);
    if (!ok) return;
    switch (n) {
        case 2:
            d.ruc = valor;
            return;
        case 5:
        case 7:
        case 12:
        case 15:
        case 598:
        case 721:
        case 722:
            return;
        case 25:
            d.profesion = formatoTexto(valor, patron::DosCifras);
            return;
        case 28:
            d.telefono = valor;
            return;
        case 234:
            d.fechaNacimiento = fechaDeTexto(valor);
            return;
        case 599:
            d.pago.codigo = valor;
            return;
        case 27:
        case 260:
        case 871:
        case 873:
        case 874:
        case 875:
            ActivaBotonesForm(d, n, valor);
            return;
        default:
            break;
    }
    if (esLista(n)) {
        d.listas[n] = formatoTexto(valor, patron::Codigo);
    } else if (n >= 827 && n <= 835) {
        d.casillas[n - 10] = d.casilla(n - 10) + valor;
    } else if (textoSinCambio(n)) {
        d.casillas[n] = valor;
    } else if (esCasillaVentana(n)) {
        d.casillas[n] = formatoMonto(valor.trimmed());
    }
    // A row for a box that the window holds no control for is skipped.
}

Declarante DeclaranteDeEntrada(const QString& entrada) {
    Declarante d;
    if (entrada.trimmed().isEmpty()) return d;
    const int L = int(entrada.size());
    const int a = qMax(0, entrada.mid(L - 6, 2).toInt());
    const int b = qMax(0, entrada.mid(L - 4, 2).toInt());
    const int c = qMax(0, entrada.mid(L - 2, 2).toInt());
    d.apellidoPaterno = entrada.mid(13, a).trimmed();
    d.apellidoMaterno = entrada.mid(a + 14, b);
    d.nombres = entrada.mid(a + b + 15, c);
    d.nombre = d.apellidoPaterno + " " + d.apellidoMaterno + ", " + d.nombres;
    d.ruc = entrada.left(11).trimmed();
    return d;
}

Carga CargaDeclaracion(BaseDatos& base, const ValoresEjecucion& valores, const QString& formulario,
                       const QString& usuario) {
    Carga c;
    Instantanea& d = c.datos;
    if (valores.ModoDeclaracion == 1) {
        VaciaTemporales(base);
        c.contribuyentes = entradasContribuyentes(base, formulario, usuario);
        return c;
    }
    const bool enviada = valores.DeclaracionEnviada;
    ClaveDeclaracion clave;
    clave.ruc = valores.RucDeclarante;
    clave.formulario = formulario;
    if (enviada) clave.correl = valores.CorrelEnviada;
    d.ruc = clave.ruc;

    // The header: amount paid (box 598), order number, cheque.
    const QVariant monto = valorCasilla(base, clave, enviada, "598");
    d.pago.monto = monto.isNull() ? QString() : monto.toString();
    const Registros cab = leeCabecera(base, clave, enviada);
    if (enviada)
        d.orden = cab.vacio() || cab.valor(0, "norden").isNull() ? QString("0") : cab.texto(0, "norden");
    if (!cab.vacio()) {
        c.cabecera = true;
        if (!cab.texto(0, "cheque").trimmed().isEmpty() || !d.pago.cheque.isEmpty()) d.pago.codigo = "C";
        d.pago.banco = cab.texto(0, "bcolibrad").trimmed();
        d.pago.cheque = cab.texto(0, "nrocheque").trimmed();
    }

    LlenaTemporales(base, clave, enviada);

    const Registros filas = casillasDeclaracion(base, clave, enviada);
    for (int f = 0; f < filas.filas(); ++f) aplicaCasilla(d, filas.texto(f, 0), filas.texto(f, 1));

    if (enviada && valores.NumeroOrden.trimmed().size() == 8)
        d.verifica = DigitoVerificador(valores.NumeroControl, valores.NumeroOrden);

    if (const auto n = nombresContribuyente(base, clave.ruc)) {
        d.casillas[801] = n->apellidoPaterno;
        d.casillas[802] = n->apellidoMaterno;
        d.casillas[803] = n->nombres;
    }
    return c;
}

}  // namespace qvr
