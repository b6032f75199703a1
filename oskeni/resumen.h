#pragma once
// The send summary of one declaration: what it reads and the lines it writes.
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

#include "oskeni/linea_comandos.h"

namespace qvr {

class BaseDatos;

struct DatosResumen {
    LineaResumen linea;
    QString nombre;
    bool cheque = false;  // payment by cheque; cash otherwise
    QString numeroCheque;
    QString banco;
    QMap<QString, QString> casillas;  // box number → stored value

    QString rectificatoria() const;  // "SI" / "NO" from box 871
};

// Reads the CAB row, the boxes and the taxpayer's name. Empty when the taxpayer is not in CONT or
// the declaration has no CAB row of that key.
std::optional<DatosResumen> leeDatosResumen(BaseDatos& base, const LineaResumen& linea);

// An amount column: one blank and the box's amount right-aligned in `ancho` characters; nothing when
// the box holds no number. A too wide amount loses thousands separators (at most 5) before it is placed.
QString columnaMonto(const QString& valor, int ancho);

// The lines of the markup summary, in order, as they go through the writer (tags included).
QStringList lineasResumenMarcado(const DatosResumen& d, const QDateTime& ahora);
// The lines of the plain text summary, before page breaks.
QStringList lineasResumenTexto(const DatosResumen& d, const QDateTime& ahora);

}  // namespace qvr
