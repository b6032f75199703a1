#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include "platform/windows.h"
#include "support/entorno.h"
#include "support/ventanas_x11.h"

namespace qvr {
namespace {

// The program's own window is what the module's host check looks for: while it is on the display,
// captioned exactly "Orvelane", it holds the host's mark; when the program ends the mark goes.
TEST(Orvelane, SuVentanaPasaElControlDelHost) {
    prueba::Entorno entorno;
    cWindows ventanas;
    ASSERT_FALSE(ventanas.CorreApp("Orvelane"));

    QProcess host;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove("WAYLAND_DISPLAY");
    e.remove("QT_QPA_PLATFORM");
    host.setProcessEnvironment(e);
    host.start(QStringLiteral(QVR_BIN_DIR "/orvelane"), {});
    ASSERT_TRUE(host.waitForStarted(10000));
    for (int i = 0; i < 500 && !(ventanas.CorreApp("Orvelane") && prueba::ventanaVisible("Orvelane")); ++i)
        QTest::qWait(20);
    EXPECT_TRUE(ventanas.CorreApp("Orvelane"));
    EXPECT_TRUE(prueba::ventanaVisible("Orvelane")) << prueba::captionsVisibles().join(" | ").toStdString();

    host.terminate();
    if (!host.waitForFinished(5000)) host.kill();
    host.waitForFinished(5000);
    EXPECT_FALSE(ventanas.CorreApp("Orvelane"));
}

}  // namespace
}  // namespace qvr
