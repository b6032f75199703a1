// Several workstations on one database: processes that save declarations and register reports at
// the same time, and a connection that the server drops between two saves.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <cstdio>

#include "common/cnumero.h"
#include "common/schema.h"
#include "common/spool.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/declaration/grabado.h"

using namespace qvr;

namespace {

QString rucDe(int estacion, int n) {
    return QString("20%1%2").arg(estacion, 2, 10, QChar('0')).arg(n, 7, 10, QChar('0'));
}

// Every stored row of the declaration carries the control number of its own values.
void verificaEntera(BaseDatos& base, const QString& ruc, int filasEsperadas) {
    const Registros cab = base.consulta("SELECT * FROM CAB WHERE doc_id_d=?", {ruc});
    ASSERT_EQ(cab.filas(), 1) << ruc.toStdString();
    EXPECT_EQ(cab.texto(0, "cNumero"), cNumero(cab.fila(0), cab.definicion(), 5));
    const Registros det = base.consulta("SELECT * FROM DET WHERE doc_id_d=?", {ruc});
    EXPECT_EQ(det.filas(), filasEsperadas) << ruc.toStdString();
    for (int f = 0; f < det.filas(); ++f)
        EXPECT_EQ(det.texto(f, "cNumero"), cNumero(det.fila(f), det.definicion(), 6));
}

}  // namespace

// The child side: one workstation saving its own declarations and registering a report for each,
// for the given milliseconds. Prints how many it saved.
TEST(EstacionHijo, GrabaYRegistra) {
    const QStringList p = qEnvironmentVariable("QVR_ESTACION").split('|');  // station|ms|path|server
    if (p.size() < 4) GTEST_SKIP() << "only run by Concurrencia.CuatroEstaciones";
    instalaDialogos(std::make_shared<DialogosScript>());
    BaseDatos::Opciones o;
    o.esperaMs = 20000;
    auto base = BaseDatos::conecta(p[3], p[2], o);
    QElapsedTimer reloj;
    reloj.start();
    int n = 0;
    while (reloj.elapsed() < p[1].toInt()) {
        const QString ruc = rucDe(p[0].toInt(), n);
        OpcionesGrabado og;
        og.validaSilenciosa = [] { return true; };
        const ResultadoGrabado r =
            GrabarForm(*base, prueba::declaracionCompleta(ruc), ClaveDeclaracion{}, og);
        ASSERT_TRUE(r.grabado) << r.errorBD;
        RegistraSpool(*base, kReporteDeclaracion, 6, ruc, "EST" + p[0]);
        ++n;
    }
    std::printf("GRABADAS %d\n", n);
}

class Concurrencia : public prueba::PorMotor {};

TEST_P(Concurrencia, CuatroEstacionesNoCompartenNumeroNiMezclanFilas) {
    prueba::Entorno env(GetParam());
    creaTablasAnexo(env.base());
    const int estaciones = 4;
    QProcess hijos[estaciones];
    for (int i = 0; i < estaciones; ++i) {
        auto e = QProcessEnvironment::systemEnvironment();
        e.insert("QVR_ESTACION", QString("%1|3000|%2|%3").arg(i + 1).arg(env.rutaBase(), env.servidor()));
        hijos[i].setProcessEnvironment(e);
        hijos[i].start(QCoreApplication::applicationFilePath(), {"--gtest_filter=EstacionHijo.*"});
    }
    std::vector<int> grabadas;
    for (auto& h : hijos) {
        ASSERT_TRUE(h.waitForFinished(120000));
        const QString salida = QString::fromUtf8(h.readAllStandardOutput());
        EXPECT_EQ(h.exitCode(), 0) << salida.toStdString();
        const auto i = salida.indexOf("GRABADAS ");
        ASSERT_GE(i, 0) << salida.toStdString();
        grabadas.push_back(salida.mid(i + 9).section('\n', 0, 0).toInt());
    }
    const int filas = env.base().consulta("SELECT * FROM DET WHERE doc_id_d=?", {rucDe(1, 0)}).filas();
    ASSERT_GT(filas, 100);
    int total = 0;
    for (int i = 0; i < estaciones; ++i) {
        EXPECT_GT(grabadas[size_t(i)], 0);
        for (int n = 0; n < grabadas[size_t(i)]; ++n) verificaEntera(env.base(), rucDe(i + 1, n), filas);
        total += grabadas[size_t(i)];
    }
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM CAB").toInt(), total);
    const Registros spool = env.base().consulta("SELECT Archivo FROM SPOOL ORDER BY Archivo");
    ASSERT_EQ(spool.filas(), total);
    QSet<QString> archivos;
    for (int f = 0; f < spool.filas(); ++f) archivos.insert(spool.texto(f, 0));
    EXPECT_EQ(archivos.size(), total);
    EXPECT_EQ(spool.texto(total - 1, 0), QString("%1.PRN").arg(total, 8, 10, QChar('0')));
}

QVR_EN_AMBOS_MOTORES(Concurrencia);

// The server drops the connection between two saves (as a restart does): the next save reports
// it and writes nothing, the one after it connects again and goes through.
TEST(ConexionPerdida, ElSiguientePasoVuelveAConectarse) {
    QVR_REQUIERE_SERVIDOR();
    prueba::Entorno env(prueba::Motor::Postgres);
    creaTablasAnexo(env.base());
    auto programa = env.abreBase();
    const QString ruc = rucDe(9, 1);
    ASSERT_TRUE(GrabarForm(*programa, prueba::declaracionCompleta(ruc), ClaveDeclaracion{}, {}).grabado);
    const QVariant pid = programa->escalar("SELECT pg_backend_pid()");
    env.base().escalar("SELECT pg_terminate_backend(?)", {pid});

    Instantanea d = prueba::declaracionCompleta(ruc);
    d.casillas[100] = "9,999";
    const ResultadoGrabado r = GrabarForm(*programa, d, ClaveDeclaracion{}, {});
    EXPECT_FALSE(r.grabado);
    EXPECT_EQ(r.errorBD, jet::ErrorDisco);
    EXPECT_TRUE(env.dialogos().mostrados.back().texto.contains("Se perdió la conexión con el servidor"))
        << env.dialogos().mostrados.back().texto.toStdString();
    EXPECT_NE(prueba::filasDet(env.base(), ruc).at("100"), "9999");

    EXPECT_TRUE(GrabarForm(*programa, d, ClaveDeclaracion{}, {}).grabado);
    EXPECT_EQ(prueba::filasDet(env.base(), ruc).at("100"), "9999");
    EXPECT_NE(programa->escalar("SELECT pg_backend_pid()"), pid);
}
