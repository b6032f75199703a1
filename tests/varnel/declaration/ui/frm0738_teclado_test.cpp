// The declaration window with the keyboard alone, through its real widgets: Tab and Shift+Tab leave
// every box (140, 200 and 201 included), Enter presses a focused button and still moves on in a box,
// F1 opens the topic of the page or of the representative's and spouse's fields, and a whole
// declaration is prepared, validated, saved and printed without the mouse.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include "platform/ui/interfaz.h"
#include "varnel/annexes/ui/frm_exoneradas.h"
#include "varnel/computation/ui/frm_consist.h"
#include "varnel/declaration/lote.h"
#include "varnel/declaration/ui/ventana_prueba.h"
#include "varnel/reports/ui/frm_imprimir.h"

using namespace qvr;
using namespace qvr::prueba;

namespace {

// Runs `f` on the modal window of type T that the caller is about to open, once it is active, and
// closes that window afterwards if `f` left it open (a failed check must not hang the test).
template <class T>
void enModal(std::function<void(T*)> f) {
    QTimer::singleShot(0, [f] {
        auto* v = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (!v) {
            ADD_FAILURE() << "no modal window";
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
            return;
        }
        v->activateWindow();
        QApplication::setActiveWindow(v);
        EXPECT_TRUE(QTest::qWaitForWindowActive(v));
        f(v);
        if (v->isVisible()) v->reject();
    });
}

class Teclado : public ::testing::Test, public VentanaDeclaracion {
  protected:
    // A window opened over the declaration window takes the keyboard.
    static void activa(QWidget& v) {
        v.activateWindow();
        QApplication::setActiveWindow(&v);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
        ASSERT_EQ(QApplication::activeWindow(), &v);
    }
    void SetUp() override { instalaEnterEnBotones(*QCoreApplication::instance()); }

    // Opens CmbRuc's drop-down with F4 and chooses the entry of `ruc` with the arrows and Enter.
    void eligeRucConTeclado(Frm0738& w, const QString& ruc) {
        QComboBox* c = w.CmbRuc();
        ASSERT_TRUE(tabHasta(c));
        QTest::keyClick(c, Qt::Key_F4);
        QAbstractItemView* v = c->view();
        ASSERT_TRUE(v->isVisible());
        int fila = -1;
        for (int i = 0; i < c->count(); ++i)
            if (c->itemText(i).startsWith(ruc)) fila = i;
        ASSERT_GE(fila, 0);
        QTest::keyClick(v, Qt::Key_Home);
        for (int i = 0; i < fila; ++i) QTest::keyClick(v, Qt::Key_Down);
        QTest::keyClick(v, Qt::Key_Return);
        QTRY_COMPARE(c->currentIndex(), fila);
    }

    // Tab to the question's "Si", the arrow to "No", Space to be sure it is chosen.
    void respondeNo(Frm0738& w, Pregunta p) {
        ASSERT_TRUE(tabHasta(w.opcion(p, Opcion::Si)) || tabHasta(w.opcion(p, Opcion::No)));
        if (QApplication::focusWidget() == w.opcion(p, Opcion::Si))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        ASSERT_EQ(QApplication::focusWidget(), w.opcion(p, Opcion::No));
        if (!w.opcion(p, Opcion::No)->isChecked()) QTest::keyClick(w.opcion(p, Opcion::No), Qt::Key_Space);
        ASSERT_TRUE(w.opcion(p, Opcion::No)->isChecked());
    }

    void teclea(QLineEdit* e, const QString& texto) {
        ASSERT_TRUE(tabHasta(e)) << e->objectName().toStdString();
        QTest::keyClicks(e, texto);
    }
};

}  // namespace

TEST_F(Teclado, TabYShiftTabSalenDeLasCasillasQueNoSeTeclean) {
    auto w = abre(2);
    tecleaCasilla(w->declaracion(), 131, "999999");  // a balance in favour enables 140
    w->tabPrincipal()->setCurrentIndex(2);
    w->hsDeuda()->setValue(2);
    QLineEdit* c140 = w->TxtValor(140);
    ASSERT_TRUE(c140->isEnabled());
    w->tabPrincipal()->setCurrentIndex(3);
    w->SSTab3()->setCurrentIndex(1);
    for (int n : {200, 201}) {
        QLineEdit* e = w->TxtValor(n);
        e->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(e, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), e) << n;
        e->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(e, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_NE(QApplication::focusWidget(), e) << n;
        EXPECT_EQ(e->text(), w->declaracion().texto(n));
    }
    w->tabPrincipal()->setCurrentIndex(2);
    ASSERT_TRUE(c140->isVisible());
    const QString antes = c140->text();
    c140->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(c140, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), c140);
    c140->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(c140, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), c140);
    EXPECT_EQ(c140->text(), antes);
}

TEST_F(Teclado, EnterPulsaElBotonConFocoYEnUnaCasillaPasaAlSiguiente) {
    auto w = abre(1);
    Declaracion& d = w->declaracion();
    // The exempt income window: Enter in a field moves on, Enter on "&Aceptar" accepts.
    {
        FrmExoneradas v(d, w.get());
        v.show();
        activa(v);
        v.TxtMonto(0)->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(v.TxtMonto(0), "1500");
        QTest::keyClick(v.TxtMonto(0), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), v.TxtMonto(1));
        ASSERT_TRUE(tabHasta(v.CmdGrabar()));
        QTest::keyClick(v.CmdGrabar(), Qt::Key_Return);
        EXPECT_FALSE(v.isVisible());
    }
    EXPECT_EQ(d.texto(535), "1,500");
    EXPECT_EQ(d.texto(200), "1,500");
}

TEST_F(Teclado, F1AbreElTemaDeLaPaginaODeLosDatosDelRepresentante) {
    std::vector<int> temas;
    app.ayuda = [&](int t) { temas.push_back(t); };
    auto w = abre(2);
    w->TxtTelefono()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w->TxtTelefono(), Qt::Key_F1);
    w->tabPrincipal()->setCurrentIndex(1);
    w->SSTab2()->setCurrentIndex(2);
    w->TxtValor(107)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w->TxtValor(107), Qt::Key_F1);
    w->tabPrincipal()->setCurrentIndex(3);
    w->SSTab3()->setCurrentIndex(0);
    for (QWidget* c : {static_cast<QWidget*>(w->TxtValor(811)), static_cast<QWidget*>(w->TxtValor(236)),
                       static_cast<QWidget*>(w->cmbtipdoc(301))}) {
        c->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(c, Qt::Key_F1);
    }
    EXPECT_EQ(temas, (std::vector<int>{1051, 1065, 1045, 1045, 1045}));
}

// Prepares, validates, saves and prints a declaration with the keyboard alone.
TEST_F(Teclado, UnaDeclaracionDePrincipioAFinSinRaton) {
    auto w = abre(1);
    ASSERT_NE(QApplication::focusWidget(), nullptr);

    eligeRucConTeclado(*w, kRucNuevo);
    EXPECT_EQ(w->TxtValor(801)->text(), "ROJAS");
    respondeNo(*w, Pregunta::Inmueble);
    respondeNo(*w, Pregunta::Rectifica);

    // Alt+R: the income page; the identification checks pass.
    QTest::keyClick(w.get(), Qt::Key_R, Qt::AltModifier);
    ASSERT_EQ(w->tabPrincipal()->currentIndex(), 1);
    teclea(w->TxtValor(100), "18000");
    QTest::keyClick(w->TxtValor(100), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->TxtValor(102));
    EXPECT_EQ(w->TxtValor(100)->text(), "18,000");
    EXPECT_EQ(w->TxtValor(503)->text(), "14,400");

    // Alt+D: the debt page; the scroll bar brings the balance frame, box 180 and the payment.
    QTest::keyClick(w.get(), Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(w->tabPrincipal()->currentIndex(), 2);
    ASSERT_TRUE(tabHasta(w->hsDeuda()));
    QTest::keyClick(w->hsDeuda(), Qt::Key_Right);
    if (w->hsDeuda()->value() != 2) QTest::keyClick(w->hsDeuda(), Qt::Key_PageDown);
    ASSERT_EQ(w->hsDeuda()->value(), 2);
    teclea(w->TxtValor(180), "0");
    QTest::keyClick(w->TxtValor(180), Qt::Key_Return);

    // "V&alidar" with Tab and Enter; the inconsistency window is closed with Tab and Enter on "&Aceptar".
    bool validada = false;
    enModal<FrmConsist>([&](FrmConsist* c) {
        ASSERT_TRUE(tabHasta(c->CmdGrabar));
        QTest::keyClick(c->CmdGrabar, Qt::Key_Return);
        validada = !c->isVisible();
    });
    ASSERT_TRUE(tabHasta(w->Cmdgeneral(0)));
    QTest::keyClick(w->Cmdgeneral(0), Qt::Key_Return);
    EXPECT_TRUE(validada);

    // "&Grabar" the same way; the message boxes are answered through the dialogs port.
    activa(*w);
    ASSERT_TRUE(tabHasta(w->Cmdgeneral(1)));
    QTest::keyClick(w->Cmdgeneral(1), Qt::Key_Return);
    EXPECT_EQ(env.base()
                  .escalar("SELECT i_valor FROM DET WHERE doc_id_d=? AND casilla='100'", {kRucNuevo})
                  .toString(),
              "18000");
    EXPECT_EQ(app.valores.ModoDeclaracion, 2);

    // The print selection: the stored declaration is in its list; Tab to "&Imprimir", Enter.
    QStringList impresos;
    app.valores.ListaEnviadas = false;
    reporte::FrmImprimir p(app.sesion, app.valores, barra);
    p.imprime = [&](const QString& archivo) { impresos << archivo; };
    p.show();
    activa(p);
    ASSERT_TRUE(tabHasta(p.CmdImprimir(1)));
    QTest::keyClick(p.CmdImprimir(1), Qt::Key_Return);
    ASSERT_EQ(impresos.size(), 1);
    EXPECT_TRUE(QFile::exists(app.sesion.RutaReportes + "/" + impresos[0])) << impresos[0].toStdString();
}
