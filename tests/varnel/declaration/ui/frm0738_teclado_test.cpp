// The declaration window with the keyboard alone, through its real widgets: every page walked with
// Tab and Shift+Tab (no unnamed or hidden stop, the focused box shown), Enter from a sub-page's last
// box to the next sub-page, the first focus, the focus after a refused page change, the Alt letters;
// Tab and Shift+Tab leave every box (140, 200 and 201 included), Enter presses a focused button and
// still moves on in a box, F1 opens the topic of the page or of the representative's and spouse's
// fields, and a whole declaration is prepared, validated, saved and printed without the mouse.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <set>

#include "support/foco_prueba.h"
#include "varnel/annexes/ui/frm_exoneradas.h"
#include "varnel/app/ui/forma_pago.h"
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

// The pages a person sees, in order: (page of tabPrincipal, sub-page or -1). Page 4 is hidden.
const std::vector<std::pair<int, int>> kPaginas = {{0, -1}, {1, 0}, {1, 1}, {1, 2}, {1, 3},
                                                   {2, -1}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};

void muestraPagina(Frm0738& w, int pagina, int sub) {
    w.tabPrincipal()->setCurrentIndex(pagina);
    if (sub >= 0) static_cast<QTabWidget*>(w.tabPrincipal()->widget(pagina))->setCurrentIndex(sub);
    QApplication::processEvents();
}

// The strip whose tabs choose the page shown: the sub-page strip where there is one.
QTabWidget* tiraMostrada(Frm0738& w) {
    auto* sub = qobject_cast<QTabWidget*>(w.tabPrincipal()->currentWidget());
    return sub ? sub : w.tabPrincipal();
}
QWidget* paginaMostrada(Frm0738& w) { return tiraMostrada(w)->currentWidget(); }

std::string nombrePagina(Frm0738& w) {
    return QString("page %1.%2")
        .arg(w.tabPrincipal()->currentIndex())
        .arg(tiraMostrada(w)->currentIndex())
        .toStdString();
}

// Presses Tab (Shift+Tab with `atras`) until `destino` has the focus; the stops passed, in order.
// `ocultas` gets the stops that were out of sight while they had the focus.
QList<QWidget*> recorre(QWidget* destino, bool atras, QStringList* ocultas = nullptr) {
    QList<QWidget*> pasadas;
    for (int i = 0; i < 200 && QApplication::focusWidget() != destino; ++i) {
        QWidget* f = QApplication::focusWidget();
        if (!f) break;
        QTest::keyClick(f, atras ? Qt::Key_Backtab : Qt::Key_Tab, atras ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* ahora = QApplication::focusWidget();
        if (!ahora) break;
        pasadas << ahora;
        if (ocultas && ahora->visibleRegion().isEmpty()) *ocultas << ahora->objectName();
    }
    return pasadas;
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

    // Alt+D: the debt page; Tab brings the balance frame with box 180 and the payment.
    QTest::keyClick(w.get(), Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(w->tabPrincipal()->currentIndex(), 2);
    teclea(w->TxtValor(180), "0");
    EXPECT_EQ(w->hsDeuda()->value(), 2);
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

// On every page of a new, a stored and a sent declaration: no stop Tab reaches lacks a name or is a
// scroll area or scroll bar, and every Alt letter shown answers one control only.
TEST_F(Teclado, NingunaParadaSinNombreNiOcultaYCadaLetraAltUnaVez) {
    for (int caso = 0; caso < 3; ++caso) {
        std::unique_ptr<Frm0738> w = caso == 0 ? abre(1) : caso == 1 ? abre(2) : abreEnviada("002");
        if (caso == 0) {
            // A declarant and the rectification answered: the other pages open.
            eligeEnLista(w->CmbRuc(), kRucNuevo);
            w->opcion(Pregunta::Rectifica, Opcion::No)->click();
        }
        for (auto [pagina, sub] : kPaginas) {
            muestraPagina(*w, pagina, sub);
            ASSERT_EQ(w->tabPrincipal()->currentIndex(), pagina) << caso;
            for (int posicion : {1, 2}) {
                if (pagina != 2 && posicion == 2) continue;
                if (pagina == 2) w->hsDeuda()->setValue(posicion);
                const std::string donde = "case " + std::to_string(caso) + ", " + nombrePagina(*w);
                const QStringList dudosas = paradasDudosas(w.get());
                EXPECT_TRUE(dudosas.isEmpty()) << donde << ":\n" << dudosas.join("\n").toStdString();
                const QStringList repetidas = letrasRepetidas(w.get());
                EXPECT_TRUE(repetidas.isEmpty()) << donde << ":\n" << repetidas.join("\n").toStdString();
            }
        }
    }
}

// Tab from each page's strip to "V&alidar" passes every box of the page, each shown where the page
// scrolls; on the debt page that includes the balance frame (box 180) and the payment. Shift+Tab goes
// back through the same boxes to the strip.
TEST_F(Teclado, TabRecorreCadaPaginaHastaLosBotonesYShiftTabVuelve) {
    auto w = abre(2);
    for (auto [pagina, sub] : kPaginas) {
        muestraPagina(*w, pagina, sub);
        if (pagina == 2) w->hsDeuda()->setValue(1);
        QWidget* pag = paginaMostrada(*w);
        const std::string donde = nombrePagina(*w);
        std::set<QWidget*> esperadas;
        for (int n = 1; n < 1000; ++n)
            if (QLineEdit* e = w->TxtValor(n); e && pag->isAncestorOf(e) && e->isEnabled() && !e->isHidden())
                esperadas.insert(e);
        QTabBar* tira = tiraMostrada(*w)->tabBar();
        tira->setFocus(Qt::OtherFocusReason);
        QStringList ocultas;
        const QList<QWidget*> ida = recorre(w->Cmdgeneral(0), false, &ocultas);
        ASSERT_EQ(QApplication::focusWidget(), w->Cmdgeneral(0)) << donde;
        EXPECT_TRUE(ocultas.isEmpty())
            << donde << ": focused out of sight: " << ocultas.join(", ").toStdString();
        for (QWidget* e : esperadas)
            EXPECT_TRUE(ida.contains(e)) << donde << ": Tab misses " << e->objectName().toStdString();
        if (pagina == 2) {
            EXPECT_TRUE(ida.contains(w->TxtValor(180))) << "box 180";
            EXPECT_TRUE(std::any_of(ida.begin(), ida.end(), [&](QWidget* f) {
                return w->formaPago()->isAncestorOf(f);
            })) << "the payment";
        }
        const QList<QWidget*> vuelta = recorre(tira, true, &ocultas);
        ASSERT_EQ(QApplication::focusWidget(), tira) << donde;
        for (QWidget* e : esperadas)
            EXPECT_TRUE(vuelta.contains(e))
                << donde << ": Shift+Tab misses " << e->objectName().toStdString();
        EXPECT_TRUE(ocultas.isEmpty())
            << donde << ": focused out of sight: " << ocultas.join(", ").toStdString();
        if (pagina == 2) {
            EXPECT_TRUE(vuelta.contains(w->TxtValor(180))) << "box 180 backwards";
        }
    }
}

// Enter in a sub-page's last box goes on to the first box of the next sub-page, or of the next page;
// never to a command (one more Enter there would validate a half-typed form).
TEST_F(Teclado, EnterTrasLaUltimaCasillaVaALaSiguienteSubpaginaNuncaAUnBoton) {
    auto w = abre(2);
    // Rentals and the fourth-category payers open for typing: page 3.2 has its boxes.
    w->opcion(Pregunta::Inmueble, Opcion::Si)->click();
    ASSERT_TRUE(tecleaCasilla(w->declaracion(), 107, "1000"));
    ASSERT_TRUE(w->TxtValor(223)->isEnabled());
    // Qt leaves Tab on the option that had the focus last: here the unchecked one.
    muestraPagina(*w, 3, 1);
    w->opcion(Pregunta::Devolucion, Opcion::Si)->setFocus(Qt::OtherFocusReason);
    const auto caja = [&](int n) { return std::function<QWidget*()>([&w, n] { return w->TxtValor(n); }); };
    const std::function<QWidget*()> ultimaDelPago = [&w]() -> QWidget* {
        QWidget* u = nullptr;
        for (QWidget* f : paradasDeTab(w.get()))
            if (w->formaPago()->isAncestorOf(f)) u = f;
        return u;
    };
    const std::function<QWidget*()> fecha = [&w]() -> QWidget* { return w->MkeFecNac(); };
    const std::function<QWidget*()> ninguna;
    struct Caso {
        int pagina, sub;
        std::function<QWidget*()> desde;
        int paginaDestino, subDestino;
        std::function<QWidget*()> destino;  // empty: the first box of the page reached
    };
    const Caso casos[] = {
        {1, 0, caja(102), 1, 1, caja(105)},
        {1, 1, caja(106), 1, 2, caja(107)},
        {1, 2, caja(111), 1, 3, caja(519)},
        {1, 3, caja(117), 2, -1, caja(122)},
        {2, -1, caja(132), 2, -1, ninguna},  // the balance frame comes
        {2, -1, ultimaDelPago, 3, 0, caja(811)},
        // The IES question's chosen option (box 260 holds "No"), whichever option had the focus before.
        {3, 0, fecha, 3, 1, [&w]() -> QWidget* { return w->opcion(Pregunta::Devolucion, Opcion::No); }},
        {3, 1, caja(203), 3, 2, caja(819)},
        {3, 2, caja(223), 3, 3,
         [&w]() -> QWidget* { return w->findChild<QTableWidget*>("Grid_Dividendos"); }},
    };
    for (const Caso& c : casos) {
        muestraPagina(*w, c.pagina, c.sub);
        if (c.pagina == 2 && c.sub == -1) w->hsDeuda()->setValue(c.desde() == w->TxtValor(132) ? 1 : 2);
        QWidget* desde = c.desde();
        ASSERT_NE(desde, nullptr);
        const std::string donde = nombrePagina(*w) + " " + desde->objectName().toStdString();
        desde->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), desde) << donde;
        QTest::keyClick(desde, Qt::Key_Return);
        QWidget* f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr) << donde;
        EXPECT_EQ(qobject_cast<QPushButton*>(f), nullptr) << donde << " → " << f->objectName().toStdString();
        EXPECT_EQ(w->tabPrincipal()->currentIndex(), c.paginaDestino) << donde;
        if (c.subDestino >= 0) {
            EXPECT_EQ(tiraMostrada(*w)->currentIndex(), c.subDestino) << donde;
        }
        if (c.destino) {
            EXPECT_EQ(f, c.destino()) << donde << " → " << f->objectName().toStdString();
        } else {
            // The first stop of the page reached that is not its strip.
            QWidget* primera = nullptr;
            for (QWidget* p : paradasDeTab(w.get()))
                if (paginaMostrada(*w)->isAncestorOf(p) && !qobject_cast<QTabBar*>(p)) {
                    primera = p;
                    break;
                }
            EXPECT_EQ(f, primera) << donde << " → " << f->objectName().toStdString() << ", not "
                                  << (primera ? primera->objectName().toStdString() : "none");
        }
        if (c.desde() == w->TxtValor(132)) {
            EXPECT_EQ(w->hsDeuda()->value(), 2);
            EXPECT_TRUE(w->fraDeuda(3)->isAncestorOf(f)) << f->objectName().toStdString();
        }
    }
    EXPECT_FALSE(w->Cmdgeneral(0)->hasFocus());
}

// Where the keyboard starts: the taxpayer list of a new declaration (F4 opens it), the order number
// of a sent one, the telephone of a stored one; never the tab strip.
TEST_F(Teclado, ElPrimerFocoEsElCampoQueSeLlenaPrimero) {
    {
        auto w = abre(1);
        EXPECT_EQ(QApplication::focusWidget(), w->CmbRuc());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        EXPECT_TRUE(w->CmbRuc()->view()->isVisible());
        w->CmbRuc()->hidePopup();
    }
    {
        auto w = abreEnviada("002");
        EXPECT_EQ(QApplication::focusWidget(), w->txtOrden());
    }
    {
        auto w = abre(2);
        EXPECT_EQ(QApplication::focusWidget(), w->TxtTelefono());
    }
}

// A page change that the identification checks refuse leaves the focus on what must be answered.
TEST_F(Teclado, TrasUnCambioDePaginaRechazadoElFocoQuedaEnLoQueFalta) {
    {
        auto w = abre(1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
        EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
        ASSERT_FALSE(env.dialogos().mostrados.empty());
        EXPECT_EQ(env.dialogos().mostrados.back().texto, "Debe seleccionar un declarante");
        EXPECT_EQ(QApplication::focusWidget(), w->CmbRuc());
    }
    {
        auto w = abre(1);
        eligeEnLista(w->CmbRuc(), kRucNuevo);
        env.dialogos().mostrados.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
        EXPECT_TRUE(env.dialogos().textos().contains("Indique si es rectificatoria"))
            << env.dialogos().textos().join("|").toStdString();
        EXPECT_EQ(QApplication::focusWidget(), w->opcion(Pregunta::Rectifica, Opcion::Si));
        // Answered by the keyboard from there, the page opens.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        ASSERT_TRUE(w->opcion(Pregunta::Rectifica, Opcion::No)->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(w->tabPrincipal()->currentIndex(), 2);
    }
}

// On page 3 Alt+D and Alt+I choose its sub-pages; elsewhere they choose their main pages again.
TEST_F(Teclado, LasLetrasAltDeLaPagina3EligenSusSubpaginas) {
    auto w = abre(2);
    w->TxtTelefono()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(w->tabPrincipal()->currentIndex(), 3);
    w->SSTab3()->setCurrentIndex(2);
    const std::pair<Qt::Key, int> subpaginas[] = {{Qt::Key_D, 0}, {Qt::Key_I, 1}, {Qt::Key_D, 0}};
    for (auto [letra, sub] : subpaginas) {
        QTest::keyClick(QApplication::focusWidget(), letra, Qt::AltModifier);
        EXPECT_EQ(w->tabPrincipal()->currentIndex(), 3) << sub;
        EXPECT_EQ(w->SSTab3()->currentIndex(), sub);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
    ASSERT_EQ(w->tabPrincipal()->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(w->tabPrincipal()->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
}
