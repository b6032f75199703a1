#include <gtest/gtest.h>

#include <QAction>
#include <QScrollBar>
#include <QTest>

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
