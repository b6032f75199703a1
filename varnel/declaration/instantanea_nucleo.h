#pragma once
// Between the declaration core and its stored form: the snapshot a save writes, taken from the
// core's boxes and controls, and an opening's snapshot put back into the core.
#include "varnel/declaration/carga.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/grabado.h"
#include "varnel/declaration/instantanea.h"

namespace qvr {

// What the core shows, as a save writes it; the RUC is RucDeclarante.
Instantanea instantaneaDe(const Declaracion& d);

// Puts an opening into the core, as the loading steps do: the design state of a new declaration,
// then, without computing, the stored boxes, lists, options and payment; the enabling rules of the
// loaded values; the read-only view and the order number of a sent declaration. Ends unmodified.
void aplicaCarga(Declaracion& d, const Carga& c);

// GrabarForm over the core: on success the declaration is unmodified, in modify mode, and
// RucDeclarante is the saved one.
ResultadoGrabado grabaDeclaracion(BaseDatos& base, Declaracion& d, const QString& formulario,
                                  OpcionesGrabado opciones = {});

}  // namespace qvr
