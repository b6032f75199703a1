#pragma once
// What a keyboard user meets in a window, for tests: the stops Tab reaches that he cannot tell
// apart (no name for a screen reader, a scroll area or scroll bar instead of a control), and the Alt
// letters that more than one shown control answers.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

namespace qvr::prueba {

inline QString describe(const QWidget* w) {
    return QString("%1 \"%2\"").arg(w->metaObject()->className(), w->objectName());
}

// Every shown, enabled control of `ventana` that takes Tab, in focus-chain order.
inline QList<QWidget*> paradasDeTab(QWidget* ventana) {
    QList<QWidget*> p;
    for (QWidget* w = ventana->nextInFocusChain(); w && w != ventana; w = w->nextInFocusChain())
        if (w->window() == ventana && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() &&
            w->isVisible() && w->isEnabled())
            p << w;
    return p;
}

// The stops of `ventana` that a keyboard user cannot tell apart, each described.
inline QStringList paradasDudosas(QWidget* ventana) {
    QStringList malas;
    for (QWidget* w : paradasDeTab(ventana)) {
        const auto* padre =
            w->parentWidget() ? qobject_cast<QAbstractScrollArea*>(w->parentWidget()) : nullptr;
        if (qobject_cast<QScrollArea*>(w) || (padre && padre->viewport() == w))
            malas << describe(w) + ": área de desplazamiento";
        else if (qobject_cast<QScrollBar*>(w))
            malas << describe(w) + ": barra de desplazamiento";
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty()) malas << describe(w) + ": sin nombre";
    }
    return malas;
}

// Alt letters that more than one shown, enabled control of `ventana` answers: buttons, labels with
// a buddy and the tabs of shown strips. Each as "letter: control, control".
inline QStringList letrasRepetidas(QWidget* ventana) {
    QMap<QString, QStringList> por;
    const auto anota = [&](const QString& texto, const QString& quien) {
        const QString l = QKeySequence::mnemonic(texto).toString();
        if (!l.isEmpty()) por[l] << quien;
    };
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (w->window() != ventana || !w->isVisible() || !w->isEnabled()) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) anota(b->text(), describe(w));
        if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) anota(l->text(), describe(w));
        if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                if (t->isTabVisible(i) && t->isTabEnabled(i))
                    anota(t->tabText(i), describe(w) + " " + t->tabText(i));
    }
    QStringList repetidas;
    for (auto it = por.cbegin(); it != por.cend(); ++it)
        if (it.value().size() > 1) repetidas << it.key() + ": " + it.value().join(", ");
    return repetidas;
}

}  // namespace qvr::prueba
