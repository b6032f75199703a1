#pragma once
// Driving a declaration as a person at the keyboard does, from lines "NNN=text" (the batch tool
// varnel-cli calcular, the tests and the benchmark).
#include <QString>
#include <QStringList>
#include <optional>

#include "varnel/declaration/declaracion.h"

namespace qvr {

class BaseDatos;

// Box n gets the focus, its text is selected and deleted, each character of `texto` is typed
// through the box's filter and the focus leaves the box. False when the box is locked (nothing
// is typed then).
bool tecleaCasilla(Declaracion& d, int n, const QString& texto);
// A hidden box 530-540 through its detail window: Enter in box 200 or 201 opens it, the amount is
// typed into the box's field (select all, delete, type, leave) and "&Aceptar" is pressed.
bool tecleaDetalle(Declaracion& d, int oculta, const QString& texto);

// Box n typed as tecleaCasilla types it (a hidden box 530-540 as tecleaDetalle types it), telling
// what the box made of `texto`: `tecleado` is what its key filter and maximum length (`longitud`
// while it had the focus, 0 for none) let through, `mostrado` its text once the focus left.
// nullopt when the box is locked: nothing is typed then.
struct TextoTecleado {
    QString tecleado;
    QString mostrado;
    int longitud = 0;
};
std::optional<TextoTecleado> tecleaYLee(Declaracion& d, int n, const QString& texto);

// Fills the document-type and profession lists from catalogs '044' (types offered in position 81)
// and '979' of PARAM, as the window's lists show them.
void llenaListas(Declaracion& d, BaseDatos& base);

struct ResultadoLote {
    int estado = 0;      // 0, or 2 for malformed input
    QStringList salida;  // "NNN=text"
    QStringList avisos;  // problems to report on standard error
};

// Checks every line, then applies them in order to `d` (prepared as a new declaration by the
// caller). Malformed lines are all reported and nothing is applied. `det` prints the stored value
// of each non-empty box of OrdenCasillas instead of the box texts.
ResultadoLote ejecutaLote(Declaracion& d, const QStringList& lineas, bool det);

}  // namespace qvr
