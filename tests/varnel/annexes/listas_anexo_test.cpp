#include "varnel/annexes/listas_anexo.h"

#include <gtest/gtest.h>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/carga.h"
#include "varnel/declaration/grabado.h"
#include "varnel/declaration/instantanea_nucleo.h"

using namespace qvr;

namespace {

const QString kRuc = "20100047218";
const QString kEntrada = "20100047218  PEREZ GOMEZ JUAN          050504";

class ListasTest : public ::testing::Test {
  protected:
    ListasTest() : d(valores), listas(env.base(), d) { conectaCalculo(d); }
    void SetUp() override { creaTablasAnexo(env.base()); }
    void dividendo(const QString& ruc, const QString& fecha, const QString& monto, const QString& retenido) {
        env.base().ejecuta("INSERT INTO TMP_F0738DIVID VALUES (?, 'ACME SA', ?, ?, ?)",
                           {ruc, fecha, monto, retenido});
    }
    int cuenta(const QString& tabla) { return env.base().escalar("SELECT count(*) FROM " + tabla).toInt(); }

    prueba::Entorno env;
    ValoresEjecucion valores;
    Declaracion d;
    ListasAnexo listas;
};

}  // namespace

TEST_F(ListasTest, ResumenGrillaYEliminacionPorPagadorYFecha) {
    dividendo("20000000001", "2003-03-15", "10000", "410");
    // Same payer on another date; the stored date carries a time part.
    dividendo("20000000001", "2003-06-15 10:30:00", "2500000", "102500");
    listas.Get_Dividendos();
    const auto& r = listas.resumen(ListaAnexo::Dividendos);
    EXPECT_EQ(r.cantidad, "Cantidad de Retenciones: 2");
    ASSERT_EQ(r.totales.size(), 2u);
    EXPECT_EQ(r.totales[0], "2,510,000");
    EXPECT_EQ(r.totales[1], "102,910");
    EXPECT_EQ(listas.celda(ListaAnexo::Dividendos, 1, 2), "15/06/2003");
    EXPECT_EQ(listas.celda(ListaAnexo::Dividendos, 1, 3), "2,500,000");

    // Answering No deletes nothing.
    env.dialogos().responde(Respuesta::No);
    listas.Eliminar_Dividendos(1);
    EXPECT_EQ(cuenta("TMP_F0738DIVID"), 2);
    EXPECT_FALSE(d.Modificado);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto,
              "¿Esta seguro de Eliminar?. Esta información no podrá ser recuperada");
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Eliminar Registro");

    // Yes deletes only the row of that date, whatever its time part.
    env.dialogos().responde(Respuesta::Si);
    listas.Eliminar_Dividendos(1);
    EXPECT_EQ(env.base().escalar("SELECT fec_retenida FROM TMP_F0738DIVID").toString(), "2003-03-15");
    EXPECT_TRUE(listas.AnexoModificado);
    EXPECT_TRUE(d.Modificado);
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).cantidad, "Cantidad de Retenciones: 1");
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).totales[1], "410");

    // After the last row the labels are empty, not "0".
    env.dialogos().responde(Respuesta::Si);
    listas.Eliminar_Dividendos(0);
    EXPECT_EQ(listas.filas(ListaAnexo::Dividendos), 0);
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).cantidad, "");
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).totales, (std::vector<QString>{"", ""}));
}

TEST_F(ListasTest, TotalQueSumaCeroSeMuestraVacio) {
    dividendo("20000000001", "2003-03-15", "0", "0");
    listas.Get_Dividendos();
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).cantidad, "Cantidad de Retenciones: 1");
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).totales, (std::vector<QString>{"", ""}));
    env.base().ejecuta(
        "INSERT INTO TMP_F0738EXTRA VALUES ('FOREIGN CO', '0604', '01', '02', '1234567', 'PERU', "
        "'X', 'Y')");
    listas.Get_Extranjero();
    EXPECT_EQ(listas.resumen(ListaAnexo::Extranjero).cantidad, "Cantidad de registros: 1");
    EXPECT_EQ(listas.resumen(ListaAnexo::Extranjero).totales[0], "1,234,567");
}

TEST_F(ListasTest, ErroresYListasVacias) {
    // A table that cannot be read: the "Error : " message (a trailing blank) and 0.
    EXPECT_EQ(Cuenta_Registros(env.base(), "NO_EXISTE"), 0);
    EXPECT_EQ(Suma_Retencion(env.base(), "NO_EXISTE", "mto"), "0");
    ASSERT_EQ(env.dialogos().mostrados.size(), 2u);
    const Mensaje& m = env.dialogos().mostrados[0];
    EXPECT_TRUE(m.texto.startsWith("Error : ") && m.texto.contains(" Descripción : ") &&
                m.texto.endsWith(" "))
        << m.texto.toStdString();
    EXPECT_EQ(m.titulo, "Error");
    EXPECT_EQ(m.icono, Icono::Informacion);

    env.dialogos().mostrados.clear();
    listas.cargaTodas();
    EXPECT_FALSE(listas.puedeModificar(ListaAnexo::Dividendos));
    EXPECT_FALSE(listas.puedeEliminar(ListaAnexo::Dividendos));
    EXPECT_EQ(env.dialogos().textos(),
              (QStringList{"No existen registros para modificar", "No existen registros para eliminar"}));
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, d.Titulo);
}

TEST_F(ListasTest, EliminarInversionPorSuClave) {
    BaseDatos& b = env.base();
    b.ejecuta("INSERT INTO TMP_F0738EXTRA VALUES ('CO', '0604', '01', '02', '100', 'PERU', 'X', 'Y')");
    b.ejecuta("INSERT INTO TMP_F0738EXTRA VALUES ('CO', '0604', '01', '03', '200', 'PERU', 'X', 'Z')");
    b.ejecuta(
        "INSERT INTO TMP_F0738FIDEI (tip_doc_fde, num_doc_fde, tip_empre_fdu, des_empre_fdu, tip_doc_ben, "
        "num_doc_ben, tip_patri_fdei, mto_saldo) VALUES (1, '07654321', '01', 'FIDU', 6, NULL, '03', '7')");
    listas.cargaTodas();
    env.dialogos().responde(Respuesta::Si);
    env.dialogos().responde(Respuesta::Si);
    listas.Eliminar_Extranjero(1);
    EXPECT_EQ(b.escalar("SELECT ind_operacion FROM TMP_F0738EXTRA").toString(), "02");
    // A null key column still finds its row.
    listas.Eliminar_Fideicomiso(0);
    EXPECT_EQ(cuenta("TMP_F0738FIDEI"), 0);
}

// A declaration stored with box 874 "0" but with stored foreign-investment rows: the opening asks.
class PreguntaCargaTest : public ListasTest {
  protected:
    void SetUp() override {
        ListasTest::SetUp();
        Instantanea s;
        s.ruc = kEntrada;
        s.casillas = {{100, "1,500"}};
        s.extranjero = Opcion::No;
        s.fideicomiso = Opcion::Si;
        ASSERT_TRUE(GrabarForm(env.base(), s, ClaveDeclaracion{}).grabado);
        env.base().ejecuta(
            "INSERT INTO F0738EXTRANJ VALUES (6, ?, '2003', '0738', 'FOREIGN CO', '0604', '01', "
            "'02', '5000', '000000')",
            {kRuc});
        env.dialogos().mostrados.clear();
    }
    void abre() {
        valores.ModoDeclaracion = 2;
        valores.RucDeclarante = kRuc;
        const Carga c = CargaDeclaracion(env.base(), valores, "0738", "ANA");
        aplicaCarga(d, c);
        listas.cargaTodas();
        listas.aplicaPreguntasDeCarga();
    }
};

TEST_F(PreguntaCargaTest, NoConservaLasFilas) {
    env.dialogos().responde(Respuesta::No);
    abre();
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    const Mensaje& m = env.dialogos().mostrados[0];
    EXPECT_EQ(m.texto,
              "¿Existen Datos de Inversones en el extranjero registradas. Si selecciona NO estas serán "
              "eliminadas. ¿Confirma que va a eliminar los registros de inversión extranjera?");
    EXPECT_EQ(m.botones, Botones::SiNo);
    EXPECT_EQ(m.icono, Icono::Pregunta);
    EXPECT_EQ(d.controles.opciones[size_t(Pregunta::Extranjero)], Opcion::Si);
    EXPECT_TRUE(listas.habilitada(ListaAnexo::Extranjero));
    EXPECT_EQ(cuenta("TMP_F0738EXTRA"), 1);
    EXPECT_EQ(listas.celda(ListaAnexo::Extranjero, 0, 4), "5,000");
    EXPECT_FALSE(d.Modificado);
}

TEST_F(PreguntaCargaTest, SiVaciaLaListaYElGrabadoBorraLasFilas) {
    env.dialogos().responde(Respuesta::Si);
    abre();
    EXPECT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(d.controles.opciones[size_t(Pregunta::Extranjero)], Opcion::No);
    EXPECT_FALSE(listas.habilitada(ListaAnexo::Extranjero));
    EXPECT_EQ(cuenta("TMP_F0738EXTRA"), 0);
    EXPECT_EQ(listas.resumen(ListaAnexo::Extranjero).cantidad, "");
    EXPECT_TRUE(d.Modificado);  // closing will offer to save
    ASSERT_TRUE(grabaDeclaracion(env.base(), d, "0738").grabado);
    EXPECT_EQ(cuenta("F0738EXTRANJ"), 0);
    EXPECT_EQ(prueba::filasDet(env.base(), kRuc).at("874"), "0");
}

TEST_F(PreguntaCargaTest, EnviadaNoPregunta) {
    env.base().ejecuta("DELETE FROM TMP_F0738EXTRA");
    env.base().ejecuta(
        "INSERT INTO TMP_F0738EXTRA VALUES ('CO', '0604', '01', '02', '100', 'PERU', 'X', 'Y')");
    valores.DeclaracionEnviada = true;
    d.controles.opciones[size_t(Pregunta::Extranjero)] = Opcion::No;
    listas.cargaTodas();
    listas.aplicaPreguntasDeCarga();
    EXPECT_TRUE(env.dialogos().mostrados.empty());
    EXPECT_EQ(cuenta("TMP_F0738EXTRA"), 1);
}

// Opened, changed through the lists and saved again: the stored rows follow the working rows.
TEST_F(ListasTest, AbrirCambiarYGrabarDeNuevo) {
    BaseDatos& b = env.base();
    prueba::cargaSql(b, "persist/declaraciones.sql");
    valores.ModoDeclaracion = 2;
    valores.RucDeclarante = kRuc;
    aplicaCarga(d, CargaDeclaracion(b, valores, "0738", "ANA"));
    listas.cargaTodas();
    listas.aplicaPreguntasDeCarga();
    EXPECT_TRUE(env.dialogos().mostrados.empty());  // 874 and 875 answered Si
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).cantidad, "Cantidad de Retenciones: 2");
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).totales, (std::vector<QString>{"300", "12"}));
    EXPECT_EQ(listas.celda(ListaAnexo::Extranjero, 0, 0), "FOREIGN CO");
    EXPECT_EQ(listas.celda(ListaAnexo::Fideicomiso, 0, 15), "ROJAS DIAZ ANA");  // des_razon_fde
    EXPECT_EQ(listas.celda(ListaAnexo::Fideicomiso, 0, 4), "PEREZ GOMEZ SAC");  // des_razon_ben
    EXPECT_EQ(listas.celda(ListaAnexo::Fideicomiso, 0, 6), "7,000");

    env.dialogos().responde(Respuesta::Si);
    listas.Eliminar_Dividendos(0);
    ASSERT_TRUE(grabaDeclaracion(b, d, "0738").grabado);
    const Registros div = b.consulta("SELECT * FROM F0738DIVIDEND WHERE doc_id_d=?", {kRuc});
    ASSERT_EQ(div.filas(), 1);
    EXPECT_EQ(div.texto(0, "fec_retenida"), "2003-06-15");
    EXPECT_EQ(div.texto(0, "mto_distribuido"), "200");
    EXPECT_EQ(b.escalar("SELECT count(*) FROM F0738DIVIDEND").toInt(), 2);  // another declaration's row stays
    const Registros fi = b.consulta("SELECT * FROM F0738FIDEICOM WHERE doc_id_d=?", {kRuc});
    ASSERT_EQ(fi.filas(), 1);
    EXPECT_TRUE(fi.valor(0, "des_razon_fde").isNull());  // a person: name parts only
    EXPECT_EQ(fi.texto(0, "des_razon_ben"), "PEREZ GOMEZ SAC");

    // Answering No to the trust question, confirmed, removes the stored trust rows at the next save.
    env.dialogos().responde(Respuesta::Si);
    listas.eligeOpcion(Pregunta::Fideicomiso, Opcion::No);
    EXPECT_EQ(cuenta("TMP_F0738FIDEI"), 0);
    ASSERT_TRUE(grabaDeclaracion(b, d, "0738").grabado);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM F0738FIDEICOM WHERE doc_id_d=?", {kRuc}).toInt(), 0);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM F0738EXTRANJ WHERE doc_id_d=?", {kRuc}).toInt(), 1);
}
