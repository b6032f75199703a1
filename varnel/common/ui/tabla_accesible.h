#pragma once
// Grids as a screen reader reads them: the columns the grid shows, in the order it shows them,
// with their headings; the hidden columns (codes, name parts the window reads back) are left out.
// A grid takes part by calling marcaTablaAccesible in its constructor and announcing its current
// cell with anunciaCelda from its currentChanged (instead of QTableView's own announcement, whose
// cell numbers count the hidden columns).
#include <QModelIndex>

class QTableView;

namespace qvr {

void marcaTablaAccesible(QTableView* tabla);
// The number a screen reader knows the cell `i` of `tabla` by; -1 for a cell of a hidden column.
int indiceAccesible(QTableView* tabla, const QModelIndex& i);
// Tells a screen reader that `actual` is the current cell of `tabla`.
void anunciaCelda(QTableView* tabla, const QModelIndex& actual);

}  // namespace qvr
