#pragma once
// The detail windows behind boxes 200 (exempt income) and 201 (non-taxable income): one amount
// field per line of the detail, the running total, "&Aceptar" and "&Cancelar".
#include <QDialog>
#include <vector>

#include "varnel/declaration/detalle.h"

class QLabel;
class QLineEdit;

namespace qvr {

class FrmDetalleRentas : public QDialog {
    Q_OBJECT
public:
    FrmDetalleRentas(Declaracion& d, DetalleRentas::Tipo t, QWidget* padre = nullptr);
    QLineEdit* campo(int i) const { return campos_[size_t(i)]; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void espeja();
    DetalleRentas detalle_;
    std::vector<QLineEdit*> campos_;
    QLineEdit* total_;
    bool espejando_ = false;
};

}  // namespace qvr
