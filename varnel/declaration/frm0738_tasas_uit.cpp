#include "varnel/computation/tasas.h"
#include "varnel/declaration/frm0738_tasas.h"

namespace qvr {

double tasaDividendos(BaseDatos& base, const QString& anio);

Tasas leeTasasDeclaracion(BaseDatos& base, const QString& anio) {
    Tasas t;
    t.ValorUIT = leeUit(base, anio).value_or(0);
    t.TasaCasilla110 = leeTasa110(base, anio).value_or(0);
    t.TasaRetencionDividendos = tasaDividendos(base, anio);
    return t;
}

}  // namespace qvr
