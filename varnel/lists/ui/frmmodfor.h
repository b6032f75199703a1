#pragma once
// frmModFor: the list of declarations to modify (a stored one) or to delete (a stored or a sent
// one), by ModoDeclaracion and ListaEnviadas of the run values.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "varnel/app/valores.h"
#include "varnel/app/aplicacion.h"
#include "varnel/lists/eliminacion.h"
#include "varnel/lists/ui/ventanalista.h"

namespace qvr::ui {

class FrmModFor : public VentanaLista {
    Q_OBJECT
public:
    // `abreDeclaracion` opens the declaration window modally for the chosen declaration; while it
    // is empty the modify action is not offered.
    FrmModFor(DatosSesion& s, ValoresEjecucion& v, BarraEstado& barra, std::function<bool()> abreDeclaracion,
              QWidget* parent = nullptr);

    QPushButton* botonAccion() const { return CmdOpciones[0]; }
    QPushButton* botonSalir() const { return CmdOpciones[1]; }
    QLabel* etiqueta() const { return Label1; }
    QLabel* etiquetaAbrir() const { return LblAbrir; }
    QGroupBox* marco() const { return fradecreg; }

    // The delete statements; tests replace it to fail half-way.
    std::function<void(const DeclaracionElegida&, bool enviada)> elimina;

    void done(int r) override;

protected:
    void muestraFila(int fila) override;

private:
    void accion();
    void filaCambiada(int fila);
    void modifica(int fila);
    void eliminaFila(int fila);

    ValoresEjecucion& v_;
    BarraEstado& barra_;
    std::function<bool()> abreDeclaracion_;
    bool eliminar_;
    QGroupBox* fradecreg;
    QLabel* Label1;
    QLabel* LblAbrir;
    QPushButton* CmdOpciones[2];
};

// A caption with an access key ("&Eliminar") as a label shows it, the key underlined.
QString textoConAcceso(const QString& caption);

}  // namespace qvr::ui
