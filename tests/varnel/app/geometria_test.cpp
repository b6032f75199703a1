// The suite's main windows reopen where the user left them (per user, in the settings file of the
// run's XDG_CONFIG_HOME): Varnel's main window (its place; its size is the designed one), the
// report viewer and the host's window (place and size).
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "host/ventana_orvelane.h"
#include "support/entorno.h"
#include "varnel/app/ui/frm_principal.h"
#include "varnel/app/ui/posiciona.h"
#include "varnel/reports/ui/frmPreview.h"
#include "varnel/ventanas.h"

using namespace qvr;

namespace {

// Opens a window, leaves it at `dejada`, closes it the way its user does, and opens it again.
struct Reapertura {
    const char* nombre;
    std::function<std::unique_ptr<QWidget>()> abre;
    std::function<void(QWidget&)> cierra;
    bool tamanoFijo;
};

}  // namespace

TEST(Geometria, LasVentanasPrincipalesVuelvenDondeLasDejoElUsuario) {
    prueba::Entorno env;
    QTemporaryDir programas;
    RegistroVentanas registro;
    registraVentanasVarnel(registro);
    Aplicacion app;
    const Reapertura casos[] = {
        {"Varnel's main window",
         [&]() -> std::unique_ptr<QWidget> {
             auto w = std::make_unique<FrmPrincipal>(app, registro);
             EXPECT_TRUE(w->carga());
             return w;
         },
         [](QWidget& w) { w.close(); }, true},
        {"report viewer",
         [&]() -> std::unique_ptr<QWidget> {
             auto w = std::make_unique<reporte::frmPreview>(env.sistema() + "RPT", reporte::RangoHojas{});
             w->show();
             return w;
         },
         [](QWidget& w) { w.hide(); }, false},
        {"host window",
         [&]() -> std::unique_ptr<QWidget> {
             auto w = std::make_unique<host::VentanaOrvelane>(programas.path());
             w->show();
             return w;
         },
         [](QWidget& w) { w.close(); }, false},
    };
    for (const Reapertura& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto w = c.abre();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        const QSize disenado = w->size();
        const QPoint lugar = w->screen()->availableGeometry().topLeft() + QPoint(70, 50);
        w->move(lugar);
        if (!c.tamanoFijo) w->resize(disenado + QSize(80, 60));
        QApplication::processEvents();
        const QRect dejada = w->geometry();
        c.cierra(*w);
        w.reset();

        w = c.abre();
        EXPECT_EQ(w->geometry().topLeft(), dejada.topLeft());
        EXPECT_EQ(w->size(), c.tamanoFijo ? disenado : dejada.size());
        // Activating it again leaves it there.
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        EXPECT_EQ(w->geometry(), QRect(dejada.topLeft(), w->size()));
        c.cierra(*w);
    }
}

TEST(Geometria, SinNadaRecordadoLaVentanaPrincipalAbreEnSuLugarDeDiseno) {
    prueba::Entorno env;
    RegistroVentanas registro;
    registraVentanasVarnel(registro);
    Aplicacion app;
    // Another user's settings file: nothing remembered there.
    QTemporaryDir otroUsuario;
    const QByteArray previo = qgetenv("XDG_CONFIG_HOME");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, otroUsuario.path());
    FrmPrincipal w(app, registro);
    ASSERT_TRUE(w.carga());
    EXPECT_EQ(w.pos(), QPoint(0, 0));
    EXPECT_EQ(w.width(), pixeles(&w, 9555));
    EXPECT_EQ(w.height(), pixeles(&w, 7320));
    w.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(previo));
}
