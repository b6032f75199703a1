#include "varnel/common/ui/foco.h"

#include <QAbstractButton>
#include <QList>
#include <QWidget>

namespace qvr {

namespace {

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

bool enfocaEnVentana(QWidget* ventana, bool siguiente) {
    QList<QWidget*> cadena;
    for (QWidget* w = ventana->nextInFocusChain(); w && w != ventana; w = w->nextInFocusChain())
        if (w->window() == ventana && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() &&
            w->isVisible() && w->isEnabled() && !opcionSaltada(w))
            cadena << w;
    if (cadena.isEmpty()) return false;
    const int n = int(cadena.size());
    int i = int(cadena.indexOf(ventana->focusWidget()));
    i = siguiente ? (i + 1) % n : (i <= 0 ? n - 1 : i - 1);
    cadena[i]->setFocus(siguiente ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace qvr
