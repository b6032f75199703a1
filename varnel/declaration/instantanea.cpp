#include "varnel/declaration/instantanea.h"

namespace qvr {

QString Instantanea::casilla(int n) const {
    auto it = casillas.find(n);
    return it == casillas.end() ? QString() : it->second;
}

const std::vector<int>& listasTipoDocumento() {
    static const std::vector<int> l = {204, 205, 206, 224, 225, 226, 227, 301, 235};
    return l;
}

}  // namespace qvr
