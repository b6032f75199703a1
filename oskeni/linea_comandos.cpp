#include "oskeni/linea_comandos.h"

namespace qvr {

namespace {
// Characters `largo` from the 1-based position `desde`; past the end gives what is there.
QString medio(const QString& s, int desde, int largo) {
    if (desde - 1 >= s.size()) return QString();
    return s.mid(desde - 1, largo);
}
}  // namespace

LineaResumen separaLinea(const QString& linea) {
    LineaResumen l;
    l.numero = medio(linea, 3, 15);
    l.formulario = medio(linea, 18, 4);
    l.periodo = medio(linea, 22, 4);
    l.periodo6 = medio(linea, 22, 6);
    l.semana = medio(linea, 28, 1);
    l.nc = medio(linea, 29, 8);
    return l;
}

}  // namespace qvr
