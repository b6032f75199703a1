// The real Varnel program on the offscreen platform: it starts while the host's window holds its
// mark, and refuses to start without it.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "host/ventana_orvelane.h"
#include "platform/windows.h"
#include "support/carpeta_ejecucion.h"
#include "support/entorno.h"

using namespace qvr;

namespace {

const QString kEnPantalla =
    "qvr.ventanas: en pantalla: Declaración Pago Anual Impuesto a la Renta (offscreen)";
const QString kRechazo = "Error al ejecutar el módulo: Debe ejecutar este módulo desde el Integrador del QVR";

class ControlAnfitrion : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        entorno = QProcessEnvironment::systemEnvironment();  // the Entorno's WINDIR, this runtime folder
        entorno.insert("QVR_DIALOGOS", "consola");
        entorno.insert("QT_QPA_PLATFORM", "offscreen");
        entorno.insert("QT_LOGGING_RULES", "qvr.ventanas.info=true");
    }
    void TearDown() override {
        if (varnel.state() != QProcess::NotRunning) {
            varnel.terminate();
            if (!varnel.waitForFinished(10000)) varnel.kill();
            varnel.waitForFinished(5000);
        }
    }
    void arranca() {
        varnel.setProcessEnvironment(entorno);
        varnel.start(QString(QVR_BIN_DIR) + "/Varnel", {});
        ASSERT_TRUE(varnel.waitForStarted(10000));
    }
    // Standard error until `texto` shows or the program ends.
    bool esperaTexto(const QString& texto, int ms = 30000) {
        QDeadlineTimer plazo(ms);
        while (!error.contains(texto) && !plazo.hasExpired()) {
            if (varnel.state() == QProcess::NotRunning) break;
            QTest::qWait(50);
            error += QString::fromUtf8(varnel.readAllStandardError());
        }
        error += QString::fromUtf8(varnel.readAllStandardError());
        return error.contains(texto);
    }
    void esperaFin() {
        ASSERT_TRUE(varnel.waitForFinished(30000));
        error += QString::fromUtf8(varnel.readAllStandardError());
    }

    prueba::Entorno env;
    prueba::CarpetaEjecucion runtime;
    QProcessEnvironment entorno;
    QProcess varnel;
    QString error;
};

}  // namespace

TEST_F(ControlAnfitrion, ConLaVentanaDelIntegradorArrancaYMuestraSuVentana) {
    QTemporaryDir programas;
    host::VentanaOrvelane integrador(programas.path());
    integrador.show();
    ASSERT_TRUE(cWindows().CorreApp("Orvelane"));

    arranca();
    EXPECT_TRUE(esperaTexto(kEnPantalla)) << error.toStdString();
    EXPECT_EQ(varnel.state(), QProcess::Running);
    EXPECT_FALSE(error.contains(kRechazo));
}

TEST_F(ControlAnfitrion, SinElIntegradorNoArranca) {
    struct Caso {
        const char* nombre;
        const char* titulo;  // the window shown beside it, holding its mark (none when null)
        bool mostrada;
    };
    const Caso casos[] = {
        {"no host at all", nullptr, false},
        {"a caption that only starts like the host's", "Orvelane - demo", true},
        {"the host's window built but hidden", "Orvelane", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::unique_ptr<QWidget> otra;
        if (c.titulo) {
            otra = std::make_unique<QWidget>();
            otra->setWindowTitle(c.titulo);
            new MarcaVentana(otra.get(), c.titulo);
            if (c.mostrada) otra->show();
        }
        error.clear();
        arranca();
        esperaFin();
        EXPECT_EQ(varnel.exitStatus(), QProcess::NormalExit);
        EXPECT_NE(varnel.exitCode(), 0);
        EXPECT_TRUE(error.contains(kRechazo)) << error.toStdString();
        EXPECT_FALSE(error.contains("en pantalla:")) << error.toStdString();
    }
}
