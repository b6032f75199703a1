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

const std::vector<int>& ordenCasillas() {
    static const std::vector<int> o = {
        100, 102, 501, 502, 503, 105, 106, 504, 505, 506, 107, 507, 508, 108, 110, 509, 111, 510, 511, 512,
        113, 519, 114, 115, 513, 116, 514, 117, 515, 120, 122, 124, 516, 125, 127, 128, 129, 130, 131, 132,
        133, 140, 141, 142, 144, 145, 146, 180, 229, 230, 231, 232, 200, 201, 203, 518, 208, 209, 211, 212,
        213, 214, 215, 217, 218, 219, 220, 221, 222, 223, 302, 236, 801, 802, 803, 530, 531, 532, 533, 534,
        535, 536, 537, 538, 539, 540, 840, 841, 842, 843, 844, 845, 846, 847, 848, 849, 850, 851, 852, 853};
    return o;
}

}  // namespace qvr
