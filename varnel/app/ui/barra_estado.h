#pragma once
// The suite's status bar control of the main window: taxpayer number, taxpayer name, form number,
// period, and a numeric value, each in its own panel.
#include <QFrame>
#include <QLabel>

#include "varnel/app/aplicacion.h"

namespace qvr {

class BarradeEstadoQVR : public QFrame, public BarraEstado {
    Q_OBJECT
public:
    explicit BarradeEstadoQVR(QWidget* padre = nullptr);

    void setNumeroDocumento(const QString& texto) override;
    void setNombre(const QString& texto) override;
    void setFormulario(const QString& texto) override;
    void setPeriodo(const QString& texto) override;
    void setValor(short valor) override;

    QString numeroDocumento() const { return documento_->text(); }
    QString nombre() const { return nombre_->text(); }
    QString formulario() const { return formulario_->text(); }
    QString periodo() const { return periodo_->text(); }
    short valor() const { return valor_; }

private:
    QLabel* documento_;
    QLabel* nombre_;
    QLabel* formulario_;
    QLabel* periodo_;
    QLabel* numero_;
    short valor_ = 0;
};

}  // namespace qvr
