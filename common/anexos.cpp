#include "common/anexos.h"

namespace qvr {

Registros filasAnexoDeclaracion(BaseDatos& base, const QString& tabla, const ClaveDeclaracion& clave, bool enviada,
                                const QString& orden) {
    CondicionSql c = condicionDeclaracion(clave, PartesClave::SinSemana);
    if (enviada) {
        c.sql += " AND CORREL=?";
        c.parametros << clave.correl;
    }
    QString sql = QString("SELECT * FROM %1%2 WHERE %3").arg(enviada ? "H" : "", tabla, c.sql);
    if (!orden.isEmpty()) sql += " ORDER BY " + orden;
    return base.consulta(sql, c.parametros);
}

QStringList sellosAnexoDeclaracion(BaseDatos& base, const QString& tabla, const ClaveDeclaracion& clave,
                                   bool enviada) {
    CondicionSql c = condicionDeclaracion(clave, PartesClave::SinSemana);
    if (enviada) {
        c.sql += " AND CORREL=?";
        c.parametros << clave.correl;
    }
    const Registros r =
        base.consulta(QString("SELECT cnumero FROM %1%2 WHERE %3").arg(enviada ? "H" : "", tabla, c.sql), c.parametros);
    QStringList sellos;
    sellos.reserve(r.filas());
    for (int f = 0; f < r.filas(); ++f) sellos << r.texto(f, 0);
    sellos.sort();
    return sellos;
}

void borraAnexoDeclaracion(BaseDatos& base, const QString& tabla, const ClaveDeclaracion& clave) {
    const CondicionSql c = condicionDeclaracion(clave, PartesClave::SinSemana);
    base.ejecuta(QString("DELETE FROM %1 WHERE %2").arg(tabla, c.sql), c.parametros, Accion::FallaEnError);
}

}  // namespace qvr
