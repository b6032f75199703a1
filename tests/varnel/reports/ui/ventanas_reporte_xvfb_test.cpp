// The print selection, the page range and the viewer on a real display: every caption, label,
// button and field is shown whole inside its window. With QVR_CAPTURAS set each window is saved
// there as a PNG to be looked at (run it again with QT_SCALE_FACTOR=1.5 for the larger scale).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/imprimir_datos.h"
#include "support/lists_barra.h"
#include "support/lists_fixture.h"
#include "support/reports_archivos.h"
#include "varnel/reports/ui/frmPreview.h"
#include "varnel/reports/ui/frm_imprimir.h"

using namespace qvr;
using namespace qvr::reporte;

namespace {

// Width the widget needs to show its text whole.
int anchoNecesario(QWidget* c) {
    if (auto* g = qobject_cast<QGroupBox*>(c))
        return g->fontMetrics().horizontalAdvance(g->title().remove('&')) + 16;
    if (auto* l = qobject_cast<QLineEdit*>(c)) return l->fontMetrics().horizontalAdvance(l->text()) + 6;
    return c->sizeHint().width();
}

void revisa(QWidget& w, const QString& nombre) {
    QApplication::processEvents();
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (!c->isVisible()) continue;
        if (!(qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c) || qobject_cast<QGroupBox*>(c) ||
              qobject_cast<QLineEdit*>(c)))
            continue;
        if (qobject_cast<QToolBar*>(c->parentWidget())) continue;  // icons with tool tips
        const QRect r(c->mapTo(&w, QPoint(0, 0)), c->size());
        const std::string que =
            nombre.toStdString() + ": " + c->metaObject()->className() + " " + c->objectName().toStdString();
        EXPECT_TRUE(w.rect().contains(r)) << que;
        EXPECT_GE(c->width(), anchoNecesario(c)) << que;
        EXPECT_GE(c->height(), c->minimumSizeHint().height()) << que;
    }
    const QString carpeta = qEnvironmentVariable("QVR_CAPTURAS");
    if (!carpeta.isEmpty()) {
        QDir().mkpath(carpeta);
        w.grab().save(carpeta + "/" + nombre + ".png");
    }
}

void muestra(QWidget& w) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
}

}  // namespace

TEST(VentanasReporte, NadaCortado) {
    for (bool enviadas : {false, true}) {
        prueba::Entorno e;
        creaTablasAnexo(e.base());
        e.agregaUsuario("DEMO", "0");
        prueba::agregaDeclaracionImpresion(e, "10203040506", "QUISPE MAMANI JOSE ANTONIO");
        if (enviadas) prueba::agregaEnviada(e.base(), "10203040506", "001");
        auto s = prueba::sesionListas(e, "DEMO");
        s->RutaReportes = e.sistema() + "RPT";
        ValoresEjecucion v;
        v.ListaEnviadas = enviadas;
        prueba::BarraEstadoMemoria barra;
        FrmImprimir w(*s, v, barra);
        muestra(w);
        w.OptImp(3)->click();
        // The taxpayer number fits its column.
        QTableView* grid = w.findChild<QTableView*>("grdContrib");
        ASSERT_TRUE(grid);
        EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance("10203040506") + 8);
        revisa(w, enviadas ? "frmImprimir_enviadas" : "frmImprimir");
        if (enviadas) continue;

        FrmImpxPag r(12, "00000001.PRN", {}, &w);
        muestra(r);
        revisa(r, "frmImpxPag");
        r.hide();

        prueba::escribeReporte(s->RutaReportes, "00000001.PRN", prueba::reporteDeHojas(2));
        frmPreview p(s->RutaReportes, {}, &w);
        p.visor().fijaRut("00000001.PRN");
        ASSERT_TRUE(p.carga());
        muestra(p);
        revisa(p, "frmPreview");
    }
}
