#pragma once
// The run settings of a program: what NEMDAL.INI says, the fixed tax year and form, and the open
// database. One instance for the whole run.
#include <QString>
#include <memory>

#include "common/schema.h"
#include "platform/database.h"

namespace qvr {

inline const QString kArchivoIni = QStringLiteral("NEMDAL.INI");
inline const QString kSeccionIni = QStringLiteral("Options");
inline const QString kArchivoGrupoTrabajo = QStringLiteral("NEMDAL.MDW");

struct DatosSesion {
    QString RutaSistema;
    QString RutaBaseDatos;
    QString ServidorBD;  // DBServer: a PostgreSQL connection string; empty: the file RutaBaseDatos
    QString RutaReportes;
    QString Usuario = QStringLiteral(" ");
    QString Periodo = kPeriodo;
    QString Formulario = kFormulario;
    int Semana = kSemana;
    std::unique_ptr<BaseDatos> Base;
};

// One key of section "Options" of NEMDAL.INI, read with a 255-character buffer and trimmed.
QString leeOpcion(const QString& clave);

// NEMDAL.INI where the programs look for it: in the Windows folder ($WINDIR, else
// $XDG_CONFIG_HOME/qvr).
QString rutaIniEntorno();
// Whether this workstation has an environment: NEMDAL.INI is there and names its folders or its
// database. An INI that holds only what a program wrote into it (SystemDB) is none.
bool hayEntorno();
// The command line that makes a demonstration environment for the current user.
inline const QString kOrdenEntornoDemo = QStringLiteral("orvelane --setup ~/qvr-demo && Lotmira");
// What a program says when there is no environment: the INI it looked for and that command.
QString mensajeSinEntorno();

// Reads NEMDAL.INI into the run settings and makes RutaSistema the current directory
// (when it names an existing folder).
void LeeConfiguracion(DatosSesion& s);

}  // namespace qvr
