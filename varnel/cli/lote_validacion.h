#pragma once
// varnel-cli validar: the lines typed as in a declaration opened for modification, read one at a
// time and checked as `calcular` checks them, then the validation of the "Validar" button on it.
#include <QDate>
#include <QString>
#include <QStringList>

#include "varnel/cli/lote_tecleo.h"

namespace qvr {

class BaseDatos;

struct ResultadoValidacionEntrada {
    int estado = 0;      // 0 consistent, 1 inconsistencies, 2 unusable input or a refused RUC
    QStringList lineas;  // the inconsistency lines, in order
    QStringList avisos;  // the preliminary notices of the validation, one per line
    QString rechazo;     // why the declarant may not be validated by this user
};

// Rates and lists come from the catalogs of `base`; `hoy` is the date the date checks use. The last
// ruc= line, when there is one, must name a taxpayer `usuario` may choose. Problems of the input go
// to `avisa` as they are found.
ResultadoValidacionEntrada validaEntrada(BaseDatos& base, const QString& formulario, const QString& usuario,
                                         LectorLineas& lector, const QDate& hoy, const Avisa& avisa);

}  // namespace qvr
