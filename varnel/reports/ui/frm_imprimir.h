#pragma once
// frmImprimir: the declarations that may be printed (stored ones, or sent ones when the module's
// sent-declarations flag is on), what to print of them, and "&Preliminar" / "&Imprimir" / "&Salir".
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "varnel/app/valores.h"
#include "varnel/app/aplicacion.h"
#include "varnel/lists/ui/ventanalista.h"
#include "varnel/reports/genera_reporte.h"
#include "varnel/reports/ui/frm_imp_x_pag.h"

namespace qvr::reporte {

class FrmImprimir : public ui::VentanaLista {
    Q_OBJECT
  public:
    FrmImprimir(DatosSesion& s, ValoresEjecucion& v, BarraEstado& barra, QWidget* parent = nullptr);

    // OptImp(5) "Declaración", OptImp(4) "Anexo", OptImp(3) "Declaración y anexo".
    QRadioButton* OptImp(int indice) const;
    // chkAnexos(3) exempt and non-taxable income, chkAnexos(4) dividends.
    QCheckBox* chkAnexos(int indice) const;
    QPushButton* CmdImprimir(int indice) const { return botones_[indice]; }
    QGroupBox* Frame2() const { return frame2_; }

    void CmdImprimir_Click(int indice);
    SeleccionImpresion seleccion() const;
    const DatosReporte& datos() const { return datos_; }

    // How the page-range window is shown (modal by default) and how a report goes to the printer
    // (the viewer's print path by default); tests replace them.
    std::function<void(FrmImpxPag&)> muestraRango;
    std::function<void(const QString& archivo)> imprime;
    FrmImpxPag::AbreVisor abreVisor;

    void done(int r) override;

  protected:
    void muestraFila(int fila) override { filaCambiada(fila); }

  private:
    void OptImp_Click();
    void filaCambiada(int fila);

    ValoresEjecucion& v_;
    BarraEstado& barra_;
    QGroupBox* frame2_;
    QRadioButton* opt_[3];  // 5, 4, 3
    QCheckBox* chk_[2];     // 3, 4
    QPushButton* botones_[3];
    DatosReporte datos_;
};

}  // namespace qvr::reporte
