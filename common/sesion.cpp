#include "common/sesion.h"

#include <QDir>
#include <QFileInfo>

#include "platform/paths.h"
#include "platform/profile.h"

namespace qvr {

QString leeOpcion(const QString& clave) { return Perfil::lee(kSeccionIni, clave, "", kArchivoIni).trimmed(); }

QString rutaIniEntorno() { return Perfil::rutaArchivo(kArchivoIni); }

bool hayEntorno() {
    if (!QFileInfo(rutaIniEntorno()).isFile()) return false;
    for (const char* clave : {"SysPath", "DBPath", "DBName", "DBServer"})
        if (!leeOpcion(clave).isEmpty()) return true;
    return false;
}

QString mensajeSinEntorno() {
    return QStringLiteral(
               "No hay un entorno del QVR en esta estación: no se encontró la configuración %1 (o no indica "
               "carpetas ni base de datos).\n"
               "Para crear un entorno de demostración ejecute:\n"
               "    %2\n"
               "Para usar otro entorno, defina WINDIR con la carpeta de su NEMDAL.INI.")
        .arg(QDir::toNativeSeparators(rutaIniEntorno()), kOrdenEntornoDemo);
}

void LeeConfiguracion(DatosSesion& s) {
    s.RutaSistema = leeOpcion("SysPath");
    if (!s.RutaSistema.isEmpty() && QDir(rutaFs(s.RutaSistema)).exists())
        QDir::setCurrent(rutaFs(s.RutaSistema));
    s.RutaBaseDatos = leeOpcion("DBPath") + leeOpcion("DBName");
    s.ServidorBD = leeOpcion("DBServer");
    s.RutaReportes = s.RutaSistema + "RPT";
    s.Usuario = " ";
    s.Usuario = leeOpcion("SysUser");
}

}  // namespace qvr
