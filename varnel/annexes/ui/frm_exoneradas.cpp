#include "varnel/annexes/ui/frm_exoneradas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "varnel/annexes/ui/teclas_anexo.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/common/ui/foco.h"
#include "varnel/common/ui/lista_combo.h"

namespace qvr {

VentanaDetalleRentas::VentanaDetalleRentas(Declaracion& d, DetalleRentas::Tipo t, QWidget* padre)
    : QDialog(padre), detalle_(d, t) {
    const DetalleRentas::Diseno& diseno = DetalleRentas::diseno(t);
    setWindowTitle(diseno.titulo);
    setModal(true);
    asignaAyuda(this, 1070);

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(12);
    auto* encabezado = new QLabel(diseno.encabezado, this);
    QFont negrita = encabezado->font();
    negrita.setBold(true);
    encabezado->setFont(negrita);
    auto* monto = new QLabel(diseno.encabezadoMonto, this);
    monto->setFont(negrita);
    monto->setAlignment(Qt::AlignCenter);
    g->addWidget(encabezado, 0, 0);
    g->addWidget(monto, 0, 1);

    const int alto = QLineEdit().sizeHint().height();
    for (size_t i = 0; i < diseno.lineas.size(); ++i) {
        const QStringList& lineas = diseno.lineas[i].texto;
        auto* etiqueta = new QLabel(lineas.join('\n'), this);
        etiqueta->setObjectName(QString("Label%1").arg(i));
        etiqueta->setWordWrap(false);  // the line breaks are the listed ones
        etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* e = new QLineEdit(this);
        e->setObjectName(QString("TxtMonto_%1").arg(i));
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance("9,999,999,999") + 16);
        // The item's letter and first words, and the box it is stored in.
        e->setAccessibleName(lineas.first().section(' ', 0, 6) + "…, casilla " +
                             QString::number(diseno.lineas[i].casilla));
        e->setMaxLength(detalle_.longitudMaxima(int(i)));
        e->setContextMenuPolicy(Qt::NoContextMenu);
        pintaFondo(e, blancoEntrada());
        // The long item of the capital gains stands about three times as high as the others.
        if (lineas.size() > 3) e->setFixedHeight(alto * 3);
        e->installEventFilter(this);
        const int f = g->rowCount();
        g->addWidget(etiqueta, f, 0);
        g->addWidget(e, f, 1, Qt::AlignTop);
        campos_.push_back(e);
        etiquetas_.push_back(etiqueta);
        connect(e, &QLineEdit::textChanged, this, [this, i](const QString& texto) {
            if (!espejando_) detalle_.fijaTexto(int(i), texto);
        });
    }
    total_ = new QLineEdit(this);
    total_->setObjectName("TxtTotal");
    total_->setEnabled(false);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total_->setFixedWidth(total_->fontMetrics().horizontalAdvance("9,999,999,999") + 16);
    total_->setAccessibleName(QString(diseno.etiquetaTotal).remove(':').trimmed());
    total_->setAccessibleDescription("solo lectura");
    pintaFondo(total_, grisClaro());
    auto* etiquetaTotal = new QLabel(diseno.etiquetaTotal, this);
    etiquetaTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int f = g->rowCount();
    g->addWidget(etiquetaTotal, f, 0);
    g->addWidget(total_, f, 1);

    grabar_ = new QPushButton("&Aceptar", this);
    grabar_->setObjectName("CmdGrabar");
    cancelar_ = new QPushButton("&Cancelar", this);
    cancelar_->setObjectName("cmdCancelar");
    for (QPushButton* b : {grabar_, cancelar_}) b->setAutoDefault(false);
    connect(grabar_, &QPushButton::clicked, this, [this] {
        detalle_.Aceptar();
        accept();
    });
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(grabar_);
    botones->addWidget(cancelar_);

    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addLayout(botones);
    for (size_t i = 0; i + 1 < campos_.size(); ++i) setTabOrder(campos_[i], campos_[i + 1]);
    setTabOrder(campos_.back(), grabar_);
    setTabOrder(grabar_, cancelar_);

    detalle_.alCambiar = [this] { espeja(); };
    espeja();
}

bool VentanaDetalleRentas::focusNextPrevChild(bool siguiente) { return enfocaEnVentana(this, siguiente); }

int VentanaDetalleRentas::indiceDe(QObject* o) const {
    for (size_t i = 0; i < campos_.size(); ++i)
        if (campos_[i] == o) return int(i);
    return -1;
}

void VentanaDetalleRentas::espeja() {
    espejando_ = true;
    for (size_t i = 0; i < campos_.size(); ++i) {
        // Only a different length: setting one rewrites the text and forgets what Ctrl+Z would undo.
        if (const int l = detalle_.longitudMaxima(int(i)); campos_[i]->maxLength() != l)
            campos_[i]->setMaxLength(l);
        if (campos_[i]->text() != detalle_.texto(int(i))) campos_[i]->setText(detalle_.texto(int(i)));
    }
    total_->setText(detalle_.TxtTotal());
    espejando_ = false;
}

bool VentanaDetalleRentas::eventFilter(QObject* o, QEvent* e) {
    const int i = indiceDe(o);
    if (i < 0) return QDialog::eventFilter(o, e);
    auto* edit = campos_[size_t(i)];
    switch (e->type()) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            if (const int w = codigoTeclaWindows(k))
                detalle_.teclaAbajo(w, k->modifiers() & Qt::ShiftModifier);
            const int codigo = codigoCaracter(k);
            if (codigo < 0) return false;
            const ResultadoTecla r = detalle_.tecla(i, codigo);
            if (r.accion == AccionVista::Siguiente) {
                PasaSiguiente("TAB", edit);
                return true;
            }
            return r.tecla == 0;
        }
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) detalle_.clicDerecho();
            return false;
        case QEvent::FocusIn:
            detalle_.entraCampo(i);
            // The field takes its focus first, then the text is left unselected.
            static_cast<QObject*>(edit)->event(e);
            edit->deselect();
            return true;
        case QEvent::FocusOut:
            detalle_.saleCampo(i);
            return false;
        default:
            return false;
    }
}

FrmExoneradas::FrmExoneradas(Declaracion& d, QWidget* padre)
    : VentanaDetalleRentas(d, DetalleRentas::Tipo::Exoneradas, padre) {
    setObjectName("FrmExoneradas");
}

FrmInafectas::FrmInafectas(Declaracion& d, QWidget* padre)
    : VentanaDetalleRentas(d, DetalleRentas::Tipo::Inafectas, padre) {
    setObjectName("FrmInafectas");
}

bool abreDetalleRentas(Declaracion& d, AccionVista accion, QWidget* padre) {
    if (accion == AccionVista::AbreExoneradas) {
        FrmExoneradas(d, padre).exec();
        return true;
    }
    if (accion == AccionVista::AbreInafectas) {
        FrmInafectas(d, padre).exec();
        return true;
    }
    return false;
}

}  // namespace qvr
