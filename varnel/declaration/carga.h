#pragma once
// What opening a declaration reads from the database: the stored (or sent) boxes put back into
// the window's controls by box number, the header's payment and order number, the declarant's
// names, the working annex tables, and the taxpayer list of a new declaration.
#include <QString>
#include <QStringList>

#include "common/contribuyentes.h"
#include "varnel/app/valores.h"
#include "varnel/declaration/instantanea.h"

namespace qvr {

class BaseDatos;

struct Carga {
    Instantanea datos;
    bool cabecera = false;       // the header row exists
    QStringList contribuyentes;  // CmbRuc entries (new declaration)
};

// The reading steps of opening a declaration in the mode of `valores` (ModoDeclaracion 1 new, 2
// modify; DeclaracionEnviada with CorrelEnviada, NumeroOrden and NumeroControl for a sent one).
// Empties the working annex tables and, for an existing declaration, fills them. Throws ErrorBD.
Carga CargaDeclaracion(BaseDatos& base, const ValoresEjecucion& valores, const QString& formulario,
                       const QString& usuario);

// Applies one stored box row to the controls (the loading table by box number).
void aplicaCasilla(Instantanea& d, const QString& casilla, const QString& valor);
// ActivaBotonesForm: the option of boxes 027, 260, 871, 873, 874, 875 from a stored value.
void ActivaBotonesForm(Instantanea& d, int casilla, const QString& valor);


// The declarant of a chosen CmbRuc entry: RUC, boxes 801 to 803 and NombreDeclarante.
struct Declarante {
    QString ruc, apellidoPaterno, apellidoMaterno, nombres, nombre;
};
Declarante DeclaranteDeEntrada(const QString& entrada);

}  // namespace qvr
