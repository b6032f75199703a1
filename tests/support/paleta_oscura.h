#pragma once
// A dark theme as desktops set one up on the Fusion style: light text on dark grey, for the tests
// and screenshots that check the windows stay readable under it.
#include <QColor>
#include <QPalette>

namespace qvr::prueba {

inline QPalette paletaOscura() {
    QPalette p;
    const QColor ventana(53, 53, 53), base(35, 35, 35), texto(230, 230, 230), tenue(127, 127, 127);
    p.setColor(QPalette::Window, ventana);
    p.setColor(QPalette::WindowText, texto);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, ventana);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, texto);
    p.setColor(QPalette::PlaceholderText, tenue);
    p.setColor(QPalette::Text, texto);
    p.setColor(QPalette::Button, ventana);
    p.setColor(QPalette::ButtonText, texto);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Midlight, QColor(66, 66, 66));
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, QColor(20, 20, 20));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Disabled, QPalette::WindowText, tenue);
    p.setColor(QPalette::Disabled, QPalette::Text, tenue);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, tenue);
    p.setColor(QPalette::Disabled, QPalette::Base, ventana);
    return p;
}

}  // namespace qvr::prueba
