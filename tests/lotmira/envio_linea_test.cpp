#include "lotmira/envio_linea.h"

#include <gtest/gtest.h>

using namespace qvr;

TEST(LineaEnvio, CamposDeUnaLinea) {
    const LineaEnvio l = LeeLineaEnvio("0| F0738DIVIDEND |  |EXT |1| 255|0|2|4|3|-1|1.5|0|sobra|");
    ASSERT_TRUE(l.fila) << l.error.toStdString();
    EXPECT_EQ(l.fila->tablaO, "F0738DIVIDEND");
    EXPECT_EQ(l.fila->tablaD, " ");
    EXPECT_EQ(l.fila->tablaExt, "EXT");
    EXPECT_EQ(l.fila->obliga, 255);
    EXPECT_EQ(l.fila->numeros[3], QVariant(qlonglong(-1)));
    EXPECT_EQ(l.fila->numeros[4], QVariant(1.5));
    // A tabla_d that is not empty is kept as written.
    EXPECT_EQ(LeeLineaEnvio("0|A| HA |B|1|1|1|2|4|3|0|0|0|").fila->tablaD, " HA ");
}

TEST(LineaEnvio, LineasQueNoSeInstalan) {
    const struct {
        const char* linea;
        const char* motivo;
    } casos[] = {
        {"", "tiene 0 campos de 13"},
        {"0|A|B|C|1|1|1|2|4|3|0|0|", "tiene 12 campos de 13"},
        {"0|A|B|C|256|1|1|2|4|3|0|0|0|", "campo 4 (indice)"},
        {"0|A|B|C|1|-1|1|2|4|3|0|0|0|", "campo 5 (obliga)"},
        {"0|A|B|C|1|1||2|4|3|0|0|0|", "campo 6 (c_tip_doc_d)"},
        {"0|A|B|C|1|1|1|2|4|3|0|0|1e3|", "campo 12 (c_semana)"},
        {"0|A|B|C|1|1|1|.|4|3|0|0|0|", "campo 7 (c_doc_id_d)"},
        {"0|A|B|C|1|1|1|2|4|3;DROP|0|0|0|", "campo 9 (c_periodo)"},
    };
    for (const auto& c : casos) {
        const LineaEnvio l = LeeLineaEnvio(QString::fromUtf8(c.linea));
        EXPECT_FALSE(l.fila) << c.linea;
        EXPECT_TRUE(l.error.contains(QString::fromUtf8(c.motivo)))
            << c.linea << " -> " << l.error.toStdString();
    }
}
