#pragma once
// Windows-1252, the code page of the report files and of the character codes that the record
// control number adds up.
#include <QByteArray>
#include <QString>

namespace qvr {

// The Windows-1252 code of a character; '?' (63) for one the code page lacks.
unsigned char codigoAnsi(QChar c);
QByteArray aCp1252(const QString& texto);
QString deCp1252(const QByteArray& bytes);

}  // namespace qvr
