#include "support/lotmira_instalacion.h"

#include <QFile>

#include "lotmira/instalador.h"

namespace qvr::prueba {

QByteArray listaEnvioDelModulo() {
    QFile f(QStringLiteral(QVR_SOURCE_DIR) + "/lotmira/env738.txt");
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void escribeListaEnvio(const Entorno& env, const QByteArray& contenido) {
    QFile f(env.sistema() + "tmp/env738.txt");
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(contenido);
}

int instalaConLotmira(Entorno& env) {
    if (!QFile::exists(env.sistema() + "tmp/env738.txt")) escribeListaEnvio(env, listaEnvioDelModulo());
    return InstalaTablas();
}

}  // namespace qvr::prueba
