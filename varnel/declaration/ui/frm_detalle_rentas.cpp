#include "varnel/declaration/ui/frm_detalle_rentas.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "varnel/common/ui/lista_combo.h"

namespace qvr {

FrmDetalleRentas::FrmDetalleRentas(Declaracion& d, DetalleRentas::Tipo t, QWidget* padre)
    : QDialog(padre), detalle_(d, t) {
    const DetalleRentas::Diseno& diseno = DetalleRentas::diseno(t);
    setWindowTitle(diseno.titulo);
    setObjectName(t == DetalleRentas::Tipo::Exoneradas ? "FrmExoneradas" : "FrmInafectas");
    auto* v = new QVBoxLayout(this);
    auto* cuerpo = new QWidget;
    auto* g = new QGridLayout(cuerpo);
    g->addWidget(new QLabel("<b>" + diseno.encabezado + "</b>", cuerpo), 0, 0);
    g->addWidget(new QLabel("<b>" + diseno.encabezadoMonto + "</b>", cuerpo), 0, 1, Qt::AlignRight);
    for (int i = 0; i < detalle_.campos(); ++i) {
        auto* l = new QLabel(diseno.lineas[size_t(i)].texto.join(' '), cuerpo);
        l->setWordWrap(true);
        auto* e = new QLineEdit(cuerpo);
        e->setObjectName(QString("txtDetalle_%1").arg(i));
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setFixedWidth(110);
        e->setProperty("campo", i);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this, i](const QString& s) {
            if (!espejando_) detalle_.fijaTexto(i, s);
        });
        g->addWidget(l, i + 1, 0);
        g->addWidget(e, i + 1, 1, Qt::AlignTop);
        campos_.push_back(e);
    }
    g->setColumnStretch(0, 1);
    auto* desplaza = new QScrollArea;
    desplaza->setWidget(cuerpo);
    desplaza->setWidgetResizable(true);
    v->addWidget(desplaza, 1);
    auto* h = new QHBoxLayout;
    h->addWidget(new QLabel(diseno.etiquetaTotal, this), 1, Qt::AlignRight);
    total_ = new QLineEdit(this);
    total_->setObjectName("TxtTotal");
    total_->setReadOnly(true);
    total_->setFocusPolicy(Qt::NoFocus);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total_->setFixedWidth(110);
    h->addWidget(total_);
    v->addLayout(h);
    auto* b = new QHBoxLayout;
    b->addStretch(1);
    auto* aceptar = new QPushButton("&Aceptar", this);
    auto* cancelar = new QPushButton("&Cancelar", this);
    aceptar->setAutoDefault(false);
    cancelar->setAutoDefault(false);
    b->addWidget(aceptar);
    b->addWidget(cancelar);
    v->addLayout(b);
    connect(aceptar, &QPushButton::clicked, this, [this] {
        detalle_.Aceptar();
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, [this] {
        detalle_.Cancelar();
        reject();
    });
    detalle_.alCambiar = [this] { espeja(); };
    espeja();
    resize(620, 420);
}

void FrmDetalleRentas::espeja() {
    espejando_ = true;
    for (int i = 0; i < detalle_.campos(); ++i) {
        QLineEdit* e = campos_[size_t(i)];
        e->setMaxLength(qMax(detalle_.longitudMaxima(i), int(detalle_.texto(i).size())));
        if (e->text() != detalle_.texto(i)) e->setText(detalle_.texto(i));
        e->setMaxLength(qMax(detalle_.longitudMaxima(i), int(detalle_.texto(i).size())));
    }
    total_->setText(detalle_.TxtTotal());
    espejando_ = false;
}

bool FrmDetalleRentas::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QLineEdit*>(o);
    if (!w || !w->property("campo").isValid()) return QDialog::eventFilter(o, e);
    const int i = w->property("campo").toInt();
    switch (e->type()) {
        case QEvent::FocusIn: detalle_.entraCampo(i); break;
        case QEvent::FocusOut: detalle_.saleCampo(i); break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) detalle_.clicDerecho();
            break;
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            const bool shift = k->modifiers() & Qt::ShiftModifier;
            if ((k->key() == Qt::Key_Insert && shift) || k->key() == Qt::Key_Menu)
                detalle_.teclaAbajo(k->key() == Qt::Key_Insert ? 45 : 93, shift);
            int codigo = 0;
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
                codigo = kTeclaEnter;
            else if (k->key() == Qt::Key_Backspace)
                codigo = kTeclaRetroceso;
            else if (!k->text().isEmpty())
                codigo = k->text().at(0).unicode();
            if (codigo == 0) return false;
            const ResultadoTecla r = detalle_.tecla(i, codigo);
            if (r.accion == AccionVista::Siguiente) {
                PasaSiguiente("TAB", w);
                return true;
            }
            return r.tecla == 0;
        }
        default: break;
    }
    return false;
}

}  // namespace qvr
