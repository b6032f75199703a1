// The office's server is restarted between two saves of an open declaration: the second save
// reconnects, puts the annex working rows back from what the window shows, and stores them. Before,
// the new connection's working tables were empty and the save deleted every stored dividend.
// The restart stops every connection of the server, so this test runs alone (RUN_SERIAL).
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

const QString kRuc = "20100047218";

TEST(ReinicioServidor, LosAnexosSobrevivenAlReinicioEntreDosGrabados) {
    QVR_REQUIERE_SERVIDOR();
    const QString carpeta = qEnvironmentVariable("QVR_PG_DIR");
    if (carpeta.isEmpty()) GTEST_SKIP() << "QVR_PG_DIR does not name the test server's folder";
    prueba::Entorno env(prueba::Motor::Postgres);
    prueba::preparaDeclaraciones(env);
    env.cierraBase();
    auto base = env.abreBase();
    ValoresEjecucion v;
    const auto s = prueba::abreSesion(*base, v, 2, kRuc, "ANA");
    ASSERT_FALSE(HasFailure()) << "the session of the stored declaration did not open";
    ASSERT_TRUE(tecleaCasilla(s->declaracion(), 100, "2500"));
    ASSERT_TRUE(s->graba().grabado);
    ASSERT_EQ(prueba::dividendosGuardados(*base, kRuc), 2);

    QProcess reinicio;
    reinicio.start(QStringLiteral(QVR_SOURCE_DIR "/scripts/pg-test-server"), {"restart", carpeta});
    ASSERT_TRUE(reinicio.waitForFinished(60000));
    ASSERT_EQ(reinicio.exitCode(), 0) << reinicio.readAllStandardError().toStdString();

    ASSERT_TRUE(tecleaCasilla(s->declaracion(), 100, "2600"));
    bool grabado = s->graba().grabado;
    // The first step after the restart may meet the dead connection and say so; the next connects.
    if (!grabado) grabado = s->graba().grabado;
    EXPECT_TRUE(grabado);
    EXPECT_EQ(s->listas().filas(ListaAnexo::Dividendos), 2);
    auto control = env.abreBase();
    EXPECT_EQ(prueba::dividendosGuardados(*control, kRuc), 2);
    EXPECT_EQ(prueba::filasDet(*control, kRuc)["100"], "2600");
}

}  // namespace
