#pragma once
// The module's own pictures, drawn at run time: the toolbar images and the about window's picture.
#include <QIcon>
#include <QPixmap>

namespace qvr {

// The image of toolbar button `indice` (1-based); a null icon for a separator.
QIcon iconoBarra(int indice);

// The picture of the about window.
QPixmap dibujoAcercaDe(int lado);

}  // namespace qvr
