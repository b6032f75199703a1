#include "varnel/app/ui/ventanas.h"

#include "varnel/lists/barraestado.h"
#include "varnel/lists/ui/frmabrirenv.h"
#include "varnel/lists/ui/frmbancos.h"
#include "varnel/lists/ui/frmmodfor.h"
#include "varnel/reports/ui/frm_imprimir.h"

namespace qvr {

QDialog* RegistroVentanas::crea(Ventana v, Aplicacion& app, QWidget* principal) const {
    auto it = fabricas_.find(v);
    return it == fabricas_.end() ? nullptr : it->second(app, principal);
}

namespace {
// The status bar the lists write to: the main window's, or a silent one when there is none (tests).
BarraEstado& barraDe(Aplicacion& app) {
    static BarraEstadoMemoria sinBarra;
    return app.barra ? *app.barra : sinBarra;
}

// Opens the declaration window for the declaration a list chose; empty while it is not registered.
std::function<bool()> abreDeclaracion(const RegistroVentanas& r, Aplicacion& app, QWidget* principal) {
    if (!r.existe(Ventana::Frm0738)) return {};
    return [&r, &app, principal] {
        QDialog* d = r.crea(Ventana::Frm0738, app, principal);
        if (!d) return false;
        d->setAttribute(Qt::WA_DeleteOnClose);
        d->exec();
        return true;
    };
}
}  // namespace

void registraVentanasVarnel(RegistroVentanas& r) {
    r.registra(Ventana::frmModFor, [&r](Aplicacion& a, QWidget* p) -> QDialog* {
        return new ui::FrmModFor(a.sesion, a.valores, barraDe(a), abreDeclaracion(r, a, p), p);
    });
    r.registra(Ventana::frmAbrirEnv, [&r](Aplicacion& a, QWidget* p) -> QDialog* {
        return new ui::FrmAbrirEnv(a.sesion, a.valores, barraDe(a), abreDeclaracion(r, a, p), p);
    });
    r.registra(Ventana::frmBancos,
               [](Aplicacion& a, QWidget* p) -> QDialog* { return new ui::FrmBancos(a.sesion, a.valores, p); });
    r.registra(Ventana::frmImprimir, [](Aplicacion& a, QWidget* p) -> QDialog* {
        return new reporte::FrmImprimir(a.sesion, a.valores, barraDe(a), p);
    });
}

}  // namespace qvr
