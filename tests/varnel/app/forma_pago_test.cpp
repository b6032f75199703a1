#include "varnel/app/ui/forma_pago.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "support/entorno.h"

using namespace qvr;

namespace {

class FormaDePago : public ::testing::Test {
  protected:
    void SetUp() override {
        env.agregaParam("004", "00", "NO ES UN BANCO");
        env.agregaParam("004", "11", "BANCO DEL SUR                        SUR");
        env.agregaParam("004", "02", "BANCO ANDINO                         ANDINO");
        env.agregaParam("004", "07", "CAJA DE AHORROS DEL NORTE            NORTE");
        env.agregaParam("976", "01", "NO ES DE ESTE CATALOGO");
        control.cargaBancos(env.base());
        control.show();
    }
    QRadioButton* efectivo() { return control.findChild<QRadioButton*>("optEfectivo"); }
    QRadioButton* cheque() { return control.findChild<QRadioButton*>("optCheque"); }
    QComboBox* banco() { return control.findChild<QComboBox*>("cboBanco"); }
    QLineEdit* numero() { return control.findChild<QLineEdit*>("txtNumeroCheque"); }

    // A click on the button's round indicator.
    void elige(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

    // The user's choice of a bank: the list opened by keyboard and walked down to the item.
    void eligeBanco(int filas) {
        banco()->setFocus();
        for (int i = 0; i < filas; ++i) QTest::keyClick(banco(), Qt::Key_Down);
    }

    prueba::Entorno env;
    FormaDePagoQVR control;
};

}  // namespace

TEST_F(FormaDePago, ListaLosBancosDelCatalogoPorNombre) {
    QStringList nombres, codigos;
    for (int i = 0; i < banco()->count(); ++i) {
        nombres << banco()->itemText(i);
        codigos << banco()->itemData(i).toString();
    }
    EXPECT_EQ(nombres, QStringList({"BANCO ANDINO", "BANCO DEL SUR", "CAJA DE AHORROS DEL NORTE"}));
    EXPECT_EQ(codigos, QStringList({"02", "11", "07"}));
}

TEST_F(FormaDePago, AlInicioNadaElegidoYLosDatosDelChequeBloqueados) {
    EXPECT_EQ(control.formaPago(), "XX");
    EXPECT_EQ(control.codigoBanco(), "XX");
    EXPECT_EQ(control.numeroCheque(), "");
    EXPECT_EQ(control.monto(), "");
    EXPECT_EQ(control.habilitado(), "True");
    EXPECT_FALSE(banco()->isEnabled());
    EXPECT_FALSE(numero()->isEnabled());
}

TEST_F(FormaDePago, EfectivoChequeConBancoYNumeroYDeVueltaAEfectivo) {
    QSignalSpy cambios(&control, &FormaDePagoQVR::cambiado);
    elige(efectivo());
    EXPECT_EQ(control.formaPago(), "E");
    EXPECT_EQ(control.codigoBanco(), "XX");
    EXPECT_FALSE(banco()->isEnabled());

    elige(cheque());
    EXPECT_EQ(control.formaPago(), "C");
    ASSERT_TRUE(banco()->isEnabled());
    ASSERT_TRUE(numero()->isEnabled());
    EXPECT_EQ(control.codigoBanco(), "XX");
    eligeBanco(2);  // nothing chosen -> first -> second: "BANCO DEL SUR"
    EXPECT_EQ(control.codigoBanco(), "11");
    // Only digits reach the cheque number.
    QTest::keyClicks(numero(), "00-12a3 4");
    EXPECT_EQ(control.numeroCheque(), "001234");
    EXPECT_GE(cambios.count(), 4);

    // Cash again: no bank or cheque number is left behind.
    elige(efectivo());
    EXPECT_EQ(control.formaPago(), "E");
    EXPECT_EQ(control.codigoBanco(), "XX");
    EXPECT_EQ(control.numeroCheque(), "");
    EXPECT_FALSE(numero()->isEnabled());
}

TEST_F(FormaDePago, LoQueElModuloEscribeSeLeeTalCual) {
    control.setMonto("(1,234,567)");
    EXPECT_EQ(control.monto(), "(1,234,567)");
    elige(cheque());
    EXPECT_EQ(control.monto(), "(1,234,567)");

    control.setFormaPago("C");
    control.setCodigoBanco("07");
    control.setNumeroCheque("4711");
    EXPECT_EQ(control.formaPago(), "C");
    EXPECT_EQ(control.codigoBanco(), "07");
    EXPECT_EQ(banco()->currentText(), "CAJA DE AHORROS DEL NORTE");
    EXPECT_EQ(control.numeroCheque(), "4711");
    // A stored bank code missing from the catalog still reads back as stored.
    control.setCodigoBanco("99");
    EXPECT_EQ(control.codigoBanco(), "99");
    control.setCodigoBanco("XX");
    EXPECT_EQ(control.codigoBanco(), "XX");

    control.setFormaPago("XX");
    EXPECT_EQ(control.formaPago(), "XX");
    EXPECT_FALSE(cheque()->isChecked());
    control.setFormaPago("E");
    EXPECT_EQ(control.formaPago(), "E");
}

TEST_F(FormaDePago, ElTextoFalseLaDeshabilita) {
    control.setFormaPago("E");
    control.setHabilitado("False");
    EXPECT_EQ(control.habilitado(), "False");
    EXPECT_FALSE(control.isEnabled());
    elige(cheque());
    EXPECT_EQ(control.formaPago(), "E");
    control.setHabilitado("True");
    EXPECT_EQ(control.habilitado(), "True");
    elige(cheque());
    EXPECT_EQ(control.formaPago(), "C");
}
