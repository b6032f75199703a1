#include "support/entorno.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "common/schema.h"
#include "platform/profile.h"

namespace qvr::prueba {

Entorno::Entorno(bool conTablas) : Entorno(Motor::Sqlite, conTablas) {}

Entorno::Entorno(Motor motor, bool conTablas) : motor_(motor) {
    if (motor_ == Motor::Postgres) esquema_ = std::make_unique<EsquemaPrueba>();
    windirPrevio_ = qgetenv("WINDIR");
    qputenv("WINDIR", (dir_.path() + "/windows").toUtf8());
    // The user's data folder (the declaration window's recovery copies) belongs to the test too.
    qputenv("XDG_DATA_HOME", (dir_.path() + "/datos").toUtf8());
    QDir().mkpath(dir_.path() + "/windows");
    QDir().mkpath(sistema() + "RPT");
    QDir().mkpath(sistema() + "TMP");
    QDir().mkpath(sistema() + "tmp");
    QFile mdw(sistema() + "NEMDAL.MDW");
    mdw.open(QIODevice::WriteOnly);
    mdw.write("workgroup");
    mdw.close();
    escribeIni("SysPath", sistema());
    escribeIni("DBPath", sistema());
    escribeIni("DBName", "NEMDAL.MDB");
    escribeIni("SysUser", "DEMO");
    base();
    if (conTablas) creaTablasHost(*base_);
    dialogos_ = std::make_shared<DialogosScript>();
    dialogosPrevios_ = instalaDialogos(dialogos_);
}

Entorno::~Entorno() {
    instalaDialogos(dialogosPrevios_);
    base_.reset();
    esquema_.reset();
    if (windirPrevio_.isNull())
        qunsetenv("WINDIR");
    else
        qputenv("WINDIR", windirPrevio_);
}

QString Entorno::rutaIni() const { return dir_.path() + "/windows/NEMDAL.INI"; }

namespace {
// On a server the suite's user is the login, not SysUser: a test that names a user in SysUser logs
// in as a login of that very name, a superuser of the test server (so that it reaches every table
// as the tests' own connection does; the office's rights are tested with plain logins).
QString conexionComo(const QString& conexion, const QString& usuario) {
    static const QRegularExpression nombre("^[A-Za-z][A-Za-z0-9_]*$");
    if (!nombre.match(usuario).hasMatch()) return conexion;
    auto base = BaseDatos::abreServidor(conexion, {});
    if (base->consulta("SELECT 1 FROM pg_roles WHERE rolname = ?", {usuario}).vacio()) {
        try {
            base->ejecuta(QString("CREATE ROLE \"%1\" SUPERUSER LOGIN").arg(usuario));
        } catch (const ErrorBD&) {
            // Another test made it at the same moment.
        }
    }
    return conexion + " user=" + usuario;
}
}  // namespace

void Entorno::escribeIni(const QString& clave, const QString& valor) {
    Perfil::escribe("Options", clave, valor, "NEMDAL.INI");
    if (esquema_ && clave.compare("SysUser", Qt::CaseInsensitive) == 0)
        Perfil::escribe("Options", "DBServer", conexionComo(esquema_->conexion(), valor), "NEMDAL.INI");
}

BaseDatos& Entorno::base() {
    if (!base_)
        base_ = esquema_ ? BaseDatos::abreServidor(esquema_->conexion(), {}) : BaseDatos::crea(rutaBase());
    return *base_;
}

std::unique_ptr<BaseDatos> Entorno::abreBase(const BaseDatos::Opciones& opciones) const {
    return BaseDatos::conecta(servidor(), rutaBase(), opciones);
}

void Entorno::cierraBase() { base_.reset(); }

void Entorno::agregaContribuyente(const QString& ruc, const QString& apellidoP, const QString& apellidoM,
                                  const QString& nombre, const QString& usuario, int tipoIngreso) {
    base().ejecuta(
        "INSERT INTO CONT (tip_doc_d, doc_id_d, nombre, usuario, Apellido_p, Apellido_m, Nombre_1, "
        "nombre_2, Tipo_Ingreso) VALUES (6, ?, ?, ?, ?, ?, ?, '', ?)",
        {ruc, apellidoP + " " + apellidoM + " " + nombre, usuario, apellidoP, apellidoM, nombre,
         tipoIngreso});
}

void Entorno::agregaUsuario(const QString& usuario, const QString& tipo) {
    base().ejecuta("INSERT INTO CLAVES (Usuario, Tipo, Clave) VALUES (?, ?, '')", {usuario, tipo});
}

void Entorno::agregaParam(const QString& numero, const QString& argumento, const QString& funcion,
                          const QString& correl) {
    base().ejecuta("DELETE FROM PARAM WHERE numero = ? AND argumento = ?", {numero, argumento});
    base().ejecuta("INSERT INTO PARAM (numero, argumento, funcion, correl_param) VALUES (?, ?, ?, ?)",
                   {numero, argumento, funcion, correl});
}

}  // namespace qvr::prueba
