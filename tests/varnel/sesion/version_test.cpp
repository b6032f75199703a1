// Two sessions on one stored declaration (two workstations, two windows, a window and varnel-cli):
// the second save of what was read before the first one's change writes nothing and says so (3197
// "La data ha cambiado", 3167 when it was deleted), and keeps what was typed. Before the check,
// the later save silently put the other's boxes back.
#include <gtest/gtest.h>

#include "common/schema.h"
#include "platform/database.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/cli/lote_declaracion.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"
#include "varnel/declaration/orden.h"
#include "varnel/lists/eliminacion.h"
#include "varnel/sesion/sesion_declaracion.h"

using namespace qvr;

namespace {

const QString kRuc = "20100047218";  // ANA's stored declaration, with two sendings

class VersionTest : public prueba::PorMotor {
  protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        prueba::preparaDeclaraciones(env);
        a = env.abreBase();
        b = env.abreBase();
    }

    // A session of ANA on its own connection, opened on the stored declaration (or a sending).
    std::unique_ptr<SesionDeclaracion> abre(BaseDatos& base, ValoresEjecucion& v, const QString& correl = {}) {
        v.ModoDeclaracion = 2;
        v.RucDeclarante = kRuc;
        v.DeclaracionEnviada = !correl.isEmpty();
        v.CorrelEnviada = correl;
        EntornoSesion e;
        e.base = &base;
        e.usuario = "ANA";
        auto s = std::make_unique<SesionDeclaracion>(e, v);
        EXPECT_TRUE(s->abre().abierta);
        return s;
    }
    QString det(const QString& casilla) { return prueba::filasDet(env.base(), kRuc)[casilla]; }
    QStringList textos() {
        QStringList t;
        for (const Mensaje& m : env.dialogos().mostrados) t << m.texto;
        return t;
    }

    prueba::Entorno env{prueba::motorPara(GetParam())};
    std::unique_ptr<BaseDatos> a, b;
    ValoresEjecucion va, vb;
};

TEST_P(VersionTest, ElCambioDeOtroNoSePisa) {
    auto sa = abre(*a, va);
    auto sb = abre(*b, vb);
    ASSERT_TRUE(tecleaCasilla(sb->declaracion(), 102, "900"));
    ASSERT_TRUE(sb->graba().grabado);
    ASSERT_EQ(det("102"), "900");

    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
    env.dialogos().mostrados.clear();
    EXPECT_FALSE(sa->graba().grabado);
    EXPECT_TRUE(textos().contains("La data ha cambiado")) << textos().join(" | ").toStdString();
    EXPECT_TRUE(textos().filter("cierre la declaración y vuelva a abrirla").size() == 1);
    EXPECT_EQ(det("102"), "900");
    EXPECT_EQ(det("100"), "1500");
    // What A typed is still there, to be saved once A has seen the other change.
    EXPECT_EQ(sa->declaracion().texto(100), "2,000");
    EXPECT_TRUE(sa->declaracion().Modificado);

    // Reopened, A sees B's box and saves on top of it.
    ValoresEjecucion v2;
    auto otra = abre(*a, v2);
    EXPECT_EQ(otra->declaracion().texto(102), "900");
    ASSERT_TRUE(tecleaCasilla(otra->declaracion(), 100, "2000"));
    EXPECT_TRUE(otra->graba().grabado);
    EXPECT_EQ(det("100"), "2000");
    EXPECT_EQ(det("102"), "900");
}

TEST_P(VersionTest, SusPropiosGrabadosSeguidosPasan) {
    auto sa = abre(*a, va);
    for (const char* monto : {"2000", "3000", "4000"}) {
        ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, monto));
        EXPECT_TRUE(sa->graba().grabado) << monto;
    }
    EXPECT_EQ(det("100"), "4000");
}

// After a save of its own the session knows what is stored without reading it again, as long as
// nothing was written since: a change by another connection, or one written through its own
// connection outside the session, is still noticed at the next save.
TEST_P(VersionTest, TrasSuPropioGrabadoUnCambioPosteriorTambienSeNota) {
    for (const bool mismaConexion : {false, true}) {
        SCOPED_TRACE(mismaConexion ? "its own connection" : "another connection");
        ValoresEjecucion v;
        auto sa = abre(*a, v);
        ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
        ASSERT_TRUE(sa->graba().grabado);
        BaseDatos& otra = mismaConexion ? *a : *b;
        const QString valor = mismaConexion ? "778" : "777";
        otra.ejecuta("UPDATE DET SET I_VALOR=? WHERE DOC_ID_D=? AND CASILLA='100'", {valor, kRuc});
        ASSERT_EQ(det("100"), valor);
        ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "3000"));
        env.dialogos().mostrados.clear();
        EXPECT_FALSE(sa->graba().grabado);
        EXPECT_TRUE(textos().contains("La data ha cambiado")) << textos().join(" | ").toStdString();
        EXPECT_EQ(det("100"), valor);
    }
}

TEST_P(VersionTest, UnGrabadoDeLaLineaDeComandosTambienSeNota) {
    auto sa = abre(*a, va);
    const ResultadoGrabarLote r = grabaLote(*b, kFormulario, "ANA", {"ruc=" + kRuc, "102=777"});
    ASSERT_EQ(r.salida, 0) << r.avisos.join("\n").toStdString();
    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
    env.dialogos().mostrados.clear();
    EXPECT_FALSE(sa->graba().grabado);
    EXPECT_TRUE(textos().contains("La data ha cambiado"));
    EXPECT_EQ(det("102"), "777");
}

TEST_P(VersionTest, UnaDeclaracionEliminadaNoVuelve) {
    auto sa = abre(*a, va);
    DeclaracionElegida d;
    d.ruc = kRuc;
    d.periodo = kPeriodo;
    d.formulario = kFormulario;
    EliminaDeclaracion(*b, d, false);
    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
    env.dialogos().mostrados.clear();
    EXPECT_FALSE(sa->graba().grabado);
    EXPECT_TRUE(textos().contains("Registro ha sido modificado o eliminado por otro usuario"));
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM CAB WHERE doc_id_d=?", {kRuc}).toInt(), 0);
}

TEST_P(VersionTest, ElNumeroDeOrdenDeOtroNoSePisa) {
    auto sa = abre(*a, va, "001");
    auto sb = abre(*b, vb, "001");
    const QString uno = DigitoVerificador("12345678", "00000001");
    const QString dos = DigitoVerificador("12345678", "00000002");
    ASSERT_TRUE(sb->graba("00000001", uno).grabado);
    env.dialogos().mostrados.clear();
    EXPECT_FALSE(sa->graba("00000002", dos).grabado);
    EXPECT_TRUE(textos().contains("La data ha cambiado"));
    EXPECT_EQ(env.base().escalar("SELECT norden FROM hCAB WHERE correl='001'").toString().trimmed(), "00000001");
}

// A deletion chosen before another's save (or the other's order number on a sending) deletes
// nothing; one chosen after it goes ahead. Before, the deletion took the other's change with it.
TEST_P(VersionTest, UnaEliminacionNoSeLlevaElCambioDeOtro) {
    for (const QString correl : {QString(), QStringLiteral("001")}) {
        SCOPED_TRACE(correl.isEmpty() ? "stored" : "sent");
        const bool enviada = !correl.isEmpty();
        DeclaracionElegida d;
        d.ruc = kRuc;
        d.periodo = kPeriodo;
        d.formulario = kFormulario;
        d.correl = correl;
        d.version = versionElegida(*a, d, enviada);
        auto sb = abre(*b, vb, correl);
        const bool grabado = enviada ? sb->graba("00000001", DigitoVerificador("12345678", "00000001")).grabado
                                     : tecleaCasilla(sb->declaracion(), 102, "900") && sb->graba().grabado;
        ASSERT_TRUE(grabado);
        try {
            EliminaDeclaracion(*a, d, enviada);
            ADD_FAILURE() << "deleted what another saved after the choice";
        } catch (const ErrorBD& e) {
            EXPECT_EQ(e.numero(), jet::DataCambio);
        }
        const QString cab = enviada ? "hCAB" : "CAB";
        EXPECT_EQ(env.base().escalar("SELECT count(*) FROM " + cab + " WHERE doc_id_d=?", {kRuc}).toInt(),
                  enviada ? 2 : 1);

        // Chosen again, after the change: it goes, and a second deletion finds it gone.
        d.version = versionElegida(*a, d, enviada);
        EXPECT_NO_THROW(EliminaDeclaracion(*a, d, enviada));
        try {
            EliminaDeclaracion(*b, d, enviada);
            ADD_FAILURE() << "a deletion of a deleted declaration passed as done";
        } catch (const ErrorBD& e) {
            EXPECT_EQ(e.numero(), jet::RegistroCambiado);
        }
    }
}

QVR_EN_AMBOS_MOTORES(VersionTest);

}  // namespace
