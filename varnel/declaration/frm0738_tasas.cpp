#include "varnel/declaration/frm0738_tasas.h"

#include "common/catalogos.h"
#include "platform/database.h"

namespace qvr {

// Kept apart from the computation's header: the catalogs declare their own rate struct.
double tasaDividendos(BaseDatos& base, const QString& anio) {
    bool ok = false;
    const double v = TasaPorFecha(base, "916", anio).toDouble(&ok);
    return ok ? v : 0;
}

}  // namespace qvr
