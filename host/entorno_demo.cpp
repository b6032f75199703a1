#include "host/entorno_demo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/oficina.h"
#include "common/schema.h"
#include "common/sesion.h"
#include "host/demo_datos.h"
#include "host/estacion.h"
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

// `servidor`: the users' passwords are the server's, CLAVES keeps none.
void llenaBase(BaseDatos& base, bool servidor) {
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
                     {u8(u.usuario), u8(u.tipo), servidor ? QVariant() : QVariant(u8(u.clave))});
    t.confirma();
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
// suite's tables first; never while they hold a declaration (see creaEntornoDemo).
void preparaServidor(BaseDatos& base, bool forzar) {
    if (!forzar) return;
    for (const auto* lista : {&tablasAnexo(), &tablasHost()})
        for (const TablaEsquema& t : *lista)
            if (base.existeTabla(t.nombre)) base.ejecuta(QString("DROP TABLE %1").arg(t.nombre));
}

// Why an existing office database is not set up again: another workstation attaches to it, and
// --force would destroy the declarations it holds.
QString rechazoServidor(BaseDatos& base, const QString& servidor, bool forzar) {
    const QString otraEstacion = "Para preparar otra estación de la oficina use: orvelane --attach CARPETA --server '" +
                                 servidor + "'.";
    if (!forzar)
        return "Ya existe un entorno en el servidor " + base.ruta() + ". " + otraEstacion +
               " (--force lo crea de nuevo, solo mientras no guarde declaraciones).";
    const DeclaracionesGuardadas d = cuentaDeclaraciones(base);
    if (d.total() == 0) return {};
    const QString cuantas =
        d.total() == 1 ? QStringLiteral("1 declaración") : QString("%1 declaraciones").arg(d.total());
    return QString("El servidor %1 guarda %2 (%3 grabadas en CAB, %4 enviadas en hCAB): --force "
                   "las destruiría, y no lo hace. %5 Para empezar de nuevo a propósito, elimine antes la base "
                   "de datos en el servidor (dropdb, y createdb otra vez) y repita orvelane --setup.")
        .arg(base.ruta(), cuantas)
        .arg(d.guardadas)
        .arg(d.enviadas)
        .arg(otraEstacion);
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
            if (base->existeTabla("CAB"))
                if (const QString rechazo = rechazoServidor(*base, servidor, forzar); !rechazo.isEmpty())
                    return falla(r, rechazo);
        } catch (const ErrorBD& e) {
            return falla(r, e.descripcion());
        }
        r.rutaBase = base->ruta();
    } else if (QFileInfo::exists(r.rutaBase) && !forzar) {
        return falla(r, "Ya existe un entorno en " + sistema + " (use --force para crearlo de nuevo).");
    }

    if (const QString e = creaArchivosEstacion(sistema); !e.isEmpty()) return falla(r, e);

    if (forzar && !base)
        for (const char* sufijo : {"", "-journal", "-wal", "-shm"})
            if (QFileInfo::exists(r.rutaBase + sufijo) && !QFile::remove(r.rutaBase + sufijo))
                return falla(r, "No se pudo reemplazar " + r.rutaBase + sufijo + ".");

    QString usuario = u8(usuarioSistemaDemo());
    try {
        if (base)
            preparaServidor(*base, forzar);
        else
            base = BaseDatos::crea(r.rutaBase);
        llenaBase(*base, !servidor.isEmpty());
        if (!servidor.isEmpty()) {
            // On the server the login is the user: the owner setting it up is the first one, of Tipo "0".
            registraDueno(*base);
            usuario = loginSesion(*base);
            preparaDerechos(*base);
        }
        base.reset();
    } catch (const ErrorBD& e) {
        return falla(r, "No se pudo crear la base de datos " + r.rutaBase + ": " + e.descripcion() + " (" +
                            QString::number(e.numero()) + ").");
    }

    // The INI last: it only ever points at a complete environment.
    if (const QString e = escribeIniEstacion(sistema, servidor, usuario); !e.isEmpty()) return falla(r, e);

    r.ok = true;
    r.mensaje =
        "Entorno creado en " + sistema + "\nBase de datos: " + r.rutaBase + "\nNEMDAL.INI: " + r.rutaIni;
    return r;
}

}  // namespace qvr::host
