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
    l->setAccessibleName(ayuda);
    return l;
}

// A screen reader hears the panel's meaning with its value ("Periodo: 122003"); an empty panel
// says its meaning alone.
void muestra(QLabel* l, const QString& texto) {
    l->setText(texto);
    const QString nombre = texto.isEmpty() ? l->toolTip() : l->toolTip() + QStringLiteral(": ") + texto;
    if (l->accessibleName() != nombre) l->setAccessibleName(nombre);
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

void BarradeEstadoQVR::setNumeroDocumento(const QString& texto) { muestra(documento_, texto.trimmed()); }
void BarradeEstadoQVR::setNombre(const QString& texto) { muestra(nombre_, texto.trimmed()); }
void BarradeEstadoQVR::setFormulario(const QString& texto) { muestra(formulario_, texto.trimmed()); }
void BarradeEstadoQVR::setPeriodo(const QString& texto) { muestra(periodo_, texto.trimmed()); }

void BarradeEstadoQVR::setValor(short valor) {
    valor_ = valor;
    muestra(numero_, QString::number(valor));
}

}  // namespace qvr
