#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "platform/windows.h"

using qvr::cWindows;

namespace {
void espera(const std::function<bool()>& listo) {
    for (int i = 0; i < 100 && !listo(); ++i) QTest::qWait(20);
}
}  // namespace

TEST(CorreApp, SoloElCaptionExactoDeUnaVentanaVisible) {
    cWindows w;
    EXPECT_FALSE(w.CorreApp("Orvelane"));

    QWidget otra;
    otra.setWindowTitle("Orvelane - demo");
    otra.show();
    QWidget oculta;
    oculta.setWindowTitle("Orvelane");
    oculta.show();
    espera([&] { return w.CorreApp("Orvelane") && w.CorreApp("Orvelane - demo"); });
    EXPECT_TRUE(w.CorreApp("Orvelane"));

    oculta.hide();
    espera([&] { return !w.CorreApp("Orvelane"); });
    EXPECT_FALSE(w.CorreApp("Orvelane"));
    EXPECT_TRUE(w.CorreApp("Orvelane - demo"));
    EXPECT_FALSE(w.CorreApp("orvelane - demo"));
    EXPECT_FALSE(w.CorreApp("Orvelane - dem"));
}
