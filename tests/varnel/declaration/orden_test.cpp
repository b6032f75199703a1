#include <gtest/gtest.h>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/declaration/orden.h"

using namespace qvr;

TEST(Orden, DigitoModulo11) {
    const struct {
        const char* texto;
        const char* resultado;
    } casos[] = {
        {"", ""},
        {"   ", ""},
        {"0", "01"},                     // sum 0: d = 11 becomes 1
        {"6", "60"},                     // sum 12 = 11 + 1: d = 10 becomes 0
        {"1", "19"},
        {" 12345678 ", "123456785"},     // 16+21+24+25+24+21+4+3 = 138, 138 mod 11 = 6
        {"A1", "A19"},                   // a letter counts 0
        {"123456789012345678", "123456789012345673"},  // first 17 only: sum 316, 316 mod 11 = 8
    };
    for (const auto& c : casos) EXPECT_EQ(DigitoModulo11(c.texto), c.resultado) << c.texto;
    EXPECT_EQ(DigitoModulo11("12345678000000015"), "123456780000000151");  // 10+3+40+42+42+10+12+12+10+6 = 187 = 17 × 11
    EXPECT_EQ(DigitoVerificador("12345678", "00000001"), "51");
    EXPECT_EQ(DigitoVerificador("", "00000001").size(), 1);  // no control: no crash
}

namespace {

class OrdenTest : public ::testing::Test {
protected:
    void SetUp() override {
        creaTablasAnexo(env.base());
        prueba::cargaSql(env.base(), "persist/declaraciones.sql");
        clave.ruc = "20100047218";
        clave.correl = "001";
    }
    QString hcab(const char* columna, const char* correl = "001") {
        return env.base()
            .escalar(QString("SELECT %1 FROM hCAB WHERE correl=?").arg(columna), {QString(correl)})
            .toString();
    }
    prueba::Entorno env;
    ClaveDeclaracion clave;
};

}  // namespace

TEST_F(OrdenTest, RechazaSinGrabarYGrabaCuandoEsCorrecto) {
    const struct {
        const char* orden;
        const char* verifica;
        const char* mensaje;
    } malos[] = {
        {"0000001", "51", "     El número de orden no es válido"},
        {"000000001", "51", "     El número de orden no es válido"},
        {"00000001", "15", "     El digito Verificador es incorrecto"},
        {"00000001", "5", "     El digito Verificador es incorrecto"},
    };
    for (const auto& m : malos) {
        const ResultadoOrden r = GrabarOrden(env.base(), clave, "12345678", m.orden, m.verifica, "T");
        EXPECT_FALSE(r.grabado);
        EXPECT_TRUE(r.focoVerifica);
        EXPECT_EQ(env.dialogos().mostrados.back().texto, m.mensaje);
        EXPECT_EQ(env.dialogos().mostrados.back().icono, Icono::Error);
    }
    EXPECT_EQ(hcab("norden"), "");

    const ResultadoOrden r = GrabarOrden(env.base(), clave, "12345678", "00000001", "51", "T");
    ASSERT_TRUE(r.grabado);
    EXPECT_EQ(env.dialogos().mostrados.back().texto,
              "El número de orden y el digito verificador fueron grabados satisfactoriamente.");
    EXPECT_EQ(hcab("norden"), "00000001");
    // Worked by hand, 6 key columns: 6 + 20100047218 + 2003 + 738 + 0 + 1 → ...966; estado "1" 49,
    // rectifica "0" 48, norden "00000001" 1736, control "12345678" 1932 → 3765.
    EXPECT_EQ(hcab("cNumero"), "966765");
    EXPECT_EQ(hcab("norden", "002"), "87654321");  // the other sending is untouched
}
