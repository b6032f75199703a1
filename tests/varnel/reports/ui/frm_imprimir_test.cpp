#include "varnel/reports/ui/frm_imprimir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/imprimir_datos.h"
#include "support/lists_barra.h"
#include "support/lists_fixture.h"
#include "support/reports_archivos.h"
#include "varnel/app/ui/ayuda.h"
#include "platform/ui/interfaz.h"
#include "varnel/ventanas.h"
#include "varnel/reports/lista_imprimir.h"
#include "varnel/reports/ui/frmPreview.h"
#include "varnel/ventanas.h"

using namespace qvr;
using namespace qvr::reporte;

namespace {

const QString kRuc = "10203040506";

struct Ventana {
    explicit Ventana(bool enviadas = false, bool conDeclaracion = true) {
        instalaEnterEnBotones(*qApp);  // as the program's start-up does
        creaTablasAnexo(e.base());
        e.agregaUsuario("DEMO", "0");
        if (conDeclaracion) prueba::agregaDeclaracionImpresion(e, kRuc, "QUISPE MAMANI JOSE");
        if (enviadas) prueba::agregaEnviada(e.base(), kRuc, "001");
        s = prueba::sesionListas(e, "DEMO");
        s->RutaReportes = e.sistema() + "RPT";
        v.ListaEnviadas = enviadas;
        w = std::make_unique<FrmImprimir>(*s, v, barra);
        w->muestraRango = [this](FrmImpxPag& r) {
            rangos << r.windowTitle() + "|" + r.txtTotPaginas()->text() + "|" + r.tag();
        };
        w->imprime = [this](const QString& a) { impresos << a; };
    }
    int spool() { return e.base().escalar("SELECT COUNT(*) FROM SPOOL").toInt(); }

    prueba::Entorno e;
    std::unique_ptr<DatosSesion> s;
    ValoresEjecucion v;
    prueba::BarraEstadoMemoria barra;
    std::unique_ptr<FrmImprimir> w;
    QStringList rangos, impresos;
};

TEST(FrmImprimir, AnnexOptionNeedsATickedAnnexAndDeclarationClearsTicks) {
    Ventana t;
    EXPECT_FALSE(t.w->chkAnexos(3)->isEnabled());
    t.w->OptImp(4)->click();
    EXPECT_TRUE(t.w->chkAnexos(3)->isEnabled() && t.w->chkAnexos(4)->isEnabled());
    for (int boton : {0, 1}) {
        t.w->CmdImprimir_Click(boton);
        ASSERT_FALSE(t.e.dialogos().mostrados.empty());
        EXPECT_EQ(t.e.dialogos().mostrados.back().texto, "Debe seleccionar algún anexo");
        EXPECT_EQ(t.e.dialogos().mostrados.back().titulo, "Error");
    }
    EXPECT_EQ(t.spool(), 0);
    EXPECT_TRUE(t.rangos.isEmpty() && t.impresos.isEmpty());

    t.w->chkAnexos(3)->setChecked(true);
    t.w->chkAnexos(4)->setChecked(true);
    t.w->OptImp(5)->click();
    EXPECT_FALSE(t.w->chkAnexos(3)->isChecked() || t.w->chkAnexos(4)->isChecked());
    EXPECT_FALSE(t.w->chkAnexos(3)->isEnabled());
}

TEST(FrmImprimir, EachPressRegistersANewReport) {
    Ventana t;
    t.w->grid()->vaAFila(0);
    t.w->CmdImprimir_Click(0);
    t.w->CmdImprimir_Click(0);
    t.w->OptImp(3)->click();
    t.w->chkAnexos(3)->setChecked(true);
    t.w->CmdImprimir_Click(1);
    EXPECT_EQ(t.rangos, QStringList({"Impresión de 3 páginas|3|00000001.PRN", "Impresión de 3 páginas|3|00000002.PRN"}));
    EXPECT_EQ(t.impresos, QStringList({"00000003.PRN"}));
    EXPECT_EQ(t.spool(), 3);
    EXPECT_EQ(t.v.ModoDeclaracion, 2);
    EXPECT_EQ(t.w->datos().casilla(100), "24000");
    EXPECT_EQ(t.barra.ruc, kRuc);
}

TEST(FrmImprimir, EmptyListDisablesTheGridAndTheButtonsDoNothing) {
    Ventana t(false, false);
    EXPECT_FALSE(t.w->grid()->isEnabled());
    t.w->CmdImprimir_Click(0);
    t.w->CmdImprimir_Click(1);
    EXPECT_EQ(t.spool(), 0);
    EXPECT_TRUE(t.rangos.isEmpty() && t.impresos.isEmpty());
}

TEST(FrmImprimir, SentModePrintsTheSendingWithItsOrderNumber) {
    Ventana t(true);
    EXPECT_EQ(t.w->windowTitle(), "Imprimir Formularios enviados");
    EXPECT_EQ(t.w->Frame2()->title(), "Declaraciones Enviadas");
    EXPECT_TRUE(t.w->grid()->isColumnHidden(colImp::Periodo));
    EXPECT_TRUE(t.w->grid()->isColumnHidden(colImp::Estado));
    EXPECT_FALSE(t.w->grid()->isColumnHidden(colImp::NOrden));
    t.w->grid()->vaAFila(0);
    t.w->CmdImprimir_Click(0);
    ASSERT_EQ(t.rangos.size(), 1);
    EXPECT_TRUE(t.w->datos().enviada);
    EXPECT_EQ(t.w->datos().correl, "001");
    EXPECT_EQ(t.w->datos().norden, "12345678");
    EXPECT_EQ(t.w->datos().casilla(100), "1000");  // from hDET, not DET
}

TEST(FrmImprimir, CurrentModeColumns) {
    Ventana t;
    EXPECT_EQ(t.w->windowTitle(), "Imprimir ");
    EXPECT_EQ(t.w->Frame2()->title(), "Declaraciones registradas");
    for (int c : {colImp::Periodo, colImp::NOrden, colImp::FecEnv, colImp::Control, colImp::Correl, colImp::Estado})
        EXPECT_TRUE(t.w->grid()->isColumnHidden(c)) << c;
    for (int c : {colImp::Ruc, colImp::Nombre, colImp::Ejercicio, colImp::Formulario, colImp::Rectifica})
        EXPECT_FALSE(t.w->grid()->isColumnHidden(c)) << c;
}

TEST(FrmImprimir, TheMainWindowOpensItInTheModeOfItsCommand) {
    prueba::Entorno e;
    RegistroVentanas r;
    registraVentanasVarnel(r);
    for (bool enviadas : {false, true}) {
        Aplicacion a;
        a.sesion.Base = BaseDatos::abre(e.rutaBase());
        a.valores.ListaEnviadas = enviadas;
        std::unique_ptr<QDialog> w(r.crea(qvr::Ventana::frmImprimir, a, nullptr));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), enviadas ? "Imprimir Formularios enviados" : "Imprimir ");
    }
}

// F1 in the print selection, the page-range window and the viewer shows the print selection's
// topic: 1042 in sent mode, 1072 for current declarations.
TEST(FrmImprimir, F1ShowsTheHelpTopicOfThePrintSelection) {
    for (bool enviadas : {false, true}) {
        SCOPED_TRACE(enviadas);
        Ventana v(enviadas);
        std::vector<int> temas;
        const auto previa = instalaMostrarAyuda([&temas](int c) { temas.push_back(c); });
        const int tema = enviadas ? 1042 : 1072;
        auto f1 = [&](QWidget& w) {
            w.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
            w.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_F1);
        };
        f1(*v.w);
        FrmImpxPag rango(3, "00000001.PRN", {}, v.w.get());
        f1(rango);
        rango.hide();
        prueba::escribeReporte(v.s->RutaReportes, "00000001.PRN", prueba::reporteDeHojas(1));
        frmPreview visor(v.s->RutaReportes, {}, v.w.get());
        visor.visor().fijaRut("00000001.PRN");
        ASSERT_TRUE(visor.carga());
        f1(visor);
        EXPECT_EQ(temas, (std::vector<int>{tema, tema, tema}));
        instalaMostrarAyuda(previa);
    }
}

namespace {
void activa(QWidget& w) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}
// The widgets Tab visits from the focus widget, once round.
QList<QWidget*> rondaTab(int teclas) {
    QList<QWidget*> r;
    for (int i = 0; i < teclas; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (!r.contains(QApplication::focusWidget())) r << QApplication::focusWidget();
    }
    return r;
}
}  // namespace

// Keyboard only: Tab reaches every control; Enter presses the focused button, Enter in a page
// field moves on.
TEST(FrmImprimir, KeyboardTabAndEnter) {
    Ventana v;
    activa(*v.w);
    const QList<QWidget*> ronda = rondaTab(12);
    for (QWidget* w : {static_cast<QWidget*>(v.w->findChild<QWidget*>("grdContrib")),
                       static_cast<QWidget*>(v.w->OptImp(5)), static_cast<QWidget*>(v.w->CmdImprimir(0)),
                       static_cast<QWidget*>(v.w->CmdImprimir(1)), static_cast<QWidget*>(v.w->CmdImprimir(2))})
        EXPECT_TRUE(ronda.contains(w)) << w->objectName().toStdString();
    // Enter on "&Imprimir" prints; on "&Salir" closes.
    v.w->CmdImprimir(1)->setFocus();
    QTest::keyClick(v.w->CmdImprimir(1), Qt::Key_Return);
    EXPECT_EQ(v.impresos.size(), 1);
    EXPECT_TRUE(v.rangos.isEmpty());
    v.w->CmdImprimir(2)->setFocus();
    QTest::keyClick(v.w->CmdImprimir(2), Qt::Key_Enter);
    EXPECT_FALSE(v.w->isVisible());

    int abiertos = 0;
    FrmImpxPag r(3, "00000001.PRN", [&](const QString&, RangoHojas) { ++abiertos; });
    activa(r);
    EXPECT_EQ(QApplication::focusWidget(), r.txtPagDesde());
    QTest::keyClick(r.txtPagDesde(), Qt::Key_Return);  // moves on
    EXPECT_EQ(QApplication::focusWidget(), r.txtPagHasta());
    const QList<QWidget*> rr = rondaTab(6);
    EXPECT_EQ(rr.size(), 4);
    for (QWidget* w : {static_cast<QWidget*>(r.txtPagDesde()), static_cast<QWidget*>(r.txtPagHasta()),
                       static_cast<QWidget*>(r.cmdAccion(0)), static_cast<QWidget*>(r.cmdAccion(1))})
        EXPECT_TRUE(rr.contains(w)) << w->objectName().toStdString();
    r.cmdAccion(0)->setFocus();
    QTest::keyClick(r.cmdAccion(0), Qt::Key_Return);
    EXPECT_EQ(abiertos, 1);
    // Enter on a focused "&Cancelar" cancels, it does not press the default "&Preliminar".
    r.cmdAccion(1)->setFocus();
    QTest::keyClick(r.cmdAccion(1), Qt::Key_Return);
    EXPECT_EQ(abiertos, 1);
    EXPECT_FALSE(r.isVisible());
    EXPECT_EQ(r.result(), QDialog::Rejected);
}

TEST(FrmImpxPag, RangeChecks) {
    prueba::Entorno e;
    struct Caso {
        QString desde, hasta, mensaje;
        int abreDesde = 0, abreHasta = 0;
    } casos[] = {
        {"", "1", "Ingrese página de inicio"},
        {"0", "1", "Página inicial debe ser a partir de 1"},
        {"4", "5", "Página inicial no debe ser mayor a total de páginas del reporte"},
        {"1", " ", "Ingrese página de Fin"},
        {"2", "1", "Página final no debe ser menor a página inicial"},
        {"1", "50", "", 1, 50},  // the last page is not checked against the total
        {"2.5", "3", "", 2, 3},  // halves go to the even neighbour
        {"1", "99999", "", 1, 32767},
    };
    for (const auto& c : casos) {
        QString archivo;
        RangoHojas rango;
        FrmImpxPag w(3, "00000009.PRN", [&](const QString& a, RangoHojas r) {
            archivo = a;
            rango = r;
        });
        EXPECT_EQ(w.windowTitle(), "Impresión de 3 páginas");
        e.dialogos().mostrados.clear();
        w.txtPagDesde()->setText(c.desde);
        w.txtPagHasta()->setText(c.hasta);
        w.accion(0);
        if (c.mensaje.isEmpty()) {
            EXPECT_TRUE(e.dialogos().mostrados.empty()) << qPrintable(c.desde);
            EXPECT_EQ(archivo, "00000009.PRN");
            EXPECT_TRUE(rango.activo);
            EXPECT_EQ(rango.desde, c.abreDesde);
            EXPECT_EQ(rango.hasta, c.abreHasta);
        } else {
            ASSERT_EQ(e.dialogos().mostrados.size(), 1u) << qPrintable(c.mensaje);
            EXPECT_EQ(e.dialogos().mostrados[0].texto, c.mensaje);
            EXPECT_EQ(e.dialogos().mostrados[0].titulo, "Impresión de 3 páginas");
            EXPECT_TRUE(archivo.isEmpty());
            EXPECT_EQ(w.txtPagDesde()->text(), c.desde);  // the fields keep their values
        }
    }
}

TEST(FrmImpxPag, PageFieldsAcceptOnlyDigitsPointAndBlank) {
    FrmImpxPag w(3, "x.PRN", {});
    w.txtPagDesde()->clear();
    QTest::keyClicks(w.txtPagDesde(), "1a2-. 3");
    EXPECT_EQ(w.txtPagDesde()->text(), "12. 3");
    EXPECT_EQ(w.txtPagHasta()->text(), "1");
    // Pasting: a text with letters does not get in; digits do.
    struct Caso {
        const char* portapapeles;
        const char* queda;
    } pegados[] = {{"ab", "1"}, {"2x", "1"}, {"=1+1", "1"}, {"2", "12"}, {" 3.", "1 3."}};
    for (const auto& c : pegados) {
        w.txtPagHasta()->setText("1");
        w.txtPagHasta()->setFocus();
        w.txtPagHasta()->end(false);
        QGuiApplication::clipboard()->setText(c.portapapeles);
        QTest::keyClick(w.txtPagHasta(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w.txtPagHasta()->text(), c.queda) << c.portapapeles;
        w.txtPagHasta()->setText("1");
        w.txtPagHasta()->end(false);
        w.txtPagHasta()->paste();  // the context menu's "Paste"
        EXPECT_EQ(w.txtPagHasta()->text(), c.queda) << c.portapapeles;
    }
    EXPECT_TRUE(w.txtTotPaginas()->isReadOnly());
    EXPECT_EQ(w.txtTotPaginas()->text(), "3");
    EXPECT_EQ(avisoImpxPag().size(), 8);
}

}  // namespace
