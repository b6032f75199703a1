// Arbitrary command lines for the send-summary program's splitter and its summary lines.
#include <cstddef>
#include <cstdint>

#include "oskeni/linea_comandos.h"
#include "oskeni/resumen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString linea = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const qvr::LineaResumen l = qvr::separaLinea(linea);
    if (l.numero.size() > 15 || l.formulario.size() > 4 || l.periodo6.size() > 6 || l.semana.size() > 1 ||
        l.nc.size() > 8)
        __builtin_trap();
    qvr::DatosResumen d;
    d.linea = l;
    d.casillas["146"] = l.nc;
    d.casillas["180"] = l.numero;
    d.casillas["598"] = linea.left(20);
    qvr::lineasResumenMarcado(d, QDateTime::currentDateTime());
    qvr::lineasResumenTexto(d, QDateTime::currentDateTime());
    return 0;
}
