#include "common/clave_declaracion.h"

namespace qvr {

CondicionSql condicionDeclaracion(const ClaveDeclaracion& clave, PartesClave partes, const QString& alias) {
    const QString p = alias.isEmpty() ? QString() : alias + ".";
    CondicionSql c;
    c.sql = QString("%1TIP_DOC_D=%2 AND %1DOC_ID_D=? AND %1PERIODO=? AND %1FORMULARIO=?").arg(p).arg(kTipDocDeclarante);
    c.parametros = {clave.ruc, clave.periodo, clave.formulario};
    if (partes != PartesClave::SinSemana) {
        c.sql += QString(" AND %1SEMANA=?").arg(p);
        c.parametros << clave.semana;
    }
    if (partes == PartesClave::ConCorrel) {
        c.sql += QString(" AND %1CORREL=?").arg(p);
        c.parametros << clave.correl;
    }
    return c;
}

}  // namespace qvr
