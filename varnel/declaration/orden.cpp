#include "varnel/declaration/orden.h"

#include "common/cabeceras.h"
#include "common/conexion.h"
#include "platform/database.h"
#include "platform/dialogs.h"

namespace qvr {

QString DigitoModulo11(const QString& texto) {
    const QString s = texto.left(17).trimmed();
    if (s.isEmpty()) return QString();
    static const int pesos[17] = {2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6};
    long suma = 0;
    for (int k = 1; k <= s.size(); ++k) {
        const QChar c = s.at(s.size() - k);
        if (c >= '0' && c <= '9') suma += long(pesos[k - 1]) * (c.unicode() - '0');
    }
    int d = 11 - int(suma % 11);
    if (d == 11) d = 1;
    if (d == 10) d = 0;
    return s + QString::number(d);
}

QString DigitoVerificador(const QString& control, const QString& orden) {
    const QString a = DigitoModulo11(control);
    const QString b = a.mid(8, 1);
    const QString c = DigitoModulo11(control + orden + b);
    return b + c.right(1);
}

ResultadoOrden GrabarOrden(BaseDatos& base, const ClaveDeclaracion& clave, const QString& control,
                           const QString& orden, const QString& verifica, const QString& titulo,
                           const std::function<void()>& compruebaVersion,
                           const std::function<void()>& trasEscribir) {
    ResultadoOrden r;
    if (orden.size() != 8) {
        dialogos().muestra("     El número de orden no es válido", titulo, Icono::Error, Botones::Ok);
        r.focoVerifica = true;
        return r;
    }
    if (DigitoVerificador(control, orden) != verifica) {
        dialogos().muestra("     El digito Verificador es incorrecto", titulo, Icono::Error, Botones::Ok);
        r.focoVerifica = true;
        return r;
    }
    try {
        TransaccionEscritura t(base);
        // A second registration of the same sending waits for this one.
        base.reserva(reservaDeclaracion(clave.ruc, clave.periodo, clave.formulario, clave.semana) + "/" + clave.correl);
        if (compruebaVersion) compruebaVersion();
        fijaOrdenEnvio(base, clave, orden);
        if (trasEscribir) trasEscribir();
        t.confirma();
    } catch (const ErrorBD& e) {
        r.errorBD = e.numero() > 0 ? e.numero() : jet::Reservado;
        ErrorRegistro(ErrorBD(r.errorBD, e.descripcion()));
        return r;
    }
    r.grabado = true;
    dialogos().muestra("El número de orden y el digito verificador fueron grabados satisfactoriamente.",
                       titulo, Icono::Exclamacion, Botones::Ok);
    return r;
}

}  // namespace qvr
