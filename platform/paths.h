#pragma once
// Paths from NEMDAL.INI are joined by plain concatenation, exactly as stored; a backslash becomes
// '/' only when a path reaches the file system.
#include <QString>

namespace qvr {

// The path as the file system wants it: every '\' turned into '/'.
QString rutaFs(const QString& ruta);

// True when the file (or folder) exists.
bool existeRuta(const QString& ruta);

}  // namespace qvr
