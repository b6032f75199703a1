// Desktop habits of the declaration window: it reopens where and as large as it was left, its boxes
// read under a dark theme, Ctrl+Z undoes what was typed in a box, and the pointer over a box shows
// its number and label.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include "support/paleta_oscura.h"
#include "varnel/annexes/ui/frm_exoneradas.h"
#include "varnel/app/ui/forma_pago.h"
#include "varnel/common/ui/ayuda_emergente.h"
#include "varnel/common/ui/colores.h"
#include "varnel/declaration/ui/ventana_prueba.h"

using namespace qvr;
using namespace qvr::prueba;

namespace {

class Escritorio : public ::testing::Test, public VentanaDeclaracion {
  protected:
    void TearDown() override { QApplication::setPalette(paletaOriginal); }
    // The tests of this file run on a 1280x1024 screen (tests/CMakeLists.txt), where the window has
    // room to be left larger than it opens.
    const QPalette paletaOriginal = QApplication::palette();
};

// Every box, list and box number of the window: its text against its background, in the state it
// is in (a disabled box is drawn with the palette's disabled group).
void revisaContraste(Frm0738& w, const std::string& caso) {
    int revisados = 0;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        QPalette::ColorRole fondo = QPalette::Base, texto = QPalette::Text;
        if (qobject_cast<QLabel*>(c)) {
            if (!c->objectName().startsWith("numeroCasilla_")) continue;
            fondo = QPalette::Window;
            texto = QPalette::WindowText;
        } else if (!c->property("casilla").isValid() && !c->objectName().startsWith("cmbtipdoc_")) {
            continue;
        }
        const QPalette::ColorGroup g = c->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const double r = contraste(c->palette().color(g, fondo), c->palette().color(g, texto));
        EXPECT_GE(r, kContrasteMinimo) << caso << ": " << c->objectName().toStdString() << " "
                                       << c->palette().color(g, fondo).name().toStdString() << " on "
                                       << c->palette().color(g, texto).name().toStdString();
        ++revisados;
    }
    EXPECT_GT(revisados, 100) << caso;
}

}  // namespace

TEST_F(Escritorio, LaVentanaVuelveDondeYComoLaDejoElUsuarioNuncaMasChica) {
    auto w = abre(2);
    const QSize necesario = w->size();
    const QRect pantalla = w->screen()->availableGeometry();
    const QRect dejada(pantalla.topLeft() + QPoint(40, 30), necesario + QSize(60, 40));
    w->setGeometry(dejada);
    QApplication::processEvents();
    const QRect vista = w->geometry();
    w->hide();
    w.reset();

    // Another declaration, another mode: the same place and size.
    w = abre(1);
    EXPECT_EQ(w->geometry(), vista);

    // Left smaller than its pages need: it opens as large as they need, where it was.
    w->resize(w->minimumSize());
    w->move(vista.topLeft() + QPoint(10, 10));
    QApplication::processEvents();
    const QPoint lugar = w->pos();
    w->hide();
    w.reset();
    w = abre(2);
    EXPECT_EQ(w->pos(), lugar);
    EXPECT_EQ(w->size(), necesario);
}

TEST_F(Escritorio, LasCasillasSeLeenConElTemaOscuro) {
    struct Caso {
        const char* nombre;
        bool enviada;        // read-only: every box light grey
        bool cambiaDespues;  // the theme changes while the window is open
    };
    const Caso casos[] = {
        {"new declaration, dark from the start", false, false},
        {"sent declaration, dark from the start", true, false},
        {"new declaration, theme changed while open", false, true},
        {"sent declaration, theme changed while open", true, true},
    };
    for (const Caso& c : casos) {
        QApplication::setPalette(c.cambiaDespues ? paletaOriginal : paletaOscura());
        auto w = c.enviada ? abreEnviada("001") : abre(1);
        if (c.cambiaDespues) QApplication::setPalette(paletaOscura());
        revisaContraste(*w, c.nombre);
        // Still told apart: a computed box is not drawn as an entry box.
        if (!c.enviada) {
            EXPECT_NE(w->TxtValor(501)->palette().color(QPalette::Disabled, QPalette::Base),
                      w->TxtValor(100)->palette().color(QPalette::Active, QPalette::Base))
                << c.nombre;
        }
    }
}

TEST_F(Escritorio, ConElTemaClaroLosColoresSonLosDelDiseno) {
    QPalette clara = paletaOriginal;
    clara.setColor(QPalette::Base, Qt::white);
    clara.setColor(QPalette::Text, Qt::black);
    QApplication::setPalette(clara);
    auto nueva = abre(1);
    EXPECT_EQ(nueva->TxtValor(100)->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(nueva->TxtValor(200)->palette().color(QPalette::Base), QColor(Qt::cyan));
    nueva.reset();
    auto enviada = abreEnviada("001");
    EXPECT_EQ(enviada->TxtValor(100)->palette().color(QPalette::Disabled, QPalette::Base),
              QColor(192, 192, 192));
}

TEST_F(Escritorio, CtrlZDeshaceLoTecleadoEnLaCasillaYElCalculoLaSigue) {
    auto w = abre(2);
    w->tabPrincipal()->setCurrentIndex(1);
    ASSERT_EQ(w->tabPrincipal()->currentIndex(), 1);
    w->SSTab2()->setCurrentIndex(0);
    QLineEdit* caja = w->TxtValor(100);
    ASSERT_EQ(caja->text(), "1,500");
    caja->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(caja->text(), "1500");  // the editing form
    caja->selectAll();
    QTest::keyClicks(caja, "9000");
    EXPECT_EQ(w->TxtValor(501)->text(), "9,000");

    QTest::keySequence(caja, QKeySequence::Undo);
    EXPECT_EQ(caja->text(), "1500");
    EXPECT_EQ(w->declaracion().texto(100), "1500");
    EXPECT_EQ(w->TxtValor(501)->text(), "1,500");
    // Redo brings the typing back, and the total with it.
    QTest::keySequence(caja, QKeySequence::Redo);
    EXPECT_EQ(caja->text(), "9000");
    EXPECT_EQ(w->TxtValor(501)->text(), "9,000");
    // Nothing further back than what the box showed when it took the focus.
    QTest::keySequence(caja, QKeySequence::Undo);
    QTest::keySequence(caja, QKeySequence::Undo);
    EXPECT_EQ(caja->text(), "1500");

    // The other fields that filter their keys: the telephone and a detail window's box.
    w->tabPrincipal()->setCurrentIndex(0);
    QLineEdit* tel = w->TxtTelefono();
    tel->setFocus(Qt::TabFocusReason);
    const QString antes = tel->text();
    tel->selectAll();
    QTest::keyClicks(tel, "7");
    ASSERT_EQ(tel->text(), "7");
    QTest::keySequence(tel, QKeySequence::Undo);
    EXPECT_EQ(tel->text(), antes);

    FrmExoneradas detalle(w->declaracion(), w.get());
    detalle.show();
    QLineEdit* monto = detalle.TxtMonto(0);
    monto->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(monto, "25");
    ASSERT_EQ(monto->text(), "25");
    QTest::keySequence(monto, QKeySequence::Undo);
    EXPECT_EQ(monto->text(), "");
}

TEST_F(Escritorio, CadaCasillaMuestraSuNumeroYSuEtiqueta) {
    auto w = abre(1);
    // What the pointer shows when it rests over the widget.
    const auto muestra = [](QWidget* c) {
        QToolTip::hideText();
        QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), c->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(c, &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const auto tip = [&](int n) { return muestra(w->TxtValor(n)); };
    EXPECT_EQ(tip(100), "Casilla 100: Renta bruta por arrendamiento o cesión de bienes inmuebles");
    EXPECT_EQ(tip(180), "Casilla 180: IMPORTE A PAGAR");
    EXPECT_EQ(tip(507), "Casilla 507: Deducción 20 % (hasta S/. 74,400)");
    EXPECT_EQ(tip(811), "Casilla 811: Apellido Paterno");
    EXPECT_EQ(tip(819), "Casilla 819: Alquileres pagados, fila 1: Nombre o razón social");
    EXPECT_EQ(muestra(w->cmbtipdoc(204)), "Casilla 204: Alquileres pagados, fila 1: Tipo doc.");
    EXPECT_EQ(muestra(w->CmbRuc()), "Casilla 002: R.U.C. del declarante");
    EXPECT_EQ(muestra(w->TxtTelefono()), "Casilla 028: Teléfono");
    // Over either button of a question, the boxes its answer is stored under.
    EXPECT_EQ(muestra(w->opcion(Pregunta::Rectifica, Opcion::Si)),
              "Casillas 005 y 871: ¿La presente declaración rectifica o sustituye a otra?");
    EXPECT_EQ(
        muestra(w->opcion(Pregunta::Inmueble, Opcion::No)),
        "Casilla 027: ¿Ha pagado usted alquiler por algún bien mueble o inmueble durante el ejercicio?");
    EXPECT_EQ(muestra(w->findChild<FormaDePagoQVR*>()->findChild<QLineEdit*>("txtMonto")),
              "Casilla 598: Monto pagado");
    QToolTip::hideText();

    // Every box of the window shows its number; a screen reader still hears its name once, not the
    // tip again as its description.
    for (QLineEdit* caja : w->findChildren<QLineEdit*>()) {
        const QVariant n = caja->property("casilla");
        if (!n.isValid()) continue;
        const QString t = ayudaEmergente(caja);
        EXPECT_TRUE(t.startsWith("Casilla " + QString::number(n.toInt()).rightJustified(3, '0') + ": "))
            << caja->objectName().toStdString() << " " << t.toStdString();
        EXPECT_GT(t.size(), 13) << caja->objectName().toStdString();
        EXPECT_TRUE(caja->toolTip().isEmpty()) << caja->objectName().toStdString();
    }
}
