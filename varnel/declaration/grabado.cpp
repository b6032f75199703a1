#include "varnel/declaration/grabado.h"

#include "common/cabeceras.h"
#include "common/detalles.h"
#include "common/conexion.h"
#include "common/formato.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/declaration/anexos_copia.h"
#include "varnel/declaration/codificacion.h"

namespace qvr {

namespace {

QString tres(int n) { return QString::number(n).rightJustified(3, '0'); }

QString opcion(Opcion o, const char* si, const char* no) {
    if (o == Opcion::Si) return si;
    if (o == Opcion::No) return no;
    return QString();
}

ValoresCabecera valoresCabecera(const Instantanea& d, const QDate& hoy) {
    QString banco = " ", cheque = " ", montoCheque = " ", efectivo = " ";
    const QString monto = formatoTexto(d.pago.monto.trimmed(), patron::Entero);
    if (d.pago.codigo == "C") {
        banco = d.pago.banco;
        cheque = d.pago.cheque;
        montoCheque = monto;
        efectivo = QString("");
    } else if (d.pago.codigo == "E") {
        efectivo = monto;
    }
    // Header and boxes give the same answer: only an explicit Si is a rectification.
    const QString rectifica = d.rectifica == Opcion::Si ? "1" : "0";
    return {hoy.toString("dd/MM/yyyy"), banco, cheque, montoCheque, efectivo, rectifica};
}

}  // namespace

QString idCasilla(const QString& casilla) { return casilla.toInt() == 180 ? "05" : "01"; }

std::vector<std::pair<QString, QString>> filasDetalle(const Instantanea& d, const QString& ruc,
                                                      const QString& periodo) {
    std::vector<std::pair<QString, QString>> crudas;
    auto pon = [&](const QString& casilla, const QString& valor) { crudas.emplace_back(casilla, valor); };
    for (int n : OrdenCasillas()) pon(tres(n), d.casilla(n).trimmed());
    if (d.pago.codigo == "C") {
        pon("015", d.pago.banco.right(2));
        pon("012", d.pago.cheque);
    }
    pon("599", d.pago.codigo);
    pon("002", ruc);
    pon("007", periodo);
    pon("721", "1.0");
    pon("028", d.telefono);
    for (int n : {811, 812, 813, 814, 815, 890}) pon(tres(n), d.casilla(n));
    for (int n = 817; n <= 825; ++n) {
        const QString nombre = d.casilla(n);
        pon(tres(n), nombre.left(15));
        pon(tres(n + 10), nombre.mid(15, 15));
    }
    for (int n : listasTipoDocumento()) {
        auto it = d.listas.find(n);
        pon(tres(n), it == d.listas.end() ? QString() : it->second.left(2));
    }
    pon("025", d.profesion.left(2));
    pon("234", d.fechaNacimiento);
    pon("598", d.pago.monto);
    pon("871", d.rectifica == Opcion::Si ? "1" : "0");
    pon("005", d.rectifica == Opcion::Si ? "1" : "0");
    pon("873", d.general == Opcion::Si ? "1" : "0");
    pon("874", d.extranjero == Opcion::Si ? "1" : "0");
    pon("875", d.fideicomiso == Opcion::Si ? "1" : "0");
    pon("260", opcion(d.devolucion, "1", "0"));
    pon("027", opcion(d.inmueble, "1", "2"));

    // One row per box; a box given twice keeps its first place and its last value.
    std::vector<std::pair<QString, QString>> filas;
    std::map<QString, size_t> donde;
    for (const auto& [casilla, valor] : crudas) {
        const std::optional<QString> v = valorAlmacenado(casilla, valor);
        if (!v) continue;
        if (auto it = donde.find(casilla); it != donde.end()) {
            filas[it->second].second = *v;
        } else {
            donde[casilla] = filas.size();
            filas.emplace_back(casilla, *v);
        }
    }
    return filas;
}

namespace {
QString nombreReserva(const ClaveDeclaracion& clave) {
    return reservaDeclaracion(clave.ruc, clave.periodo, clave.formulario, clave.semana);
}
}  // namespace

bool GrabarCasilla(BaseDatos& base, const ClaveDeclaracion& clave, const QString& casilla,
                   const QString& valor) {
    const std::optional<QString> v = valorAlmacenado(casilla, valor);
    if (!v) return false;
    TransaccionEscritura t(base);
    base.reserva(nombreReserva(clave));
    borraCasilla(base, clave, casilla);
    const FilaDetalle fila(base);
    base.ejecuta(fila.sql(), fila.valores(clave, casilla, *v, idCasilla(casilla)));
    t.confirma();
    return true;
}

ResultadoGrabado GrabarForm(BaseDatos& base, const Instantanea& d, const ClaveDeclaracion& claveDada,
                            const OpcionesGrabado& opciones) {
    ResultadoGrabado r;
    if (opciones.validaIdentificacion && !opciones.validaIdentificacion()) {
        r.detenido = true;
        return r;
    }
    ClaveDeclaracion clave = claveDada;
    clave.ruc = d.ruc.left(11).trimmed();
    clave.periodo = clave.periodo.trimmed();
    r.ruc = clave.ruc;
    if (clave.ruc.isEmpty()) {
        dialogos().muestra("Debe seleccionar un declarante", opciones.titulo, Icono::Error, Botones::Ok);
        r.detenido = true;
        return r;
    }
    const QDate hoy = opciones.hoy.isValid() ? opciones.hoy : QDate::currentDate();
    try {
        TransaccionEscritura t(base);
        // Another workstation saving the same declaration waits for this save (or gets "locked").
        base.reserva(nombreReserva(clave));
        if (opciones.compruebaVersion) opciones.compruebaVersion();
        escribeCabecera(base, clave, valoresCabecera(d, hoy));
        borraCasillas(base, clave);
        // Every box in one go: on the server one statement, not a round trip per box.
        const FilaDetalle fila(base);
        LoteFilas detalle(base, "DET", fila.columnas());
        for (const auto& [casilla, valor] : filasDetalle(d, clave.ruc, clave.periodo))
            detalle.agrega(fila.valores(clave, casilla, valor, idCasilla(casilla)));
        const int escritas = detalle.envia();
        if (opciones.trasDetalle) opciones.trasDetalle(escritas);
        GrabaAnexos(base, clave);
        r.consistente = !opciones.validaSilenciosa || opciones.validaSilenciosa();
        fijaEstadoCabecera(base, clave, r.consistente ? 0 : 9);
        actualizaCNumeroCab(base, clave);
        if (opciones.trasEscribir) opciones.trasEscribir();
        t.confirma();
    } catch (const ErrorBD& e) {
        // Nothing of this save stays written; the caller keeps what was typed and may retry.
        r.errorBD = e.numero() > 0 ? e.numero() : jet::Reservado;
        ErrorRegistro(ErrorBD(r.errorBD, e.descripcion()));
        return r;
    }
    r.grabado = true;
    dialogos().muestra(r.consistente
                           ? QString("Toda la información del formulario fue grabada satisfactoriamente.")
                           : QString("La información del formulario fue grabada con inconsistencias.\n"
                                     "En estas condiciones no podrá ser enviado a ZORVA."),
                       opciones.titulo, Icono::Exclamacion, Botones::Ok);
    return r;
}

}  // namespace qvr
