#pragma once
// The validation of a declaration typed from lines "NNN=text" (varnel-cli validar): the lines are
// entered as in a declaration opened for modification, then ValidaTodo("0") runs on it.
#include <QDate>
#include <QStringList>

namespace qvr {

class BaseDatos;

struct ResultadoValidacionLote {
    int estado = 0;       // 0 consistent, 1 inconsistencies, 2 unusable input
    QStringList lineas;   // the inconsistency lines, in order
    QStringList avisos;   // the preliminary notices and input problems, one per line
};

// Rates and lists come from the catalogs of `base`; `hoy` is the date the date checks use.
ResultadoValidacionLote validaLote(BaseDatos& base, const QStringList& entrada, const QDate& hoy);

}  // namespace qvr
