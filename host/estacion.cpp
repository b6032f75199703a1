#include "host/estacion.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "common/conexion.h"
#include "common/oficina.h"
#include "common/sesion.h"
#include "host/demo_datos.h"
#include "platform/database.h"
#include "platform/profile.h"

namespace qvr::host {

namespace {

bool escribeArchivo(const QString& ruta, const QByteArray& contenido) {
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(contenido);
    return f.commit();
}

ResultadoDemo falla(ResultadoDemo r, const QString& mensaje) {
    r.ok = false;
    r.mensaje = mensaje;
    return r;
}

}  // namespace

QString creaArchivosEstacion(const QString& sistema) {
    for (const char* sub : {"", "RPT", "TMP", "tmp"})
        if (!QDir().mkpath(sistema + sub) || !QFileInfo(sistema + sub).isDir())
            return "No se pudo crear la carpeta " + sistema + sub + ".";
    if (!escribeArchivo(sistema + kArchivoGrupoTrabajo, "NEMDAL workgroup\n"))
        return "No se pudo escribir " + sistema + kArchivoGrupoTrabajo + ".";
    QByteArray envio;
    for (const char* linea : listaEnvioDemo()) envio += QByteArray(linea) + "\n";
    if (!escribeArchivo(sistema + "tmp/env738.txt", envio)) return "No se pudo escribir " + sistema + "tmp/env738.txt.";
    return {};
}

QString escribeIniEstacion(const QString& sistema, const QString& servidor, const QString& usuario) {
    const std::pair<const char*, QString> claves[] = {
        {"SysPath", sistema},     {"DBPath", sistema},  {"DBName", "NEMDAL.MDB"},
        {"SysUser", usuario},     {"SysVersion", "1.0"}, {"SysMenu", "1"},
        // DBServer names the server database, or is emptied so that the file is used again.
        {"DBServer", servidor},
    };
    for (const auto& [clave, valor] : claves)
        if (!Perfil::escribe(kSeccionIni, clave, valor, kArchivoIni))
            return "No se pudo escribir " + Perfil::rutaArchivo(kArchivoIni) + ".";
    return {};
}

ResultadoDemo preparaEstacion(const QString& carpeta, const QString& servidor) {
    ResultadoDemo r;
    if (carpeta.trimmed().isEmpty()) return falla(r, "Falta la carpeta de la estación.");
    if (servidor.trimmed().isEmpty()) return falla(r, "Falta la conexión al servidor (--server).");
    const QString sistema = QDir(carpeta).absolutePath() + "/sys/";
    r.rutaIni = Perfil::rutaArchivo(kArchivoIni);

    QString login;
    QString aviso;
    try {
        auto base = BaseDatos::abreServidor(servidor, opcionesConexion());
        r.rutaBase = base->ruta();
        for (const char* t : {"CAB", "CLAVES", "CONT", "PARAM"})
            if (!base->existeTabla(t))
                return falla(r, "El servidor " + base->ruta() +
                                    " no tiene las tablas de la oficina. La primera estación las crea con "
                                    "orvelane --setup CARPETA --server CONEXION, y su dueño ejecuta Lotmira.");
        // What every program reads first: the user's row and the declarations' headers.
        login = loginSesion(*base);
        const QString tipo = TipoUsuarioRegistrado(*base, login);
        base->escalar("SELECT COUNT(*) FROM CAB");
        base->escalar("SELECT COUNT(*) FROM PARAM");
        if (tipo.isEmpty())
            aviso = "\nAviso: el usuario " + login +
                    " del servidor no está registrado en CLAVES; el dueño de las tablas lo registra con "
                    "orvelane --add-user " + login + " --type 0|1 --server CONEXION-DEL-DUEÑO.";
    } catch (const ErrorBD& e) {
        return falla(r, mensajeConexion(e, "- Base esta bloqueda").trimmed());
    }

    if (const QString e = creaArchivosEstacion(sistema); !e.isEmpty()) return falla(r, e);
    // The INI last: it only ever points at a complete workstation.
    if (const QString e = escribeIniEstacion(sistema, servidor, login); !e.isEmpty()) return falla(r, e);
    r.ok = true;
    r.mensaje = "Estación preparada en " + sistema + "\nServidor: " + r.rutaBase + "\nUsuario: " + login +
                "\nNEMDAL.INI: " + r.rutaIni + aviso;
    return r;
}

}  // namespace qvr::host
