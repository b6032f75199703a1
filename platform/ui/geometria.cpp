#include "platform/ui/geometria.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>
#include <utility>

namespace qvr {

namespace {

QString claveDe(const QString& clave) { return clave + QStringLiteral("/geometria"); }

void guarda(QWidget* w, const QString& clave) {
    QSettings s(QStringLiteral("qvr"), QStringLiteral("ventanas"));
    s.setValue(claveDe(clave), w->saveGeometry());
}

class GuardaGeometria : public QObject {
  public:
    GuardaGeometria(QWidget* ventana, QString clave) : QObject(ventana), clave_(std::move(clave)) {
        ventana->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        // Minimising hides the window spontaneously: its place is still the one it had.
        if (o == parent() && !e->spontaneous() && (e->type() == QEvent::Hide || e->type() == QEvent::Close))
            guarda(static_cast<QWidget*>(o), clave_);
        return false;
    }

  private:
    QString clave_;
};

}  // namespace

bool restauraGeometria(QWidget* ventana, const QString& clave) {
    const QByteArray g =
        QSettings(QStringLiteral("qvr"), QStringLiteral("ventanas")).value(claveDe(clave)).toByteArray();
    return !g.isEmpty() && ventana->restoreGeometry(g);
}

void recuerdaGeometria(QWidget* ventana, const QString& clave) { new GuardaGeometria(ventana, clave); }

}  // namespace qvr
