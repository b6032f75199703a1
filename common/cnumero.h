#pragma once
// The record control number that every stored record of a declaration carries in its last column.
#include <QString>
#include <QVariantList>
#include <vector>

#include "platform/database.h"

namespace qvr {

// Text of one column as the control number sees it: numbers without the blank of a positive
// number, dates as "yyyymmdd", text trimmed, anything else (Null) "".
QString textoCNumero(const QVariant& valor, TipoColumna tipo);

// cNumero of a record whose columns are `valores` (the last one is cNumero itself, its value is not
// read) with `columnas` their definitions, of which the first `clave` enter the first sum.
QString cNumero(const QVariantList& valores, const std::vector<Columna>& columnas, int clave);

// Recomputes and writes the cNumero of the one row of `tabla` (a table of the schema, whose key
// columns enter the first sum) that `condicion` selects, after a change to that row.
void recalculaCNumero(BaseDatos& base, const QString& tabla, const QString& condicion,
                      const QVariantList& parametros);

}  // namespace qvr
