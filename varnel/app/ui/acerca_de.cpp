#include "varnel/app/ui/acerca_de.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "varnel/app/ui/ayuda.h"
#include "varnel/app/ui/iconos.h"

namespace qvr {

frmAcercaDe::frmAcercaDe(QWidget* padre) : QDialog(padre) {
    setObjectName("frmAcercaDe");
    setWindowTitle("Acerca de Orvelane ");
    asignaAyuda(this, 1001);
    auto* dibujo = new QLabel(this);
    dibujo->setObjectName("picIcono");
    dibujo->setPixmap(dibujoAcercaDe(96));
    auto* suite = new QLabel("Integrador del QVR", this);
    suite->setObjectName("lblSuite");
    QFont f = suite->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    suite->setFont(f);
    auto* declaracion =
        new QLabel("Declaración Pago Anual Impuesto a la Renta\nFormulario 0738 - Ejercicio 2003", this);
    declaracion->setObjectName("lblDeclaracion");
    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName("lblVersion");
    auto* linea = new QFrame(this);
    linea->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("cmdAceptar");
    aceptar->setDefault(true);
    connect(aceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto* l = new QGridLayout(this);
    l->addWidget(dibujo, 0, 0, 3, 1, Qt::AlignTop);
    l->addWidget(suite, 0, 1);
    l->addWidget(declaracion, 1, 1);
    l->addWidget(lblVersion_, 2, 1);
    l->addWidget(linea, 3, 0, 1, 2);
    l->addWidget(aceptar, 4, 1, Qt::AlignRight);
    l->setColumnStretch(1, 1);

    // Load.
    lblVersion_->setText("Versión 1.0");
    setFixedSize(sizeHint());
}

}  // namespace qvr
