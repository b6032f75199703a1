#pragma once
// Window position and size given in twips, at the screen's logical resolution.
#include <QWidget>

namespace qvr {

// Puts the window in normal state and sets left, top, height and width (twips), in that order.
// The size is the window's outer size; the frame, once the window manager has drawn one, is
// taken off for the client area.
void PosicionaVentana(QWidget* ventana, int izquierda, int arriba, int alto, int ancho);

// Twips to pixels for this window's screen.
int pixeles(const QWidget* ventana, int twips);

}  // namespace qvr
