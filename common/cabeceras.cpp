#include "common/cabeceras.h"

#include "common/cnumero.h"

namespace qvr {

namespace {
// hCAB rows that the host has sent and accepted.
constexpr int kEstadoEnviada = 1;
}  // namespace

bool existeCabecera(BaseDatos& base, const ClaveDeclaracion& clave) {
    const CondicionSql c = condicionDeclaracion(clave);
    return !base.consulta("SELECT doc_id_d FROM CAB WHERE " + c.sql, c.parametros).vacio();
}

Registros leeCabecera(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada) {
    const CondicionSql c = condicionDeclaracion(clave, enviada ? PartesClave::ConCorrel : PartesClave::Completa);
    return base.consulta(QString("SELECT * FROM %1 WHERE %2").arg(enviada ? "HCAB" : "CAB", c.sql), c.parametros);
}

std::optional<int> estadoCabecera(BaseDatos& base, const ClaveDeclaracion& clave) {
    const CondicionSql c = condicionDeclaracion(clave);
    const Registros r = base.consulta("SELECT estado FROM CAB WHERE " + c.sql, c.parametros);
    if (r.vacio()) return std::nullopt;
    return r.valor(0, 0).toInt();
}

SelloCabecera selloCabecera(BaseDatos& base, const ClaveDeclaracion& clave) {
    const CondicionSql c = condicionDeclaracion(clave);
    const Registros r = base.consulta("SELECT fec_pro, cNumero FROM CAB WHERE " + c.sql, c.parametros);
    SelloCabecera s;
    if (r.vacio()) return s;
    s.existe = true;
    s.fecPro = r.texto(0, 0);
    s.cNumero = r.texto(0, 1);
    return s;
}

std::optional<DatosEnvio> leeEnvio(BaseDatos& base, const ClaveDeclaracion& clave) {
    const CondicionSql c = condicionDeclaracion(clave, PartesClave::ConCorrel);
    const Registros r = base.consulta("SELECT norden, control FROM HCAB WHERE " + c.sql, c.parametros);
    if (r.vacio()) return std::nullopt;
    return DatosEnvio{r.texto(0, "norden"), r.texto(0, "control")};
}

void escribeCabecera(BaseDatos& base, const ClaveDeclaracion& clave, const ValoresCabecera& v) {
    const CondicionSql c = condicionDeclaracion(clave);
    const QVariantList valores = {v.fecha, v.banco, v.cheque, v.montoCheque, v.efectivo, v.rectifica};
    const int n = base.ejecuta(
        "UPDATE CAB SET fec_pro=?, bcolibrad=?, nrocheque=?, cheque=?, efectivo=?, rectifica=? WHERE " + c.sql,
        valores + c.parametros);
    if (n > 0) return;
    base.ejecuta(
        "INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, fec_pro, bcolibrad, nrocheque, "
        "cheque, efectivo, rectifica) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        QVariantList{kTipDocDeclarante, clave.ruc, clave.periodo, clave.formulario, clave.semana} + valores);
}

void fijaEstadoCabecera(BaseDatos& base, const ClaveDeclaracion& clave, int estado) {
    const CondicionSql c = condicionDeclaracion(clave);
    base.ejecuta("UPDATE CAB SET estado=? WHERE " + c.sql, QVariantList{estado} + c.parametros);
}

void actualizaCNumeroCab(BaseDatos& base, const ClaveDeclaracion& clave) {
    const CondicionSql c = condicionDeclaracion(clave);
    recalculaCNumero(base, "CAB", c.sql, c.parametros);
}

void fijaOrdenEnvio(BaseDatos& base, const ClaveDeclaracion& clave, const QString& orden) {
    const CondicionSql c = condicionDeclaracion(clave, PartesClave::ConCorrel);
    base.ejecuta("UPDATE hCAB SET norden=? WHERE " + c.sql, QVariantList{orden} + c.parametros);
    recalculaCNumero(base, "hCAB", c.sql, c.parametros);
}

std::optional<CabeceraImpresion> cabeceraImpresion(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada) {
    // The week is the printed one's own: the first of the stored declaration's weeks.
    const QString rucA = "A.DOC_ID_D=B.DOC_ID_D AND B.TIP_DOC_D=" + QString::number(kTipDocDeclarante);
    const Registros r =
        enviada ? base.consulta("SELECT B.NOMBRE, A.SEMANA, A.NORDEN, A.CONTROL FROM HCAB AS A, CONT AS B WHERE " +
                                    rucA +
                                    " AND A.TIP_DOC_D=? AND A.FORMULARIO=? AND A.DOC_ID_D=? AND A.CORREL=? "
                                    "AND A.ESTADO=?",
                                {kTipDocDeclarante, clave.formulario, clave.ruc, clave.correl, kEstadoEnviada})
                : base.consulta("SELECT B.NOMBRE, A.SEMANA FROM CAB AS A, CONT AS B WHERE " + rucA +
                                    " AND A.TIP_DOC_D=? AND A.FORMULARIO=? AND A.DOC_ID_D=? AND A.PERIODO=? "
                                    "ORDER BY A.SEMANA",
                                {kTipDocDeclarante, clave.formulario, clave.ruc, clave.periodo});
    if (r.vacio()) return std::nullopt;
    CabeceraImpresion c;
    c.nombre = r.texto(0, 0).trimmed();
    c.semana = r.valor(0, 1).isNull() ? 0 : r.valor(0, 1).toInt();
    if (enviada) {
        c.norden = r.texto(0, 2);
        c.control = r.texto(0, 3);
    }
    return c;
}

}  // namespace qvr
