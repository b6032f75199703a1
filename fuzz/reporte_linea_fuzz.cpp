// The report line reader takes any bytes: a damaged or foreign .PRN file must give a record or an
// error, never a crash. A record that reads must also read the same after being written back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/reporte_marcado.h"

using namespace qvr::reporte;

namespace {
QByteArray reescribe(const Registro& r) {
    auto n = [](int v) { return QByteArray::number(v); };
    switch (r.tipo) {
        case Tipo::Pos:
        case Tipo::PosVerti:
            return (r.tipo == Tipo::Pos ? "pPos|" : "pPosVerti|") + n(r.x) + "|" + n(r.y) + "|" + r.texto +
                   "|" + (r.negrita ? "True" : "False") + "|" + n(r.tamano) + "|" + n(r.hoja) + "|";
        case Tipo::Cuadro:
            return "pCuadro|" + n(r.x) + "|" + n(r.y) + "|" + n(r.x2) + "|" + n(r.y2) + "|" + n(r.hoja) + "|";
        default:
            return {};
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView linea(reinterpret_cast<const char*>(data), qsizetype(size));
    const Lectura l = leeLinea(linea);
    if (const auto* r = std::get_if<Registro>(&l)) {
        (void)r->textoUnicode();
        const QByteArray otra = reescribe(*r);
        if (!otra.isEmpty()) {
            const Lectura l2 = leeLinea(otra);
            const auto* r2 = std::get_if<Registro>(&l2);
            if (!r2 || r2->tipo != r->tipo || r2->x != r->x || r2->y != r->y || r2->x2 != r->x2 ||
                r2->y2 != r->y2 || r2->hoja != r->hoja || r2->tamano != r->tamano ||
                r2->negrita != r->negrita || r2->texto != r->texto)
                std::abort();
        }
    }
    (void)valorNumerico(linea);
    return 0;
}
