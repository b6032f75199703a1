#include "common/clave_declaracion.h"

namespace qvr {

CondicionSql condicionDeclaracion(const ClaveDeclaracion& clave, PartesClave partes, const QString& alias,
                                  ComparaRuc ruc) {
    const QString p = alias.isEmpty() ? QString() : alias + ".";
    CondicionSql c;
    const QString doc = ruc == ComparaRuc::Exacta ? QString("%1DOC_ID_D=?").arg(p) : QString("rtrim(%1DOC_ID_D)=rtrim(?)").arg(p);
    c.sql = QString("%1TIP_DOC_D=%2 AND %3 AND %1PERIODO=? AND %1FORMULARIO=?").arg(p).arg(kTipDocDeclarante).arg(doc);
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
