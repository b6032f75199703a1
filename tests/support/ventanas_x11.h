#pragma once
// What the X11 display shows: the captions of its visible top-level windows. The tests under a
// virtual display look with it for the windows the programs put on screen.
#include <QString>
#include <QStringList>

namespace qvr::prueba {

// Captions of the visible (mapped) top-level windows, in stacking order; empty without a display.
QStringList captionsVisibles();

// True when a visible top-level window is captioned exactly `titulo`.
inline bool ventanaVisible(const QString& titulo) {
    return captionsVisibles().contains(titulo, Qt::CaseSensitive);
}

}  // namespace qvr::prueba
