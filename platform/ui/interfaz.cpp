#include "platform/ui/interfaz.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>

#include "platform/ui/dialogos_qt.h"
#include "platform/ui/impresora_qt.h"

namespace qvr {

namespace {

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

void instalaEnterEnBotones(QCoreApplication& app) {
    static const char* const kMarca = "qvrEnterEnBotones";
    if (app.property(kMarca).toBool()) return;
    app.setProperty(kMarca, true);
    app.installEventFilter(new EnterEnBotones(&app));
}

void instalaPuertosEnPantalla() {
    instalaImpresoraPredeterminada(impresoraPredeterminada);
    instalaDialogosConPantalla([] { return std::make_shared<DialogosQt>(); });
}

bool preparaInterfaz(QCoreApplication& app) {
    instalaEnterEnBotones(app);
    instalaPuertosEnPantalla();
    auto* t = new QTranslator(&app);
    if (!t->load(QLocale(QLocale::Spanish), "qtbase", "_",
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    return true;
}

}  // namespace qvr
