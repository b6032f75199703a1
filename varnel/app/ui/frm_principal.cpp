#include "varnel/app/ui/frm_principal.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <optional>

#include "common/conexion.h"
#include "platform/descripciones_jet.h"
#include "platform/ui/geometria.h"
#include "varnel/app/ui/acerca_de.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/app/ui/barra_estado.h"
#include "varnel/app/ui/iconos.h"
#include "varnel/app/ui/posiciona.h"

namespace qvr {

namespace {

const char* const kContexto = "contextoAyuda";
const char* const kClaveGeometria = "Varnel/principal";

// The hourglass while a window loads; the normal pointer again whatever happens.
class RelojArena {
  public:
    RelojArena() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~RelojArena() { QApplication::restoreOverrideCursor(); }
};

bool ventanaDisponible(Ventana v, const RegistroVentanas& r) {
    return v == Ventana::Ninguna || v == Ventana::Ayuda || v == Ventana::AcercaDe || r.existe(v);
}

}  // namespace

FrmPrincipal::FrmPrincipal(Aplicacion& app, const RegistroVentanas& ventanas, QWidget* padre)
    : QMainWindow(padre), app_(app), ventanas_(ventanas) {
    setObjectName("FrmPrincipal");
    setWindowTitle(kTituloModulo);
    // No minimize and maximize boxes.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setProperty(kContexto, kContextoPrincipal);
    construyeMenus();
    construyeBarra();
    barra_ = new BarradeEstadoQVR(this);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(barra_, 1);
    app_.barra = barra_;
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { muestraAyuda(property(kContexto).toInt()); });
    // The windows it opens show their help topics in its help window.
    instalaMostrarAyuda([this](int contexto) { muestraAyuda(contexto); });
    auto* central = new QWidget(this);
    central->setObjectName("fondo");
    central->setAutoFillBackground(true);
    central->setBackgroundRole(QPalette::Dark);
    setCentralWidget(central);
}

FrmPrincipal::~FrmPrincipal() {
    instalaMostrarAyuda({});
    if (app_.barra == barra_) app_.barra = nullptr;
}

void FrmPrincipal::construyeMenus() {
    for (const MenuPrincipal& m : menusPrincipales()) {
        QMenu* menu = menuBar()->addMenu(m.caption);
        menu->setProperty(kContexto, m.contextoAyuda);
        menu->installEventFilter(this);
        for (const ItemMenu& item : m.items) {
            if (!item.comando) {
                menu->addSeparator();
                continue;
            }
            const Comando c = *item.comando;
            QAction* a = menu->addAction(item.caption);
            a->setEnabled(ventanaDisponible(definicion(c).ventana, ventanas_));
            connect(a, &QAction::triggered, this, [this, c] { ejecutaComando(c); });
        }
    }
}

namespace {
// The caption of the menu item of `c`, without its Alt letter ("Contenido de la Ayuda").
QString textoMenuDe(Comando c) {
    for (const MenuPrincipal& m : menusPrincipales())
        for (const ItemMenu& i : m.items)
            if (i.comando == c) return QString(i.caption).remove('&').trimmed();
    return {};
}
}  // namespace

void FrmPrincipal::construyeBarra() {
    QToolBar* barra = addToolBar("Barra de herramientas");
    barra->setObjectName("Toolbar1");
    barra->setMovable(false);
    barra->setFloatable(false);
    barra->setContextMenuPolicy(Qt::PreventContextMenu);
    barra->setIconSize(QSize(24, 24));
    for (const BotonBarra& b : botonesBarra()) {
        if (!b.comando) {
            barra->addSeparator();
            continue;
        }
        const Comando c = *b.comando;
        QAction* a = new QAction(iconoBarra(b.indice), b.tooltip, barra);
        a->setObjectName(QString("Button%1").arg(b.indice));
        a->setToolTip(b.tooltip);
        a->setEnabled(ventanaDisponible(definicion(c).ventana, ventanas_));
        connect(a, &QAction::triggered, this, [this, c] { ejecutaComando(c); });
        barra->addAction(a);
        // A button without a tip (the help's) is named after its menu command.
        if (b.tooltip.isEmpty())
            if (QWidget* w = barra->widgetForAction(a)) w->setAccessibleName(textoMenuDe(c));
    }
}

bool FrmPrincipal::carga() {
    PosicionaVentana(this, 0, 0, 7320, 9555);
    setFixedSize(size());
    // Where the user left it the last time; its size stays the designed one.
    restauraGeometria(this, kClaveGeometria);
    recuerdaGeometria(this, kClaveGeometria);
    show();
    if (!cargaAplicacion(app_)) {
        terminando_ = true;
        close();
        return false;
    }
    // The help ships with the program; put it where the help file is looked for when it is missing.
    instalaAyuda(rutaAyudaHtml(app_.ArchivoAyuda));
    inicializaBarra(*barra_, app_.sesion);
    setProperty(kContexto, kContextoPrincipal);
    app_.ayuda = [this](int contexto) { muestraAyuda(contexto); };
    return true;
}

bool FrmPrincipal::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(o)) {
            const int contexto = menu->property(kContexto).toInt();
            menu->close();
            muestraAyuda(contexto);
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void FrmPrincipal::ejecutaComando(Comando c) {
    const DefinicionComando& d = definicion(c);
    if (!ventanaDisponible(d.ventana, ventanas_)) return;
    if (d.fin != Fin::No) {
        termina(d.fin);
        return;
    }
    if (d.cierraHijas == Cierre::Antes) CierraVentanasHijas();
    aplica(d.asigna, app_.valores);
    if (d.cierraHijas == Cierre::Despues) CierraVentanasHijas();
    if (d.ventana == Ventana::Ayuda) {
        muestraAyuda(0);
        return;
    }
    try {
        abre(d.ventana, d.relojArena);
    } catch (const ErrorBD& e) {
        app_.dialogos().muestra(textoErrorBD(e) + "\n" + numeroConBlanco(e.numero()), "Error", Icono::Error,
                                Botones::Ok);
    } catch (const std::exception& e) {
        app_.dialogos().muestra(QString::fromUtf8(e.what()), "Error", Icono::Error, Botones::Ok);
    }
}

void FrmPrincipal::abre(Ventana v, bool relojArena) {
    // An earlier instance is unloaded first; every command gets a fresh window.
    if (QPointer<QDialog>& previa = abiertas_[v]) {
        previa->reject();
        previa->hide();
        previa->deleteLater();
    }
    QPointer<QDialog> ventana;
    {
        std::optional<RelojArena> reloj;
        if (relojArena) reloj.emplace();
        ventana = v == Ventana::AcercaDe ? new frmAcercaDe(this) : ventanas_.crea(v, app_, this);
    }
    if (!ventana) return;
    abiertas_[v] = ventana;
    ventana->setWindowModality(Qt::ApplicationModal);
    ventana->exec();
    if (ventana) delete ventana.data();
}

void FrmPrincipal::CierraVentanasHijas() {
    for (QDialog* ventana : findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (!ventana->isVisible()) continue;
        ventana->reject();
        ventana->hide();
    }
}

void FrmPrincipal::muestraAyuda(int contexto) {
    const QString ruta = rutaAyudaHtml(app_.ArchivoAyuda);
    if (app_.ArchivoAyuda.isEmpty() || !QFileInfo(ruta).isFile()) {
        app_.dialogos().muestra("No se encuentra el archivo de ayuda " + ruta, "Ayuda", Icono::Exclamacion,
                                Botones::Ok);
        return;
    }
    if (!ayuda_) ayuda_ = new FrmAyuda(this);
    ayuda_->muestra(ruta, contexto);
    // F1 in a modal window (the declaration window): the help must take the keyboard and the mouse
    // too, so it is modal over it until closed.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality m = modal && modal != ayuda_ ? Qt::ApplicationModal : Qt::NonModal;
    if (ayuda_->windowModality() != m) {
        ayuda_->hide();
        ayuda_->setWindowModality(m);
    }
    ayuda_->show();
    ayuda_->raise();
    ayuda_->activateWindow();
}

void FrmPrincipal::termina(Fin fin) {
    terminando_ = true;
    CierraVentanasHijas();
    if (ayuda_) ayuda_->close();
    if (fin == Fin::BaseYVentana) cierraBaseDatos(app_);
    close();
    if (fin == Fin::VentanaYBase) cierraBaseDatos(app_);
    emit programaTerminado();
}

void FrmPrincipal::closeEvent(QCloseEvent* e) {
    e->accept();
    // The window's close box ends the program like "&Salir".
    if (!terminando_) {
        terminando_ = true;
        if (ayuda_) ayuda_->close();
        cierraBaseDatos(app_);
        emit programaTerminado();
    }
}

}  // namespace qvr
