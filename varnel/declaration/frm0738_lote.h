#pragma once
// The declaration window's open and save without its widgets, for the batch tool: a declaration
// opened through the loading steps, lines typed into it, saved through GrabarForm with the
// identification checks of the window; and an opened declaration printed as lines.
#include <QString>
#include <QStringList>

namespace qvr {

class BaseDatos;
class Declaracion;

struct ResultadoGrabarLote {
    int salida = 0;        // exit status
    QStringList avisos;    // to standard error
    QStringList lineas;    // to standard output
};

// `lineas` as `calcular` takes them plus one "ruc=" line naming a taxpayer of `usuario`. A new
// declaration when that RUC has none of this form and period, else the stored one modified.
ResultadoGrabarLote grabaLote(BaseDatos& base, const QString& formulario, const QString& usuario,
                              const QStringList& lineas);

// The stored declaration of `ruc` (or the sent one of `correl`) opened as the window opens it:
// every non-empty box as NNN=text, then the other controls as key=value. Empty `correl`: stored.
ResultadoGrabarLote muestraDeclaracion(BaseDatos& base, const QString& formulario, const QString& usuario,
                                       const QString& ruc, const QString& correl);

// The other controls of `d` as key=value lines, with the keys `calcular` reads.
QStringList lineasControles(const Declaracion& d);

}  // namespace qvr
