#include "support/motor_prueba.h"

#include <QCoreApplication>
#include <atomic>

#include "platform/database.h"

namespace qvr::prueba {

std::string nombreMotor(const ::testing::TestParamInfo<Motor>& info) {
    return info.param == Motor::Sqlite ? "SQLite" : "PostgreSQL";
}

QString conexionServidor() { return qEnvironmentVariable("QVR_PG_CONNINFO").trimmed(); }

bool servidorDisponible(QString* motivo) {
    static int estado = -1;  // -1 not tried, 0 missing, 1 there
    static QString razon;
    if (estado < 0) {
        if (conexionServidor().isEmpty()) {
            razon =
                "PostgreSQL cases skipped: no server configured (QVR_PG_CONNINFO; scripts/test starts one)";
            estado = 0;
        } else {
            try {
                BaseDatos::abreServidor(conexionServidor(), {});
                estado = 1;
            } catch (const ErrorBD& e) {
                razon = "PostgreSQL server not reachable: " + e.descripcion();
                estado = 0;
            }
        }
    }
    if (motivo) *motivo = razon;
    return estado == 1;
}

namespace {
std::atomic<int> contador{0};

std::unique_ptr<BaseDatos> administracion() { return BaseDatos::abreServidor(conexionServidor(), {}); }
}  // namespace

EsquemaPrueba::EsquemaPrueba() {
    nombre_ = QString("prueba_%1_%2").arg(QCoreApplication::applicationPid()).arg(contador.fetch_add(1));
    administracion()->ejecuta(QString("CREATE SCHEMA %1").arg(nombre_));
    conexion_ = conexionServidor() + QString(" options='-c search_path=%1'").arg(nombre_);
}

EsquemaPrueba::~EsquemaPrueba() {
    // A second try connects again when the server was restarted meanwhile.
    for (int intento = 0; intento < 2; ++intento) {
        try {
            administracion()->ejecuta(QString("DROP SCHEMA %1 CASCADE").arg(nombre_));
            return;
        } catch (const ErrorBD&) {
        }
    }
}

Motor motorPara(Motor motor) {
    return motor == Motor::Postgres && !servidorDisponible(nullptr) ? Motor::Sqlite : motor;
}

void PorMotor::SetUp() {
    if (GetParam() == Motor::Postgres) QVR_REQUIERE_SERVIDOR();
}

}  // namespace qvr::prueba
