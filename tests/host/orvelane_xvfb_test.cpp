#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include "platform/windows.h"
#include "support/entorno.h"

namespace qvr {
namespace {

// The program's own window is what the module's host check looks for: a visible top-level window
// whose caption is exactly "Orvelane".
TEST(Orvelane, SuVentanaPasaElControlDelHost) {
    prueba::Entorno entorno;
    cWindows ventanas;
    ASSERT_FALSE(ventanas.CorreApp("Orvelane"));

    QProcess host;
    host.start(QStringLiteral(QVR_BIN_DIR "/orvelane"), {});
    ASSERT_TRUE(host.waitForStarted(10000));
    for (int i = 0; i < 250 && !ventanas.CorreApp("Orvelane"); ++i) QTest::qWait(20);
    EXPECT_TRUE(ventanas.CorreApp("Orvelane")) << ventanas.captionsVisibles().join(" | ").toStdString();

    host.terminate();
    if (!host.waitForFinished(5000)) host.kill();
    host.waitForFinished(5000);
}

}  // namespace
}  // namespace qvr
