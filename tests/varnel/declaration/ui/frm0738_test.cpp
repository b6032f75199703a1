// The declaration window on the offscreen platform, typed through its real widgets: Enter and the
// focus, the clipboard, the taxpayer list, the identification checks on leaving page 0, opening in
// every mode, saving from the window and the closing questions.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <optional>

#include "varnel/app/ui/forma_pago.h"
#include "varnel/declaration/orden.h"
#include "varnel/computation/ui/frm_consist.h"
#include "varnel/declaration/ui/ventana_prueba.h"
#include "varnel/ventanas.h"

using namespace qvr;

namespace {

using prueba::eligeEnLista;
using prueba::kRucGuardado;
using prueba::kRucNuevo;

class VentanaTest : public ::testing::Test, public prueba::VentanaDeclaracion {
protected:
    // What the window must overwrite when it opens.
    VentanaTest() { barra.ruc = barra.nombre = barra.periodo = "x"; }

    // The declarant and the rectification answer: what leaving page 0 asks for.
    void identifica(Frm0738& w, const QString& ruc) {
        eligeEnLista(w.CmbRuc(), ruc);
        w.opcion(Pregunta::Rectifica, Opcion::No)->click();
    }

    void teclea(QWidget* w, const QString& texto) {
        w->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(w, texto);
    }

    void borra(QLineEdit* e) {
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
    }

    QString det(const QString& ruc, const QString& casilla) {
        return env.base()
            .escalar("SELECT i_valor FROM DET WHERE doc_id_d=? AND casilla=?", {ruc, casilla})
            .toString();
    }
};

TEST_F(VentanaTest, EnterPasaAlSiguienteYSaltaLasCasillasDeshabilitadas) {
    auto w = abre(1);
    identifica(*w, kRucNuevo);
    w->tabPrincipal()->setCurrentIndex(1);
    ASSERT_EQ(w->tabPrincipal()->currentIndex(), 1);
    w->SSTab2()->setCurrentIndex(0);
    teclea(w->TxtValor(100), "1500");
    QTest::keyClick(w->TxtValor(100), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->TxtValor(102));
    // Leaving formats the amount and the computed total follows.
    EXPECT_EQ(w->TxtValor(100)->text(), "1,500");
    EXPECT_EQ(w->TxtValor(501)->text(), "1,500");
    EXPECT_FALSE(w->TxtValor(501)->isEnabled());
    // Letters are not typed into an amount.
    QTest::keyClicks(w->TxtValor(102), "7a8");
    EXPECT_EQ(w->TxtValor(102)->text(), "78");

    // Box 114 is locked while 100 and 102 are empty: Enter in 519 passes over it to 115.
    borra(w->TxtValor(100));
    borra(w->TxtValor(102));
    w->SSTab2()->setCurrentIndex(3);
    teclea(w->TxtValor(519), "10");
    EXPECT_FALSE(w->TxtValor(114)->isEnabled());
    QTest::keyClick(w->TxtValor(519), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->TxtValor(115));
    EXPECT_EQ(w->TxtValor(519)->text(), "(10)");
}

TEST_F(VentanaTest, NiElBotonDerechoNiShiftInsertPeganNada) {
    auto w = abre(1);
    identifica(*w, kRucNuevo);
    w->tabPrincipal()->setCurrentIndex(1);
    QLineEdit* caja = w->TxtValor(100);
    struct Caso {
        const char* nombre;
        std::function<void()> pega;
    } casos[] = {
        {"boton derecho y luego Ctrl+V",
         [&] {
             QTest::mouseClick(caja, Qt::RightButton);
             QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
         }},
        {"boton derecho y luego el pegar del menu",
         [&] {
             QTest::mouseClick(caja, Qt::RightButton);
             caja->paste();
         }},
        {"Shift+Insert", [&] { QTest::keyClick(caja, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"Ctrl+V", [&] { QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier); }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        borra(caja);
        QGuiApplication::clipboard()->setText("987654");
        c.pega();
        EXPECT_EQ(caja->text(), "");
    }
    // The telephone field empties the clipboard on the right button too.
    QGuiApplication::clipboard()->setText("987654");
    QTest::mouseClick(w->TxtTelefono(), Qt::RightButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST_F(VentanaTest, ElegirUnContribuyenteLlenaLosNombresYLaBarra) {
    auto w = abre(1);
    EXPECT_TRUE(w->CmbRuc()->isVisible());
    EXPECT_FALSE(w->TxtNumRuc()->isVisible());
    EXPECT_EQ(barra.ruc, "");
    EXPECT_EQ(barra.formulario, "0738");
    // The list takes no typed keys.
    w->CmbRuc()->setFocus();
    QTest::keyClick(w->CmbRuc(), Qt::Key_Down);
    EXPECT_EQ(w->CmbRuc()->currentIndex(), -1);

    eligeEnLista(w->CmbRuc(), kRucNuevo);
    EXPECT_EQ(w->TxtValor(801)->text(), "ROJAS");
    EXPECT_EQ(w->TxtValor(802)->text(), "DIAZ");
    EXPECT_EQ(w->TxtValor(803)->text(), "ANA MARIA");
    EXPECT_FALSE(w->TxtValor(801)->isEnabled());
    EXPECT_EQ(barra.ruc, kRucNuevo);
    EXPECT_EQ(barra.nombre, "ROJAS DIAZ, ANA MARIA");
    EXPECT_EQ(app.valores.RucDeclarante, kRucNuevo);
}

TEST_F(VentanaTest, DejarLaPrimeraPaginaExigeLaIdentificacion) {
    auto w = abre(1);
    DialogosScript& d = env.dialogos();
    // No declarant yet.
    w->tabPrincipal()->setCurrentIndex(2);
    EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
    ASSERT_FALSE(d.mostrados.empty());
    EXPECT_EQ(d.mostrados.front().texto, "Debe seleccionar un declarante");
    EXPECT_EQ(QApplication::focusWidget(), w->CmbRuc());

    struct Caso {
        const char* telefono;
        const char* mensaje;  // empty: the page may be left
    } casos[] = {
        {"123", "Ingrese correctamente el teléfono"},
        {"41234567",
         "Identificación-Datos Generales : El número ingresado debe ser de 7 digitos, o un celular de 8 o 7 digitos"},
        {"987654", "Identificación-Datos Generales : El celular debe ser de 8 o 7 digitos"},
        {"4123456", ""},
    };
    identifica(*w, kRucNuevo);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.telefono);
        w->tabPrincipal()->setCurrentIndex(0);
        borra(w->TxtTelefono());
        teclea(w->TxtTelefono(), c.telefono);
        d.mostrados.clear();
        w->tabPrincipal()->setCurrentIndex(1);
        if (QString(c.mensaje).isEmpty()) {
            EXPECT_EQ(w->tabPrincipal()->currentIndex(), 1);
            EXPECT_TRUE(d.mostrados.empty());
        } else {
            EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
            ASSERT_EQ(d.mostrados.size(), 1u);
            EXPECT_EQ(d.mostrados[0].texto, QString::fromUtf8(c.mensaje));
            EXPECT_EQ(d.mostrados[0].icono, Icono::Error);
            EXPECT_EQ(QApplication::focusWidget(), w->TxtTelefono());
        }
    }
}

TEST_F(VentanaTest, UnContribuyenteConDeclaracionVuelveALaPrimeraPagina) {
    auto w = abre(1);
    eligeEnLista(w->CmbRuc(), kRucGuardado);
    EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
    w->opcion(Pregunta::Rectifica, Opcion::No)->click();
    w->tabPrincipal()->setCurrentIndex(1);
    EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
    ASSERT_FALSE(env.dialogos().mostrados.empty());
    EXPECT_EQ(env.dialogos().mostrados.back().texto,
              "El formulario que desea ingresar ya existe, elija la opción Modificar formularios o elija otro RUC");
    EXPECT_EQ(barra.periodo, "2003");
}

TEST_F(VentanaTest, ModificarMuestraLoGuardado) {
    // An Amazonía investment keeps the beneficiaries' boxes open.
    env.base().ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, "
                       "idcasilla, estado, cNumero) VALUES (6, ?, '2003', '0738', 0, '117', '-5000', '01', 0, '')",
                       {kRucGuardado});
    auto w = abre(2);
    EXPECT_FALSE(w->CmbRuc()->isVisible());
    EXPECT_TRUE(w->TxtNumRuc()->isVisible());
    EXPECT_EQ(w->TxtNumRuc()->text(), kRucGuardado);
    EXPECT_TRUE(w->opcion(Pregunta::Rectifica, Opcion::Si)->isChecked());
    // Rent answer "2": No, and the rentals are locked with their lists.
    EXPECT_TRUE(w->opcion(Pregunta::Inmueble, Opcion::No)->isChecked());
    EXPECT_FALSE(w->TxtValor(819)->isEnabled());
    EXPECT_FALSE(w->cmbtipdoc(204)->isEnabled());
    EXPECT_EQ(w->TxtValor(817)->text(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(w->TxtValor(122)->text(), "(1,234)");
    EXPECT_EQ(w->TxtValor(180)->text(), "1,234");
    EXPECT_EQ(w->TxtValor(100)->text(), "1,500");
    EXPECT_EQ(w->TxtValor(302)->text(), "00123456");
    EXPECT_EQ(w->TxtValor(801)->text(), "PEREZ");  // from the taxpayer registry
    EXPECT_EQ(w->TxtValor(803)->text(), "JUAN CARLOS");
    EXPECT_EQ(w->TxtTelefono()->text(), "4567890");
    EXPECT_EQ(w->MkeFecNac()->displayText(), "15/03/1970");
    EXPECT_EQ(w->formaPago()->formaPago(), "C");
    EXPECT_EQ(w->formaPago()->numeroCheque(), "00012345");
    EXPECT_EQ(w->cboProfesion()->currentText().left(2), "01");
    EXPECT_TRUE(w->TxtValor(100)->alignment() & Qt::AlignRight);
    EXPECT_FALSE(w->fraOrden()->isVisible());
    EXPECT_FALSE(w->tabPrincipal()->isTabVisible(4));
    EXPECT_FALSE(w->declaracion().Modificado);
}

TEST_F(VentanaTest, EnviadaSoloDejaElNumeroDeOrden) {
    auto sin = abreEnviada("001");
    EXPECT_TRUE(sin->fraOrden()->isVisible());
    EXPECT_EQ(sin->txtOrden()->text(), "0");
    EXPECT_EQ(sin->txtVerifica()->text(), "");
    EXPECT_FALSE(sin->TxtValor(100)->isEnabled());
    EXPECT_EQ(sin->TxtValor(100)->text(), "5,000");
    EXPECT_FALSE(sin->Cmdgeneral(0)->isEnabled());
    EXPECT_TRUE(sin->Cmdgeneral(1)->isEnabled());
    sin.reset();

    auto con = abreEnviada("002");
    EXPECT_EQ(con->txtOrden()->text(), "87654321");
    EXPECT_EQ(con->txtVerifica()->text(), DigitoVerificador("12345678", "87654321"));
    // Leaving page 0 of a sent declaration asks nothing.
    con->tabPrincipal()->setCurrentIndex(1);
    EXPECT_EQ(con->tabPrincipal()->currentIndex(), 1);
}

// "V&alidar" on a declaration without the amount to pay lists it in FrmConsist; Enter on that
// line closes the list and puts the focus on box 180 of the debt page.
TEST_F(VentanaTest, ValidarLlevaDeLaLineaASuCasilla) {
    auto w = abre(1);
    w->show();
    identifica(*w, kRucNuevo);
    QString lineaElegida;
    QTimer::singleShot(0, [&] {
        auto* consist = dynamic_cast<FrmConsist*>(QApplication::activeModalWidget());
        ASSERT_NE(consist, nullptr);
        QTextDocument* doc = consist->TxtPreliminar->document();
        for (int i = 0; i < doc->blockCount(); ++i) {
            if (consist->casillaDeLinea(i) != 180) continue;
            lineaElegida = doc->findBlockByNumber(i).text();
            QTextCursor c(doc->findBlockByNumber(i));
            consist->TxtPreliminar->setTextCursor(c);
            QTest::keyClick(consist->TxtPreliminar, Qt::Key_Return);
            return;
        }
        consist->reject();
    });
    QTest::mouseClick(w->Cmdgeneral(0), Qt::LeftButton);
    EXPECT_TRUE(lineaElegida.startsWith("Ingrese el importe a pagar")) << lineaElegida.toStdString();
    EXPECT_EQ(w->tabPrincipal()->currentIndex(), 2);
    EXPECT_EQ(w->focusWidget(), w->TxtValor(180));
    EXPECT_TRUE(w->TxtValor(180)->isVisibleTo(w.get()));
}

TEST_F(VentanaTest, GrabarDesdeLaVentanaEscribeLasFilas) {
    auto w = abre(1);
    identifica(*w, kRucNuevo);
    w->tabPrincipal()->setCurrentIndex(1);
    teclea(w->TxtValor(100), "1500");
    QTest::keyClick(w->TxtValor(100), Qt::Key_Tab);
    w->tabPrincipal()->setCurrentIndex(3);
    w->SSTab3()->setCurrentIndex(1);
    teclea(w->TxtValor(203), "2500");
    QTest::keyClick(w->TxtValor(203), Qt::Key_Tab);
    QTest::mouseClick(w->Cmdgeneral(1), Qt::LeftButton);

    // Neither the rectification nor the rent question is answered and there is no payment: the
    // silent check finds it inconsistent, and the declaration is stored all the same.
    ASSERT_FALSE(env.dialogos().mostrados.empty());
    EXPECT_EQ(env.dialogos().mostrados.back().texto,
              "La información del formulario fue grabada con inconsistencias.\n"
              "En estas condiciones no podrá ser enviado a ZORVA.");
    EXPECT_EQ(det(kRucNuevo, "100"), "1500");
    EXPECT_EQ(det(kRucNuevo, "501"), "1500");
    EXPECT_EQ(det(kRucNuevo, "203"), "2500");
    EXPECT_EQ(det(kRucNuevo, "002"), kRucNuevo);
    EXPECT_EQ(det(kRucNuevo, "871"), "0");
    EXPECT_EQ(det(kRucNuevo, "801"), "ROJAS");
    EXPECT_EQ(env.base().escalar("SELECT estado FROM CAB WHERE doc_id_d=?", {kRucNuevo}).toInt(), 9);
    // The window stays open, now on the stored declaration.
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(app.valores.ModoDeclaracion, 2);
    EXPECT_FALSE(w->TxtNumRuc()->isHidden());
    EXPECT_EQ(w->TxtNumRuc()->text(), kRucNuevo);
    EXPECT_TRUE(w->CmbRuc()->isHidden());

    // A cleared box leaves no row at the next save.
    borra(w->TxtValor(203));
    QTest::mouseClick(w->Cmdgeneral(1), Qt::LeftButton);
    EXPECT_EQ(det(kRucNuevo, "203"), "");
    EXPECT_EQ(det(kRucNuevo, "100"), "1500");
}

TEST_F(VentanaTest, LasPreguntasAlSalir) {
    struct Caso {
        const char* nombre;
        bool modifica;
        std::optional<Respuesta> respuesta;  // none: no question
        bool cierra;
        bool graba;
    } casos[] = {
        {"sin cambios", false, std::nullopt, true, false},
        {"Cancelar", true, Respuesta::Cancelar, false, false},
        {"No", true, Respuesta::No, true, false},
        {"Si", true, Respuesta::Si, true, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto w = abre(2);
        env.dialogos().mostrados.clear();
        if (c.modifica) {
            w->tabPrincipal()->setCurrentIndex(1);
            teclea(w->TxtValor(102), "900");
            QTest::keyClick(w->TxtValor(102), Qt::Key_Tab);
        }
        env.dialogos().mostrados.clear();
        if (c.respuesta) env.dialogos().responde(*c.respuesta);
        QTest::mouseClick(w->Cmdgeneral(2), Qt::LeftButton);
        if (c.respuesta) {
            ASSERT_FALSE(env.dialogos().mostrados.empty());
            EXPECT_EQ(env.dialogos().mostrados[0].texto, "¿El formulario ha sido modificado, desea guardar los cambios?");
            EXPECT_EQ(env.dialogos().mostrados[0].botones, Botones::SiNoCancelar);
        } else {
            EXPECT_TRUE(env.dialogos().mostrados.empty());
        }
        EXPECT_EQ(!w->isVisible(), c.cierra);
        EXPECT_EQ(det(kRucGuardado, "102") == "900", c.graba);
    }
}

// Closing after a save empties the period; closing without one leaves it.
TEST_F(VentanaTest, CerrarDespuesDeGrabarVaciaElPeriodo) {
    for (const Respuesta r : {Respuesta::No, Respuesta::Si}) {
        SCOPED_TRACE(r == Respuesta::Si ? "Si" : "No");
        auto w = abre(2);
        EXPECT_EQ(app.sesion.Periodo, "2003");
        w->tabPrincipal()->setCurrentIndex(1);
        teclea(w->TxtValor(102), "900");
        QTest::keyClick(w->TxtValor(102), Qt::Key_Tab);
        env.dialogos().responde(r);
        QTest::mouseClick(w->Cmdgeneral(2), Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(app.sesion.Periodo, r == Respuesta::Si ? QString() : QString("2003"));
    }
}

TEST_F(VentanaTest, LasPreguntasAlSalirDeUnaEnviada) {
    const QString bueno = DigitoVerificador("12345678", "11112222");
    struct Caso {
        const char* nombre;
        const char* orden;  // nullptr: not touched
        QString verifica;
        std::optional<Respuesta> respuesta;
        QString mensaje;
        bool cierra;
        QString norden;  // stored afterwards
    } casos[] = {
        {"sin cambio", nullptr, "", std::nullopt, "", true, ""},
        {"No", "11112222", bueno, Respuesta::No, "", true, ""},
        {"siete cifras", "1111222", bueno, Respuesta::Si, "El número de orden es incorrecto", false, ""},
        {"digito errado", "11112222", bueno == "00" ? "11" : "00", Respuesta::Si, "Digito verificador incorrecto",
         false, ""},
        {"correcto", "11112222", bueno, Respuesta::Si,
         "El número de orden y el digito verificador fueron grabados satisfactoriamente.", true, "11112222"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        env.base().ejecuta("UPDATE hCAB SET norden=NULL WHERE correl='001'");
        auto w = abreEnviada("001");
        env.dialogos().mostrados.clear();
        if (c.orden) {
            borra(w->txtOrden());
            QTest::keyClicks(w->txtOrden(), c.orden);
            QTest::keyClick(w->txtOrden(), Qt::Key_Return);
            EXPECT_EQ(QApplication::focusWidget(), w->txtVerifica());
            QTest::keyClicks(w->txtVerifica(), c.verifica);
        }
        if (c.respuesta) env.dialogos().responde(*c.respuesta);
        QTest::mouseClick(w->Cmdgeneral(2), Qt::LeftButton);
        const QStringList textos = env.dialogos().textos();
        if (c.respuesta) {
            ASSERT_FALSE(textos.isEmpty());
            EXPECT_EQ(textos[0], " El número de orden ha cambiado. ¿Desea guardar los cambios?");
        }
        if (!c.mensaje.isEmpty()) {
            ASSERT_FALSE(textos.isEmpty());
            EXPECT_EQ(textos.last(), c.mensaje);
        }
        EXPECT_EQ(!w->isVisible(), c.cierra);
        EXPECT_EQ(env.base().escalar("SELECT norden FROM hCAB WHERE correl='001'").toString(), c.norden);
    }
}

TEST_F(VentanaTest, NuevaYLasListasAbrenLaVentanaDelRegistro) {
    RegistroVentanas r;
    registraVentanasVarnel(r);
    for (Ventana v : {Ventana::Frm0738, Ventana::frmModFor, Ventana::frmAbrirEnv}) EXPECT_TRUE(r.existe(v));
    app.valores = ValoresEjecucion{};
    std::unique_ptr<QDialog> d(r.crea(Ventana::Frm0738, app, nullptr));
    auto* w = qobject_cast<Frm0738*>(d.get());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Formulario 0738 - Renta Anual 2003");
    // The designed size is the least; the window opens as large as its pages need.
    EXPECT_GE(w->width(), 9615 / 15);
    EXPECT_GE(w->height(), 6825 / 15);
    EXPECT_GT(w->CmbRuc()->count(), 0);
}

TEST_F(VentanaTest, ElDebeSeMuestraPorPartes) {
    auto w = abre(2);
    w->tabPrincipal()->setCurrentIndex(2);
    EXPECT_TRUE(w->fraDeuda(1)->isVisible());
    EXPECT_TRUE(w->fraDeuda(2)->isVisible());
    EXPECT_FALSE(w->fraDeuda(3)->isVisible());
    EXPECT_EQ(w->fraDeuda(2)->y(), 1870 / 15);
    w->hsDeuda()->setValue(2);
    EXPECT_FALSE(w->fraDeuda(1)->isVisible());
    EXPECT_TRUE(w->fraDeuda(3)->isVisible());
    EXPECT_EQ(w->fraDeuda(3)->pos(), QPoint(120 / 15, 800 / 15));
    EXPECT_TRUE(w->formaPago()->isVisible());
}

}  // namespace
