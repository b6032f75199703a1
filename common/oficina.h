#pragma once
// An office on one PostgreSQL server (DBServer): the tables belong to the owner login that sets
// them up and installs them; each clerk has a login of his own, which is his user of the suite
// (CLAVES.Usuario), and reaches the tables through one group role. The server enforces the rights:
// the catalogs and the users (CLAVES, CONT, PARAM, ...) are read-only for clerks, and on the
// declaration tables a clerk whose Tipo is not "0" reads and writes only the declarations of the
// taxpayers whose CONT.usuario is his login.
//
// Only for a server database (but the two user functions): the others run statements of the
// server's own dialect.
#include <QString>

namespace qvr {

class BaseDatos;

// The login of the connection (session_user).
QString loginSesion(BaseDatos& base);

// The suite's user on the database `base` that NEMDAL.INI names: on a server (`servidor`, DBServer)
// the login of the connection, spelt as CLAVES spells it when it is there; SysUser of the INI is not
// asked, since every clerk can edit his workstation's INI but cannot log in as another login. On
// the database file, SysUser. (Works on either engine.)
QString UsuarioConfigurado(BaseDatos& base, const QString& servidor);

// The Tipo of a user in CLAVES, compared without regard to case; "" when the user is missing.
QString TipoUsuarioRegistrado(BaseDatos& base, const QString& usuario);

// The group role of this office database's clerks: the database name and "_oficina" (with the
// schema in between when the tables are not in "public").
QString rolOficina(BaseDatos& base);

// The declarations the database holds: stored (CAB) and sent (hCAB); tables that are missing count 0.
struct DeclaracionesGuardadas {
    long long guardadas = 0;
    long long enviadas = 0;
    long long total() const { return guardadas + enviadas; }
};
DeclaracionesGuardadas cuentaDeclaraciones(BaseDatos& base);

// Whether the connection's login owns the office's tables (CAB; true when there is no CAB yet).
bool esDuenoDeLasTablas(BaseDatos& base);
// The owner of the office's tables, "" when there is no CAB.
QString duenoDeLasTablas(BaseDatos& base);

// Run by the owner after creating or installing tables: the group role (created when missing) gets
// its rights on every table of the schema, the ones created later keep them (default privileges),
// and the declaration tables get their row-level security. Throws ErrorBD.
void preparaDerechos(BaseDatos& base);

// Run by the owner: makes the existing login `rol` a user of the suite of Tipo `tipo` ("0" every
// taxpayer, "1" his own): member of the group role and its CLAVES row (no password: the server
// keeps it). Throws ErrorBD with a message for the administrator.
void registraUsuario(BaseDatos& base, const QString& rol, const QString& tipo);

// Registers the connection's own login (the owner) as a Tipo "0" user, unless CLAVES has it already.
void registraDueno(BaseDatos& base);

}  // namespace qvr
