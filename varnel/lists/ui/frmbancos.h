#pragma once
// frmBancos ("Consultas"): a read-only list of one catalog, by TipoConsulta of the run values:
// professions, banks or tax units.
#include <QPushButton>

#include "varnel/app/valores.h"
#include "varnel/lists/ui/ventanalista.h"

namespace qvr::ui {

class FrmBancos : public VentanaLista {
    Q_OBJECT
public:
    FrmBancos(DatosSesion& s, ValoresEjecucion& v, QWidget* parent = nullptr);
    QPushButton* botonSalir() const { return CmdSalir; }

protected:
    void alActivar() override;

private:
    QPushButton* CmdSalir;
};

}  // namespace qvr::ui
