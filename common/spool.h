#pragma once
// Registration of report files in table SPOOL. Every program that writes reports numbers its
// files from the same sequence, so the numbering runs inside one write transaction.
#include <QString>

#include "platform/database.h"

namespace qvr {

inline const QString kReporteDeclaracion = QStringLiteral("RP0008");
inline const QString kReporteEnvio = QStringLiteral("RP0009");

// Adds the SPOOL row of a new report and returns its file name ("00000013.PRN", no folder).
// Throws ErrorBD.
QString RegistraSpool(BaseDatos& base, const QString& codigo, int tipoDocumento, const QString& numero,
                      const QString& usuario);

}  // namespace qvr
