#pragma once
// The rates the declaration window reads when it loads: the UIT, the rate of box 110 and the
// dividend withholding rate of catalog '916'. A rate the catalogs lack reads as 0.
#include <QString>

namespace qvr {

class BaseDatos;
struct Tasas;

Tasas leeTasasDeclaracion(BaseDatos& base, const QString& anio);

}  // namespace qvr
