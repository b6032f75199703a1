#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/ui/interfaz.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's data folder (recovery copies) of the run: never the real one of whoever runs it.
    QTemporaryDir datos;
    qputenv("XDG_DATA_HOME", datos.path().toLocal8Bit());
    // Nor the user's settings (the windows' remembered places) or runtime folder (the host's mark,
    // the single-instance locks): a test sees only what the run itself left there.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("QVR_RUNTIME_DIR"))
        qputenv("QVR_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    // As in the programs with windows: the system printer is the printer port's default.
    qvr::instalaPuertosEnPantalla();
    return RUN_ALL_TESTS();
}
