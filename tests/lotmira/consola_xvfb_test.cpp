// Lotmira on a display: QVR_DIALOGOS=consola keeps its messages on standard error, with no message
// box waiting for a click that a scripted run never gives.
#include <gtest/gtest.h>

#include <QProcess>

#include "lotmira/instalador.h"
#include "support/entorno.h"

using namespace qvr;

TEST(Lotmira, ConsolaAunConPantalla) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
    prueba::Entorno env;
    env.escribeIni("SysPath", "");
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove("QT_QPA_PLATFORM");
    e.insert("WINDIR", env.carpeta() + "/windows");
    e.insert("QVR_DIALOGOS", "consola");
    p.setProcessEnvironment(e);
    p.start(QStringLiteral(QVR_BIN_DIR) + "/Lotmira", {});
    const bool termino = p.waitForFinished(20000);
    if (!termino) p.kill();
    ASSERT_TRUE(termino) << "Lotmira waits for an answer";
    EXPECT_EQ(p.exitCode(), SinCarpetaInstalacion);
    EXPECT_TRUE(p.readAllStandardError().contains("Debe instalar primero el QVR"));
}
