#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/windows.h"

TEST(InstanciaUnica, UnaSegundaCopiaEsRechazadaHastaQueLaPrimeraTermina) {
    QTemporaryDir dir;
    qputenv("QVR_RUNTIME_DIR", dir.path().toUtf8());
    {
        qvr::InstanciaUnica primera("Varnel");
        ASSERT_TRUE(primera.adquiere());
        qvr::InstanciaUnica segunda("Varnel");
        EXPECT_FALSE(segunda.adquiere());
        qvr::InstanciaUnica otroPrograma("Oskeni");
        EXPECT_TRUE(otroPrograma.adquiere());
    }
    qvr::InstanciaUnica despues("Varnel");
    EXPECT_TRUE(despues.adquiere());
    qunsetenv("QVR_RUNTIME_DIR");
}
