#pragma once
// frmAbrirEnv ("Registrar número de orden"): every declaration the host has sent, to open one
// read-only and record the order number given on sending.
#include <QPushButton>
#include <functional>

#include "varnel/app/valores.h"
#include "varnel/app/aplicacion.h"
#include "varnel/lists/ui/ventanalista.h"

namespace qvr::ui {

class FrmAbrirEnv : public VentanaLista {
    Q_OBJECT
public:
    // `abreDeclaracion` opens the declaration window modally on the sent declaration; while it is
    // empty "&Registrar" is not offered.
    FrmAbrirEnv(DatosSesion& s, ValoresEjecucion& v, BarraEstado& barra, std::function<bool()> abreDeclaracion,
                QWidget* parent = nullptr);

    QPushButton* botonAccion() const { return CmdOpciones[0]; }
    QPushButton* botonSalir() const { return CmdOpciones[1]; }

    void done(int r) override;

private:
    void registra();
    void filaCambiada(int fila);

    ValoresEjecucion& v_;
    BarraEstado& barra_;
    std::function<bool()> abreDeclaracion_;
    QPushButton* CmdOpciones[2];
};

}  // namespace qvr::ui
