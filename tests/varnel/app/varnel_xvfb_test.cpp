// The real Varnel program under an X display: the host check, the single instance and the windows
// it puts on the display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <QWidget>

#include "platform/windows.h"
#include "support/carpeta_ejecucion.h"
#include "support/entorno.h"
#include "support/ventanas_x11.h"

using namespace qvr;

namespace {

const QString kVentanaPrincipal = "Declaración Pago Anual Impuesto a la Renta";

class Varnel : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        entorno = QProcessEnvironment::systemEnvironment();  // carries the Entorno's WINDIR
        entorno.insert("QVR_DIALOGOS", "consola");
        entorno.insert("QVR_RUNTIME_DIR", runtime.path());
        entorno.remove("QT_QPA_PLATFORM");
        entorno.remove("WAYLAND_DISPLAY");  // the virtual X display, even inside a Wayland session
    }
    // A stand-in for the host's window: shown, captioned `titulo`, holding its mark.
    static void muestraHost(QWidget& w, const QString& titulo) {
        w.setWindowTitle(titulo);
        new MarcaVentana(&w, titulo);
        w.show();
    }
    void arranca(QProcess& p) {
        p.setProcessEnvironment(entorno);
        p.start(QString(QVR_BIN_DIR) + "/Varnel", {});
        ASSERT_TRUE(p.waitForStarted(10000));
    }
    static bool espera(const std::function<bool()>& listo, int ms = 15000) {
        for (int t = 0; t < ms && !listo(); t += 50) QTest::qWait(50);
        return listo();
    }

    prueba::Entorno env;
    prueba::CarpetaEjecucion runtime;  // where the stand-in holds its mark
    QProcessEnvironment entorno;
};

}  // namespace

TEST_F(Varnel, SinLaVentanaDelIntegradorNoArranca) {
    // A caption that only starts like the host's does not count.
    QWidget parecida;
    muestraHost(parecida, "Orvelane - demo");
    ASSERT_TRUE(cWindows().CorreApp("Orvelane - demo"));

    QProcess p;
    arranca(p);
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(
        QString::fromUtf8(p.readAllStandardError())
            .contains("Error al ejecutar el módulo: Debe ejecutar este módulo desde el Integrador del QVR"));
    EXPECT_FALSE(prueba::ventanaVisible(kVentanaPrincipal));
}

TEST_F(Varnel, ConElIntegradorArrancaUnaSolaVez) {
    QWidget host;
    muestraHost(host, "Orvelane");
    ASSERT_TRUE(cWindows().CorreApp("Orvelane"));

    QProcess primera;
    arranca(primera);
    ASSERT_TRUE(espera([] { return prueba::ventanaVisible(kVentanaPrincipal); }))
        << primera.readAllStandardError().toStdString();

    QProcess segunda;
    arranca(segunda);
    ASSERT_TRUE(segunda.waitForFinished(20000));
    EXPECT_NE(segunda.exitCode(), 0);
    EXPECT_TRUE(
        QString::fromUtf8(segunda.readAllStandardError())
            .contains(
                "Declaración Pago Anual Impuesto a la Renta: La Aplicación ya se encuentra en ejecución"));
    EXPECT_EQ(primera.state(), QProcess::Running);

    primera.terminate();
    ASSERT_TRUE(primera.waitForFinished(10000));
}

TEST_F(Varnel, UnaBaseSinLaTablaErrorTerminaConSuMensaje) {
    env.base().ejecuta("DROP TABLE ERROR");
    env.cierraBase();
    QWidget host;
    muestraHost(host, "Orvelane");
    ASSERT_TRUE(cWindows().CorreApp("Orvelane"));

    QProcess p;
    arranca(p);
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("No se puede abrir la tabla ERROR"));
}
