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

}  // namespace qvr
