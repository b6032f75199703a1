#include "common/detalles.h"

#include <map>

#include "common/cnumero.h"

namespace qvr {

namespace {
CondicionSql condicion(const ClaveDeclaracion& clave, bool enviada) {
    return condicionDeclaracion(clave, enviada ? PartesClave::ConCorrel : PartesClave::Completa);
}
}  // namespace

Registros casillasDeclaracion(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada) {
    const CondicionSql c = condicion(clave, enviada);
    return base.consulta(QString("SELECT CASILLA, I_VALOR FROM %1 WHERE %2").arg(enviada ? "hDET" : "DET", c.sql),
                         c.parametros);
}

QVariant valorCasilla(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada, const QString& casilla) {
    CondicionSql c = condicion(clave, enviada);
    c.parametros << casilla;
    return base.escalar(
        QString("SELECT I_VALOR FROM %1 WHERE %2 AND CASILLA=?").arg(enviada ? "hDET" : "DET", c.sql), c.parametros);
}

void borraCasillas(BaseDatos& base, const ClaveDeclaracion& clave) {
    const CondicionSql c = condicionDeclaracion(clave);
    base.ejecuta("DELETE FROM DET WHERE " + c.sql, c.parametros);
}

void borraCasilla(BaseDatos& base, const ClaveDeclaracion& clave, const QString& casilla) {
    CondicionSql c = condicionDeclaracion(clave);
    c.parametros << casilla;
    base.ejecuta("DELETE FROM DET WHERE " + c.sql + " AND CASILLA=?", c.parametros);
}

FilaDetalle::FilaDetalle(BaseDatos& base) : columnas_(base.columnas("DET")) {
    static const std::map<QString, Papel> papeles = {
        {"tip_doc_d", TipDoc},      {"doc_id_d", DocId},      {"periodo", Periodo},
        {"formulario", Formulario}, {"semana", Semana},       {"casilla", Casilla},
        {"i_valor", Valor},         {"idcasilla", IdCasilla}, {"estado", Estado}};
    QStringList marcas;
    for (const Columna& c : columnas_) {
        nombres_ << c.nombre;
        marcas << "?";
        const auto it = papeles.find(c.nombre.toLower());
        papel_.push_back(it == papeles.end() ? Otra : it->second);
    }
    sql_ = QString("INSERT INTO DET (%1) VALUES (%2)").arg(nombres_.join(", "), marcas.join(", "));
}

QVariantList FilaDetalle::valores(const ClaveDeclaracion& clave, const QString& casilla, const QString& valor,
                                  const QString& idCasilla) const {
    QVariantList v;
    v.reserve(int(columnas_.size()));
    for (Papel p : papel_) {
        switch (p) {
            case TipDoc: v << kTipDocDeclarante; break;
            case DocId: v << clave.ruc; break;
            case Periodo: v << clave.periodo; break;
            case Formulario: v << clave.formulario; break;
            case Semana: v << clave.semana; break;
            case Casilla: v << casilla; break;
            case Valor: v << valor; break;
            case IdCasilla: v << idCasilla; break;
            case Estado: v << 0; break;
            case Otra: v << QVariant(); break;
        }
    }
    v.back() = cNumero(v, columnas_, 6);
    return v;
}

}  // namespace qvr
