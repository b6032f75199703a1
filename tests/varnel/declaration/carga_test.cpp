#include "varnel/declaration/carga.h"

#include <gtest/gtest.h>

#include <set>

#include "common/formato.h"
#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/grabado.h"
#include "varnel/declaration/instantanea_nucleo.h"

using namespace qvr;

namespace {

class CargaTest : public prueba::PorMotor {
  protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        creaTablasAnexo(env.base());
        prueba::cargaSql(env.base(), "persist/declaraciones.sql");
        // Rows left by the previous opening must go.
        env.base().ejecuta(
            "INSERT INTO TMP_F0738DIVID VALUES ('20999999999', 'RESTO', '2003-01-01', '1', '1')");
    }
    int cuenta(const QString& tabla) { return env.base().escalar("SELECT count(*) FROM " + tabla).toInt(); }

    prueba::Entorno env{prueba::motorPara(GetParam())};
};

ValoresEjecucion modo(short m, bool enviada = false, const QString& correl = {}) {
    ValoresEjecucion v;
    v.ModoDeclaracion = m;
    v.DeclaracionEnviada = enviada;
    v.RucDeclarante = m == 1 ? QString() : QString("20100047218");
    v.CorrelEnviada = correl;
    return v;
}

}  // namespace

TEST_P(CargaTest, NuevaListaLosContribuyentesDelUsuarioYVaciaLosAnexos) {
    const Carga c = CargaDeclaracion(env.base(), modo(1), "0738", "ANA");
    // ANA sees only her own taxpayers of this form; a short number keeps the name at character 14.
    ASSERT_EQ(c.contribuyentes.size(), 2);
    EXPECT_EQ(c.contribuyentes[0], "1040123456   CORTO            050000");
    EXPECT_EQ(DeclaranteDeEntrada(c.contribuyentes[0]).apellidoPaterno, "CORTO");
    const QString e = c.contribuyentes[1];
    EXPECT_EQ(e, "20100047218  PEREZ GOMEZ JUAN          050504");
    const Declarante d = DeclaranteDeEntrada(e);
    EXPECT_EQ(d.ruc, "20100047218");
    EXPECT_EQ(d.apellidoPaterno, "PEREZ");
    EXPECT_EQ(d.apellidoMaterno, "GOMEZ");
    EXPECT_EQ(d.nombres, "JUAN");
    EXPECT_EQ(d.nombre, "PEREZ GOMEZ, JUAN");
    EXPECT_EQ(c.datos.pago.codigo, "XX");
    EXPECT_EQ(c.datos.general, Opcion::No);
    EXPECT_EQ(cuenta("TMP_F0738DIVID"), 0);

    // When the catalog says a RUC has exactly 11 digits, shorter numbers are left out.
    QString f =
        env.base().escalar("SELECT funcion FROM PARAM WHERE numero='044' AND argumento='6'").toString();
    f[129] = '1';
    env.agregaParam("044", "6", f);
    EXPECT_EQ(CargaDeclaracion(env.base(), modo(1), "0738", "ANA").contribuyentes, QStringList{e});

    // A user of type "0" sees every taxpayer of the form; a missing name part still parses.
    const QStringList todos = CargaDeclaracion(env.base(), modo(1), "0738", "JEFE").contribuyentes;
    ASSERT_EQ(todos.size(), 2);
    EXPECT_TRUE(todos[0].startsWith("10401234567  QUISPE  ROSA"));
    const Declarante q = DeclaranteDeEntrada(todos[0]);
    EXPECT_EQ(q.apellidoMaterno, "");
    EXPECT_EQ(q.nombres, "ROSA");
    EXPECT_EQ(DeclaranteDeEntrada("").ruc, "");
    EXPECT_EQ(DeclaranteDeEntrada("x").nombres, "");  // too short: no crash
}

TEST_P(CargaTest, ModificarPoneCadaCasillaGuardadaEnSuControl) {
    const Carga c = CargaDeclaracion(env.base(), modo(2), "0738", "ANA");
    const Instantanea& d = c.datos;
    EXPECT_TRUE(c.cabecera);
    EXPECT_EQ(d.ruc, "20100047218");
    EXPECT_EQ(d.rectifica, Opcion::Si);
    EXPECT_EQ(d.inmueble, Opcion::No);  // "2" → No
    EXPECT_EQ(d.devolucion, Opcion::No);
    EXPECT_EQ(d.general, Opcion::No);
    EXPECT_EQ(d.extranjero, Opcion::Si);
    EXPECT_EQ(d.fideicomiso, Opcion::Si);  // anything but "0"
    EXPECT_EQ(d.casilla(817), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(d.casilla(822), "SOLO QUINCE 15C");
    EXPECT_EQ(d.listas.at(204), "06");
    EXPECT_EQ(d.profesion, "01");
    EXPECT_EQ(d.casilla(122), "(1,234)");
    EXPECT_EQ(d.casilla(180), "1,234");
    EXPECT_EQ(d.casilla(100), "1,500");
    EXPECT_EQ(d.casilla(140), "1");
    EXPECT_EQ(d.casilla(229), "01234567890");
    EXPECT_EQ(d.casilla(302), "00123456");
    EXPECT_EQ(d.fechaNacimiento, "15/03/1970");
    EXPECT_EQ(d.telefono, "4567890");
    EXPECT_EQ(d.casillas.count(999), 0u);
    // Names come from the taxpayer registry, not from the stored rows.
    EXPECT_EQ(d.casilla(801), "PEREZ");
    EXPECT_EQ(d.casilla(803), "JUAN CARLOS");
    // Payment: the amount from box 598, cheque and bank from the header.
    EXPECT_EQ(d.pago.codigo, "C");
    EXPECT_EQ(d.pago.monto, "2500");
    EXPECT_EQ(d.pago.banco, "18");
    EXPECT_EQ(d.pago.cheque, "00012345");
    EXPECT_EQ(d.orden, "");

    // Working tables: this declaration's rows only, with the catalog descriptions.
    EXPECT_EQ(cuenta("TMP_F0738DIVID"), 2);
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM TMP_F0738DIVID WHERE num_RUC='20999999999'").toInt(),
              0);
    const Registros ex = env.base().consulta("SELECT * FROM TMP_F0738EXTRA");
    ASSERT_EQ(ex.filas(), 1);
    EXPECT_EQ(ex.texto(0, "des_pais"), "PERU");
    EXPECT_EQ(ex.texto(0, "des_cargo"), "DIRECTOR");
    EXPECT_EQ(ex.texto(0, "des_operacion"), "COMPRA DE ACCIONES");
    const Registros fi = env.base().consulta("SELECT * FROM TMP_F0738FIDEI");
    ASSERT_EQ(fi.filas(), 1);
    EXPECT_EQ(fi.texto(0, "des_razon_fde"), "ROJAS DIAZ ANA");   // a person: name parts joined
    EXPECT_EQ(fi.texto(0, "des_razon_ben"), "PEREZ GOMEZ SAC");  // a company keeps its name
    EXPECT_EQ(fi.texto(0, "des_empre_fdu2"), "BANCO");
    EXPECT_EQ(fi.texto(0, "des_doc_fde"), "DOC. NACIONAL DE IDENTIDAD");
    EXPECT_EQ(fi.texto(0, "des_doc_ben"), "REG. UNICO DE CONTRIBUYENTES  ");
    EXPECT_EQ(fi.texto(0, "des_patri_fdei"), "INMUEBLES");
}

TEST_P(CargaTest, EnviadaLeeSoloSuEnvio) {
    ValoresEjecucion v = modo(2, true, "001");
    Carga c = CargaDeclaracion(env.base(), v, "0738", "ANA");
    EXPECT_EQ(c.datos.orden, "0");  // null order number
    EXPECT_EQ(c.datos.verifica, "");
    EXPECT_EQ(c.datos.rectifica, Opcion::No);
    EXPECT_EQ(c.datos.casilla(100), "5,000");
    EXPECT_EQ(c.datos.pago.codigo, "E");
    EXPECT_EQ(c.datos.pago.monto, "700");
    EXPECT_EQ(c.datos.casilla(122), "");
    const Registros div = env.base().consulta("SELECT num_RUC FROM TMP_F0738DIVID");
    ASSERT_EQ(div.filas(), 1);
    EXPECT_EQ(div.texto(0, 0), "20000000005");
    EXPECT_EQ(cuenta("TMP_F0738FIDEI"), 0);

    v = modo(2, true, "002");
    v.NumeroOrden = "87654321";
    v.NumeroControl = "12345678";
    c = CargaDeclaracion(env.base(), v, "0738", "ANA");
    EXPECT_EQ(c.datos.orden, "87654321");
    EXPECT_EQ(c.datos.verifica.size(), 2);
    EXPECT_EQ(c.datos.casilla(100), "6,000");
    EXPECT_EQ(env.base().escalar("SELECT num_RUC FROM TMP_F0738DIVID").toString(), "20000000006");
}

// What a save writes, an opening shows again as it was typed.
TEST_P(CargaTest, LoGrabadoSeAbreIgual) {
    env.base().ejecuta("DELETE FROM TMP_F0738DIVID");
    prueba::llenaDividendos(env.base(), 30);
    Instantanea d = prueba::declaracionCompleta("20100047218");
    d.casillas[122] = "(1,234)";
    d.casillas[801] = "PEREZ";
    d.casillas[802] = "GOMEZ";
    d.casillas[803] = "JUAN CARLOS";
    // Amounts as the window shows them; names and document numbers as typed.
    const std::set<int> textos = {208, 209, 211, 215, 217, 218, 219, 229, 230, 236, 302, 801, 802, 803};
    for (auto& [n, t] : d.casillas)
        if ((n < 811 || (n >= 840 && n <= 853)) && !textos.count(n)) t = formatoMonto(t);
    ASSERT_TRUE(GrabarForm(env.base(), d, ClaveDeclaracion{}).grabado);
    env.base().ejecuta("DELETE FROM TMP_F0738DIVID");

    const Instantanea l = CargaDeclaracion(env.base(), modo(2), "0738", "ANA").datos;
    for (const auto& [n, t] : d.casillas) EXPECT_EQ(l.casilla(n), t) << n;
    EXPECT_EQ(l.casillas.size(), d.casillas.size());
    for (int n : listasTipoDocumento()) EXPECT_EQ(l.listas.at(n), "01");
    EXPECT_EQ(l.profesion, "01");
    EXPECT_EQ(l.rectifica, d.rectifica);
    EXPECT_EQ(l.general, d.general);
    EXPECT_EQ(l.devolucion, d.devolucion);
    EXPECT_EQ(l.inmueble, d.inmueble);
    EXPECT_EQ(l.telefono, d.telefono);
    EXPECT_EQ(l.fechaNacimiento, d.fechaNacimiento);
    EXPECT_EQ(l.pago.codigo, "C");
    EXPECT_EQ(l.pago.banco, "0018");
    EXPECT_EQ(l.pago.cheque, "00012345");
    EXPECT_EQ(l.pago.monto, "12345");
    EXPECT_EQ(cuenta("TMP_F0738DIVID"), 30);
}

namespace {

// The lists as the window fills them from the catalogs.
void llenaListasPrueba(Declaracion& d) {
    for (int n : listasTipoDocumento())
        d.controles.listasDocumento[n].entradas = {"01  -  DNI", "06  -  RUC"};
    d.controles.profesion.entradas = {"01     ABOGADO", "02     MEDICO"};
}

}  // namespace

// The opening put into the declaration core: stored values shown, the enabling rules of the
// loaded values applied, nothing computed, nothing modified; and saved again unchanged.
TEST_P(CargaTest, AbiertaEnElNucleo) {
    ValoresEjecucion v = modo(2);
    Declaracion d(v);
    conectaCalculo(d);
    llenaListasPrueba(d);
    aplicaCarga(d, CargaDeclaracion(env.base(), v, "0738", "ANA"));
    EXPECT_FALSE(d.Modificado);
    EXPECT_FALSE(v.SuspendeCalculo);
    EXPECT_TRUE(env.dialogos().mostrados.empty());  // a stored Si shows no reminder
    EXPECT_EQ(d.controles.opciones[size_t(Pregunta::Rectifica)], Opcion::Si);
    // Box 117 is not positive: the Amazonía group is disabled and its loaded name cleared.
    EXPECT_FALSE(d.casilla(817).habilitada);
    EXPECT_EQ(d.texto(817), "");
    EXPECT_EQ(d.texto(122), "(1,234)");
    EXPECT_EQ(d.texto(180), "1,234");
    EXPECT_EQ(d.controles.profesion.codigo(), "01");
    // Rent answer No: the rentals group is disabled and its lists cleared.
    EXPECT_EQ(d.controles.opciones[size_t(Pregunta::Inmueble)], Opcion::No);
    EXPECT_FALSE(d.casilla(819).habilitada);
    EXPECT_FALSE(d.controles.listasDocumento[204].habilitada);
    EXPECT_EQ(d.controles.listasDocumento[204].elegida, -1);
    // Box 141 empty: the indicator 140 is disabled and cleared.
    EXPECT_FALSE(d.casilla(140).habilitada);
    EXPECT_EQ(d.controles.pago.codigo, "C");

    const Instantanea s = instantaneaDe(d);
    EXPECT_EQ(s.casilla(122), "(1,234)");
    EXPECT_EQ(s.ruc, "20100047218");
    const ResultadoGrabado r = grabaDeclaracion(env.base(), d, "0738");
    ASSERT_TRUE(r.grabado);
    const auto det = prueba::filasDet(env.base(), "20100047218");
    EXPECT_EQ(det.at("122"), "-1234");
    EXPECT_EQ(det.count("827"), 0u);
    EXPECT_EQ(det.at("027"), "2");
    EXPECT_EQ(det.count("204"), 0u);
    EXPECT_EQ(det.count("140"), 0u);
    EXPECT_EQ(v.ModoDeclaracion, 2);
}

TEST_P(CargaTest, EnviadaEnElNucleoQuedaDeSoloLectura) {
    ValoresEjecucion v = modo(2, true, "001");
    Declaracion d(v);
    conectaCalculo(d);
    llenaListasPrueba(d);
    aplicaCarga(d, CargaDeclaracion(env.base(), v, "0738", "ANA"));
    EXPECT_FALSE(d.casilla(100).habilitada);
    EXPECT_EQ(d.texto(100), "5,000");
    EXPECT_EQ(d.controles.txtOrden, "0");
    EXPECT_EQ(d.controles.opciones[size_t(Pregunta::Rectifica)], Opcion::No);
    EXPECT_FALSE(d.Modificado);
}

QVR_EN_AMBOS_MOTORES(CargaTest);
