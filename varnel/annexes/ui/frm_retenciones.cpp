#include "varnel/annexes/ui/frm_retenciones.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "varnel/annexes/ui/teclas_anexo.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/common/ui/foco.h"
#include "varnel/common/ui/lista_combo.h"
#include "varnel/common/ui/medidas.h"

namespace qvr {

using Campo = Retenciones::Campo;

FrmRetenciones::FrmRetenciones(ListasAnexo& listas, int fila, std::function<QDate()> hoy, QWidget* padre)
    : QDialog(padre), r_(listas, fila, std::move(hoy)) {
    setObjectName("FrmRetenciones");
    setWindowTitle(Retenciones::kTitulo);
    setModal(true);
    asignaAyuda(this, 1047);

    auto* marco = new QGroupBox("Infomación de Dividendos Percibidos", this);
    auto* g = new QGridLayout(marco);
    auto campo = [&](const char* nombre, const QString& etiqueta, int maximo) {
        auto* e = new QLineEdit(marco);
        e->setObjectName(nombre);
        if (maximo > 0) e->setMaxLength(maximo);
        const int f = g->rowCount();
        auto* l = new QLabel(etiqueta, marco);
        l->setBuddy(e);
        e->setAccessibleName(QString(etiqueta).remove(':').trimmed());
        g->addWidget(l, f, 0);
        g->addWidget(e, f, 1);
        e->installEventFilter(this);
        return e;
    };
    TxtNumRUC_ = campo("TxtNumRUC", "RUC :", 11);
    TxtEntidad_ = campo("TxtEntidad", "Razón Social", 40);
    // The whole name: forty characters of it show.
    anchoParaTexto(TxtEntidad_, 40);
    MskFec_Retencion_ = campo("MskFec_Retencion", "Fecha de Pago del Dividendo  ", 0);
    MskFec_Retencion_->setInputMask("99/99/9999;_");
    MskFec_Retencion_->setFixedWidth(MskFec_Retencion_->fontMetrics().horizontalAdvance("99/99/9999") + 16);
    TxtMontoDistribuido_ = campo("TxtMontoDistribuido", "Dividendo Percibido:", 15);
    TxtMontoRetenido_ = campo("TxtMontoRetenido", "Retención :", 15);
    TxtMontoRetenido_->setEnabled(false);
    TxtMontoRetenido_->setAccessibleDescription("solo lectura");
    pintaFondo(TxtMontoRetenido_, grisClaro());
    for (QLineEdit* e : {TxtMontoDistribuido_, TxtMontoRetenido_}) {
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance("999,999,999,999") + 16);
    }
    TxtNumRUC_->setFixedWidth(TxtNumRUC_->fontMetrics().horizontalAdvance(QString(11, '9')) + 16);
    // Pasting is kept out of these fields: their right button empties the clipboard instead.
    for (QLineEdit* e : {TxtNumRUC_, TxtEntidad_, TxtMontoDistribuido_})
        e->setContextMenuPolicy(Qt::NoContextMenu);

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    const char* textos[] = {"&Aceptar", "&Salir"};
    for (int i = 0; i < 2; ++i) {
        CmdRetenciones_[size_t(i)] = new QPushButton(textos[i], this);
        CmdRetenciones_[size_t(i)]->setObjectName(QString("CmdRetenciones_%1").arg(i));
        CmdRetenciones_[size_t(i)]->setAutoDefault(false);
        botones->addWidget(CmdRetenciones_[size_t(i)]);
    }
    connect(CmdRetenciones_[0], &QPushButton::clicked, this, &FrmRetenciones::Aceptar);
    connect(CmdRetenciones_[1], &QPushButton::clicked, this, &QWidget::close);

    auto* v = new QVBoxLayout(this);
    v->addWidget(marco);
    v->addLayout(botones);
    setTabOrder(TxtNumRUC_, TxtEntidad_);
    setTabOrder(TxtEntidad_, MskFec_Retencion_);
    setTabOrder(MskFec_Retencion_, TxtMontoDistribuido_);
    setTabOrder(TxtMontoDistribuido_, CmdRetenciones_[0]);
    setTabOrder(CmdRetenciones_[0], CmdRetenciones_[1]);

    const std::pair<QLineEdit*, Campo> editables[] = {{TxtNumRUC_, Campo::NumRUC},
                                                      {TxtEntidad_, Campo::Entidad},
                                                      {TxtMontoDistribuido_, Campo::MontoDistribuido}};
    for (auto [e, c] : editables)
        connect(e, &QLineEdit::textChanged, this, [this, c = c](const QString& t) {
            if (!espejando_) r_.fijaTexto(c, t);
        });
    connect(MskFec_Retencion_, &QLineEdit::textChanged, this, [this] {
        if (!espejando_) r_.fijaTexto(Campo::Fecha, MskFec_Retencion_->displayText());
    });
    r_.alCambiar = [this] { espeja(); };
    espeja();
}

QLineEdit* FrmRetenciones::widgetDe(Campo c) const {
    switch (c) {
        case Campo::NumRUC:
            return TxtNumRUC_;
        case Campo::Entidad:
            return TxtEntidad_;
        case Campo::Fecha:
            return MskFec_Retencion_;
        case Campo::MontoDistribuido:
            return TxtMontoDistribuido_;
        case Campo::MontoRetenido:
            return TxtMontoRetenido_;
        default:
            return nullptr;
    }
}

Campo FrmRetenciones::campoDe(QObject* o) const {
    if (o == TxtNumRUC_) return Campo::NumRUC;
    if (o == TxtEntidad_) return Campo::Entidad;
    if (o == MskFec_Retencion_) return Campo::Fecha;
    if (o == TxtMontoDistribuido_) return Campo::MontoDistribuido;
    return Campo::MontoRetenido;
}

void FrmRetenciones::espeja() {
    espejando_ = true;
    auto pon = [](QLineEdit* e, const QString& t) {
        if (e->text() != t) e->setText(t);
    };
    pon(TxtNumRUC_, r_.TxtNumRUC);
    pon(TxtEntidad_, r_.TxtEntidad);
    // Only a different length: setting one rewrites the text and forgets what Ctrl+Z would undo.
    if (TxtMontoDistribuido_->maxLength() != r_.longitudMonto)
        TxtMontoDistribuido_->setMaxLength(r_.longitudMonto);
    pon(TxtMontoDistribuido_, r_.TxtMontoDistribuido);
    pon(TxtMontoRetenido_, r_.TxtMontoRetenido);
    if (r_.MskFec_Retencion == Retenciones::kFechaVacia) {
        if (MskFec_Retencion_->displayText() != Retenciones::kFechaVacia) MskFec_Retencion_->clear();
    } else if (MskFec_Retencion_->displayText() != r_.MskFec_Retencion) {
        MskFec_Retencion_->setText(r_.MskFec_Retencion);
    }
    for (QLineEdit* e : {TxtNumRUC_, MskFec_Retencion_}) {
        e->setEnabled(r_.claveHabilitada);
        if (!r_.claveHabilitada) pintaFondo(e, grisClaro());
    }
    espejando_ = false;
}

void FrmRetenciones::aplicaFoco() {
    if (QLineEdit* e = widgetDe(r_.foco); e && e->isEnabled()) e->setFocus(Qt::OtherFocusReason);
}

void FrmRetenciones::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    aplicaFoco();
}

void FrmRetenciones::Aceptar() {
    r_.Aceptar();
    if (r_.cerrada)
        done(Accepted);
    else
        aplicaFoco();
}

bool FrmRetenciones::focusNextPrevChild(bool siguiente) { return enfocaEnVentana(this, siguiente); }

bool FrmRetenciones::eventFilter(QObject* o, QEvent* e) {
    auto* edit = qobject_cast<QLineEdit*>(o);
    if (!edit || edit == TxtMontoRetenido_) return QDialog::eventFilter(o, e);
    const Campo c = campoDe(o);
    const bool pegable = c != Campo::Fecha;
    switch (e->type()) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            if (pegable)
                if (const int w = codigoTeclaWindows(k)) r_.teclaAbajo(w, k->modifiers() & Qt::ShiftModifier);
            const int codigo = codigoCaracter(k);
            if (codigo < 0) return false;
            const ResultadoTecla r = r_.tecla(c, codigo);
            if (r.accion == AccionVista::Siguiente) {
                PasaSiguiente("TAB", edit);
                return true;
            }
            if (codigo == 13) {
                aplicaFoco();
                return true;
            }
            if (r.tecla == 0) return true;
            if (r.tecla == codigo) return false;
            edit->insert(QString(QChar(r.tecla)));  // the filter changed the key (upper case)
            return true;
        }
        case QEvent::MouseButtonPress:
            if (pegable && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) r_.clicDerecho();
            return false;
        case QEvent::FocusIn:
            if (c == Campo::MontoDistribuido) {
                r_.entraMonto();
                QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
            }
            return false;
        case QEvent::FocusOut:
            if (c == Campo::MontoDistribuido) r_.saleMonto();
            return false;
        default:
            return false;
    }
}

void FrmRetenciones::closeEvent(QCloseEvent* e) {
    if (!r_.cerrada && !r_.Salir()) {
        e->ignore();
        aplicaFoco();
        return;
    }
    e->accept();
    done(Rejected);
}

void FrmRetenciones::reject() { close(); }

}  // namespace qvr
