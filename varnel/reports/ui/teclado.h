#pragma once
// Keyboard help shared by the report windows.
class QWidget;

namespace qvr::reporte {

// Enter (or the keypad's Enter) on a focused push or tool button of `ventana` presses that button,
// not the window's default button. Buttons created later are not covered.
void enterPulsaBotones(QWidget* ventana);

}  // namespace qvr::reporte
