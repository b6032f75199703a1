#pragma once
// Builds a test database the way the suite does: the table installer run on an environment.
#include <QByteArray>
#include <QString>

#include "support/entorno.h"

namespace qvr::prueba {

// The send list delivered with the installer (lotmira/env738.txt).
QByteArray listaEnvioDelModulo();
// Writes the send list into the environment's tmp folder.
void escribeListaEnvio(const Entorno& env, const QByteArray& contenido);
// Writes the module's send list (when none is there yet) and runs the installer in this process.
int instalaConLotmira(Entorno& env);

}  // namespace qvr::prueba
