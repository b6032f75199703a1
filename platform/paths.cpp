#include "platform/paths.h"

#include <QFileInfo>

namespace qvr {

QString rutaFs(const QString& ruta) {
    QString r = ruta;
    r.replace('\\', '/');
    return r;
}

bool existeRuta(const QString& ruta) { return !ruta.isEmpty() && QFileInfo::exists(rutaFs(ruta)); }

}  // namespace qvr
