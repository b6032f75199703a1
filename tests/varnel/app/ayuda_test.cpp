// The help answers in every window: each topic a window, page or menu assigns is an anchor of the
// help file, F1 in each window of Varnel opens the help at that window's topic, Escape closes it,
// and the help window fits the screen. Runs on a 1024×768 offscreen screen (tests/CMakeLists.txt).
#include "varnel/app/ui/ayuda.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QPushButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "host/entorno_demo.h"
#include "lotmira/instalador.h"
#include "platform/dialogs.h"
#include "varnel/annexes/ui/frm_exoneradas.h"
#include "varnel/annexes/ui/panel_anexo.h"
#include "varnel/app/comandos.h"
#include "varnel/app/ui/acerca_de.h"
#include "varnel/app/ui/frm_principal.h"
#include "varnel/computation/ui/frm_consist.h"
#include "varnel/declaration/ui/frm0738.h"
#include "varnel/declaration/ui/frm0738_diseno.h"
#include "varnel/reports/ui/frm_imp_x_pag.h"
#include "varnel/ventanas.h"

using namespace qvr;

namespace {

const QString kAyudaFuente = QStringLiteral(QVR_SOURCE_DIR "/varnel/app/ui/ayuda/Varnel.html");

QString leeTexto(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

// The anchors of a help file, each with the heading it opens at, and the links of its contents.
struct ArchivoAyuda {
    QMap<QString, QString> titulos;
    QStringList repetidas;
    QStringList enlaces;
};

ArchivoAyuda leeAyuda(const QString& ruta) {
    const QString html = leeTexto(ruta);
    ArchivoAyuda a;
    static const QRegularExpression ancla("<a\\s+name=\"([^\"]+)\"\\s*>\\s*</a>");
    static const QRegularExpression etiqueta("<[^>]*>");
    for (const QRegularExpressionMatch& m : ancla.globalMatch(html)) {
        const QString nombre = m.captured(1);
        if (a.titulos.contains(nombre)) a.repetidas << nombre;
        const qsizetype fin = html.indexOf("</h", m.capturedEnd());
        QString titulo = html.mid(m.capturedEnd(), fin < 0 ? 0 : fin - m.capturedEnd());
        a.titulos.insert(nombre, titulo.remove(etiqueta).simplified());
    }
    static const QRegularExpression enlace("href=\"#([^\"]+)\"");
    for (const QRegularExpressionMatch& m : enlace.globalMatch(html)) a.enlaces << m.captured(1);
    return a;
}

const ArchivoAyuda& ayuda() {
    static const ArchivoAyuda a = leeAyuda(kAyudaFuente);
    return a;
}

// Whether the block that carries anchor `nombre` is within the part of the document shown.
bool anclaALaVista(const QTextBrowser& b, const QString& nombre) {
    const QTextDocument* doc = b.document();
    for (QTextBlock bloque = doc->begin(); bloque.isValid(); bloque = bloque.next()) {
        for (auto it = bloque.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().anchorNames().contains(nombre)) continue;
            const QRectF r = doc->documentLayout()->blockBoundingRect(bloque);
            const int arriba = b.verticalScrollBar()->value();
            return r.top() >= arriba - 1 && r.top() < arriba + b.viewport()->height();
        }
    }
    return false;
}

// Varnel over a demonstration environment in a temporary folder: the main window with every
// window registered, as the program runs, its message boxes scripted.
class SuiteAyuda : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QByteArray windirPrevio = qgetenv("WINDIR");
    std::shared_ptr<DialogosScript> guion = std::make_shared<DialogosScript>();
    std::shared_ptr<Dialogos> dialogosPrevios;
    RegistroVentanas registro;
    Aplicacion app;
    std::unique_ptr<FrmPrincipal> principal;

    void SetUp() override {
        dialogosPrevios = instalaDialogos(guion);
        qputenv("WINDIR", QFile::encodeName(dir.filePath("windows")));
        QDir().mkpath(dir.filePath("windows"));
        ASSERT_TRUE(host::creaEntornoDemo(dir.filePath("demo"), true).ok);
        ASSERT_EQ(InstalaTablas(), 0);
        registraVentanasVarnel(registro);
        principal = std::make_unique<FrmPrincipal>(app, registro);
        ASSERT_TRUE(principal->carga());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(principal.get()));
    }
    void TearDown() override {
        principal.reset();
        instalaDialogos(dialogosPrevios);
        qputenv("WINDIR", windirPrevio);
    }

    // F1 in `ventana` (on `foco`, else on its focused control) opens the help at `tema`, with the
    // topic's heading in view; Escape closes the help again.
    void f1(QWidget* ventana, int tema, QWidget* foco = nullptr) {
        SCOPED_TRACE(ventana->windowTitle().toStdString() + " " + std::to_string(tema));
        if (!ventana->isVisible()) {
            ventana->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana));
        }
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana));
        if (foco) foco->setFocus(Qt::OtherFocusReason);
        QWidget* destino = QApplication::focusWidget();
        if (!destino || destino->window() != ventana) destino = ventana;
        FrmAyuda* previa = principal->ventanaAyuda();
        ASSERT_TRUE(!previa || !previa->isVisible());
        QTest::keyClick(destino, Qt::Key_F1);
        FrmAyuda* a = principal->ventanaAyuda();
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->isVisible()) << "F1 opened no help";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(a));
        QApplication::processEvents();
        EXPECT_EQ(a->contexto(), tema);
        EXPECT_TRUE(ayuda().titulos.contains(QString::number(tema))) << "no anchor " << tema;
        EXPECT_TRUE(anclaALaVista(*a->navegador(), QString::number(tema)));
        EXPECT_TRUE(a->screen()->availableGeometry().contains(a->frameGeometry()));
        a->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(a));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : a, Qt::Key_Escape);
        EXPECT_FALSE(a->isVisible()) << "Escape left the help open";
    }
};

}  // namespace

// Every anchor is there once, every link of the contents leads to one, and every topic that a page,
// a menu or a field assigns has its section with a heading.
TEST(ArchivoDeAyuda, CadaTemaAsignadoTieneSuSeccion) {
    const ArchivoAyuda& a = ayuda();
    EXPECT_TRUE(a.repetidas.isEmpty()) << a.repetidas.join(", ").toStdString();
    for (const QString& e : a.enlaces)
        EXPECT_TRUE(a.titulos.contains(e)) << "link to a missing anchor " << e.toStdString();
    std::vector<int> temas = {kContextoPrincipal, 1045};
    for (const auto* tabla :
         {&ui::pestanasPrincipal(), &ui::pestanasSSTab2(), &ui::pestanasSSTab3(), &ui::pestanasSSTab5()})
        for (const ui::Pestana& p : *tabla) temas.push_back(p.ayuda);
    for (const MenuPrincipal& m : menusPrincipales()) temas.push_back(m.contextoAyuda);
    for (int t : temas) {
        const QString n = QString::number(t);
        ASSERT_TRUE(a.titulos.contains(n)) << "no anchor " << t;
        EXPECT_FALSE(a.titulos.value(n).isEmpty()) << t;
    }
    // Each page of the declaration window has a section of its own: no page opens another's text.
    std::map<int, QString> porPagina;
    for (const auto* tabla : {&ui::pestanasSSTab2(), &ui::pestanasSSTab3(), &ui::pestanasSSTab5()})
        for (const ui::Pestana& p : *tabla) porPagina[p.ayuda] = p.caption;
    EXPECT_EQ(porPagina.size(),
              ui::pestanasSSTab2().size() + ui::pestanasSSTab3().size() + ui::pestanasSSTab5().size());
    for (const MenuPrincipal& m : menusPrincipales())
        EXPECT_EQ(porPagina.count(m.contextoAyuda), 0u) << m.contextoAyuda;
}

TEST_F(SuiteAyuda, F1EnCadaVentanaAbreSuTemaYEscapeLaCierra) {
    f1(principal.get(), kContextoPrincipal);
    {
        frmAcercaDe acerca(principal.get());
        f1(&acerca, 1001);
    }

    // The declaration window, page by page.
    app.valores.ModoDeclaracion = 1;
    auto* w = new Frm0738(app, principal.get());
    f1(w, 1051, w->tabPrincipal()->tabBar());
    w->CmbRuc()->setCurrentIndex(0);
    w->opcion(Pregunta::Rectifica, Opcion::No)->click();
    w->opcion(Pregunta::Inmueble, Opcion::Si)->click();
    for (int pagina : {1, 2, 3}) {
        w->tabPrincipal()->setCurrentIndex(pagina);
        ASSERT_EQ(w->tabPrincipal()->currentIndex(), pagina) << guion->textos().join("\n").toStdString();
        f1(w, ui::pestanasPrincipal()[size_t(pagina)].ayuda, w->tabPrincipal()->tabBar());
        QTabWidget* sub = pagina == 1 ? w->SSTab2() : pagina == 3 ? w->SSTab3() : nullptr;
        const auto& tabla = pagina == 1 ? ui::pestanasSSTab2() : ui::pestanasSSTab3();
        for (int i = 0; sub && i < sub->count(); ++i) {
            sub->setCurrentIndex(i);
            f1(w, tabla[size_t(i)].ayuda, sub->tabBar());
        }
    }
    // The legal representative's and the spouse's fields.
    w->SSTab3()->setCurrentIndex(0);
    f1(w, 1045, w->TxtValor(811));
    f1(w, 1045, w->TxtValor(236));

    // The detail windows of boxes 200 and 201.
    {
        FrmExoneradas exoneradas(w->declaracion(), w);
        f1(&exoneradas, 1070);
    }
    {
        FrmInafectas inafectas(w->declaracion(), w);
        f1(&inafectas, 1070);
    }
    // The dividend window, opened by "&Nuevo" of the dividends list.
    w->SSTab3()->setCurrentIndex(3);
    PanelAnexo* panel = w->findChild<PanelAnexo*>();
    ASSERT_NE(panel, nullptr);
    bool visto = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        visto = true;
        f1(d, 1047);
        d->reject();
    });
    panel->comando(0)->click();
    EXPECT_TRUE(visto);
    {
        FrmConsist consist(QString(), {}, w);
        f1(&consist, 1071);
    }
    w->hide();
    delete w;

    // The lists, the queries and the print selection.
    struct Lista {
        Ventana ventana;
        int modo;
        bool enviadas;
        int consulta;
        int tema;
    } listas[] = {
        {Ventana::frmModFor, 2, false, 0, 1008},  {Ventana::frmModFor, 3, false, 0, 1008},
        {Ventana::frmModFor, 3, true, 0, 1042},   {Ventana::frmAbrirEnv, 2, false, 0, 1042},
        {Ventana::frmBancos, 0, false, 1, 1006},  {Ventana::frmBancos, 0, false, 2, 1006},
        {Ventana::frmBancos, 0, false, 3, 1006},  {Ventana::frmImprimir, 0, false, 0, 1072},
        {Ventana::frmImprimir, 0, true, 0, 1042},
    };
    for (const Lista& l : listas) {
        app.valores.ModoDeclaracion = l.modo;
        app.valores.ListaEnviadas = l.enviadas;
        app.valores.TipoConsulta = l.consulta;
        std::unique_ptr<QDialog> d(registro.crea(l.ventana, app, principal.get()));
        ASSERT_NE(d, nullptr);
        f1(d.get(), l.tema);
        if (l.ventana == Ventana::frmImprimir) {
            // The page-range window takes the print selection's topic.
            reporte::FrmImpxPag rango(3, "00000001.PRN", {}, d.get());
            f1(&rango, l.tema);
        }
    }
    EXPECT_TRUE(guion->mostrados.empty()) << guion->textos().join("\n").toStdString();
}

// The help window keeps its usual size where there is room and shrinks to a small screen (a
// 1024×768 screen at 150 % is 683×512), its frame always inside the screen's available part.
TEST(VentanaAyuda, CabeEnLaPantalla) {
    const QSize marco(16, 40);
    struct Caso {
        QRect area;
        QPoint centro;
    } casos[] = {
        {QRect(0, 0, 1024, 740), QPoint(400, 300)},
        {QRect(0, 0, 683, 512), QPoint(330, 260)},
        {QRect(0, 0, 683, 512), QPoint(680, 510)},
        {QRect(1024, 24, 800, 576), QPoint(1030, 30)},
    };
    for (const Caso& c : casos) {
        const QRect g = FrmAyuda::geometriaEn(c.area, c.centro, marco);
        EXPECT_TRUE(c.area.contains(QRect(g.topLeft(), g.size() + marco)))
            << c.area.width() << "x" << c.area.height();
        EXPECT_LE(g.width(), 620);
        EXPECT_LE(g.height(), 520);
    }
    EXPECT_EQ(FrmAyuda::geometriaEn(casos[0].area, casos[0].centro, marco).size(), QSize(620, 520));
    EXPECT_EQ(FrmAyuda::geometriaEn(casos[1].area, casos[1].centro, marco).height(), 512 - 40);

    FrmAyuda a;
    a.muestra(kAyudaFuente, 1043);
    a.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a));
    EXPECT_TRUE(a.screen()->availableGeometry().contains(a.frameGeometry()));
}

// The help an earlier version put in place is brought up to date; a help the host edited is kept.
TEST(VentanaAyuda, AyudaAnteriorSeActualizaYLaEditadaSeConserva) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("0738/Varnel.html");
    const QString anterior = leeTexto(QStringLiteral(QVR_FIXTURES "/ayuda/Varnel-anterior.html"));
    ASSERT_FALSE(anterior.isEmpty());
    const QString actual = leeTexto(origenAyuda());
    for (bool editada : {false, true}) {
        SCOPED_TRACE(editada);
        QDir().mkpath(dir.filePath("0738"));
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write((editada ? anterior + "<!-- nuestra -->" : anterior).toUtf8());
        f.close();
        ASSERT_TRUE(instalaAyuda(ruta));
        EXPECT_EQ(leeTexto(ruta), editada ? anterior + "<!-- nuestra -->" : actual);
    }
}
