#include <gtest/gtest.h>

#include <map>

#include "varnel/computation/calculo.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"

using namespace qvr;
using calculo::Regla;

namespace {

// U = 3,100, so that 24 × U is the 74,400 printed beside box 507, 7 × U = 21,700, 27 × U = 83,700
// and 54 × U = 167,400.
class Reglas : public ::testing::Test {
  protected:
    Reglas() : d(valores, Tasas{3100, 0.015, 0}) {
        conectaCalculo(d);
        d.preparaNueva();
    }

    // Box texts as loading sets them: no rule runs.
    void carga(const std::map<int, QString>& textos) {
        SuspendeCalculo suspende(valores);
        for (const auto& [n, t] : textos) d.fijaTexto(n, t);
        suspende.termina();
    }
    void teclea(int n, const QString& t) { ASSERT_TRUE(tecleaCasilla(d, n, t)) << n; }

    ValoresEjecucion valores;
    Declaracion d;
};

struct CasoRegla {
    Regla regla;
    std::map<int, QString> entradas;
    QString esperado;
};

}  // namespace

TEST_F(Reglas, CadaReglaConValoresYConEntradasVacias) {
    const CasoRegla casos[] = {
        {Regla::A, {{100, "1,000"}, {102, "500"}}, "1,500"},
        {Regla::B, {{501, "1,500"}}, "(300)"},
        {Regla::C, {{501, "1,500"}, {502, "(300)"}}, "1,200"},
        {Regla::D, {{105, "2,000"}, {106, "1,000"}}, "3,000"},
        {Regla::E, {{504, "3,005"}}, "(301)"},  // 300.5: halves away from zero
        {Regla::F, {{504, "3,000"}, {505, "(300)"}}, "2,700"},
        {Regla::G, {{107, "500,000"}}, "(74,400)"},  // 100,000 exceeds 24 × U
        {Regla::G, {{107, "100,000"}}, "(20,000)"},
        {Regla::G, {{107, "372,000"}}, "(74,400)"},  // exactly 24 × U
        {Regla::H, {{107, "100,000"}, {507, "(20,000)"}}, "80,000"},
        {Regla::I, {{508, "80,000"}, {108, "5,000"}, {110, "(1,000)"}}, "84,000"},
        {Regla::J, {{509, "84,000"}, {111, "36,000"}}, "120,000"},
        {Regla::K, {{510, "15,000"}}, "(15,000)"},
        {Regla::K, {{510, "30,000"}}, "(21,700)"},
        {Regla::K, {{510, "21,700"}}, "(21,700)"},
        {Regla::L, {{510, "30,000"}, {511, "(21,700)"}}, "8,300"},
        {Regla::R113, {{503, "1,200"}, {506, "2,700"}, {512, "8,300"}}, "12,200"},
        {Regla::M, {{113, "10,000"}, {519, "(500)"}, {114, "(400)"}, {115, "(300)"}}, "8,800"},
        {Regla::M, {{113, "1,000"}, {519, "(500)"}, {114, "(400)"}, {115, "(300)"}}, "0"},  // floored
        {Regla::N, {{513, "9,500"}, {116, "500"}}, "10,000"},
        {Regla::O, {{514, "10,000"}, {117, "(2,000)"}}, "8,000"},
        {Regla::O, {{514, "1,000"}, {117, "(2,000)"}}, "(1,000)"},
        {Regla::R120, {{515, "10,000"}}, "1,500"},
        {Regla::R120, {{515, "83,700"}}, "12,555"},   // exactly 27 × U: first bracket
        {Regla::R120, {{515, "83,701"}}, "12,555"},   // 12,555.21
        {Regla::R120, {{515, "167,400"}}, "30,132"},  // exactly 54 × U: middle formula
        {Regla::R120, {{515, "200,000"}}, "39,912"},  // 12,555 + 17,577 + 0.30 × 32,600
        {Regla::P, {{120, "5,000"}, {122, "(1,000)"}, {124, "(500)"}}, "3,500"},
        {Regla::P, {{120, "1,000"}, {122, "(1,500)"}}, "0"},
        {Regla::R, {{113, "1,000"}, {116, "200"}, {200, "300"}, {201, "400"}, {203, "500"}}, "2,400"},
        {Regla::R200, {{535, "1,500"}, {539, "2,500"}}, "4,000"},
        {Regla::R201, {{530, "100"}, {540, "50"}}, "150"},
    };
    for (const CasoRegla& c : casos) {
        const int resultado = calculo::casillaResultado(c.regla);
        carga(c.entradas);
        calculo::ejecuta(d, c.regla);
        EXPECT_EQ(d.texto(resultado), c.esperado) << "box " << resultado;

        // Every tested input empty: the result becomes empty, not "0".
        std::map<int, QString> vacias;
        for (const auto& [n, t] : c.entradas) vacias[n] = "";
        carga(vacias);
        calculo::ejecuta(d, c.regla);
        EXPECT_EQ(d.texto(resultado), "") << "box " << resultado;
    }
}

TEST_F(Reglas, ReglasDeVariasCasillas) {
    // Calcular146 reads box 145 without testing it.
    carga({{142, "5,000"}, {144, "(1,000)"}, {145, "200"}});
    calculo::Calcular146(d);
    EXPECT_EQ(d.texto(146), "4,200");
    carga({{142, "0"}, {144, "(1,000)"}, {145, ""}});
    calculo::Calcular146(d);
    EXPECT_EQ(d.texto(146), "0");
    carga({{142, ""}, {144, ""}, {145, "200"}});
    calculo::Calcular146(d);
    EXPECT_EQ(d.texto(146), "");

    carga({{840, "1,000"}, {852, "500"}, {853, "9,999"}});  // 853 is not part of the total
    calculo::Calcular_Patrimonial(d);
    EXPECT_EQ(d.controles.TxtTotal, "1,500");
    carga({{840, ""}, {852, ""}});
    calculo::Calcular_Patrimonial(d);
    EXPECT_EQ(d.controles.TxtTotal, "");
}

TEST_F(Reglas, LaCadenaDesdeUnaCasillaTecleada) {
    teclea(100, "120000");
    teclea(107, "500000");
    teclea(111, "36000");
    const std::map<int, QString> esperado = {
        {501, "120,000"}, {502, "(24,000)"}, {503, "96,000"},   {507, "(74,400)"}, {508, "425,600"},
        {509, "425,600"}, {510, "461,600"},  {511, "(21,700)"}, {512, "439,900"},  {113, "535,900"},
        {513, "535,900"}, {514, "535,900"},  {515, "535,900"},  {120, "140,682"},  {516, "140,682"},
        {141, "0"},       {142, "140,682"},  {146, "140,682"},  {518, "535,900"},
    };
    for (const auto& [n, t] : esperado) EXPECT_EQ(d.texto(n), t) << n;

    // Deleting 100 and 102 empties 501, which in turn empties 502 and 503.
    teclea(100, "");
    EXPECT_EQ(d.texto(501), "");
    EXPECT_EQ(d.texto(502), "");
    EXPECT_EQ(d.texto(503), "");
    EXPECT_EQ(d.texto(113), "439,900");
}

TEST_F(Reglas, SaldoEnAmbosSentidosYCasilla140) {
    teclea(111, "200000");  // 510 200,000; 511 (21,700); 515 178,300; 120 = 12,555 + 17,577 + 0.3 × 10,900
    ASSERT_EQ(d.texto(120), "33,402");
    EXPECT_FALSE(d.casilla(140).habilitada);
    EXPECT_TRUE(d.casilla(145).habilitada);  // 142 is positive

    teclea(131, "40000");  // credits larger than the tax: balance in the taxpayer's favour
    EXPECT_EQ(d.texto(131), "(40,000)");
    EXPECT_EQ(d.texto(141), "(6,598)");
    EXPECT_EQ(d.texto(142), "0");
    EXPECT_EQ(d.texto(146), "0");
    EXPECT_TRUE(d.casilla(140).habilitada);
    EXPECT_FALSE(d.casilla(140).bloqueada);
    EXPECT_FALSE(d.casilla(145).habilitada);
    teclea(140, "1");
    EXPECT_EQ(d.texto(140), "1");

    teclea(131, "30000");  // back to a debt: 140 is cleared and locked again
    EXPECT_EQ(d.texto(141), "0");
    EXPECT_EQ(d.texto(142), "3,402");
    EXPECT_EQ(d.texto(140), "");
    EXPECT_TRUE(d.casilla(140).bloqueada);
    EXPECT_TRUE(d.casilla(145).habilitada);

    teclea(145, "98");
    teclea(144, "500");
    EXPECT_EQ(d.texto(146), "3,000");  // 3,402 − 500 + 98

    teclea(131, "");  // credits exactly equal to nothing: 141 "0", 142 the whole tax
    teclea(131, "33402");
    EXPECT_EQ(d.texto(141), "0");
    EXPECT_EQ(d.texto(142), "0");
    EXPECT_FALSE(d.casilla(145).habilitada);  // both balances 0
    EXPECT_EQ(d.texto(145), "");
}

TEST_F(Reglas, Casilla513NuncaNegativaYGrupoAmazonia) {
    teclea(111, "30000");  // 512 = 8,300 = 113
    teclea(519, "5000");
    teclea(115, "4000");
    EXPECT_EQ(d.texto(513), "0");  // 8,300 − 9,000
    EXPECT_EQ(d.texto(515), "0");
    EXPECT_EQ(d.texto(120), "0");

    EXPECT_FALSE(d.casilla(817).habilitada);
    teclea(117, "100");
    EXPECT_TRUE(d.casilla(817).habilitada);
    EXPECT_TRUE(d.controles.marcoAmazonia);
    teclea(817, "SELVA SAC");
    teclea(117, "");
    EXPECT_FALSE(d.casilla(817).habilitada);
    EXPECT_EQ(d.texto(817), "");
}

TEST_F(Reglas, Casilla114SeHabilitaConPrimeraCategoria) {
    EXPECT_FALSE(d.casilla(114).habilitada);
    teclea(100, "10000");
    EXPECT_TRUE(d.casilla(114).habilitada);
    teclea(114, "3000");
    EXPECT_EQ(d.texto(513), "5,000");  // 8,000 − 3,000

    // Clearing 100 disables 114; its clearing runs the recalculation while 114 is still enabled.
    bool habilitadaAlBorrar = false;
    d.alCambiarCasilla = [&](int n) {
        if (n == 114 && d.texto(114).isEmpty() && !habilitadaAlBorrar)
            habilitadaAlBorrar = d.casilla(114).habilitada;
    };
    teclea(100, "");
    EXPECT_TRUE(habilitadaAlBorrar);
    EXPECT_FALSE(d.casilla(114).habilitada);
    EXPECT_TRUE(d.casilla(114).bloqueada);
    EXPECT_EQ(d.casilla(114).fondo, Fondo::BotonCara);
    EXPECT_EQ(d.texto(114), "");
    EXPECT_EQ(d.texto(513), "");
}

TEST_F(Reglas, ImporteAPagarPasaALaFormaDePago) {
    teclea(180, "1234567");
    EXPECT_EQ(d.texto(180), "1,234,567");
    EXPECT_EQ(d.controles.pago.monto, "1,234,567");
    teclea(180, "");
    EXPECT_EQ(d.controles.pago.monto, "");
}

TEST_F(Reglas, CalculoSuspendidoMientrasCarga) {
    carga({{100, "1,000"}, {107, "50,000"}});
    EXPECT_EQ(d.texto(501), "");
    EXPECT_EQ(d.texto(507), "");
    EXPECT_TRUE(d.Modificado);  // a change of a box is a change even while loading
}

TEST_F(Reglas, TotalDeDetalleEscritoUnaVezSinReentrar) {
    int escrituras200 = 0;
    d.alCambiarCasilla = [&](int n) { escrituras200 += n == 200; };
    carga({{535, "1,500"}});
    d.fijaTexto(539, "2,500");  // one change of a detail box: its total once, raw then formatted
    EXPECT_EQ(d.texto(200), "4,000");
    EXPECT_EQ(escrituras200, 2);

    // Focus on box 200: the editing form is a change with the counter at 0, which runs the total
    // once; its own writes arrive with the counter above 0.
    escrituras200 = 0;
    d.entraFoco(200);
    EXPECT_EQ(d.texto(200), "4,000");
    EXPECT_EQ(escrituras200, 2);  // "4000", then the total's "4,000"
    EXPECT_EQ(d.Cambios200, 0);
    d.saleFoco(200);
    EXPECT_EQ(d.texto(200), "4,000");
}

TEST_F(Reglas, Limite122YMensajeDeSaldo) {
    EXPECT_EQ(calculo::Calcular122(d), "");
    carga({{116, "50,000"}, {120, "30,000"}, {511, "(21,700)"}, {515, "128,300"}});
    // 30,000 × 50,000 ÷ (21,700 + 128,300) = 10,000
    EXPECT_EQ(calculo::Calcular122(d), "10000");
    carga({{116, "1"}, {120, "1"}});
    EXPECT_EQ(calculo::Calcular122(d), "");  // rounds to 0
    carga({{116, ""}, {120, "5"}, {511, ""}, {515, "0"}, {115, ""}});
    EXPECT_EQ(calculo::Calcular122(d), "");  // divisor 0

    const QString m = "por impuesto a la renta ";
    struct Caso {
        const char *deuda, *pago, *mensaje;
    } casos[] = {
        {"", "0", ""},
        {"", "50", "El importe a pagar por impuesto a la renta  tiene un exceso\n"},
        {"100", "150", "El importe a pagar por impuesto a la renta  tiene un exceso\n"},
        {"150", "100", "ZORVA generará una orden de pago por impuesto a la renta \n"},
        {"100", "100", ""},
        {"1,500", "1,500", ""},
        {"(10)", "0", ""},  // a favourable balance and nothing to pay
        {"abc", "10", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(calculo::SaldoaPagar(c.deuda, c.pago, m), c.mensaje) << c.deuda << "/" << c.pago;
}
