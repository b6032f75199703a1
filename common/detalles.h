#pragma once
// The boxes of the declarations: DET (stored ones) and hDET (sent ones), one row per box. Every
// statement on them that the module makes is here.
#include <QString>
#include <QVariant>
#include <vector>

#include "common/clave_declaracion.h"
#include "platform/database.h"

namespace qvr {

// CASILLA and I_VALOR of every box of a stored declaration or, with `enviada`, of the sending
// clave.correl.
Registros casillasDeclaracion(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada);
// I_VALOR of one box; Null when the box has no row.
QVariant valorCasilla(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada, const QString& casilla);

// Removes every box row of a stored declaration. Throws ErrorBD.
void borraCasillas(BaseDatos& base, const ClaveDeclaracion& clave);
// Removes the row of one box. Throws ErrorBD.
void borraCasilla(BaseDatos& base, const ClaveDeclaracion& clave, const QString& casilla);

// The DET row of one box in the table's own column order (cNumero last): the values of one
// statement, or of one row of a batch (columnas()) that writes every box of a save.
class FilaDetalle {
  public:
    explicit FilaDetalle(BaseDatos& base);
    const QString& sql() const { return sql_; }
    const QStringList& columnas() const { return nombres_; }
    QVariantList valores(const ClaveDeclaracion& clave, const QString& casilla, const QString& valor,
                         const QString& idCasilla) const;

  private:
    enum Papel { Otra, TipDoc, DocId, Periodo, Formulario, Semana, Casilla, Valor, IdCasilla, Estado };
    std::vector<Columna> columnas_;
    std::vector<Papel> papel_;
    QStringList nombres_;
    QString sql_;
};

}  // namespace qvr
