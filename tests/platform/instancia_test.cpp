#include <gtest/gtest.h>

#include "platform/windows.h"
#include "support/carpeta_ejecucion.h"

TEST(InstanciaUnica, UnaSegundaCopiaEsRechazadaHastaQueLaPrimeraTermina) {
    const qvr::prueba::CarpetaEjecucion dir;
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
}
