#pragma once
// Where the user left each main window of the suite: its place and size, per user, in the
// settings file of the suite ($XDG_CONFIG_HOME/qvr/ventanas.conf, by QSettings).
#include <QString>

class QWidget;

namespace qvr {

// Puts the window where it was left the last time (its size bounded by its minimum and maximum
// sizes, its place on a screen that is there); false when nothing was remembered, and the window
// keeps its own place and size.
bool restauraGeometria(QWidget* ventana, const QString& clave);

// From now on, each time the window is hidden or closed its place and size are remembered.
void recuerdaGeometria(QWidget* ventana, const QString& clave);

}  // namespace qvr
