#include "varnel/app/ui/ventanas.h"

#include <QApplication>
#include <QPointer>

#include "varnel/lists/barraestado.h"
#include "varnel/lists/ui/frmabrirenv.h"
#include "varnel/lists/ui/frmbancos.h"
#include "varnel/lists/ui/frmmodfor.h"

namespace qvr {

QDialog* RegistroVentanas::crea(Ventana v, Aplicacion& app, QWidget* principal) const {
    auto it = fabricas_.find(v);
    return it == fabricas_.end() ? nullptr : it->second(app, principal);
}

bool RegistroVentanas::abreModal(Ventana v, Aplicacion& app, QWidget* padre) const {
    QPointer<QDialog> ventana = crea(v, app, padre);
    if (!ventana) return false;
    ventana->setWindowModality(Qt::ApplicationModal);
    ventana->exec();
    if (ventana) delete ventana.data();
    return true;
}

namespace {

// The declaration window as the lists open it, over the list; none while it does not exist.
std::function<bool()> abreDeclaracion(const RegistroVentanas& r, Aplicacion& a) {
    if (!r.existe(Ventana::Frm0738)) return {};
    return [&r, &a] { return r.abreModal(Ventana::Frm0738, a, QApplication::activeModalWidget()); };
}

// A window opened without the main window writes to a status bar nobody sees.
BarraEstado& barraDe(Aplicacion& a) {
    static BarraEstadoMemoria sinVentana;
    return a.barra ? *a.barra : sinVentana;
}

}  // namespace

void registraVentanasVarnel(RegistroVentanas& r) {
    r.registra(Ventana::frmModFor, [&r](Aplicacion& a, QWidget* p) {
        return new ui::FrmModFor(a.sesion, a.valores, barraDe(a), abreDeclaracion(r, a), p);
    });
    r.registra(Ventana::frmAbrirEnv, [&r](Aplicacion& a, QWidget* p) {
        return new ui::FrmAbrirEnv(a.sesion, a.valores, barraDe(a), abreDeclaracion(r, a), p);
    });
    r.registra(Ventana::frmBancos,
               [](Aplicacion& a, QWidget* p) { return new ui::FrmBancos(a.sesion, a.valores, p); });
    // Still to come: the declaration window (Frm0738) and the print selection (frmImprimir).
}

}  // namespace qvr
