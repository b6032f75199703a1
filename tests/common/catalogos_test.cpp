#include "common/catalogos.h"

#include <gtest/gtest.h>

#include "common/combos.h"
#include "lotmira/instalador.h"
#include "support/entorno.h"
#include "support/lotmira_instalacion.h"

using namespace qvr;

namespace {

// A database as the suite leaves it: the installer's catalogs plus a few rows of the host's.
class Catalogos : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta);
        // '998': rate code in 1-6, period "yyyymm" in 8-13, rate in funcion 2-7.
        env.agregaParam("998", "020702 200001", " 00.300");
        env.agregaParam("998", "020702 200201", " 00.270");
        env.agregaParam("998", "020702 200301", " 00.250");  // sorts after "2003": never read
        env.agregaParam("998", "050802 200101", " 15.000");
        env.agregaParam("404", "20010101", "  3000 ");
        env.agregaParam("404", "20020101", "  3100 ");
        env.agregaParam("404", "20030101", "  3100 ");
    }
    prueba::Entorno env;
    BaseDatos& base() { return env.base(); }
};

}  // namespace

TEST(SeleccionPorPeriodo, ReglaDeCorte) {
    const QString anio = "2003";
    const struct {
        std::vector<PeriodoValor> filas;
        const char* esperado;
    } casos[] = {
        {{}, "vacio"},
        {{{"20030101", "00.041"}}, "0.041"},
        // Every period up to the year: the last one.
        {{{"200001", "00.300"}, {"200201", "00.270"}}, "0.27"},
        // A dated change within the year stops the walk: the value in force before it.
        {{{"20020101", "00.030"}, {"20030101", "00.041"}, {"20030701", "00.050"}}, "0.03"},
        // ...unless the first row is itself after the year: then the walk runs to the end.
        {{{"20030101", "00.041"}, {"20030701", "00.050"}}, "0.05"},
        {{{"2001", "3000"}, {"2003", " 3100 "}}, "3100"},
        {{{"2001", "  "}}, "0"},
        // The value is a number as the platform converts text: thousands separators allowed...
        {{{"2002", "3100"}, {"2003", "3,100"}}, "3100"},
        {{{"200112", "000.15000"}, {"200212", "000.18000"}}, "0.18"},
        // ...and a text that is no number reads as its leading number.
        {{{"2003", "abc"}}, "0"},
        {{{"2003", "3100 soles"}}, "3100"},
    };
    for (const auto& c : casos) EXPECT_EQ(seleccionaPorPeriodo(c.filas, anio, "vacio"), QString(c.esperado));
}

TEST_F(Catalogos, TasasYUit) {
    EXPECT_EQ(TasaPorFecha(base(), "916"), "0.041");
    EXPECT_EQ(TasaPorFecha(base(), "555"), "0");
    EXPECT_EQ(TasaIgv(base(), "020702"), "0.27");
    EXPECT_EQ(TasaPorCodigo(base(), "050802", "998"), "15");
    EXPECT_EQ(TasaIgv(base(), "999999"), "");
    EXPECT_EQ(UitDelAnio(base()), "3100");
    EXPECT_EQ(UitDelAnio(base(), "2000"), "");
    Tasas t;
    CargaTasas(base(), t);
    EXPECT_EQ(t.tasa020702, 0.27);
    EXPECT_EQ(t.tasa020704, 0);
    EXPECT_EQ(t.ValorUIT, 3100);
    EXPECT_EQ(valorDeTasa(UitDelAnio(base(), "2000")), std::nullopt);

    // The UIT of the host's catalog written with a thousands separator.
    env.agregaParam("404", "20030701", "3,200");
    EXPECT_EQ(UitDelAnio(base()), "3200");
}

TEST_F(Catalogos, EntradasYTiposDeDocumento) {
    EXPECT_EQ(FuncionDe(base(), "996", "240", 15, 1), "F0738EXTRANJ   ");
    EXPECT_EQ(FuncionDe(base(), "996", "240", 3, 23), "  8");
    EXPECT_EQ(FuncionDe(base(), "996", "999", 3, 1), "");

    EXPECT_EQ(DescripcionDocumento(base(), "6", 1), "REG. UNICO DE CONTRIBUYENTES");
    EXPECT_EQ(DescripcionDocumento(base(), " 1 ", 2), "L.E / DNI");
    EXPECT_EQ(DescripcionDocumento(base(), "06", 1), "");  // keys have no leading zero

    EXPECT_EQ(LongitudDocumento(base(), "6"), 11);
    EXPECT_EQ(LongitudDocumento(base(), "1"), 8);
    EXPECT_EQ(LongitudDocumento(base(), "4"), 12);
    EXPECT_EQ(LongitudDocumento(base(), "55"), 8);
    // A type that is there but whose length is not a number: its leading number, never 8.
    const auto conLongitud = [](const char* largo) {
        QString f(130, ' ');
        f.replace(45, 2, largo);
        return f;
    };
    env.agregaParam("044", "70", conLongitud("9 "));
    env.agregaParam("044", "71", conLongitud("xx"));
    env.agregaParam("044", "72", conLongitud("  "));
    EXPECT_EQ(LongitudDocumento(base(), "70"), 9);
    EXPECT_EQ(LongitudDocumento(base(), "71"), 0);
    EXPECT_EQ(LongitudDocumento(base(), "72"), 0);

    const auto ruc = TipoDocumento(base(), "6");
    ASSERT_TRUE(ruc);
    EXPECT_EQ(ruc->nombreCorto().trimmed(), "RUC");
    EXPECT_EQ(ruc->orden(), "01");
    EXPECT_TRUE(ruc->soloDigitos());
    EXPECT_TRUE(ruc->longitudExacta());
    EXPECT_TRUE(ruc->ofrecidoEn(FuncionDocumento::kContextoFormulario));
    const auto otros = TipoDocumento(base(), "0");
    EXPECT_FALSE(otros->soloDigitos());
    EXPECT_FALSE(otros->longitudExacta());
    EXPECT_FALSE(otros->ofrecidoEn(FuncionDocumento::kContextoFormulario));
    EXPECT_TRUE(otros->ofrecidoEn(FuncionDocumento::kContextoBeneficiario));
    // A short funcion reads blanks beyond its end: no flag, and not "0".
    EXPECT_TRUE(FuncionDocumento("X").longitudExacta());
    EXPECT_EQ(FuncionDocumento("X").longitud(), 0);
}

TEST_F(Catalogos, CombosDeCodigoYNombre) {
    ListaTextos l;
    LlenaComboPorCodigo(l, base(), "913", Filas::Todas, 40, 1, true);
    ASSERT_EQ(l.count(), 6);
    EXPECT_EQ(l.text(0), QString(75, ' '));
    EXPECT_EQ(l.text(1), "01" + QString(10, ' ') + QString(5, ' ') + "ACCIONISTA");
    EXPECT_EQ(l.text(5), "99" + QString(15, ' ') + "OTROS");
    EXPECT_EQ(codigoDeItem(l.text(5), 12), "99");

    LlenaComboPorNombre(l, base(), "913", Filas::Todas, 40, 1, false);
    QStringList nombres;
    for (int i = 0; i < l.count(); ++i) nombres << l.text(i).mid(17);
    EXPECT_EQ(nombres, QStringList({"ACCIONISTA", "BENEFICIARIO", "DIRECTOR", "OTROS", "TITULAR"}));

    // Only the rows offered in the lists; a description blank in its first 15 columns lists as none.
    env.agregaParam("919", "50", "OCULTA" + QString(63, ' ') + "01");
    env.agregaParam("919", "60", QString(20, ' ') + "X" + QString(48, ' ') + "11");
    LlenaComboPorCodigo(l, base(), "919", Filas::Ofrecidas, 69, 1, false);
    EXPECT_EQ(l.count(), 9);
    EXPECT_FALSE(l.items.join("\n").contains("OCULTA"));
    EXPECT_EQ(l.text(7), "60" + QString(15, ' '));
    LlenaComboPorCodigo(l, base(), "919", Filas::Todas, 69, 1, false);
    EXPECT_EQ(l.count(), 10);

    // The short filler adds to what is there: an empty item, then by description, code in 2 columns.
    ListaTextos c;
    c.add("previo");
    LlenaComboCorto(c, base(), "927", Filas::Todas, 60, 1);
    EXPECT_EQ(c.items, QStringList({"previo", "", "01     EMPRESA EMISORA O SOCIEDAD TITULIZADORA",
                                    "02     SOCIEDADES DE PROPOSITO ESPECIAL - S.A.C."}));
}

TEST_F(Catalogos, TiposDeDocumentoPorContexto) {
    ListaTextos l;
    LlenaTiposDocumento(l, base(), FuncionDocumento::kContextoBeneficiario, true);
    ASSERT_EQ(l.count(), 8);
    EXPECT_EQ(l.text(0), kItemEnBlanco);
    QStringList codigos;
    for (int i = 1; i < l.count(); ++i) codigos << l.text(i).left(2);
    EXPECT_EQ(codigos, QStringList({"06", "01", "02", "03", "04", "07", "00"}));  // display order 56-57
    const QString ruc = l.text(1);
    EXPECT_EQ(ruc, "06  -  " + QString("REG. UNICO DE CONTRIBUYENTES").leftJustified(60) + "11 5 1");
    EXPECT_EQ(ruc.mid(kItemTipoLongitud - 1, 2), "11");
    EXPECT_EQ(ruc.mid(kItemTipoDato - 1, 1), "5");
    EXPECT_EQ(ruc.mid(kItemTipoRegla - 1, 1), "1");
    EXPECT_EQ(l.text(2).mid(kItemTipoLongitud - 1, 2), "08");
    EXPECT_EQ(l.text(7).mid(kItemTipoDato - 1, 1), "0");

    LlenaTiposDocumento(l, base(), FuncionDocumento::kContextoFormulario, false);
    EXPECT_EQ(l.count(), 6);
    EXPECT_EQ(l.text(0).left(2), "06");
}
