#pragma once
// The rates the declaration window reads when it loads: the rate of box 110 and the dividend
// withholding rate, then CargaTasas (the UIT among them). A rate the catalogs lack reads as 0.
#include <QString>

#include "common/catalogos.h"

namespace qvr {

class BaseDatos;

Tasas leeTasasDeclaracion(BaseDatos& base, const QString& anio);

}  // namespace qvr
