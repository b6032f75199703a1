#include "varnel/common/ui/enter_botones.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace qvr::ui {

namespace {

const char* const kInstalado = "qvrEnterEnBotonesVarnel";

class EnterEnBotones : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
        if ((k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        if (!qobject_cast<QPushButton*>(o) && !qobject_cast<QToolButton*>(o)) return false;
        auto* b = static_cast<QAbstractButton*>(o);
        // A button that cannot be pressed still takes its Enter: it must not reach the dialog and
        // press the default button instead.
        if (b->isEnabled() && b->isVisible()) b->click();
        return true;
    }
};

}  // namespace

void instalaEnterEnBotones(QApplication& app) {
    if (app.property(kInstalado).toBool()) return;
    app.setProperty(kInstalado, true);
    app.installEventFilter(new EnterEnBotones(&app));
}

}  // namespace qvr::ui
