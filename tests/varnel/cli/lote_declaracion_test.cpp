// What varnel-cli grabar and mostrar do through the declaration session, without the process: a declaration typed and saved with
// the window's identification checks, the taxpayer refused when the user may not choose it, and a
// stored or sent declaration opened and printed.
#include <gtest/gtest.h>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/cli/lote_declaracion.h"

using namespace qvr;

namespace {

const QString kNuevo = "10455555551";
const QString kGuardado = "20100047218";

class LoteTest : public ::testing::Test {
protected:
    void SetUp() override {
        prueba::preparaDeclaraciones(env);
        env.agregaContribuyente(kNuevo, "ROJAS", "DIAZ", "ANA MARIA", "ANA");
    }
    QString det(const QString& ruc, const QString& casilla) {
        return env.base().escalar("SELECT i_valor FROM DET WHERE doc_id_d=? AND casilla=?", {ruc, casilla}).toString();
    }
    ResultadoGrabarLote graba(const QStringList& l) { return grabaLote(env.base(), "0738", "ANA", l); }
    prueba::Entorno env;
};

TEST_F(LoteTest, GrabaUnaNuevaYLaMuestraIgual) {
    const ResultadoGrabarLote r = graba({"ruc=" + kNuevo, "rectifica=0", "100=1500", "122=1234", "180=77", "telefono=4123456"});
    ASSERT_EQ(r.salida, 0) << r.avisos.join("\n").toStdString();
    // No rent answer and no payment method: stored, but inconsistent.
    EXPECT_EQ(r.lineas, QStringList{"estado=9"});
    EXPECT_EQ(det(kNuevo, "100"), "1500");
    EXPECT_EQ(det(kNuevo, "122"), "-1234");
    EXPECT_EQ(det(kNuevo, "801"), "ROJAS");
    EXPECT_EQ(det(kNuevo, "871"), "0");

    const ResultadoGrabarLote m = muestraDeclaracion(env.base(), "0738", "ANA", kNuevo, {});
    ASSERT_EQ(m.salida, 0);
    for (const char* l : {"100=1,500", "122=(1,234)", "180=77", "801=ROJAS", "ruc=10455555551", "rectifica=0",
                          "telefono=4123456"})
        EXPECT_TRUE(m.lineas.contains(l)) << l;
}

TEST_F(LoteTest, ModificaLaGuardadaConservandoLoDemas) {
    const ResultadoGrabarLote r = graba({"ruc=" + kGuardado, "102=900"});
    ASSERT_EQ(r.salida, 0) << r.avisos.join("\n").toStdString();
    EXPECT_EQ(det(kGuardado, "102"), "900");
    EXPECT_EQ(det(kGuardado, "100"), "1500");
    EXPECT_EQ(det(kGuardado, "871"), "1");
}

TEST_F(LoteTest, RechazaLoQueLaVentanaRechazaria) {
    struct Caso {
        const char* nombre;
        QStringList lineas;
        int salida;
        QString aviso;    // standard error
        QString mensaje;  // message of the checks
    } casos[] = {
        {"sin ruc", {"100=1"}, 2, "falta la línea ruc=: debe nombrarse al declarante", ""},
        {"ruc de otro usuario", {"ruc=10401234567"}, 1,
         "El contribuyente 10401234567 no está entre los que el usuario ANA puede elegir", ""},
        {"telefono corto", {"ruc=" + kNuevo, "rectifica=0", "telefono=123"}, 1, "",
         "Ingrese correctamente el teléfono"},
        {"linea mala", {"ruc=" + kNuevo, "xyz=1"}, 2, "línea 2: clave desconocida 'xyz': xyz=1", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        env.dialogos().mostrados.clear();
        const ResultadoGrabarLote r = graba(c.lineas);
        EXPECT_EQ(r.salida, c.salida);
        if (!c.aviso.isEmpty()) {
            EXPECT_EQ(r.avisos.value(0), c.aviso);
        }
        if (!c.mensaje.isEmpty()) {
            EXPECT_EQ(env.dialogos().textos().value(0), c.mensaje);
        }
        EXPECT_EQ(env.base().escalar("SELECT count(*) FROM CAB WHERE doc_id_d=?", {kNuevo}).toInt(), 0);
    }
}

TEST_F(LoteTest, MuestraUnaEnviadaConSuNumeroDeOrden) {
    const ResultadoGrabarLote m = muestraDeclaracion(env.base(), "0738", "ANA", kGuardado, "001");
    ASSERT_EQ(m.salida, 0);
    EXPECT_TRUE(m.lineas.contains("100=5,000"));
    EXPECT_TRUE(m.lineas.contains("orden=0"));
    EXPECT_TRUE(m.lineas.contains("pago.forma=E"));
    const ResultadoGrabarLote falta = muestraDeclaracion(env.base(), "0738", "ANA", kGuardado, "009");
    EXPECT_EQ(falta.salida, 1);
    EXPECT_EQ(muestraDeclaracion(env.base(), "0738", "ANA", kNuevo, {}).salida, 1);
}

// A stored "No" for the foreign investments with rows behind it: opening asks, as the window does,
// and the answer decides whether the rows stay.
TEST_F(LoteTest, LaPreguntaDeLosAnexosAlAbrir) {
    env.base().ejecuta("UPDATE DET SET i_valor='0' WHERE doc_id_d=? AND casilla='874'", {kGuardado});
    const auto filas = [&] {
        return env.base().escalar("SELECT count(*) FROM F0738EXTRANJ WHERE doc_id_d=?", {kGuardado}).toInt();
    };
    ASSERT_EQ(filas(), 1);
    const QString pregunta =
        "¿Existen Datos de Inversones en el extranjero registradas. "
        "Si selecciona NO estas serán eliminadas. "
        "¿Confirma que va a eliminar los registros de inversión extranjera?";

    // Shown: the default answer keeps the rows, and the question reads Si.
    const ResultadoGrabarLote m = muestraDeclaracion(env.base(), "0738", "ANA", kGuardado, {});
    ASSERT_EQ(m.salida, 0);
    EXPECT_TRUE(env.dialogos().textos().contains(pregunta));
    EXPECT_TRUE(m.lineas.contains("extranjero=1"));

    // Saved after answering Si: the rows go and 874 stays "0".
    env.dialogos().mostrados.clear();
    env.dialogos().responde(Respuesta::Si);
    const ResultadoGrabarLote g = graba({"ruc=" + kGuardado});
    ASSERT_EQ(g.salida, 0) << g.avisos.join("\n").toStdString();
    EXPECT_EQ(env.dialogos().textos().value(0), pregunta);
    EXPECT_EQ(filas(), 0);
    EXPECT_EQ(det(kGuardado, "874"), "0");
}

}  // namespace
