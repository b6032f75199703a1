#include "varnel/reports/texto_pagina.h"

#include <algorithm>
#include <vector>

namespace qvr::reporte {

QString textoPagina(IndiceReporte& indice, int n) {
    struct Pieza {
        int x, y;
        QString texto;
    };
    std::vector<Pieza> piezas;
    indice.recorre(n, [&piezas](const Registro& r) {
        if (r.tipo != Tipo::Pos && r.tipo != Tipo::PosVerti) return;
        const QString t = r.textoUnicode().simplified();
        if (!t.isEmpty()) piezas.push_back({r.x, r.y, t});
    });
    std::stable_sort(piezas.begin(), piezas.end(), [](const Pieza& a, const Pieza& b) { return a.y < b.y; });
    QStringList lineas;
    for (size_t i = 0; i < piezas.size();) {
        // A line: the texts whose tops are close to its first one's.
        size_t j = i + 1;
        while (j < piezas.size() && piezas[j].y - piezas[i].y <= kToleranciaLinea) ++j;
        std::stable_sort(piezas.begin() + long(i), piezas.begin() + long(j),
                         [](const Pieza& a, const Pieza& b) { return a.x < b.x; });
        QStringList linea;
        for (size_t k = i; k < j; ++k) linea << piezas[k].texto;
        lineas << linea.join(' ');
        i = j;
    }
    return lineas.join('\n');
}

}  // namespace qvr::reporte
