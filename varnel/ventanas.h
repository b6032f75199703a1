#pragma once
// Varnel's composition root: the one place that knows every window of the module.
#include "varnel/app/ui/ventanas.h"

namespace qvr {

// Varnel's windows. The registry must outlive the windows: the lists open the declaration window
// through it.
void registraVentanasVarnel(RegistroVentanas& r);

}  // namespace qvr
