#include "varnel/lists/ui/frmbancos.h"

#include "varnel/lists/ui/twips.h"

namespace qvr::ui {

namespace {
constexpr int kAncho = 7065;
constexpr int kAlto = 4140;
constexpr int kMargen = 120;
constexpr int kAnchoBoton = 1215;
constexpr int kAltoBoton = 375;
}  // namespace

FrmBancos::FrmBancos(DatosSesion& s, ValoresEjecucion& v, QWidget* parent)
    : VentanaLista(s, parent), CmdSalir(new QPushButton("&Salir", this)) {
    setObjectName("frmBancos");
    setWindowTitle("Consultas");
    grid_->setObjectName("grdBancos");
    CmdSalir->setObjectName("CmdSalir");
    CmdSalir->setAutoDefault(false);
    fijaTamanoTwips(this, kAncho, kAlto);
    const int cw = kAncho - kMarcoAnchoTwips, ch = kAlto - kMarcoAltoTwips;
    const int yBoton = ch - kAltoBoton - kMargen;
    grid_->setGeometry(rectTwips(this, kMargen, kMargen, cw - 2 * kMargen, yBoton - 2 * kMargen));
    CmdSalir->setGeometry(rectTwips(this, cw - kAnchoBoton - kMargen, yBoton, kAnchoBoton, kAltoBoton));
    connect(CmdSalir, &QPushButton::clicked, this, &QDialog::accept);

    const auto consulta = consultaCatalogo(v.TipoConsulta);
    if (!consulta) {
        // A query the main window does not have: nothing to list.
        grid_->setEnabled(false);
        return;
    }
    setWindowTitle(consulta->titulo);
    cargaLista(consulta->lista);
}

void FrmBancos::alActivar() {
    if (grid_->isEnabled()) grid_->setFocus();
}

}  // namespace qvr::ui
