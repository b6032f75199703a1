#pragma once
// FrmRetenciones, "Dividendos Percibidos": the edit window of one row of the dividends list, a view
// of the Retenciones core. Opened modally by the dividends panel after it sets ModoAnexo.
#include <QDialog>
#include <array>

#include "varnel/annexes/retenciones.h"

class QLineEdit;
class QPushButton;

namespace qvr {

class FrmRetenciones : public QDialog {
    Q_OBJECT
  public:
    // `fila`: the grid's current row (modify mode). `hoy`: today's date; the clock when empty.
    FrmRetenciones(ListasAnexo& listas, int fila, std::function<QDate()> hoy = {}, QWidget* padre = nullptr);

    Retenciones& nucleo() { return r_; }
    QLineEdit* TxtNumRUC() const { return TxtNumRUC_; }
    QLineEdit* TxtEntidad() const { return TxtEntidad_; }
    QLineEdit* MskFec_Retencion() const { return MskFec_Retencion_; }
    QLineEdit* TxtMontoDistribuido() const { return TxtMontoDistribuido_; }
    QLineEdit* TxtMontoRetenido() const { return TxtMontoRetenido_; }
    QPushButton* CmdRetenciones(int i) const { return CmdRetenciones_[size_t(i)]; }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    // Tab stays in this window (it shares the focus chain of the window it was opened over).
    bool focusNextPrevChild(bool siguiente) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void showEvent(QShowEvent* e) override;

  private:
    void espeja();
    void aplicaFoco();
    void Aceptar();
    Retenciones::Campo campoDe(QObject* o) const;
    QLineEdit* widgetDe(Retenciones::Campo c) const;

    Retenciones r_;
    QLineEdit* TxtNumRUC_;
    QLineEdit* TxtEntidad_;
    QLineEdit* MskFec_Retencion_;
    QLineEdit* TxtMontoDistribuido_;
    QLineEdit* TxtMontoRetenido_;
    std::array<QPushButton*, 2> CmdRetenciones_{};
    bool espejando_ = false;
};

}  // namespace qvr
