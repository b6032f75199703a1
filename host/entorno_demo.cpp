#include "host/entorno_demo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "common/schema.h"
#include "common/sesion.h"
#include "host/demo_datos.h"
#include "platform/database.h"
#include "platform/profile.h"
#include "platform/utilitario.h"

namespace qvr::host {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

void agregaParam(BaseDatos& base, const QString& numero, const QString& argumento, const QString& funcion) {
    base.ejecuta("INSERT INTO PARAM (numero, argumento, funcion, correl_param) VALUES (?, ?, ?, ?)",
                 {numero, argumento, funcion, QString("")});
}

void llenaBase(BaseDatos& base) {
    creaTablasHost(base);
    TransaccionEscritura t(base);
    for (const auto& b : bancosDemo())
        agregaParam(base, "004", u8(b.codigo), funcionBanco(u8(b.nombre), u8(b.corto)));
    for (const auto& u : uitDemo()) agregaParam(base, "404", u8(u.desde), u8(u.valor));
    for (const auto& s : tasasDemo())
        agregaParam(base, "998", argumentoTasa(u8(s.codigo), u8(s.periodo)), funcionTasa(u8(s.tasa)));
    for (const auto& p : paisesDemo()) agregaParam(base, "976", u8(p.codigo), u8(p.nombre));
    for (const auto& c : contribuyentesDemo())
        base.ejecuta(
            "INSERT INTO CONT (tip_doc_d, doc_id_d, nombre, usuario, Apellido_p, Apellido_m, Nombre_1, "
            "nombre_2, Tipo_Ingreso) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 2)",
            {kTipDocDeclarante, u8(c.ruc), u8(c.nombre), u8(c.usuario), u8(c.apellidoP), u8(c.apellidoM),
             u8(c.nombre1), u8(c.nombre2)});
    for (const auto& u : usuariosDemo())
        base.ejecuta("INSERT INTO CLAVES (Usuario, Tipo, Clave) VALUES (?, ?, ?)",
                     {u8(u.usuario), u8(u.tipo), u8(u.clave)});
    t.confirma();
}

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

QString funcionBanco(const QString& nombre, const QString& corto) {
    return Utilitario::RellenaDerecha(nombre, 36, u' ') + " " + Utilitario::RellenaDerecha(corto, 12, u' ');
}

QString argumentoTasa(const QString& codigo, const QString& periodo) {
    return Utilitario::RellenaDerecha(codigo, 6, u' ') + " " + periodo;
}

QString funcionTasa(const QString& tasa) { return " " + Utilitario::RellenaDerecha(tasa, 6, u' '); }

namespace {
// The server database of the environment: an existing one is kept unless `forzar`, which drops the
// suite's tables first.
void preparaServidor(BaseDatos& base, bool forzar) {
    if (!forzar) return;
    for (const auto* lista : {&tablasAnexo(), &tablasHost()})
        for (const TablaEsquema& t : *lista)
            if (base.existeTabla(t.nombre)) base.ejecuta(QString("DROP TABLE %1").arg(t.nombre));
}
}  // namespace

ResultadoDemo creaEntornoDemo(const QString& carpeta, bool forzar, const QString& servidor) {
    ResultadoDemo r;
    if (carpeta.trimmed().isEmpty()) return falla(r, "Falta la carpeta del entorno.");
    const QString sistema = QDir(carpeta).absolutePath() + "/sys/";
    r.rutaBase = sistema + "NEMDAL.MDB";
    r.rutaIni = Perfil::rutaArchivo(kArchivoIni);

    std::unique_ptr<BaseDatos> base;
    if (!servidor.isEmpty()) {
        try {
            base = BaseDatos::abreServidor(servidor, {});
            if (base->existeTabla("CAB") && !forzar)
                return falla(r, "Ya existe un entorno en el servidor " + base->ruta() +
                                    " (use --force para crearlo de nuevo).");
        } catch (const ErrorBD& e) {
            return falla(r, e.descripcion());
        }
        r.rutaBase = base->ruta();
    } else if (QFileInfo::exists(r.rutaBase) && !forzar) {
        return falla(r, "Ya existe un entorno en " + sistema + " (use --force para crearlo de nuevo).");
    }

    for (const char* sub : {"", "RPT", "TMP", "tmp"})
        if (!QDir().mkpath(sistema + sub) || !QFileInfo(sistema + sub).isDir())
            return falla(r, "No se pudo crear la carpeta " + sistema + sub + ".");

    if (forzar && !base)
        for (const char* sufijo : {"", "-journal", "-wal", "-shm"})
            if (QFileInfo::exists(r.rutaBase + sufijo) && !QFile::remove(r.rutaBase + sufijo))
                return falla(r, "No se pudo reemplazar " + r.rutaBase + sufijo + ".");

    try {
        if (base)
            preparaServidor(*base, forzar);
        else
            base = BaseDatos::crea(r.rutaBase);
        llenaBase(*base);
        base.reset();
    } catch (const ErrorBD& e) {
        return falla(r, "No se pudo crear la base de datos " + r.rutaBase + ": " + e.descripcion() + " (" +
                            QString::number(e.numero()) + ").");
    }

    if (!escribeArchivo(sistema + kArchivoGrupoTrabajo, "NEMDAL workgroup\n"))
        return falla(r, "No se pudo escribir " + sistema + kArchivoGrupoTrabajo + ".");

    QByteArray envio;
    for (const char* linea : listaEnvioDemo()) envio += QByteArray(linea) + "\n";
    if (!escribeArchivo(sistema + "tmp/env738.txt", envio))
        return falla(r, "No se pudo escribir " + sistema + "tmp/env738.txt.");

    // The INI last: it only ever points at a complete environment.
    const std::pair<const char*, QString> claves[] = {
        {"SysPath", sistema},     {"DBPath", sistema},
        {"DBName", "NEMDAL.MDB"}, {"SysUser", u8(usuarioSistemaDemo())},
        {"SysVersion", "1.0"},    {"SysMenu", "1"},
    };
    for (const auto& [clave, valor] : claves)
        if (!Perfil::escribe(kSeccionIni, clave, valor, kArchivoIni))
            return falla(r, "No se pudo escribir " + r.rutaIni + ".");
    // DBServer names the server database, or is emptied so that the file is used again.
    if (!Perfil::escribe(kSeccionIni, "DBServer", servidor, kArchivoIni))
        return falla(r, "No se pudo escribir " + r.rutaIni + ".");

    r.ok = true;
    r.mensaje =
        "Entorno creado en " + sistema + "\nBase de datos: " + r.rutaBase + "\nNEMDAL.INI: " + r.rutaIni;
    return r;
}

}  // namespace qvr::host
