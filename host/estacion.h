#pragma once
// A workstation of an office whose database is a PostgreSQL server: the folders and files the
// programs read beside the database (SysPath with RPT, TMP, tmp/env738.txt and the workgroup file)
// and the NEMDAL.INI that names them and the server.
#include <QString>

#include "host/entorno_demo.h"

namespace qvr::host {

// The folders and files of a workstation under `sistema` (SysPath, ending in '/'): "" when made,
// else what went wrong.
QString creaArchivosEstacion(const QString& sistema);

// NEMDAL.INI pointing at `sistema`; DBServer = `servidor` ("" for the database file of the
// folder); SysUser = `usuario`. "" when written, else what went wrong.
QString escribeIniEstacion(const QString& sistema, const QString& servidor, const QString& usuario);

// orvelane --attach: prepares this workstation for the office database `servidor` that another
// workstation set up. Connects and reads it (and says so when it holds no office), then writes the
// folders, the files and NEMDAL.INI; it never creates, drops or changes a table on the server.
ResultadoDemo preparaEstacion(const QString& carpeta, const QString& servidor);

}  // namespace qvr::host
