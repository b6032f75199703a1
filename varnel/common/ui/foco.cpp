#include "varnel/common/ui/foco.h"

#include <QAbstractButton>
#include <QList>
#include <QWidget>

namespace qvr {

namespace {

// An option of a group of exclusive options (a yes/no question).
bool esOpcionDeGrupo(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    return b && b->autoExclusive() && b->isCheckable() && b->parentWidget();
}

// Whether Tab stops at w. Qt leaves Tab only on the option of a group that had the focus last, which
// may be an unchecked one; the group's stop is its checked option here, so an option counts whatever
// Qt left of its Tab.
bool tomaTab(QWidget* w) {
    if (esOpcionDeGrupo(w)) return w->focusPolicy() != Qt::NoFocus;
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// An unchecked option of a group that has a checked one: Tab goes to the checked one only.
bool opcionSaltada(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    if (!b || !b->autoExclusive() || !b->isCheckable() || b->isChecked() || !b->parentWidget()) return false;
    for (QAbstractButton* otro :
         b->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        if (otro != b && otro->autoExclusive() && otro->isChecked() && otro->metaObject() == b->metaObject())
            return true;
    return false;
}

}  // namespace

QList<QWidget*> cadenaDeTab(QWidget* ventana) {
    QList<QWidget*> cadena;
    for (QWidget* w = ventana->nextInFocusChain(); w && w != ventana; w = w->nextInFocusChain())
        if (w->window() == ventana && tomaTab(w) && !w->focusProxy() && w->isVisible() && w->isEnabled() &&
            !opcionSaltada(w))
            cadena << w;
    return cadena;
}

bool enfocaEnVentana(QWidget* ventana, bool siguiente) {
    const QList<QWidget*> cadena = cadenaDeTab(ventana);
    if (cadena.isEmpty()) return false;
    const int n = int(cadena.size());
    int i = int(cadena.indexOf(ventana->focusWidget()));
    i = siguiente ? (i + 1) % n : (i <= 0 ? n - 1 : i - 1);
    cadena[i]->setFocus(siguiente ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace qvr
