#include "common/sesion.h"

#include <QDir>

#include "platform/paths.h"
#include "platform/profile.h"

namespace qvr {

QString leeOpcion(const QString& clave) { return Perfil::lee(kSeccionIni, clave, "", kArchivoIni).trimmed(); }

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
