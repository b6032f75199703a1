#include <gtest/gtest.h>

#include <QAction>
#include <QScrollBar>
#include <QApplication>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "platform/printer.h"
#include "support/entorno.h"
#include "support/reports_archivos.h"
#include "platform/ui/interfaz.h"
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

    // Tab and Shift+Tab go round the toolbar's four buttons and the page.
    QSet<QWidget*> vistos;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        vistos << QApplication::focusWidget();
    }
    EXPECT_EQ(vistos.size(), 5);
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
