#pragma once
// Logins of a test on the test server (which lets any role in on its Unix socket): created for the
// test, named after its schema so that tests running at once never share one, dropped at the end
// with the office's group role.
#include <QString>
#include <QStringList>

#include "support/motor_prueba.h"

namespace qvr::prueba {

class LoginsPrueba {
  public:
    // `esquema` and `conexion`: the test's schema and its connection string (EsquemaPrueba).
    LoginsPrueba(const QString& esquema, const QString& conexion) : esquema_(esquema), conexion_(conexion) {}
    ~LoginsPrueba();
    LoginsPrueba(const LoginsPrueba&) = delete;
    LoginsPrueba& operator=(const LoginsPrueba&) = delete;

    // CREATE ROLE ... LOGIN, as `createuser` makes it; returns the role's name.
    QString crea(const QString& sufijo);
    // The schema's connection string, logged in as `rol`.
    QString conexionDe(const QString& rol) const { return conexion_ + " user=" + rol; }

  private:
    QString esquema_;
    QString conexion_;
    QStringList roles_;
};

}  // namespace qvr::prueba
