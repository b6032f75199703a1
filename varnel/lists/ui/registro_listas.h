#pragma once
// Plugs the list windows into the main window's commands: frmModFor (modify, delete, delete a
// sent declaration), frmAbrirEnv (register an order number) and frmBancos (the three queries).
#include "varnel/app/ui/ventanas.h"

namespace qvr {

// The lists open the declaration window through the same registry, when it has one; `r` must
// outlive the windows it creates (the main window keeps it for the whole run).
void registraVentanasListas(RegistroVentanas& r);

}  // namespace qvr
