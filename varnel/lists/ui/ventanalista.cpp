#include "varnel/lists/ui/ventanalista.h"

#include <QApplication>
#include <QEvent>

#include "common/sesion.h"

namespace qvr::ui {

CursorEspera::CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
CursorEspera::~CursorEspera() { QApplication::restoreOverrideCursor(); }

VentanaLista::VentanaLista(DatosSesion& s, QWidget* parent) : QDialog(parent), s_(s), grid_(new GridLista(this)) {
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
    connect(modelo_.get(), &ModeloLista::falloLectura, this, [](int numero, const QString& descripcion) {
        MuestraErrorLista(numero, descripcion);
    });
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
    if (grid_->accessibleName().isEmpty()) grid_->setAccessibleName(windowTitle());
    if (!modelo_->vacia()) grid_->vaAFila(0);
    recienCargada_ = true;
    return true;
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
