#include "common/spool.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QProcess>
#include <QSet>

#include "support/entorno.h"

using namespace qvr;

class Spool : public prueba::PorMotor {};

TEST_P(Spool, PrimerReporte) {
    prueba::Entorno env(GetParam());
    EXPECT_EQ(RegistraSpool(env.base(), kReporteDeclaracion, 6, "20100070970", "DEMO"), "00000001.PRN");
    const auto r = env.base().consulta("SELECT * FROM SPOOL");
    ASSERT_EQ(r.filas(), 1);
    EXPECT_EQ(r.texto(0, "CodRep"), "RP0008");
    EXPECT_EQ(r.texto(0, "Secuencia"), "000001");
    EXPECT_EQ(r.texto(0, "Archivo"), "00000001.PRN");
    EXPECT_EQ(r.texto(0, "Usuario"), "DEMO");
    EXPECT_EQ(r.valor(0, "tip_doc_d").toInt(), 6);
    EXPECT_EQ(r.texto(0, "Doc_id_d"), "20100070970");
    EXPECT_EQ(fechaDeBD(r.valor(0, "Fecha")), QDate::currentDate());
}

TEST_P(Spool, NumeracionCompartidaYSecuenciaPorCodigo) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    const char* ins = "INSERT INTO SPOOL (CodRep, Secuencia, Archivo) VALUES (?, ?, ?)";
    b.ejecuta(ins, {"RP0009", "000003", "00000007.PRN"});
    b.ejecuta(ins, {"RP0008", "000005", "00000012.PRN"});
    b.ejecuta(ins, {"RP0008", "000002", "00000009.PRN"});
    EXPECT_EQ(RegistraSpool(b, kReporteEnvio, 6, "1", "U"), "00000013.PRN");
    EXPECT_EQ(RegistraSpool(b, kReporteDeclaracion, 6, "1", "U"), "00000014.PRN");
    EXPECT_EQ(b.escalar("SELECT Secuencia FROM SPOOL WHERE Archivo = '00000013.PRN'").toString(), "000004");
    EXPECT_EQ(b.escalar("SELECT Secuencia FROM SPOOL WHERE Archivo = '00000014.PRN'").toString(), "000006");
}

// Helper run in a child process: registers reports until told count is reached.
TEST(SpoolHijo, Registra) {
    const QByteArray cfg = qgetenv("QVR_SPOOL_HIJO");
    if (cfg.isEmpty()) GTEST_SKIP() << "only run as a child of Spool.DosProgramasALaVez";
    const QList<QByteArray> p = cfg.split('|');  // path|code|count|server
    auto base = BaseDatos::conecta(QString::fromUtf8(p[3]), QString::fromUtf8(p[0]), BaseDatos::Opciones{30000, {}, {}});
    for (int i = 0; i < p[2].toInt(); ++i) RegistraSpool(*base, QString::fromUtf8(p[1]), 6, "1", "HIJO");
}

TEST_P(Spool, DosProgramasALaVezNuncaCompartenNumero) {
    prueba::Entorno env(GetParam());
    env.base();  // creates the tables
    const int n = 150;
    QProcess hijos[2];
    const char* codigos[2] = {"RP0008", "RP0009"};
    for (int i = 0; i < 2; ++i) {
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert("QVR_SPOOL_HIJO", env.rutaBase() + "|" + codigos[i] + "|" + QString::number(n) + "|" + env.servidor());
        hijos[i].setProcessEnvironment(entorno);
        hijos[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijos[i].start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SpoolHijo.Registra"});
    }
    for (auto& h : hijos) {
        ASSERT_TRUE(h.waitForFinished(240000));
        EXPECT_EQ(h.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(h.exitCode(), 0) << h.readAllStandardOutput().toStdString();
    }
    const auto r = env.base().consulta("SELECT CodRep, Secuencia, Archivo FROM SPOOL ORDER BY Archivo");
    ASSERT_EQ(r.filas(), 2 * n);
    QSet<QString> secuencias;
    for (int f = 0; f < r.filas(); ++f) {
        EXPECT_EQ(r.texto(f, "Archivo"), QString("%1.PRN").arg(f + 1, 8, 10, QLatin1Char('0')));
        secuencias.insert(r.texto(f, "CodRep") + r.texto(f, "Secuencia"));
    }
    EXPECT_EQ(secuencias.size(), 2 * n);
    EXPECT_EQ(env.base().escalar("SELECT max(Secuencia) FROM SPOOL WHERE CodRep = 'RP0009'").toString(),
              "000150");
}

QVR_EN_AMBOS_MOTORES(Spool);
