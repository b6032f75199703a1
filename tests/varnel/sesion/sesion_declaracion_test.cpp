// The declaration session without a window: whom it lets open what, and the closing question.
#include "varnel/sesion/sesion_declaracion.h"

#include <gtest/gtest.h>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"
#include "varnel/declaration/orden.h"

using namespace qvr;

namespace {

const QString kGuardado = "20100047218";  // ANA's
const QString kAjeno = "10401234567";     // LUIS's

class SesionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prueba::preparaDeclaraciones(env);
    }
    EntornoSesion entorno(const QString& usuario) {
        EntornoSesion e;
        e.base = &env.base();
        e.usuario = usuario;
        return e;
    }
    int filasTrabajo() { return env.base().escalar("SELECT count(*) FROM TMP_F0738EXTRA").toInt(); }

    prueba::Entorno env;
};

TEST_F(SesionTest, UnContribuyenteAjenoNoSeAbreNiSeLee) {
    env.base().ejecuta("INSERT INTO TMP_F0738EXTRA (des_emp_ext, ind_pais, ind_cargo, ind_operacion) VALUES ('X SA', '0604', '01', '02')");
    struct Caso {
        const char* nombre;
        QString usuario, ruc, correl;
        bool abierta;
    } casos[] = {
        {"guardada de otro", "LUIS", kGuardado, {}, false},
        {"enviada de otro", "LUIS", kGuardado, "001", false},
        {"la suya", "ANA", kGuardado, {}, true},
        {"el administrador", "JEFE", kGuardado, "002", true},
        {"sin tipo de ingreso 2", "ANA", "20999999990", {}, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        v.RucDeclarante = c.ruc;
        v.DeclaracionEnviada = !c.correl.isEmpty();
        v.CorrelEnviada = c.correl;
        const int antes = filasTrabajo();
        SesionDeclaracion s(entorno(c.usuario), v);
        const ResultadoApertura r = s.abre();
        EXPECT_EQ(r.abierta, c.abierta);
        if (c.abierta) {
            EXPECT_TRUE(r.existe);
            EXPECT_EQ(s.declaracion().texto(801), "PEREZ");
            continue;
        }
        EXPECT_EQ(r.motivo, QString("El contribuyente %1 no está entre los que el usuario %2 puede elegir")
                                .arg(c.ruc, c.usuario));
        // Nothing read, nothing emptied: the working rows are as they were.
        EXPECT_EQ(filasTrabajo(), antes);
        EXPECT_TRUE(s.declaracion().texto(801).isEmpty());
    }
}

TEST_F(SesionTest, UnaEnviadaSinNumerosLosLeeDeSuEnvio) {
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    v.RucDeclarante = kGuardado;
    v.DeclaracionEnviada = true;
    v.CorrelEnviada = "001";
    SesionDeclaracion s(entorno("ANA"), v);
    ASSERT_TRUE(s.abre().abierta);
    EXPECT_EQ(v.NumeroControl, "12345678");
    const QString digitos = DigitoVerificador("12345678", "00000001");
    EXPECT_FALSE(s.graba("0000001", digitos).grabado);
    EXPECT_TRUE(s.graba("00000001", digitos).grabado);
    EXPECT_EQ(env.base().escalar("SELECT norden FROM hCAB WHERE correl='001'").toString().trimmed(), "00000001");
}

TEST_F(SesionTest, SoloSeEligeUnaEntradaDeLaListaDelUsuario) {
    ValoresEjecucion v;
    SesionDeclaracion s(entorno("ANA"), v);
    ASSERT_TRUE(s.abre().abierta);
    ASSERT_FALSE(s.entradaDe(kGuardado).isEmpty());
    EXPECT_TRUE(s.entradaDe(kAjeno).isEmpty());
    // An entry made up for another user's taxpayer, in the list's own layout.
    const QString ajena = kAjeno + "  QUISPE  ROSA          060004";
    EXPECT_FALSE(s.eligeContribuyente(ajena).ok);
    EXPECT_TRUE(v.RucDeclarante.isEmpty());
    const SesionDeclaracion::Eleccion e = s.eligeContribuyente(s.entradaDe(kGuardado));
    EXPECT_TRUE(e.ok);
    EXPECT_TRUE(e.existe);
    EXPECT_EQ(v.RucDeclarante, kGuardado);
}

TEST_F(SesionTest, LaPreguntaDelCierre) {
    const QString digitos = DigitoVerificador("12345678", "00000001");
    struct Caso {
        const char* nombre;
        bool enviada, modificada;
        std::vector<Respuesta> respuestas;
        QString orden, verifica;
        DecisionCierre decision;
        QString ultimoMensaje;
    } casos[] = {
        {"sin cambios", false, false, {}, {}, {}, DecisionCierre::Cerrar, {}},
        {"cancelar", false, true, {Respuesta::Cancelar}, {}, {}, DecisionCierre::Quedarse,
         "¿El formulario ha sido modificado, desea guardar los cambios?"},
        {"no guardar", false, true, {Respuesta::No}, {}, {}, DecisionCierre::Cerrar, {}},
        {"guardar", false, true, {Respuesta::Si}, {}, {}, DecisionCierre::Grabar, {}},
        {"orden sin cambios", true, false, {}, {}, {}, DecisionCierre::Cerrar, {}},
        {"orden corto", true, true, {Respuesta::Si}, "123", "", DecisionCierre::Quedarse,
         "El número de orden es incorrecto"},
        {"digito malo", true, true, {Respuesta::Si}, "00000001", "00", DecisionCierre::Quedarse,
         "Digito verificador incorrecto"},
        {"orden bueno", true, true, {Respuesta::Si}, "00000001", digitos, DecisionCierre::Grabar, {}},
        {"orden no guardar", true, true, {Respuesta::No}, "00000001", digitos, DecisionCierre::Cerrar, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        v.RucDeclarante = kGuardado;
        v.DeclaracionEnviada = c.enviada;
        v.CorrelEnviada = c.enviada ? "001" : "";
        SesionDeclaracion s(entorno("ANA"), v);
        ASSERT_TRUE(s.abre().abierta);
        if (c.modificada) {
            if (c.enviada)
                v.OrdenModificada = true;
            else
                tecleaCasilla(s.declaracion(), 100, "2000");
        }
        env.dialogos().mostrados.clear();
        for (Respuesta r : c.respuestas) env.dialogos().responde(r);
        EXPECT_EQ(s.decideCierre(c.orden, c.verifica), c.decision);
        if (!c.ultimoMensaje.isEmpty()) {
            ASSERT_FALSE(env.dialogos().mostrados.empty());
            EXPECT_EQ(env.dialogos().mostrados.back().texto, c.ultimoMensaje);
        }
    }
}

}  // namespace
