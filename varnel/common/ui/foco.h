#pragma once
// Tab and Shift+Tab within one window. A window opened over another (a detail window over the
// declaration window) shares its owner's focus chain, so Qt's own step could leave it for a control
// of the window below; these steps stay in the window.
#include <QList>

class QWidget;

namespace qvr {

// The controls of `ventana` that Tab reaches, in order: shown, enabled, taking Tab, and of a group of
// options only the chosen one.
QList<QWidget*> cadenaDeTab(QWidget* ventana);

// Gives the focus to the next (or previous) control of `ventana` that Tab reaches; false when it has none.
bool enfocaEnVentana(QWidget* ventana, bool siguiente);

}  // namespace qvr
