#include "varnel/lists/ui/frmbancos.h"

#include "varnel/app/ui/ayuda.h"
#include "varnel/lists/ui/twips.h"

namespace qvr::ui {

namespace {
constexpr int kAncho = 7065;
constexpr int kAlto = 4140;
constexpr int kMargen = 120;
}  // namespace

FrmBancos::FrmBancos(DatosSesion& s, ValoresEjecucion& v, QWidget* parent)
    : VentanaLista(s, parent), CmdSalir(creaBoton("&Salir", "CmdSalir")) {
    setObjectName("frmBancos");
    setWindowTitle("Consultas");
    asignaAyuda(this, 1006);
    grid_->setObjectName("grdBancos");
    const int yBoton = colocaBotones(kAncho, kAlto, {CmdSalir});
    const int cw = kAncho - kMarcoAnchoTwips;
    grid_->setGeometry(rectTwips(this, kMargen, kMargen, cw - 2 * kMargen, yBoton - 2 * kMargen));
    conectaSalir(CmdSalir);

    const auto consulta = consultaCatalogo(v.TipoConsulta);
    if (!consulta) {
        // A query the main window does not have: nothing to list.
        grid_->setEnabled(false);
        return;
    }
    setWindowTitle(consulta->titulo);
    cargaLista(consulta->lista);
}

// A catalog does not change while it is listed: nothing to read again.
void FrmBancos::alActivar() {
    if (grid_->isEnabled()) grid_->setFocus();
}

}  // namespace qvr::ui
