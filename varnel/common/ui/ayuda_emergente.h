#pragma once
// The text the pointer shows over a field (a box's number and label), without being the field's
// accessible description: Qt's accessibility reads a widget's tool tip as its description when it
// has none, which would make a screen reader say the box's name twice.
#include <QString>

class QWidget;

namespace qvr {

// Shows `texto` when the pointer rests over `w` (or over a child of it that shows nothing of its
// own). The text is kept in the property "ayudaEmergente".
void ponAyudaEmergente(QWidget* w, const QString& texto);

// What the pointer shows over `w`: its own text or that of the nearest parent that has one.
QString ayudaEmergente(const QWidget* w);

}  // namespace qvr
