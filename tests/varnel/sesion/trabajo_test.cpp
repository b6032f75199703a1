// The annex working rows of an open declaration belong to its session. Another program on the same
// database (a second window pressing "Nueva", varnel-cli showing another taxpayer) neither refills
// nor empties them, and a server connection that is lost and opened again gets them back from
// what the window shows. Before, on the file the other program's rows were saved into this
// declaration and its own deleted; on the server the save after a reconnection deleted every
// stored dividend and reported success.
#include <gtest/gtest.h>

#include <QProcess>

#include "platform/database.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "support/sesion_prueba.h"
#include "varnel/annexes/listas_anexo.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"
#include "varnel/sesion/sesion_declaracion.h"

using namespace qvr;

namespace {

const QString kRuc = "20100047218";    // ANA's stored declaration: two dividends of ACME SA
const QString kOtro = "10401234567";   // LUIS's taxpayer

class TrabajoSesion : public prueba::PorMotor {
  protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        prueba::preparaDeclaraciones(env);
        base = env.abreBase();
        sesion = prueba::abreSesion(*base, valores, 2, kRuc, "ANA");
    }

    // The stored dividends of a taxpayer: "payer date distributed" in date order.
    QStringList dividendos(const QString& ruc) {
        const Registros r = env.base().consulta(
            "SELECT num_RUC, substr(fec_retenida, 1, 10), des_entpagadora, mto_distribuido FROM F0738DIVIDEND "
            "WHERE doc_id_d = ? ORDER BY fec_retenida",
            {ruc});
        QStringList l;
        for (int f = 0; f < r.filas(); ++f)
            l << QString("%1 %2 %3 %4").arg(r.texto(f, 0), r.texto(f, 1), r.texto(f, 2), r.texto(f, 3));
        return l;
    }

    // A change to save, then the save.
    bool grabaCambio(const QString& valor) {
        EXPECT_TRUE(tecleaCasilla(sesion->declaracion(), 100, valor));
        return sesion->graba().grabado;
    }

    const QStringList kAcme = {"20000000001 2003-03-15 ACME SA 100", "20000000001 2003-06-15 ACME SA 200"};

    prueba::Entorno env{prueba::motorPara(GetParam())};
    std::unique_ptr<BaseDatos> base;
    ValoresEjecucion valores;
    std::unique_ptr<SesionDeclaracion> sesion;
};

TEST_P(TrabajoSesion, OtraVentanaQuePulsaNuevaNoVaciaLosAnexos) {
    ASSERT_EQ(sesion->listas().filas(ListaAnexo::Dividendos), 2);
    auto otraBase = env.abreBase();
    ValoresEjecucion otros;
    auto nueva = prueba::abreSesion(*otraBase, otros, 1, {}, "ANA");
    EXPECT_EQ(nueva->listas().filas(ListaAnexo::Dividendos), 0);

    ASSERT_TRUE(grabaCambio("2500"));
    EXPECT_EQ(dividendos(kRuc), kAcme);
    EXPECT_EQ(sesion->listas().filas(ListaAnexo::Dividendos), 2);
}

TEST_P(TrabajoSesion, VarnelCliDeOtroContribuyenteNoLlenaLosAnexosDeLaVentana) {
    // LUIS saves a declaration of his own taxpayer with varnel-cli, then shows it.
    env.escribeIni("SysUser", "LUIS");
    for (const QStringList& args : {QStringList{"grabar"}, QStringList{"mostrar", kOtro}}) {
        QProcess p;
        p.setWorkingDirectory(env.carpeta());
        p.start(QStringLiteral(QVR_BIN_DIR "/varnel-cli"), args);
        p.write(QString("ruc=%1\nrectifica=0\nalquiler=2\n100=5000\npago.forma=E\n180=0\n").arg(kOtro).toUtf8());
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }

    ASSERT_TRUE(grabaCambio("2500"));
    EXPECT_EQ(dividendos(kRuc), kAcme);
}

TEST_P(TrabajoSesion, TrasPerderLaConexionLaSesionReponeSusFilas) {
    if (GetParam() != prueba::Motor::Postgres) GTEST_SKIP() << "the file's connection is never lost";
    ASSERT_TRUE(grabaCambio("2500"));
    const QVariant pid = base->escalar("SELECT pg_backend_pid()");
    env.base().escalar("SELECT pg_terminate_backend(?)", {pid});

    // The first step after the cut fails with the connection message; the next one connects again.
    env.dialogos().mostrados.clear();
    bool grabado = grabaCambio("2600");
    if (!grabado) grabado = sesion->graba().grabado;
    EXPECT_TRUE(grabado);
    EXPECT_GE(base->reconexiones(), 1);
    EXPECT_EQ(dividendos(kRuc), kAcme);
    EXPECT_EQ(prueba::filasDet(env.base(), kRuc)["100"], "2600");
}

TEST_P(TrabajoSesion, UnaTablaDeTrabajoQueNoCoincideNoSeGraba) {
    // Rows the lists do not show (the refill failed, a statement outside the session): nothing is
    // stored, and the person is told how to go on.
    base->ejecuta("DELETE FROM TMP_F0738DIVID");
    env.dialogos().mostrados.clear();
    EXPECT_FALSE(grabaCambio("2500"));
    ASSERT_FALSE(env.dialogos().mostrados.empty());
    EXPECT_TRUE(env.dialogos().mostrados.back().texto.contains("no se grabó nada"));
    EXPECT_EQ(dividendos(kRuc), kAcme);
    EXPECT_EQ(prueba::filasDet(env.base(), kRuc)["100"], "1500");
}

QVR_EN_AMBOS_MOTORES(TrabajoSesion);

}  // namespace
