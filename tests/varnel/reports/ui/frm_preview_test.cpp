#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "platform/printer.h"
#include "platform/ui/impresora_qt.h"
#include "platform/ui/interfaz.h"
#include "support/accesible.h"
#include "support/entorno.h"
#include "support/reports_archivos.h"
#include "varnel/reports/ui/frmPreview.h"

using namespace qvr;
using namespace qvr::reporte;

TEST(FrmPreview, BarraDesplazamientoYCierre) {
    prueba::Entorno env;
    const QString rpt = env.sistema() + "RPT";
    prueba::escribeReporte(rpt, "00000001.PRN", prueba::reporteDeHojas(3));
    frmPreview f(rpt, {});
    f.visor().fijaRut("00000001.PRN");
    ASSERT_TRUE(f.carga());
    f.resize(500, 400);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.windowTitle(), "Presentación Preliminar");
    const char* tips[] = {"Pag Anterior", "Pag Sgt", "Imprimir", "Salir"};
    for (int i = 2; i <= 5; ++i) EXPECT_EQ(f.accion(i)->toolTip(), QString::fromUtf8(tips[i - 2]));

    // The two vertical bars move together and move the picture; the horizontal bar moves it sideways.
    ASSERT_GT(f.vsbPic(1)->maximum(), 100);
    f.vsbPic(1)->setValue(100);
    EXPECT_EQ(f.vsbPic(0)->value(), 100);
    EXPECT_EQ(f.posicionPagina().y(), -100);
    ASSERT_GT(f.hScroll1()->maximum(), 30);
    f.hScroll1()->setValue(30);
    EXPECT_EQ(f.posicionPagina().x(), -30);

    f.accion(3)->trigger();
    EXPECT_EQ(f.visor().iNroHoja(), 1);
    EXPECT_EQ(f.vsbPic(0)->value(), 0);
    EXPECT_EQ(f.vsbPic(1)->value(), 0);
    f.accion(3)->trigger();
    f.accion(3)->trigger();
    EXPECT_EQ(f.visor().iNroHoja(), 2);
    f.accion(2)->trigger();
    EXPECT_EQ(f.visor().iNroHoja(), 1);
    EXPECT_FALSE(f.grab().isNull());

    f.accion(5)->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

TEST(FrmPreview, ArchivoDanadoCierraConMensaje) {
    prueba::Entorno env;
    const QString rpt = env.sistema() + "RPT";
    QList<QByteArray> l = prueba::reporteDeHojas(1);
    l += "pPos|1|2|texto|True|8|0";  // no closing "|"
    prueba::escribeReporte(rpt, "00000002.PRN", l);
    frmPreview f(rpt, {});
    f.visor().fijaRut("00000002.PRN");
    EXPECT_FALSE(f.carga());
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Error");
}

namespace {
struct ImpresionesContadas : Impresora {
    explicit ImpresionesContadas(int& n) : n_(n) {}
    bool comienza(OrientacionHoja) override { return empieza(); }
    bool nuevaPagina(OrientacionHoja) override {
        p_.end();
        return empieza();
    }
    QPainter& pintor() override { return p_; }
    double resolucion() const override { return 10; }
    bool termina() override {
        p_.end();
        ++n_;
        return true;
    }
    void aborta() override { p_.end(); }

  private:
    bool empieza() {
        img_ = QImage(90, 120, QImage::Format_RGB32);
        return p_.begin(&img_);
    }
    int& n_;
    QImage img_;
    QPainter p_;
};

void rueda(QWidget* w, int angulo) {
    const QPointF c(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(c, w->mapToGlobal(c), QPoint(), QPoint(0, angulo), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(w, &e);
}
}  // namespace

// The viewer through the keyboard and the wheel alone.
TEST(FrmPreview, TecladoYRueda) {
    instalaEnterEnBotones(*qApp);  // as the program's start-up does
    prueba::Entorno env;
    const QString rpt = env.sistema() + "RPT";
    prueba::escribeReporte(rpt, "00000001.PRN", prueba::reporteDeHojas(4));
    int impresos = 0;
    const auto previa = instalaImpresora([&impresos] { return std::make_unique<ImpresionesContadas>(impresos); });
    frmPreview f(rpt, {});
    f.visor().fijaRut("00000001.PRN");
    ASSERT_TRUE(f.carga());
    f.resize(500, 400);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QWidget* pagina = f.findChild<QWidget*>("picFondo");
    ASSERT_TRUE(pagina);
    EXPECT_EQ(QApplication::focusWidget(), pagina);

    struct Paso {
        int tecla;
        Qt::KeyboardModifiers mod;
        int hoja, vertical, horizontal;
    } pasos[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 1, 0, 0}, {Qt::Key_PageDown, Qt::NoModifier, 2, 0, 0},
        {Qt::Key_PageUp, Qt::NoModifier, 1, 0, 0},   {Qt::Key_End, Qt::NoModifier, 3, 0, 0},
        {Qt::Key_PageDown, Qt::NoModifier, 3, 0, 0}, {Qt::Key_Home, Qt::NoModifier, 0, 0, 0},
        {Qt::Key_Down, Qt::NoModifier, 0, 20, 0},    {Qt::Key_Down, Qt::NoModifier, 0, 40, 0},
        {Qt::Key_Right, Qt::NoModifier, 0, 40, 20},  {Qt::Key_Up, Qt::NoModifier, 0, 20, 20},
        {Qt::Key_Left, Qt::NoModifier, 0, 20, 0},
    };
    for (const auto& p : pasos) {
        QTest::keyClick(pagina, Qt::Key(p.tecla), p.mod);
        EXPECT_EQ(f.visor().iNroHoja(), p.hoja) << p.tecla;
        EXPECT_EQ(f.vsbPic(0)->value(), p.vertical) << p.tecla;
        EXPECT_EQ(f.vsbPic(1)->value(), p.vertical) << p.tecla;
        EXPECT_EQ(f.hScroll1()->value(), p.horizontal) << p.tecla;
        EXPECT_EQ(f.posicionPagina(), QPoint(-p.horizontal, -p.vertical)) << p.tecla;
    }

    // The wheel scrolls; at the bottom it goes on to the next page, at the top back to the previous.
    rueda(pagina, -120);
    EXPECT_EQ(f.vsbPic(0)->value(), 80);
    f.vsbPic(0)->setValue(f.vsbPic(0)->maximum());
    rueda(pagina, -120);
    EXPECT_EQ(f.visor().iNroHoja(), 1);
    EXPECT_EQ(f.vsbPic(0)->value(), 0);
    rueda(pagina, 120);
    EXPECT_EQ(f.visor().iNroHoja(), 0);
    EXPECT_EQ(f.vsbPic(0)->value(), f.vsbPic(0)->maximum());

    // Tab and Shift+Tab go round the toolbar's five buttons (the four and "Ajustar al ancho") and
    // the page.
    QSet<QWidget*> vistos;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        vistos << QApplication::focusWidget();
    }
    EXPECT_EQ(vistos.size(), 6);
    EXPECT_TRUE(vistos.contains(pagina));
    QWidget* siguiente = nullptr;
    for (QToolButton* b : f.findChildren<QToolButton*>())
        if (b->defaultAction() == f.accion(3)) siguiente = b;
    ASSERT_TRUE(siguiente);
    EXPECT_TRUE(vistos.contains(siguiente));
    QWidget* antes = QApplication::focusWidget();
    QTest::keyClick(antes, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), antes);

    // Enter on a focused button presses it; Ctrl+P prints; Escape closes.
    siguiente->setFocus();
    QTest::keyClick(siguiente, Qt::Key_Return);
    EXPECT_EQ(f.visor().iNroHoja(), 1);
    QTest::keyClick(pagina, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(impresos, 1);
    EXPECT_EQ(f.visor().iNroHoja(), 1);  // printing leaves the preview where it was
    QTest::keyClick(pagina, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(env.dialogos().mostrados.empty());
    instalaImpresora(previa);
}

namespace {

// Pixels of the rectangle that are clearly darker than the page's background (drawn text).
int oscuros(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = std::max(0, r.top()); y <= std::min(img.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(img.width() - 1, r.right()); ++x)
            if (qGray(img.pixel(x, y)) < 100) ++n;
    return n;
}

// Share of the inked 4 x 4 pixel cells (dark pixels: text and frames) of one picture that have no
// ink near them (within a cell) in the other: pictures drawn alike by two renderers agree within a
// pixel or two, text missing from one of them does not.
double diferencia(const QImage& a, const QImage& b) {
    const int w = std::min(a.width(), b.width()) / 4, h = std::min(a.height(), b.height()) / 4;
    auto tinta = [w, h](const QImage& img) {
        std::vector<int> t(size_t(w * h));
        for (int y = 0; y < h * 4; ++y)
            for (int x = 0; x < w * 4; ++x) t[size_t(y / 4 * w + x / 4)] += qGray(img.pixel(x, y)) < 128;
        return t;
    };
    const std::vector<int> p = tinta(a), q = tinta(b);
    auto cerca = [w, h](const std::vector<int>& t, int x, int y) {
        for (int j = std::max(0, y - 1); j <= std::min(h - 1, y + 1); ++j)
            for (int i = std::max(0, x - 1); i <= std::min(w - 1, x + 1); ++i)
                if (t[size_t(j * w + i)] > 0) return true;
        return false;
    };
    qint64 distintas = 0, conTinta = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int k = y * w + x;
            if (p[size_t(k)] >= 3) ++conTinta, distintas += !cerca(q, x, y);
            if (q[size_t(k)] >= 3) ++conTinta, distintas += !cerca(p, x, y);
        }
    return conTinta ? double(distintas) / double(conTinta) : 0.0;
}

QString corre(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

// The declaration report's dividends page is landscape: the preview shows it landscape, its
// right-hand column ("Retención" and its total) is reached by scrolling to the right edge, the
// page's text is what a screen reader gets, and every page is the page the PDF prints.
TEST(FrmPreview, CadaHojaEnSuOrientacionComoSeImprime) {
    prueba::Entorno env;
    const QString rpt = env.sistema() + "RPT";
    ASSERT_TRUE(QFile::copy(QVR_FIXTURES "/imprimir/declaracion.PRN", rpt + "/00000009.PRN"));
    frmPreview f(rpt, {});
    f.visor().fijaRut("00000009.PRN");
    ASSERT_TRUE(f.carga());
    f.resize(900, 700);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QWidget* panel = f.pagina();
    const double ppp = panel->logicalDpiY();

    EXPECT_LT(f.tamanoPagina().width(), f.tamanoPagina().height());
    for (int i = 0; i < 4; ++i) f.pulsaBoton(3);
    ASSERT_EQ(f.visor().iNroHoja(), 4);
    const QSize t = f.tamanoPagina();
    EXPECT_NEAR(double(t.width()) / t.height(), 11.69 / 8.27, 0.01);
    EXPECT_EQ(f.visor().imagen(4, ppp).size(), t);

    // Scrolled to the right and bottom edges, the page's corner is the panel's corner.
    f.hScroll1()->setValue(f.hScroll1()->maximum());
    f.vsbPic(0)->setValue(f.vsbPic(0)->maximum());
    EXPECT_EQ(f.posicionPagina().x() + t.width(), panel->width());
    EXPECT_EQ(f.posicionPagina().y() + t.height(), panel->height());
    // "Retención" (x 12970, y 2460 twips) and its total (y 3540) are drawn where the panel shows them.
    f.vsbPic(0)->setValue(0);
    const QImage vista = panel->grab().toImage().scaled(panel->size());
    auto enPanel = [&](int x, int y) {
        return QRect(int(x * ppp / 1440) + f.posicionPagina().x(),
                     int(y * ppp / 1440) + f.posicionPagina().y(), int(1600 * ppp / 1440),
                     int(150 * ppp / 1440));
    };
    for (int y : {2460, 3540}) {
        const QRect r = enPanel(12970, y);
        EXPECT_TRUE(QRect(QPoint(), panel->size()).contains(r)) << y;
        EXPECT_GT(oscuros(vista, r), 5) << y;
    }

    // Fitted to the width, the whole width shows without sideways scrolling.
    f.ajusteAncho()->setChecked(true);
    EXPECT_EQ(f.tamanoPagina().width(), panel->width());
    EXPECT_EQ(f.hScroll1()->maximum(), 0);
    EXPECT_EQ(f.posicionPagina().x(), 0);
    EXPECT_LT(f.escala(), 1.0);
    f.ajusteAncho()->setChecked(false);
    EXPECT_EQ(f.tamanoPagina(), t);

    // The page's text, line by line, for a screen reader.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(panel);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->text(QAccessible::Name), "Página del reporte, hoja 5 de 5");
    ASSERT_TRUE(a->textInterface());
    const QString texto = a->textInterface()->text(0, a->textInterface()->characterCount());
    const QStringList lineas = texto.split('\n');
    EXPECT_TRUE(
        lineas.contains("R.U.C. Razón Social Fecha de Pago del Dividendo Dividendo percibido Retención"))
        << texto.toStdString();
    EXPECT_TRUE(lineas.contains("Cantidad total de registros :3 Totales : 3,003 126")) << texto.toStdString();
    EXPECT_TRUE(a->state().readOnly);
    EXPECT_EQ(prueba::sinNombre(&f), QStringList());

    // The PDF: the same pages in the same orientations, drawn alike.
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("d.pdf");
    const auto previa = instalaImpresora([pdf] { return impresoraPdf(pdf); });
    f.pulsaBoton(4);
    instalaImpresora(previa);
    EXPECT_EQ(f.visor().iNroHoja(), 4);
    ASSERT_TRUE(QFile::exists(pdf));
    corre(pdftoppm, {"-r", "96", "-png", pdf, dir.filePath("h")});
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    IndiceReporte indice;
    ASSERT_TRUE(indice.abre(rpt + "/00000009.PRN", {}));
    ASSERT_TRUE(indice.avanzaTodo());
    ASSERT_EQ(indice.paginas(), f.visor().paginas());
    for (int n = 0; n < f.visor().paginas(); ++n) {
        const QImage impresa(dir.filePath(QString("h-%1.png").arg(n + 1)));
        ASSERT_FALSE(impresa.isNull()) << n;
        const QImage previa = f.visor().imagen(n, 96);
        EXPECT_LE(std::abs(impresa.width() - previa.width()), 1) << n;
        EXPECT_LE(std::abs(impresa.height() - previa.height()), 1) << n;
        EXPECT_LT(diferencia(impresa, previa), 0.01) << n;
        if (n == 4) {
            // The comparison notices the right-hand column missing, as a portrait picture cut it.
            QImage cortada = previa.copy();
            QPainter(&cortada).fillRect(QRect(int(8.27 * 96), 0, cortada.width(), cortada.height()),
                                        previa.pixelColor(cortada.width() - 1, cortada.height() - 1));
            EXPECT_GT(diferencia(impresa, cortada), 0.03);
        }
        if (pdftotext.isEmpty()) continue;
        QString impreso = corre(
            pdftotext, {"-layout", "-f", QString::number(n + 1), "-l", QString::number(n + 1), pdf, "-"});
        impreso.remove(QRegularExpression("\\s"));
        indice.recorre(n, [&](const Registro& r) {
            const QString t = r.textoUnicode().remove(QRegularExpression("\\s"));
            EXPECT_TRUE(impreso.contains(t)) << n << ": " << t.toStdString();
        });
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QString("h-%1.png").arg(f.visor().paginas() + 1))));
}
