#pragma once
// The send-summary program from its command line to its two named copies.
#include <QDateTime>
#include <QString>

namespace qvr {

// Runs the program for one command-line text; returns the exit status (0 when both summaries were
// written). Messages go through the dialogs port.
int EjecutaOskeni(const QString& lineaComandos, const QDateTime& ahora = QDateTime::currentDateTime());

// Replaces `destino` with a copy of `origen`; a copy onto itself (the same file under any spelling)
// leaves the file as it is. Empty text, or why the copy failed.
QString copiaResumen(const QString& origen, const QString& destino);

// The plain text summary's bytes: CR LF lines in Windows-1252, an empty line as one blank, and after
// every 80 lines a line holding the single character 15 as the page break.
QByteArray textoPlano(const QStringList& lineas);

}  // namespace qvr
