#pragma once
// What the annex windows read from a key event: the character code the filters judge, and the
// Windows key code of the keys that paste (Shift+Insert 45, the context-menu key 93).
#include <QColor>

class QKeyEvent;
class QWidget;

namespace qvr {

// Enter 13, Backspace 8, else the character the key types; -1 when it types nothing (arrows,
// Delete, Tab...) or is undo or redo: such keys go to the control unfiltered.
int codigoCaracter(const QKeyEvent* e);
// 45 for Insert, 93 for the context-menu key, 0 for any other key.
int codigoTeclaWindows(const QKeyEvent* e);

// The computed fields: RGB 192, 192, 192 in a light theme, a grey that reads in any other.
QColor grisClaro();
// An entry field: the theme's base colour.
QColor blancoEntrada();
void pintaFondo(QWidget* w, const QColor& c);

}  // namespace qvr
