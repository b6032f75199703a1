#pragma once
// What a screen reader gets of a window, for the tests: the names and descriptions of its
// controls, the interfaces it exposes, and the controls shown without a name.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QScrollArea>
#include <QStringList>
#include <QTabBar>
#include <QWidget>
#include <functional>

namespace qvr::prueba {

inline QString nombreAccesible(QObject* o) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QString();
}

inline QString descripcionAccesible(QObject* o) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Description) : QString();
}

// Calls `f` for `i` and every interface below it that is not marked invisible.
inline void recorreVisibles(QAccessibleInterface* i, const std::function<void(QAccessibleInterface*)>& f,
                            int profundidad = 0) {
    if (!i || i->state().invisible || profundidad > 40) return;
    f(i);
    for (int k = 0; k < i->childCount(); ++k) recorreVisibles(i->child(k), f, profundidad + 1);
}

// The controls of `ventana` a person sees and reaches (fields, lists, grids, buttons, tab strips)
// that a screen reader would announce without a name.
inline QStringList sinNombre(QWidget* ventana) {
    QStringList faltan;
    for (QWidget* c : ventana->findChildren<QWidget*>()) {
        if (!c->isVisible() || c->window() != ventana) continue;
        // A grid's cell editors and a combo's own field are parts of their control.
        if (QWidget* p = c->parentWidget();
            p && (qobject_cast<QAbstractItemView*>(p) || p->inherits("QComboBox")))
            continue;
        // A page's scroll area is a frame, not a control.
        if (qobject_cast<QScrollArea*>(c)) continue;
        const bool control =
            c->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(c) || qobject_cast<QTabBar*>(c);
        if (!control) continue;
        if (nombreAccesible(c).trimmed().isEmpty())
            faltan << QString("%1 %2").arg(c->metaObject()->className(), c->objectName());
    }
    return faltan;
}

}  // namespace qvr::prueba
