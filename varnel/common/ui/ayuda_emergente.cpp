#include "varnel/common/ui/ayuda_emergente.h"

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace qvr {

namespace {

const char* const kPropiedad = "ayudaEmergente";

class AyudaEmergente : public QObject {
  public:
    explicit AyudaEmergente(QWidget* w) : QObject(w) { w->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::ToolTip || o != parent()) return false;
        auto* w = static_cast<QWidget*>(o);
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), w->property(kPropiedad).toString(), w);
        return true;
    }
};

}  // namespace

void ponAyudaEmergente(QWidget* w, const QString& texto) {
    if (!w->property(kPropiedad).isValid()) new AyudaEmergente(w);
    w->setProperty(kPropiedad, texto);
}

QString ayudaEmergente(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (const QVariant t = w->property(kPropiedad); t.isValid()) return t.toString();
    return {};
}

}  // namespace qvr
