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
    QApplication app(argc, argv);
    // As in the programs with windows: the system printer is the printer port's default.
    qvr::instalaPuertosEnPantalla();
    return RUN_ALL_TESTS();
}
