#include "platform/ui/interfaz.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>
#include <QWidget>
#include <QWindow>

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

Q_LOGGING_CATEGORY(lcVentanas, "qvr.ventanas", QtWarningMsg)

// Waits for the window to be exposed (mapped and drawn by the window system), then says so once.
class AnuncioEnPantalla : public QObject {
  public:
    explicit AnuncioEnPantalla(QWidget* ventana) : QObject(ventana), ventana_(ventana) {
        ventana->installEventFilter(this);
        if (QWindow* v = ventana->windowHandle()) {
            v->installEventFilter(this);
            if (v->isExposed()) anuncia();
        }
    }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == ventana_ && e->type() == QEvent::Show && ventana_->windowHandle())
            ventana_->windowHandle()->installEventFilter(this);
        if (e->type() == QEvent::Expose && o == ventana_->windowHandle() &&
            ventana_->windowHandle()->isExposed())
            anuncia();
        return false;
    }

  private:
    void anuncia() {
        if (hecho_) return;
        hecho_ = true;
        qCInfo(lcVentanas).noquote() << "en pantalla:" << ventana_->windowTitle()
                                     << "(" + QGuiApplication::platformName() + ")";
        if (QWindow* v = ventana_->windowHandle()) v->removeEventFilter(this);
        ventana_->removeEventFilter(this);
        deleteLater();
    }

    QWidget* ventana_;
    bool hecho_ = false;
};

}  // namespace

void anunciaEnPantalla(QWidget* ventana) { new AnuncioEnPantalla(ventana); }

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
