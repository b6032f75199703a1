#include "varnel/declaration/frm0738_tasas.h"

namespace qvr {

Tasas leeTasasDeclaracion(BaseDatos& base, const QString& anio) {
    Tasas t;
    t.TasaCasilla110 = valorDeTasa(TasaPorCodigo(base, "050802", catalogo::Tasas, anio)).value_or(0);
    t.TasaRetencionDividendos = valorDeTasa(TasaPorFecha(base, catalogo::TasaFecha, anio)).value_or(0);
    CargaTasas(base, t, anio);
    return t;
}

}  // namespace qvr
