#pragma once
// Enter on a button, in every window of the module: Enter or the keypad's Enter on a focused push or
// tool button presses that button, not the window's default one. One filter on the application, so
// windows and buttons created later are covered too; entry fields, lists and grids keep their own
// Enter (the next box, the row's action).
class QApplication;

namespace qvr::ui {

// Installs the filter once; a second call does nothing.
void instalaEnterEnBotones(QApplication& app);

}  // namespace qvr::ui
