#include "host/envio.h"

#include <gtest/gtest.h>

#include "common/cnumero.h"
#include "common/schema.h"
#include "support/entorno.h"

using namespace qvr;

namespace {
void declaracion(BaseDatos& b, const QString& ruc, int estado) {
    b.ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, rectifica, efectivo, cNumero) "
              "VALUES (6, ?, '2003', '0738', 0, ?, '0', '1500', '000000')",
              {ruc, estado});
    for (auto [casilla, valor] : {std::pair{"146", "1500"}, {"180", "1500"}, {"598", "1500"}})
        b.ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, idcasilla, "
                  "estado, cNumero) VALUES (6, ?, '2003', '0738', 0, ?, ?, '01', 0, '000000')",
                  {ruc, casilla, valor});
    b.ejecuta("INSERT INTO F0738DIVIDEND VALUES (6, ?, '2003', '0738', '20100066603', 'ACME SA', '2003-05-31', "
              "'10000', '410', '000000')",
              {ruc});
}
}  // namespace

class EnvioMotor : public prueba::PorMotor {};

// Marking the sent header changes it: its record control number follows, as at every write.
TEST_P(EnvioMotor, LaCabeceraMarcadaComoEnviadaRecalculaSuNumeroDeControl) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    creaTablasAnexo(b);
    declaracion(b, "10000000001", 0);
    ASSERT_EQ(EnviaDeclaraciones(b).size(), 1u);
    const Registros cab = b.consulta("SELECT * FROM CAB WHERE doc_id_d='10000000001'");
    ASSERT_EQ(cab.filas(), 1);
    EXPECT_EQ(cab.texto(0, "estado"), "1");
    EXPECT_EQ(cab.texto(0, "cNumero"), cNumero(cab.fila(0), cab.definicion(), 5));
    EXPECT_NE(cab.texto(0, "cNumero"), "000000");
}

TEST_P(EnvioMotor, CopiaLasDeclaracionesConsistentesAlHistorial) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    creaTablasAnexo(b);
    declaracion(b, "10000000001", 0);
    declaracion(b, "10000000002", 9);  // inconsistent: not sent

    auto enviados = EnviaDeclaraciones(b);
    ASSERT_EQ(enviados.size(), 1u);
    EXPECT_EQ(enviados[0].correl, "1");
    EXPECT_EQ(enviados[0].control.size(), 8);
    EXPECT_EQ(enviados[0].lineaComandos, "  10000000001    0738200300" "0" + enviados[0].control);
    EXPECT_EQ(enviados[0].lineaComandos.size(), 36);

    Registros h = b.consulta("SELECT correl, estado, control, fec_env, efectivo, cNumero FROM hCAB");
    ASSERT_EQ(h.filas(), 1);
    EXPECT_EQ(h.texto(0, "estado"), "1");
    EXPECT_EQ(h.texto(0, "efectivo"), "1500");
    // S1 = 6 + 10000000001 + 2003 + 738 + 0 + 1 (correl) = 10000002749
    EXPECT_TRUE(h.texto(0, "cNumero").startsWith("749"));
    EXPECT_EQ(b.escalar("SELECT count(*) FROM hDET WHERE correl='1' AND doc_id_d='10000000001'").toInt(), 3);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM HF0738DIVIDEND WHERE correl='1'").toInt(), 1);

    // Already sent: nothing more to send until it is saved again.
    EXPECT_TRUE(EnviaDeclaraciones(b).empty());
    b.ejecuta("UPDATE CAB SET estado=0 WHERE doc_id_d='10000000001'");
    auto otra = EnviaDeclaraciones(b);
    ASSERT_EQ(otra.size(), 1u);
    EXPECT_EQ(otra[0].correl, "2");
    EXPECT_EQ(b.escalar("SELECT count(*) FROM hDET WHERE doc_id_d='10000000001'").toInt(), 6);
}

QVR_EN_AMBOS_MOTORES(EnvioMotor);
