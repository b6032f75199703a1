#pragma once
// The engines a database-facing test runs on, from one table of cases:
//   class MiPrueba : public prueba::PorMotor {};
//   TEST_P(MiPrueba, Algo) { prueba::Entorno env(GetParam()); ... }
//   QVR_EN_AMBOS_MOTORES(MiPrueba);
//
// The server cases use the PostgreSQL server named by QVR_PG_CONNINFO (scripts/test starts one).
// Without it they are skipped with one line, unless QVR_PG_OBLIGATORIO=1 (scripts/test, CI): then
// a missing server fails them.
#include <gtest/gtest.h>

#include <QString>

namespace qvr::prueba {

enum class Motor { Sqlite, Postgres };

std::string nombreMotor(const ::testing::TestParamInfo<Motor>& info);

// The server's connection string, or "" when no server is configured.
QString conexionServidor();
// Whether the server is there; when not, the reason to skip or fail with.
bool servidorDisponible(QString* motivo);

// A fresh schema on the server for one test: created on construction, dropped with everything in
// it on destruction. conexion() names it (search_path) for every program the test starts.
class EsquemaPrueba {
  public:
    EsquemaPrueba();
    ~EsquemaPrueba();
    EsquemaPrueba(const EsquemaPrueba&) = delete;
    EsquemaPrueba& operator=(const EsquemaPrueba&) = delete;
    const QString& conexion() const { return conexion_; }
    const QString& nombre() const { return nombre_; }

  private:
    QString nombre_;
    QString conexion_;
};

// The engine an environment is built on in a parameterized fixture's members: the embedded one
// while the server is missing (the fixture's SetUp then skips or fails the case).
Motor motorPara(Motor motor);

class PorMotor : public ::testing::TestWithParam<Motor> {
  protected:
    void SetUp() override;
};

}  // namespace qvr::prueba

#define QVR_EN_AMBOS_MOTORES(Prueba)                                                                      \
    INSTANTIATE_TEST_SUITE_P(                                                                             \
        Motores, Prueba, ::testing::Values(::qvr::prueba::Motor::Sqlite, ::qvr::prueba::Motor::Postgres), \
        ::qvr::prueba::nombreMotor)

// In a test that is not parameterized: skips (or fails) when the server is not there.
#define QVR_REQUIERE_SERVIDOR()                                          \
    do {                                                                 \
        QString motivo_;                                                 \
        if (!::qvr::prueba::servidorDisponible(&motivo_)) {              \
            if (qEnvironmentVariableIntValue("QVR_PG_OBLIGATORIO") == 1) \
                FAIL() << motivo_.toStdString();                         \
            else                                                         \
                GTEST_SKIP() << motivo_.toStdString();                   \
        }                                                                \
    } while (0)
