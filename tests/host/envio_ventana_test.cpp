#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "common/schema.h"
#include "host/ventana_orvelane.h"
#include "host/ventana_spool.h"
#include "support/entorno.h"

using namespace qvr;

TEST(VentanaOrvelane, EnviarCopiaAlHistorialYGeneraElResumen) {
    prueba::Entorno env;
    auto& b = env.base();
    creaTablasAnexo(b);
    env.agregaContribuyente("10000000001", "PEREZ", "GOMEZ", "ANA", "DEMO");
    b.ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, nrocheque) "
              "VALUES (6, '10000000001', '2003', '0738', 0, 0, '')");
    b.ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, idcasilla, estado) "
              "VALUES (6, '10000000001', '2003', '0738', 0, '146', '1500', '01', 0)");

    host::VentanaOrvelane v(QVR_BIN_DIR);
    QTest::mouseClick(v.botonEnviar(), Qt::LeftButton);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM hCAB WHERE correl='1'").toInt(), 1);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM SPOOL WHERE CodRep='RP0009'").toInt(), 1)
        << v.registro()->toPlainText().toStdString();
    EXPECT_TRUE(v.registro()->toPlainText().contains("Resumen de envío generado."));

    // Nothing left to send.
    QTest::mouseClick(v.botonEnviar(), Qt::LeftButton);
    EXPECT_TRUE(v.registro()->toPlainText().contains("No hay declaraciones consistentes por enviar."));

    host::VentanaSpool spool(QVR_BIN_DIR);
    ASSERT_EQ(spool.tabla()->rowCount(), 1);
    EXPECT_EQ(spool.tabla()->item(0, 0)->text(), "RP0009");
    EXPECT_TRUE(spool.rutaReporte(0).endsWith("/RPT/00000001.PRN"));
}
