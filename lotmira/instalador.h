#pragma once
// The table installer: prepares the shared database for form 0738 (annex tables, catalog rows,
// report registrations and the list of tables to send) from the environment in NEMDAL.INI.
#include <QString>
#include <QStringList>

namespace qvr {

// Exit statuses of the installer.
enum SalidaInstalador {
    InstalacionCompleta = 0,
    SinCarpetaInstalacion = 1,  // SysPath is empty: nothing was touched
    SinBaseDatos = 2,           // the database could not be opened
    SinListaEnvio = 3,          // the send list is missing or unreadable; everything before it is done
    InstalacionConErrores = 4,  // some statement failed or some send-list line was skipped
    NoEsDueno = 5,              // on a server, the login does not own the tables: nothing was touched
};

// The installation folder from the value of SysPath: trimmed, and a final double backslash
// reduced to one.
QString carpetaInstalacion(const QString& valorSysPath);

// Runs the whole installation; returns a SalidaInstalador.
int InstalaTablas();

// The send-list file within the installation folder.
QString rutaListaEnvio(const QString& carpeta);

}  // namespace qvr
