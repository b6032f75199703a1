#include "common/oficina.h"

#include <QSet>

#include "common/schema.h"
#include "common/sesion.h"
#include "platform/database.h"

namespace qvr {

namespace {

// Tables a clerk only reads: the users, the taxpayers and the catalogs, which the owner keeps.
const QSet<QString>& tablasDeLectura() {
    static const QSet<QString> t = {"claves", "cont", "param", "error", "reportes", "envio_t"};
    return t;
}

// The tables that hold declarations, whose rows row-level security gives out by taxpayer: the
// stored and sent headers and boxes and the stored and sent annex rows (the working copies are
// each connection's own).
bool esTablaDeDeclaracion(const QString& tabla) {
    const QString t = tabla.toLower();
    if (t == "cab" || t == "det" || t == "hcab" || t == "hdet") return true;
    for (const TablaEsquema& a : tablasAnexo())
        if (!a.nombre.startsWith("TMP_") && a.nombre.toLower() == t) return true;
    return false;
}

QString identificador(BaseDatos& base, const QString& nombre) {
    return base.escalar("SELECT quote_ident(CAST(? AS TEXT))", {nombre}).toString();
}

QString esquemaActual(BaseDatos& base) { return base.escalar("SELECT current_schema()").toString(); }

// A clerk of Tipo "0" sees every taxpayer; any other only those registered under his login.
QString condicionContribuyente(const QString& tabla) {
    return QString(
               "EXISTS (SELECT 1 FROM claves k WHERE upper(k.usuario) = upper(session_user) AND k.tipo = '0') "
               "OR EXISTS (SELECT 1 FROM cont c WHERE c.tip_doc_d = %1.tip_doc_d AND c.doc_id_d = %1.doc_id_d "
               "AND upper(c.usuario) = upper(session_user))")
        .arg(tabla);
}

// The lists of declarations join the headers to CONT by doc_id_d alone, which the primary keys
// (tip_doc_d first) cannot look up; a clerk's list and the row security filter CONT by
// upper(usuario). Without these a clerk's first page over a large office reads and sorts every
// row; with them it reads about a page.
void creaIndicesListas(BaseDatos& base) {
    const std::pair<const char*, const char*> indices[] = {
        {"qvr_cab_doc_id_d", "CAB (doc_id_d)"},
        {"qvr_hcab_doc_id_d", "hCAB (doc_id_d)"},
        {"qvr_cont_usuario", "CONT (upper(usuario))"},
    };
    for (const auto& [nombre, sobre] : indices) {
        const QString tabla = QString::fromLatin1(sobre).section(' ', 0, 0);
        if (base.existeTabla(tabla))
            base.ejecuta(QString("CREATE INDEX IF NOT EXISTS %1 ON %2").arg(nombre, sobre));
    }
}

bool existeRol(BaseDatos& base, const QString& rol) {
    return !base.consulta("SELECT 1 FROM pg_roles WHERE rolname = ?", {rol}).vacio();
}

}  // namespace

QString loginSesion(BaseDatos& base) { return base.escalar("SELECT CAST(session_user AS TEXT)").toString(); }

QString TipoUsuarioRegistrado(BaseDatos& base, const QString& usuario) {
    const Registros r = base.consulta("SELECT Tipo FROM CLAVES WHERE UPPER(Usuario)=UPPER(?)", {usuario});
    return r.vacio() ? QString() : r.texto(0, 0);
}

QString UsuarioConfigurado(BaseDatos& base, const QString& servidor) {
    if (servidor.trimmed().isEmpty()) return leeOpcion("SysUser");
    const QString login = loginSesion(base);
    const Registros r = base.consulta("SELECT Usuario FROM CLAVES WHERE UPPER(Usuario)=UPPER(?)", {login});
    return r.vacio() ? login : r.texto(0, 0);
}

QString rolOficina(BaseDatos& base) {
    const QString bd = base.escalar("SELECT current_database()").toString();
    const QString esquema = esquemaActual(base);
    QString rol = (esquema == "public" ? bd : bd + "_" + esquema) + "_oficina";
    // A role name is at most 63 bytes: keep the end, which tells the schemas of one database apart.
    return rol.toUtf8().size() > 63 ? rol.right(63) : rol;
}

DeclaracionesGuardadas cuentaDeclaraciones(BaseDatos& base) {
    DeclaracionesGuardadas d;
    if (base.existeTabla("CAB")) d.guardadas = base.escalar("SELECT COUNT(*) FROM CAB").toLongLong();
    if (base.existeTabla("hCAB")) d.enviadas = base.escalar("SELECT COUNT(*) FROM hCAB").toLongLong();
    return d;
}

QString duenoDeLasTablas(BaseDatos& base) {
    return base
        .escalar("SELECT CAST(pg_get_userbyid(c.relowner) AS TEXT) FROM pg_class c JOIN pg_namespace n ON "
                 "n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relname = 'cab'")
        .toString();
}

bool esDuenoDeLasTablas(BaseDatos& base) {
    const QString dueno = duenoDeLasTablas(base);
    if (dueno.isEmpty()) return true;
    // A member of the owning role may act as the owner (ALTER, DROP, GRANT).
    return base.escalar("SELECT pg_has_role(session_user, CAST(? AS TEXT), 'USAGE')", {dueno}).toBool();
}

void preparaDerechos(BaseDatos& base) {
    const QString rol = rolOficina(base);
    const QString r = identificador(base, rol);
    const QString esquema = identificador(base, esquemaActual(base));
    TransaccionEscritura t(base);
    if (!existeRol(base, rol)) {
        try {
            base.ejecuta(QString("CREATE ROLE %1 NOLOGIN").arg(r));
        } catch (const ErrorBD& e) {
            throw ErrorBD(e.numero(),
                          QString("No se pudo crear el rol de grupo %1 de los digitadores: el dueño de las tablas "
                                  "necesita el permiso de crear roles (createuser --createrole), o un "
                                  "administrador del servidor lo crea antes (createuser --no-login %1).\n%2")
                              .arg(rol, e.descripcion()));
        }
    }
    base.ejecuta(QString("GRANT USAGE ON SCHEMA %1 TO %2").arg(esquema, r));
    // What the owner (Lotmira) creates later: the annex and working tables, which clerks write.
    base.ejecuta(
        QString("ALTER DEFAULT PRIVILEGES IN SCHEMA %1 GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO %2")
            .arg(esquema, r));
    for (const QString& tabla : base.tablas()) {
        const QString n = identificador(base, tabla);
        if (tablasDeLectura().contains(tabla.toLower())) {
            base.ejecuta(QString("REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON %1 FROM %2").arg(n, r));
            base.ejecuta(QString("GRANT SELECT ON %1 TO %2").arg(n, r));
        } else {
            base.ejecuta(QString("GRANT SELECT, INSERT, UPDATE, DELETE ON %1 TO %2").arg(n, r));
        }
        if (!esTablaDeDeclaracion(tabla)) continue;
        base.ejecuta(QString("ALTER TABLE %1 ENABLE ROW LEVEL SECURITY").arg(n));
        base.ejecuta(QString("DROP POLICY IF EXISTS qvr_contribuyente ON %1").arg(n));
        const QString condicion = condicionContribuyente(n);
        base.ejecuta(QString("CREATE POLICY qvr_contribuyente ON %1 TO %2 USING (%3) WITH CHECK (%3)")
                         .arg(n, r, condicion));
    }
    creaIndicesListas(base);
    t.confirma();
}

void registraUsuario(BaseDatos& base, const QString& rol, const QString& tipo) {
    if (tipo != "0" && tipo != "1")
        throw ErrorBD(jet::Reservado, QString("El tipo de usuario es 0 (ve todos los contribuyentes) o 1 (solo los "
                                              "suyos), no '%1'.")
                                          .arg(tipo));
    const Registros r = base.consulta("SELECT rolcanlogin FROM pg_roles WHERE rolname = ?", {rol});
    if (r.vacio())
        throw ErrorBD(jet::CuentaNoValida,
                      QString("El usuario '%1' no existe en el servidor: créelo antes (createuser --pwprompt %1) "
                              "y repita la orden.")
                          .arg(rol));
    if (!r.valor(0, 0).toBool())
        throw ErrorBD(jet::CuentaNoValida,
                      QString("El rol '%1' del servidor no puede ingresar (no es un usuario con LOGIN).").arg(rol));
    const QString grupo = rolOficina(base);
    if (!existeRol(base, grupo)) preparaDerechos(base);
    TransaccionEscritura t(base);
    base.ejecuta(QString("GRANT %1 TO %2").arg(identificador(base, grupo), identificador(base, rol)));
    const Registros previo = base.consulta("SELECT Usuario FROM CLAVES WHERE UPPER(Usuario) = UPPER(?)", {rol});
    // The password is the server's (scram-sha-256, .pgpass): CLAVES keeps none.
    if (previo.vacio())
        base.ejecuta("INSERT INTO CLAVES (Usuario, Tipo, Clave) VALUES (?, ?, NULL)", {rol, tipo});
    else
        base.ejecuta("UPDATE CLAVES SET Tipo = ?, Clave = NULL WHERE Usuario = ?", {tipo, previo.texto(0, 0)});
    t.confirma();
}

void registraDueno(BaseDatos& base) {
    const QString login = loginSesion(base);
    if (base.consulta("SELECT 1 FROM CLAVES WHERE UPPER(Usuario) = UPPER(?)", {login}).vacio())
        base.ejecuta("INSERT INTO CLAVES (Usuario, Tipo, Clave) VALUES (?, '0', NULL)", {login});
}

}  // namespace qvr
