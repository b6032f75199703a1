// The send-list line parser of the installer on arbitrary bytes: it must never crash, and a line it
// accepts must carry every field in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/cp1252.h"
#include "lotmira/envio_linea.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString linea = qvr::deCp1252(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    const qvr::LineaEnvio l = qvr::LeeLineaEnvio(linea);
    if (l.fila) {
        const qvr::FilaEnvio& f = *l.fila;
        if (f.indice < 0 || f.indice > 255 || f.obliga < 0 || f.obliga > 255 || f.cTipDocD < 0 || f.cTipDocD > 255)
            std::abort();
        for (const QVariant& n : f.numeros)
            if (!n.isValid()) std::abort();
        if (f.tablaD.isEmpty()) std::abort();
    } else if (l.error.isEmpty()) {
        std::abort();
    }
    return 0;
}
