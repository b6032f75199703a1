#pragma once
// Registration of report files in table SPOOL. Every program that writes reports numbers its
// files from the same sequence, so the numbering runs inside one write transaction.
#include <QString>
#include <functional>

#include "platform/database.h"

namespace qvr {

inline const QString kReporteDeclaracion = QStringLiteral("RP0008");
inline const QString kReporteEnvio = QStringLiteral("RP0009");

// Adds the SPOOL row of a new report and returns its file name ("00000013.PRN", no folder).
// Throws ErrorBD.
QString RegistraSpool(BaseDatos& base, const QString& codigo, int tipoDocumento, const QString& numero,
                      const QString& usuario);

// A report written whole before it is registered: `escribe` writes it into a new file of `carpeta`
// (a file-system path) and answers whether it was written whole; only then is the SPOOL row added
// and the file given the row's name, in one transaction. A report that was not written whole leaves
// neither a file nor a row. Returns the file name, or "" when `escribe` answered false. Throws
// reporte::ErrorEscritura (75) when no file can be made in the folder, ErrorBD when the row cannot
// be added; neither leaves a file or a row behind.
QString RegistraReporteEscrito(BaseDatos& base, const QString& codigo, int tipoDocumento, const QString& numero,
                               const QString& usuario, const QString& carpeta,
                               const std::function<bool(const QString& ruta)>& escribe);

}  // namespace qvr
