#include "varnel/lists/ui/ventanalista.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "common/sesion.h"
#include "varnel/lists/ui/twips.h"

namespace qvr::ui {

namespace {
constexpr int kMargen = 120;
constexpr int kAnchoBoton = 1215;
constexpr int kAltoBoton = 375;
}  // namespace

CursorEspera::CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
CursorEspera::~CursorEspera() { QApplication::restoreOverrideCursor(); }

VentanaLista::VentanaLista(DatosSesion& s, QWidget* parent)
    : QDialog(parent), s_(s), grid_(new GridLista(this)) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

VentanaLista::~VentanaLista() {
    // The grid goes first: it must not outlive the model it shows.
    delete grid_;
}

bool VentanaLista::cargaLista(DefinicionLista d) {
    CursorEspera espera;
    if (!s_.Base) {
        grid_->setEnabled(false);
        MuestraErrorLista(jet::Reservado, "La base de datos está cerrada.");
        return false;
    }
    modelo_ = std::make_unique<ModeloLista>(*s_.Base, std::move(d));
    connect(modelo_.get(), &ModeloLista::falloLectura, this,
            [](int numero, const QString& descripcion) { MuestraErrorLista(numero, descripcion); });
    grid_->fijaModelo(modelo_.get());
    try {
        modelo_->recarga();
    } catch (const ErrorBD& e) {
        grid_->setEnabled(false);
        MuestraErrorLista(e.numero(), e.descripcion());
        return false;
    }
    grid_->setEnabled(!modelo_->vacia());
    grid_->ajustaColumnas();
    ensanchaParaGrid();
    if (grid_->accessibleName().isEmpty()) grid_->setAccessibleName(windowTitle());
    if (!modelo_->vacia()) grid_->vaAFila(0);
    recienCargada_ = true;
    return true;
}

// Columns widened to their longest text must not push the last ones out of sight: the window grows
// by what the grid lacks (within the screen), the controls right of the grid move with it and the
// ones around it (its frame, the caption above it) widen with it.
void VentanaLista::ensanchaParaGrid() {
    if (!modelo_) return;
    // A few pixels beyond frame and scroll bar: the viewport's own margins.
    int necesario = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width() + 4;
    for (int c = 0; c < modelo_->columnCount(); ++c)
        if (!grid_->isColumnHidden(c)) necesario += grid_->columnWidth(c);
    int falta = necesario - grid_->width();
    if (const QScreen* pantalla = screen())
        falta = qMin(falta, pantalla->availableGeometry().width() - width() - 16);
    if (falta <= 0) return;
    // From the grid up to the window: each level widens, and its siblings move or widen.
    for (QWidget* hijo = grid_; hijo != this && hijo->parentWidget(); hijo = hijo->parentWidget()) {
        const QRect g = hijo->geometry();
        for (QWidget* w : hijo->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w == hijo || w->isWindow()) continue;
            QRect r = w->geometry();
            if (r.left() <= g.left() && r.right() >= g.right())
                r.setWidth(r.width() + falta);
            else if (r.left() >= g.center().x())
                r.translate(falta, 0);
            w->setGeometry(r);
        }
        hijo->resize(g.width() + falta, g.height());
    }
    setFixedWidth(width() + falta);
}

void VentanaLista::releeLista(int fila) {
    if (!modelo_) return;
    CursorEspera espera;
    try {
        modelo_->recarga();
        grid_->vaAFila(fila < 0 ? 0 : fila);
    } catch (const ErrorBD& e) {
        grid_->setEnabled(false);
        MuestraErrorLista(e.numero(), e.descripcion());
        return;
    }
    if (modelo_->vacia()) grid_->setEnabled(false);
}

void VentanaLista::abreDeclaracionSobreLista(const std::function<bool()>& abre) {
    setEnabled(false);
    try {
        abre();
    } catch (const ErrorBD& e) {
        MuestraErrorLista(e.numero(), e.descripcion());
    } catch (const std::exception& e) {
        MuestraErrorLista(jet::Reservado, QString::fromUtf8(e.what()));
    }
    setEnabled(true);
    QApplication::processEvents();
}

bool VentanaLista::usuarioRestringido() const {
    if (!s_.Base) return true;
    try {
        return qvr::usuarioRestringido(*s_.Base, s_.Usuario);
    } catch (const ErrorBD& e) {
        MuestraErrorLista(e.numero(), e.descripcion());
        return true;
    }
}

QPushButton* VentanaLista::creaBoton(const QString& texto, const QString& nombre) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    return b;
}

void VentanaLista::conectaAccion(QPushButton* boton, std::function<void()> accion) {
    connect(boton, &QPushButton::clicked, this, accion);
    connect(grid_, &GridLista::accion, this, [boton, accion] {
        if (boton->isEnabled()) accion();
    });
}

void VentanaLista::conectaSalir(QPushButton* boton) {
    connect(boton, &QPushButton::clicked, this, &QDialog::accept);
}

void VentanaLista::sinVentanaDeclaracion(QPushButton* boton) {
    boton->setEnabled(false);
    boton->setToolTip("La ventana de la declaración no está disponible.");
}

int VentanaLista::colocaBotones(int ancho, int alto, std::initializer_list<QPushButton*> botones) {
    fijaTamanoTwips(this, ancho, alto);
    const int cw = ancho - kMarcoAnchoTwips, ch = alto - kMarcoAltoTwips;
    const int y = ch - kAltoBoton - kMargen;
    int quedan = int(botones.size());
    for (QPushButton* b : botones)
        b->setGeometry(rectTwips(this, cw - quedan-- * (kAnchoBoton + kMargen), y, kAnchoBoton, kAltoBoton));
    return y;
}

void VentanaLista::alActivar() {
    if (!grid_->isEnabled()) return;
    if (releerAlActivar()) releeLista(grid_->filaActual());
    if (!grid_->isEnabled()) return;
    grid_->setFocus();
    muestraFila(grid_->filaActual());
}

bool VentanaLista::releerAlActivar() {
    const bool releer = !recienCargada_;
    recienCargada_ = false;
    return releer;
}

bool VentanaLista::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) alActivar();
    return QDialog::event(e);
}

}  // namespace qvr::ui
