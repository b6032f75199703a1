#include "platform/datos_instalados.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qvr {

QString archivoInstalado(const QString& nombre) {
    const QDir datos(QCoreApplication::applicationDirPath() + "/" QVR_DATOS_RELATIVOS);
    const QString ruta = QDir::cleanPath(datos.filePath(nombre));
    return QFileInfo(ruta).isFile() ? ruta : QString();
}

}  // namespace qvr
