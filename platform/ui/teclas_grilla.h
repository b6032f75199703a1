#pragma once
// The keys of a grid of rows as a keyboard user expects them: Tab, Shift+Tab, Ctrl+Tab and
// Ctrl+Shift+Tab leave it for the next or previous control (the arrows walk its cells), and Enter
// on a row runs the window's main action.
#include <functional>

class QAbstractItemView;

namespace qvr {

// `accion`: what Enter on the current row does; empty leaves Enter to the grid.
void preparaTeclasGrilla(QAbstractItemView* grilla, std::function<void()> accion = {});

}  // namespace qvr
