#pragma once
// The suite's payment-method control of the declaration window: cash or cheque; for a cheque,
// the bank (catalog '004') and the cheque number; and the amount paid as the module wrote it.
// Every property crosses as text.
#include <QGroupBox>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace qvr {

class BaseDatos;

class FormaDePagoQVR : public QGroupBox {
    Q_OBJECT
public:
    explicit FormaDePagoQVR(QWidget* padre = nullptr);

    // The banks of catalog '004' by name. Throws ErrorBD when the catalog cannot be read.
    void cargaBancos(BaseDatos& base);

    // "C" cheque, "E" cash, "XX" when nothing is chosen.
    QString formaPago() const;
    void setFormaPago(const QString& codigo);
    // The chosen bank's code of catalog '004'; "XX" when none is chosen.
    QString codigoBanco() const;
    void setCodigoBanco(const QString& codigo);
    QString numeroCheque() const;
    void setNumeroCheque(const QString& numero);
    // The amount paid, as display text, exactly as written.
    QString monto() const;
    void setMonto(const QString& texto);
    // "True" or "False"; the text "False" disables the control.
    QString habilitado() const;
    void setHabilitado(const QString& texto);

signals:
    // The user changed the method, the bank or the cheque number.
    void cambiado();

private:
    void ajustaCheque();

    QRadioButton* efectivo_;
    QRadioButton* cheque_;
    QButtonGroup* grupo_;
    QComboBox* banco_;
    QLineEdit* numero_;
    QLineEdit* monto_;
};

}  // namespace qvr
