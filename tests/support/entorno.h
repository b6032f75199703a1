#pragma once
// A throw-away suite environment for tests: a temporary Windows folder with NEMDAL.INI, a system
// folder with the workgroup file, RPT and TMP folders, and a database with the host's tables.
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "platform/database.h"
#include "platform/dialogs.h"
#include "support/motor_prueba.h"

namespace qvr::prueba {

class Entorno {
  public:
    // `conTablas`: create the host tables in the database file.
    explicit Entorno(bool conTablas = true);
    // The same on either engine: on the server, a fresh schema named by NEMDAL.INI's DBServer.
    explicit Entorno(Motor motor, bool conTablas = true);
    ~Entorno();

    Motor motor() const { return motor_; }
    // The DBServer value of this environment ("" on the embedded engine).
    QString servidor() const { return esquema_ ? esquema_->conexion() : QString(); }
    // A new connection to this environment's database, as a program opens it.
    std::unique_ptr<BaseDatos> abreBase(const BaseDatos::Opciones& opciones = {}) const;

    QString carpeta() const { return dir_.path(); }
    QString sistema() const { return dir_.path() + "/sys/"; }  // SysPath, with its trailing separator
    QString rutaBase() const { return sistema() + "NEMDAL.MDB"; }
    QString rutaIni() const;
    void escribeIni(const QString& clave, const QString& valor);

    // A second connection to the database, for fixtures and for checking what a program wrote.
    BaseDatos& base();
    void cierraBase();

    // Adds a taxpayer to CONT and a user to CLAVES.
    void agregaContribuyente(const QString& ruc, const QString& apellidoP, const QString& apellidoM,
                             const QString& nombre, const QString& usuario, int tipoIngreso = 2);
    void agregaUsuario(const QString& usuario, const QString& tipo);
    void agregaParam(const QString& numero, const QString& argumento, const QString& funcion,
                     const QString& correl = QString());

    // Scripted message boxes for the test's lifetime.
    DialogosScript& dialogos() { return *dialogos_; }

  private:
    Motor motor_ = Motor::Sqlite;
    std::unique_ptr<EsquemaPrueba> esquema_;
    QTemporaryDir dir_;
    QByteArray windirPrevio_;
    std::unique_ptr<BaseDatos> base_;
    std::shared_ptr<DialogosScript> dialogos_;
    std::shared_ptr<Dialogos> dialogosPrevios_;
};

}  // namespace qvr::prueba
