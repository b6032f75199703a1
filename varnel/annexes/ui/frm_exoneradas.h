#pragma once
// FrmExoneradas (box 200) and FrmInafectas (box 201): the detail of exempt and non-taxable income,
// one amount field per line bound to a hidden box of the declaration, the running total,
// "&Aceptar" (writes the hidden boxes and recomputes) and "&Cancelar" (changes nothing).
#include <QDialog>
#include <memory>
#include <vector>

#include "varnel/declaration/detalle.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qvr {

class VentanaDetalleRentas : public QDialog {
    Q_OBJECT
  public:
    DetalleRentas& nucleo() { return detalle_; }
    QLineEdit* TxtMonto(int i) const { return campos_[size_t(i)]; }
    QLabel* etiqueta(int i) const { return etiquetas_[size_t(i)]; }
    QLineEdit* TxtTotal() const { return total_; }
    QPushButton* CmdGrabar() const { return grabar_; }
    QPushButton* cmdCancelar() const { return cancelar_; }

  protected:
    VentanaDetalleRentas(Declaracion& d, DetalleRentas::Tipo t, QWidget* padre);
    bool eventFilter(QObject* o, QEvent* e) override;
    bool focusNextPrevChild(bool siguiente) override;

  private:
    void espeja();
    int indiceDe(QObject* o) const;

    DetalleRentas detalle_;
    std::vector<QLineEdit*> campos_;
    std::vector<QLabel*> etiquetas_;
    QLineEdit* total_ = nullptr;
    QPushButton* grabar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    bool espejando_ = false;
};

class FrmExoneradas : public VentanaDetalleRentas {
    Q_OBJECT
  public:
    explicit FrmExoneradas(Declaracion& d, QWidget* padre = nullptr);
};

class FrmInafectas : public VentanaDetalleRentas {
    Q_OBJECT
  public:
    explicit FrmInafectas(Declaracion& d, QWidget* padre = nullptr);
};

// What the declaration window does for Enter in box 200 or 201 (AbreExoneradas / AbreInafectas):
// opens the detail window modally. Any other action does nothing and answers false.
bool abreDetalleRentas(Declaracion& d, AccionVista accion, QWidget* padre);

}  // namespace qvr
