#pragma once
// Opening the shared database and the messages of record errors.
#include <QString>
#include <optional>

#include "common/sesion.h"
#include "platform/database.h"

namespace qvr {

// The workgroup login handed to the engine. SQLite has no use for it, but the programs pass it on
// as the suite always did.
QString usuarioGrupoTrabajo();
QString claveGrupoTrabajo();

// The options every program opens the database with: the workgroup login and the lock wait
// (QVR_ESPERA_MS when set).
BaseDatos::Opciones opcionesConexion();
// The shared database as NEMDAL.INI names it: the server of DBServer when the key is there, else
// the database file `ruta`. Throws ErrorBD.
std::unique_ptr<BaseDatos> AbreBaseConfigurada(const QString& ruta,
                                               const BaseDatos::Opciones& opciones = opcionesConexion());

// Opens the shared database (s.ServidorBD, else s.RutaBaseDatos) after writing SystemDB into NEMDAL.INI. On
// failure shows the connection message ("Error de Conección") and returns false; the caller ends the program.
// `mensajeBloqueo` is the text after the number for error 3051.
bool AbreBaseDatos(DatosSesion& s, const QString& mensajeBloqueo = QStringLiteral("- Base esta bloqueda"));

// The connection message for an error, as shown by AbreBaseDatos (and the installer).
QString mensajeConexion(const ErrorBD& e, const QString& mensajeBloqueo);

// The record-error handler of the annex operations: sets *operacionOk to false when given,
// shows the message for the error's number with the information icon and title "Mensaje".
void ErrorRegistro(const ErrorBD& e, bool* operacionOk = nullptr);
// The message text for a Jet error number.
QString mensajeErrorRegistro(int numero, const QString& descripcion);

// The Tipo of the current user in CLAVES; "1" when the user is missing.
QString TipoUsuario(BaseDatos& base, const QString& usuario);

// A number as the platform's number-to-text writes it: a leading blank for a positive number.
QString numeroConBlanco(long long n);

}  // namespace qvr
