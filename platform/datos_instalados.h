#pragma once
// Data files an installed suite carries beside its programs (share/qvr/ of the installation).
#include <QString>

namespace qvr {

// Full path of the installed data file `nombre`, looked up relative to the running program
// (bin/../share/qvr/); empty when the program does not run from an installation that holds it.
// Needs the application object.
QString archivoInstalado(const QString& nombre);

}  // namespace qvr
