#pragma once
// varnel-cli's face of the declaration session: a declaration opened for the configured user,
// lines typed into it and saved; a stored or sent one opened and printed as lines; the order
// number of a sent one registered. Every step is the session's, as in the window.
#include <QString>
#include <QStringList>

#include "varnel/cli/lote_tecleo.h"

namespace qvr {

class BaseDatos;
class Declaracion;

struct ResultadoGrabarLote {
    int salida = 0;        // exit status
    QStringList avisos;    // to standard error
    QStringList lineas;    // to standard output
};

// `lineas` as `calcular` takes them, after one "ruc=" line naming a taxpayer of `usuario` (only blank
// and comment lines may come before it; a later ruc= line may only repeat it). A new declaration
// when that RUC has none of this form and period, else the stored one modified. The lines are read
// from `lector` one at a time and every one is checked; when one is refused (exit 2) nothing is
// saved. The problems go to `avisa` as they are found.
ResultadoGrabarLote grabaLote(BaseDatos& base, const QString& formulario, const QString& usuario,
                              LectorLineas& lector, const Avisa& avisa);
// The same from lines in memory (the problems in `avisos`).
ResultadoGrabarLote grabaLote(BaseDatos& base, const QString& formulario, const QString& usuario,
                              const QStringList& lineas);

// The stored declaration of `ruc` (or the sent one of `correl`) opened as the window opens it:
// every non-empty box as NNN=text, then the other controls as key=value. Empty `correl`: stored.
ResultadoGrabarLote muestraDeclaracion(BaseDatos& base, const QString& formulario, const QString& usuario,
                                       const QString& ruc, const QString& correl);

// The sent declaration `ruc` / `correl` opened as the window opens it and its order number saved as
// the window's "&Grabar" saves it (the messages through the dialogs port).
ResultadoGrabarLote registraOrden(BaseDatos& base, const QString& formulario, const QString& usuario,
                                  const QString& ruc, const QString& correl, const QString& orden,
                                  const QString& digitos);

// The other controls of `d` as key=value lines, with the keys `calcular` reads.
QStringList lineasControles(const Declaracion& d);

}  // namespace qvr
