#include "varnel/app/ui/barra_estado.h"

#include <QHBoxLayout>

namespace qvr {

namespace {
QLabel* panel(QWidget* padre, const QString& nombre, const QString& ayuda, int ancho) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setToolTip(ayuda);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMargin(1);
    if (ancho > 0) l->setFixedWidth(ancho);
    return l;
}
}  // namespace

BarradeEstadoQVR::BarradeEstadoQVR(QWidget* padre) : QFrame(padre) {
    setObjectName("BarradeEstadoQVR1");
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(2);
    const int car = fontMetrics().horizontalAdvance('0');
    documento_ = panel(this, "lblDocumento", "Número de documento del contribuyente", car * 13);
    nombre_ = panel(this, "lblNombre", "Nombre o razón social", 0);
    formulario_ = panel(this, "lblFormulario", "Formulario", car * 6);
    periodo_ = panel(this, "lblPeriodo", "Periodo", car * 8);
    numero_ = panel(this, "lblValor", "Estado", car * 4);
    numero_->setAlignment(Qt::AlignCenter);
    fila->addWidget(documento_);
    fila->addWidget(nombre_, 1);
    fila->addWidget(formulario_);
    fila->addWidget(periodo_);
    fila->addWidget(numero_);
}

void BarradeEstadoQVR::setNumeroDocumento(const QString& texto) { documento_->setText(texto.trimmed()); }
void BarradeEstadoQVR::setNombre(const QString& texto) { nombre_->setText(texto.trimmed()); }
void BarradeEstadoQVR::setFormulario(const QString& texto) { formulario_->setText(texto.trimmed()); }
void BarradeEstadoQVR::setPeriodo(const QString& texto) { periodo_->setText(texto.trimmed()); }

void BarradeEstadoQVR::setValor(short valor) {
    valor_ = valor;
    numero_->setText(QString::number(valor));
}

}  // namespace qvr
