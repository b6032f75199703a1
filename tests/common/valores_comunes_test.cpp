#include "common/valores_comunes.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/combos.h"
#include "common/conexion.h"
#include "lotmira/instalador.h"
#include "support/entorno.h"
#include "support/lotmira_instalacion.h"

using namespace qvr;

namespace {

class ValoresComunes : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta); }
    prueba::Entorno env;
    BaseDatos& base() { return env.base(); }
    QStringList lista(const QString& usuario) {
        ListaTextos l;
        LlenaContribuyentes(l, base(), "0738", usuario);
        return l.items;
    }
};

}  // namespace

TEST_F(ValoresComunes, ValidaDocumentoPorTipo) {
    const struct {
        const char* tipo;
        const char* numero;
        bool valido;
    } casos[] = {
        {"6", "20100066603", true},  // any eleven digits: the check digit is the caller's
        {"06", "10000000000", true},   {"6", " 2010006660 ", false},
        {"6", "201000666031", false},  {"6", "2010006660A", false},
        {"1", "12345678", true},       {"1", "1234567", false},  // exactly eight
        {"4", "AB12345", true},                                  // at most twelve, letters and digits
        {"4", "ABCDEFGHIJKLM", false}, {"0", "X-1", false},
        {"55", "123", false},          {"", "123", false},
        {"6", "   ", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ValidaDocumento(base(), c.tipo, c.numero), c.valido) << c.tipo << " " << c.numero;
}

TEST_F(ValoresComunes, ListaDeContribuyentesSegunUsuarioYCatalogo) {
    env.agregaUsuario("DEMO", "1");
    env.agregaUsuario("JEFE", "0");
    env.agregaContribuyente("20100066603", "PEREZ", "LOPEZ", "JUAN", "DEMO");
    env.agregaContribuyente("10000000001", "RIOS", "SOTO", "ANA", "OTRO");
    env.agregaContribuyente("10000000002", "VEGA", "DIAZ", "LUIS", "DEMO", 1);  // another form's taxpayer
    env.agregaContribuyente("12345678", "QUISPE", "MAMANI", "ROSA", "DEMO");

    const QString juan = "20100066603  PEREZ LOPEZ JUAN" + QString(10, ' ') + "050504";
    EXPECT_EQ(lista("DEMO"), QStringList({juan}));
    EXPECT_EQ(lista("JEFE").size(), 2);
    EXPECT_EQ(lista("NADIE"), QStringList());  // a user missing from CLAVES sees only his own

    // Without the RUC row of catalog '044' the built-in text applies: no length condition.
    base().ejecuta("DELETE FROM PARAM WHERE numero = '044' AND argumento = '6'");
    const ConsultaSql c = ConsultaContribuyentes(base(), "0738", "DEMO");
    EXPECT_FALSE(c.sql.contains("length"));
    EXPECT_TRUE(c.sql.contains("tipo_ingreso"));
    EXPECT_FALSE(ConsultaContribuyentes(base(), "0621", "DEMO").sql.contains("tipo_ingreso"));
    EXPECT_EQ(lista("DEMO"),
              QStringList({"12345678     QUISPE MAMANI ROSA" + QString(10, ' ') + "060604", juan}));
}

// User names compare as the host's engine compares text: without regard to case.
TEST_F(ValoresComunes, UsuarioSinDistinguirMayusculas) {
    env.agregaUsuario("ADMIN", "0");
    env.agregaUsuario("DIGITADOR", "1");
    env.agregaContribuyente("20100066603", "PEREZ", "LOPEZ", "JUAN", "DIGITADOR");
    env.agregaContribuyente("10000000001", "RIOS", "SOTO", "ANA", "OTRO");
    EXPECT_EQ(TipoUsuario(base(), "admin"), "0");
    EXPECT_EQ(lista("admin").size(), 2);
    EXPECT_EQ(lista("Digitador"), lista("DIGITADOR"));
    EXPECT_EQ(lista("digitador").size(), 1);
}

TEST(ItemContribuyente, ElDocumentoOcupaTreceColumnas) {
    EXPECT_EQ(itemContribuyente("12345678", "A", "B", "C"),
              "12345678     A B C" + QString(10, ' ') + "010101");
    EXPECT_EQ(itemContribuyente(" 123456789012345 ", "A", "", " C "),
              "12345678901  A  C" + QString(10, ' ') + "010001");
    EXPECT_EQ(itemContribuyente("1234", "", "", "").left(13), "1234         ");
}

TEST(LimpiaMonto, QuitaComasYVacios) {
    const struct {
        const char* entrada;
        const char* salida;
    } casos[] = {
        {"1,234,567", "1234567"}, {"", "0.00"},  {"  ", "0.00"},     {"0", "0.00"},
        {" . ", "0.00"},          {",", "0.00"}, {"12.50", "12.50"}, {"0.0", "0.0"},
    };
    for (const auto& c : casos) EXPECT_EQ(LimpiaMonto(c.entrada), QString(c.salida)) << c.entrada;
}

TEST(Incrementa, ContadorDeDieciseisBits) {
    qint16 n = 9;
    EXPECT_EQ(Incrementa(n, 1), "10");
    EXPECT_EQ(Incrementa(n, -15), "-5");
    n = 32766;
    EXPECT_EQ(Incrementa(n, 1), "32767");
    EXPECT_THROW(Incrementa(n, 1), std::overflow_error);
    EXPECT_EQ(n, 32767);
}

TEST(Mensajes, IconoYTitulo) {
    prueba::Entorno env(false);
    MuestraError("Dato invalido", "Error");
    MuestraInformacion("Listo", "Mensaje");
    const auto& m = env.dialogos().mostrados;
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].icono, Icono::Error);
    EXPECT_EQ(m[0].titulo, "Error");
    EXPECT_EQ(m[1].icono, Icono::Informacion);
    EXPECT_EQ(m[1].botones, Botones::Ok);
}
