// Deleting a stored or a sent declaration with all its rows, in one transaction.
#include <gtest/gtest.h>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/lists_fixture.h"
#include "varnel/lists/eliminacion.h"

using namespace qvr;
using namespace qvr::prueba;

namespace {

const QString kRuc = "10000000001";
const QString kOtro = "10000000002";

class Eliminacion : public PorMotor {
protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        creaTablasAnexo(e.base());
        for (const QString& ruc : {kRuc, kOtro}) {
            agregaGuardada(e.base(), ruc);
            agregaEnviada(e.base(), ruc, "001");
        }
        agregaEnviada(e.base(), kRuc, "002");
        agregaGuardada(e.base(), kRuc, 1);  // another week of the same taxpayer
    }
    DeclaracionElegida elegida(const QString& correl = {}) { return {kRuc, "2003", "0738", 0, correl}; }
    Entorno e{motorPara(GetParam())};
};

TEST_P(Eliminacion, GuardadaBorraSusFilasDeCadaTabla) {
    EliminaDeclaracion(e.base(), elegida(), false);
    EXPECT_EQ(e.base().escalar("SELECT COUNT(*) FROM CAB WHERE doc_id_d=? AND semana=0", {kRuc}).toInt(), 0);
    EXPECT_EQ(e.base().escalar("SELECT COUNT(*) FROM DET WHERE doc_id_d=? AND semana=0", {kRuc}).toInt(), 0);
    for (const char* t : {"F0738DIVIDEND", "F0738EXTRANJ", "F0738FIDEICOM"}) EXPECT_EQ(cuentaFilas(e.base(), t, kRuc), 0) << t;
    // The other week, the other taxpayer and the sent history stay.
    EXPECT_EQ(e.base().escalar("SELECT COUNT(*) FROM CAB WHERE doc_id_d=? AND semana=1", {kRuc}).toInt(), 1);
    EXPECT_EQ(e.base().escalar("SELECT COUNT(*) FROM DET WHERE doc_id_d=? AND semana=1", {kRuc}).toInt(), 2);
    for (const QString& t : tablasGuardadas()) EXPECT_GT(cuentaFilas(e.base(), t, kOtro), 0) << t.toStdString();
    for (const QString& t : tablasEnviadas()) EXPECT_GT(cuentaFilas(e.base(), t, kRuc), 0) << t.toStdString();
}

TEST_P(Eliminacion, EnviadaBorraSoloSuCorrelativo) {
    EliminaDeclaracion(e.base(), elegida("002"), true);
    for (const QString& t : tablasEnviadas()) {
        SCOPED_TRACE(t.toStdString());
        EXPECT_EQ(cuentaFilas(e.base(), t, kRuc, "002"), 0);
        EXPECT_GT(cuentaFilas(e.base(), t, kRuc, "001"), 0);
        EXPECT_GT(cuentaFilas(e.base(), t, kOtro, "001"), 0);
    }
    for (const QString& t : tablasGuardadas()) EXPECT_GT(cuentaFilas(e.base(), t, kRuc), 0) << t.toStdString();
}

// The statements used to run one by one: a failure after the header left the annexes of a
// declaration that no longer existed. Now a failure at any point leaves every row in place.
TEST_P(Eliminacion, FalloAMitadNoBorraNada) {
    for (bool enviada : {false, true}) {
        const QStringList& tablas = enviada ? tablasEnviadas() : tablasGuardadas();
        for (const QString& falla : tablas) {
            SCOPED_TRACE((falla + (enviada ? " enviada" : " guardada")).toStdString());
            std::map<QString, int> antes;
            for (const QString& t : tablas) antes[t] = cuentaFilas(e.base(), t, kRuc);
            QStringList hechas;
            auto gancho = [&](const QString& tabla) {
                hechas << tabla;
                if (tabla == falla) throw ErrorBD(jet::RegistroBloqueado, "bloqueado");
            };
            EXPECT_THROW(EliminaDeclaracion(e.base(), elegida(enviada ? "002" : ""), enviada, gancho), ErrorBD);
            EXPECT_EQ(hechas.last(), falla);
            for (const QString& t : tablas) EXPECT_EQ(cuentaFilas(e.base(), t, kRuc), antes[t]) << t.toStdString();
            EXPECT_EQ(e.base().profundidadTransaccion(), 0);
        }
    }
}

TEST(EliminacionSinAnexos, TablasDeAnexoAusentesNoImpidenBorrar) {
    Entorno e;  // the installer has not created the annex tables
    agregaGuardada(e.base(), kRuc);
    agregaEnviada(e.base(), kRuc, "001");
    EliminaDeclaracion(e.base(), {kRuc, "2003", "0738", 0, {}}, false);
    EliminaDeclaracion(e.base(), {kRuc, "2003", "0738", 0, "001"}, true);
    for (const char* t : {"CAB", "DET", "hCAB", "hDET"}) EXPECT_EQ(cuentaFilas(e.base(), t, kRuc), 0);
}

}  // namespace

QVR_EN_AMBOS_MOTORES(Eliminacion);
