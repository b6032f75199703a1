#include "varnel/app/ui/forma_pago.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "common/catalogos.h"
#include "varnel/common/ui/ayuda_emergente.h"

namespace qvr {

namespace {
const QString kNinguno = QStringLiteral("XX");
constexpr int kLargoCheque = 15;  // CAB.nrocheque
}  // namespace

FormaDePagoQVR::FormaDePagoQVR(QWidget* padre) : QGroupBox("Forma de Pago", padre) {
    setObjectName("FormaDePagoQVR1");
    efectivo_ = new QRadioButton("&Efectivo", this);
    efectivo_->setObjectName("optEfectivo");
    cheque_ = new QRadioButton("C&heque", this);
    cheque_->setObjectName("optCheque");
    grupo_ = new QButtonGroup(this);
    grupo_->addButton(efectivo_);
    grupo_->addButton(cheque_);

    banco_ = new QComboBox(this);
    banco_->setObjectName("cboBanco");
    banco_->setCurrentIndex(-1);
    numero_ = new QLineEdit(this);
    numero_->setObjectName("txtNumeroCheque");
    numero_->setMaxLength(kLargoCheque);
    numero_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), numero_));
    monto_ = new QLineEdit(this);
    monto_->setObjectName("txtMonto");
    monto_->setReadOnly(true);
    monto_->setAlignment(Qt::AlignRight);
    // Written by the declaration, never typed: drawn as the computed boxes are, on the button face.
    QPalette gris = monto_->palette();
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        gris.setColor(g, QPalette::Base, gris.color(QPalette::Active, QPalette::Button));
    monto_->setPalette(gris);
    monto_->setFocusPolicy(Qt::NoFocus);
    // The whole name of every bank, closed or open.
    banco_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    for (QRadioButton* b : {efectivo_, cheque_}) b->setAccessibleDescription(title());
    banco_->setAccessibleName("Banco, casilla 015");
    numero_->setAccessibleName("Número de cheque, casilla 012");
    monto_->setAccessibleName("Monto pagado, casilla 598");
    // The pointer shows each box's number and label, as in the declaration window.
    ponAyudaEmergente(efectivo_, "Casilla 599: Forma de pago");
    ponAyudaEmergente(cheque_, "Casilla 599: Forma de pago");
    ponAyudaEmergente(banco_, "Casilla 015: Banco");
    ponAyudaEmergente(numero_, "Casilla 012: Número de cheque");
    ponAyudaEmergente(monto_, "Casilla 598: Monto pagado");
    monto_->setAccessibleDescription("solo lectura");

    auto* l = new QGridLayout(this);
    l->addWidget(efectivo_, 0, 0);
    l->addWidget(cheque_, 0, 1);
    auto* lb = new QLabel("&Banco :", this);
    lb->setBuddy(banco_);
    l->addWidget(lb, 1, 0);
    l->addWidget(banco_, 1, 1);
    auto* ln = new QLabel("&Nro. Cheque :", this);
    ln->setBuddy(numero_);
    l->addWidget(ln, 2, 0);
    l->addWidget(numero_, 2, 1);
    auto* lm = new QLabel("Monto pagado :", this);
    lm->setBuddy(monto_);
    l->addWidget(lm, 3, 0);
    l->addWidget(monto_, 3, 1);
    l->setColumnStretch(1, 1);

    // Only the user's clicks clear the cheque data: choosing cash leaves no bank or cheque behind.
    connect(efectivo_, &QRadioButton::clicked, this, [this] {
        banco_->setCurrentIndex(-1);
        numero_->clear();
        ajustaCheque();
        emit cambiado();
    });
    connect(cheque_, &QRadioButton::clicked, this, [this] {
        ajustaCheque();
        emit cambiado();
    });
    connect(banco_, &QComboBox::activated, this, [this] { emit cambiado(); });
    connect(numero_, &QLineEdit::textEdited, this, [this] { emit cambiado(); });
    ajustaCheque();
}

void FormaDePagoQVR::ajustaCheque() {
    const bool c = cheque_->isChecked();
    banco_->setEnabled(c);
    numero_->setEnabled(c);
}

void FormaDePagoQVR::cargaBancos(BaseDatos& base) {
    const QString elegido = codigoBanco();
    const std::vector<Banco> bancos = BancosDePago(base);
    banco_->clear();
    for (const Banco& b : bancos) banco_->addItem(b.nombre, b.codigo);
    setCodigoBanco(elegido);
}

QString FormaDePagoQVR::formaPago() const {
    if (cheque_->isChecked()) return "C";
    if (efectivo_->isChecked()) return "E";
    return kNinguno;
}

void FormaDePagoQVR::setFormaPago(const QString& codigo) {
    const QString c = codigo.trimmed().toUpper();
    if (c == "C") {
        cheque_->setChecked(true);
    } else if (c == "E") {
        efectivo_->setChecked(true);
    } else {
        // An exclusive group never lets the last choice go by itself.
        grupo_->setExclusive(false);
        cheque_->setChecked(false);
        efectivo_->setChecked(false);
        grupo_->setExclusive(true);
    }
    ajustaCheque();
}

QString FormaDePagoQVR::codigoBanco() const {
    if (banco_->currentIndex() < 0) return kNinguno;
    return banco_->currentData().toString();
}

void FormaDePagoQVR::setCodigoBanco(const QString& codigo) {
    const QString c = codigo.trimmed();
    if (c.isEmpty() || c == kNinguno) {
        banco_->setCurrentIndex(-1);
        return;
    }
    int i = banco_->findData(c);
    if (i < 0) {
        // A code that is not (or no longer) in the catalog is kept, so that it reads back as stored.
        banco_->addItem(c, c);
        i = banco_->count() - 1;
        banco_->setItemData(i, "Código de banco que no figura en el catálogo", Qt::ToolTipRole);
    }
    banco_->setCurrentIndex(i);
}

QString FormaDePagoQVR::numeroCheque() const { return numero_->text(); }
void FormaDePagoQVR::setNumeroCheque(const QString& numero) { numero_->setText(numero); }

QString FormaDePagoQVR::monto() const { return monto_->text(); }
void FormaDePagoQVR::setMonto(const QString& texto) { monto_->setText(texto); }

QString FormaDePagoQVR::habilitado() const { return isEnabled() ? "True" : "False"; }

void FormaDePagoQVR::setHabilitado(const QString& texto) {
    const QString t = texto.trimmed();
    setEnabled(t.compare("False", Qt::CaseInsensitive) != 0 && t != "0");
}

}  // namespace qvr
