#pragma once
// Window sizes and positions of the list windows, designed in twips (1/1440 inch): converted at
// the screen's logical resolution, 15 twips per pixel at 96 dpi.
#include <QRect>
#include <QWidget>

#include "varnel/app/aplicacion.h"

namespace qvr::ui {

inline int px(const QWidget* w, int twips) {
    const int dpi = w ? w->logicalDpiX() : 96;
    return twipsAPixeles(twips, dpi > 0 ? dpi : 96);
}

inline QRect rectTwips(const QWidget* w, int x, int y, int ancho, int alto) {
    return QRect(px(w, x), px(w, y), px(w, ancho), px(w, alto));
}

// A window's designed width and height include its frame and caption; our window manager draws
// those outside the client area, so they are taken off (a fixed dialog frame: 3 pixels a side and
// a 19-pixel caption).
inline constexpr int kMarcoAnchoTwips = 90;
inline constexpr int kMarcoAltoTwips = 375;

inline void fijaTamanoTwips(QWidget* w, int ancho, int alto) {
    w->setFixedSize(px(w, ancho - kMarcoAnchoTwips), px(w, alto - kMarcoAltoTwips));
}

}  // namespace qvr::ui
