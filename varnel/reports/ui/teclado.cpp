#include "varnel/reports/ui/teclado.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace qvr::reporte {

namespace {

class EnterEnBoton : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k != Qt::Key_Return && k != Qt::Key_Enter) return false;
        auto* b = static_cast<QAbstractButton*>(o);
        if (b->isEnabled()) b->click();
        return true;
    }
};

}  // namespace

void enterPulsaBotones(QWidget* ventana) {
    auto* filtro = new EnterEnBoton(ventana);
    for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
        if (qobject_cast<QPushButton*>(b) || qobject_cast<QToolButton*>(b)) b->installEventFilter(filtro);
}

}  // namespace qvr::reporte
