#include "varnel/annexes/ui/teclas_anexo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QWidget>

#include "varnel/common/ui/colores.h"

namespace qvr {

int codigoCaracter(const QKeyEvent* e) {
    // Undo and redo are the field's own (Ctrl+Z would otherwise be judged as a character, 26, and
    // thrown away); they only bring back what was typed in the field.
    if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) return -1;
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return -1;
        default:
            break;
    }
    const QString t = e->text();
    return t.isEmpty() ? -1 : int(t.at(0).unicode());
}

int codigoTeclaWindows(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Insert) return 45;
    if (e->key() == Qt::Key_Menu) return 93;
    return 0;
}

QColor grisClaro() { return fondoGrisClaro(QApplication::palette()); }

QColor blancoEntrada() { return fondoEntrada(QApplication::palette()); }

void pintaFondo(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Disabled, QPalette::Base, c);
    // A computed or locked field stays readable on its grey: the theme's text, not a faded one.
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::Text));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace qvr
