#pragma once
// The text of one page picture as a reader takes it in: its texts line by line from the top, each
// line's texts from the left. A screen reader reads the shown page through it.
#include <QString>

#include "varnel/reports/indice_reporte.h"

namespace qvr::reporte {

// Texts whose tops lie within this many twips of each other are one line (half a row of 8 points).
inline constexpr int kToleranciaLinea = 80;

// The texts of picture `n`, lines joined by '\n' and the texts of a line by a blank. Blank texts
// are left out; a vertical text is read as one word at its place.
QString textoPagina(IndiceReporte& indice, int n);

}  // namespace qvr::reporte
