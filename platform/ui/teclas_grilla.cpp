#include "platform/ui/teclas_grilla.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

namespace qvr {

namespace {

class TeclasGrilla : public QObject {
  public:
    TeclasGrilla(QAbstractItemView* grilla, std::function<void()> accion)
        : QObject(grilla), grilla_(grilla), accion_(std::move(accion)) {}

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o != grilla_ || e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers m = k->modifiers() & ~Qt::KeypadModifier;
        const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
        if (tab && (m & Qt::ControlModifier)) {
            // Ctrl+Tab leaves the grid as Tab does.
            const bool atras = k->key() == Qt::Key_Backtab || (m & Qt::ShiftModifier);
            QKeyEvent t(QEvent::KeyPress, atras ? Qt::Key_Backtab : Qt::Key_Tab,
                        atras ? Qt::ShiftModifier : Qt::NoModifier);
            QCoreApplication::sendEvent(grilla_, &t);
            return true;
        }
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && m == Qt::NoModifier && accion_) {
            if (grilla_->currentIndex().isValid()) accion_();
            return true;
        }
        return false;
    }

  private:
    QAbstractItemView* grilla_;
    std::function<void()> accion_;
};

}  // namespace

void preparaTeclasGrilla(QAbstractItemView* grilla, std::function<void()> accion) {
    // With tab navigation the grid would keep Tab for its cells and never let the focus go.
    grilla->setTabKeyNavigation(false);
    grilla->installEventFilter(new TeclasGrilla(grilla, std::move(accion)));
}

}  // namespace qvr
