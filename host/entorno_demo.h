#pragma once
// The demonstration environment: what the host suite leaves on a machine before a module is
// installed. DIR/sys/ is the system folder (SysPath) with the database NEMDAL.MDB holding the
// host's tables and catalogs, the workgroup file NEMDAL.MDW, the RPT and TMP folders and
// tmp/env738.txt; NEMDAL.INI goes into the Windows folder.
#include <QString>

namespace qvr::host {

struct ResultadoDemo {
    bool ok = false;
    QString mensaje;  // what went wrong, or a summary of what was created
    QString rutaIni;
    QString rutaBase;
};

// Creates the environment in `carpeta`. An existing environment (its database file) is left
// alone unless `forzar`, in which case the database is created anew.
// With `servidor` (a PostgreSQL connection string) the tables and rows go to that server database
// (an existing CAB there counts as an existing environment) and NEMDAL.INI carries DBServer.
ResultadoDemo creaEntornoDemo(const QString& carpeta, bool forzar, const QString& servidor = {});

// funcion of catalog '004': name in 1-36, short name in 38-49.
QString funcionBanco(const QString& nombre, const QString& corto);
// argumento and funcion of catalog '998'.
QString argumentoTasa(const QString& codigo, const QString& periodo);
QString funcionTasa(const QString& tasa);

}  // namespace qvr::host
