#pragma once
// What the annex windows read from a key event: the character code the filters judge, and the
// Windows key code of the keys that paste (Shift+Insert 45, the context-menu key 93).
#include <QColor>

class QKeyEvent;
class QWidget;

namespace qvr {

// Enter 13, Backspace 8, else the character the key types; -1 when it types nothing (arrows,
// Delete, Tab...): such keys go to the control unfiltered.
int codigoCaracter(const QKeyEvent* e);
// 45 for Insert, 93 for the context-menu key, 0 for any other key.
int codigoTeclaWindows(const QKeyEvent* e);

// RGB 192, 192, 192: the computed fields.
inline QColor grisClaro() { return QColor(192, 192, 192); }
void pintaFondo(QWidget* w, const QColor& c);

}  // namespace qvr
