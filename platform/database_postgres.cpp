// The server engine: a PostgreSQL database shared by the workstations of an office (QPSQL).
//
// Tables are declared in the suite's own type names (BYTE, TEXT(15), DATE); they are translated
// here so that every column keeps the kind it has on the embedded engine: dates stay ISO text (in
// the domain qvr_fecha, which tells them apart from plain text), TEXT(n) is unbounded text as it is
// on the embedded engine.
#include <libpq-fe.h>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QSqlResult>
#include <QSysInfo>
#include <algorithm>
#include <map>

#include "platform/database_motor.h"
#include "platform/descripciones_jet.h"
#include "platform/postgres_directo.h"

namespace qvr::motor {

namespace {

const QString kDominioFecha = QStringLiteral("qvr_fecha");

// Values bound to one statement of a batch insert: the statement text and its values stay a few
// hundred kilobytes.
constexpr size_t kValoresPorSentencia = 10000;

// The program's name for the server's list of sessions: what it was started as.
QString nombrePrograma() {
    const QString n = QCoreApplication::applicationName();
    return n.isEmpty() ? QStringLiteral("qvr") : n;
}

PGconn* conexionDe(QSqlDatabase& db) {
    if (!db.isValid() || !db.driver()) return nullptr;
    const QVariant h = db.driver()->handle();
    if (h.isValid() && (qstrcmp(h.typeName(), "PGconn*") == 0 || qstrcmp(h.typeName(), "pg_conn*") == 0))
        return *static_cast<PGconn* const*>(h.constData());
    return nullptr;
}

QString citado(const QString& v) {
    QString t = v;
    t.replace('\\', "\\\\").replace('\'', "\\'");
    return "'" + t + "'";
}

TipoColumna tipoDePostgres(const QString& nombreTipo) {
    const QString t = nombreTipo.toLower();
    if (t == kDominioFecha || t == "date" || t.startsWith("timestamp")) return TipoColumna::Fecha;
    if (t == "int2" || t == "int4" || t == "int8") return TipoColumna::Entero;
    if (t == "float4" || t == "float8") return TipoColumna::Flotante;
    if (t == "numeric") return TipoColumna::Moneda;
    if (t == "text" || t == "varchar" || t == "bpchar") return TipoColumna::Texto;
    return TipoColumna::Otro;
}

// Rows of a catalog query run straight on the connection, outside the session's own reads.
std::vector<QStringList> catalogo(QSqlDatabase& db, const QString& sql, const QVariantList& parametros) {
    std::vector<QStringList> out;
    if (const pg::Resultado r = pg::corre(conexionDe(db), sql, parametros); r.corrido) {
        if (r.error.isValid()) return out;
        for (const QVariantList& f : r.filas) {
            QStringList t;
            for (const QVariant& v : f) t << v.toString();
            out.push_back(t);
        }
        return out;
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (parametros.isEmpty()) {
        if (!q.exec(sql)) return out;
    } else {
        if (!q.prepare(sql)) return out;
        for (int i = 0; i < parametros.size(); ++i) q.bindValue(i, parametros[i]);
        if (!q.exec()) return out;
    }
    while (q.next()) {
        QStringList f;
        for (int i = 0; i < q.record().count(); ++i) f << q.value(i).toString();
        out.push_back(f);
    }
    return out;
}

// Number, name, declared type, type name and the type underneath a domain of each column.
const QString kColumnasDeTabla = QStringLiteral(
    "SELECT a.attnum, a.attname, format_type(a.atttypid, a.atttypmod), t.typname, "
    "CASE WHEN t.typtype = 'd' THEN format_type(t.typbasetype, t.typtypmod) "
    "ELSE format_type(a.atttypid, a.atttypmod) END FROM pg_attribute a "
    "JOIN pg_type t ON t.oid = a.atttypid WHERE a.attrelid = ? AND a.attnum > 0 AND NOT a.attisdropped "
    "ORDER BY a.attnum");

const QString kOidDeTabla = QStringLiteral(
    "SELECT c.oid FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
    "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p') AND c.relname = lower(?)");

class MotorPostgres : public Motor {
  public:
    QString driver() const override { return QStringLiteral("QPSQL"); }

    void configura(QSqlDatabase& db, const QString& destino, int esperaMs) override {
        espera_ = esperaMs;
        char* error = nullptr;
        PQconninfoOption* opciones = PQconninfoParse(destino.toUtf8().constData(), &error);
        if (!opciones) {
            const QString detalle = error ? QString::fromUtf8(error).trimmed() : QString();
            PQfreemem(error);
            throw ErrorBD(
                jet::ConexionFallida,
                QString("La conexión al servidor de base de datos (DBServer) no es válida: %1").arg(detalle));
        }
        QStringList partes;
        QStringList dadas;
        bool conClave = false;
        for (PQconninfoOption* o = opciones; o->keyword; ++o) {
            if (!o->val) continue;
            const QString clave = QString::fromUtf8(o->keyword);
            if (clave == "password") {
                conClave = true;
                continue;
            }
            dadas << clave;
            partes << clave + "=" + citado(QString::fromUtf8(o->val));
        }
        PQconninfoFree(opciones);
        // A workstation that freezes or leaves the network is noticed within about a minute (20 s idle,
        // then three probes 10 s apart), unless the connection string says otherwise.
        const std::pair<const char*, const char*> vivo[] = {
            {"keepalives", "1"}, {"keepalives_idle", "20"}, {"keepalives_interval", "10"}, {"keepalives_count", "3"}};
        for (const auto& [clave, valor] : vivo)
            if (!dadas.contains(clave)) partes << QString("%1=%2").arg(clave, valor);
        nombreDado_ = dadas.contains("application_name") || !qEnvironmentVariableIsEmpty("PGAPPNAME");
        if (conClave)
            throw ErrorBD(jet::CuentaNoValida,
                          "La clave del servidor de base de datos no se escribe en NEMDAL.INI (DBServer): "
                          "póngala en el archivo .pgpass (o PGPASSFILE) o en un archivo de servicio.");
        // The driver turns ';' into blanks; every value is quoted, so blanks inside stay values.
        db.setConnectOptions(partes.join(' '));
    }

    void alAbrir(BaseDatos& b) override {
        dominioListo_ = false;
        olvidaDefiniciones();
        b.ejecuta("SET client_min_messages TO warning");
        // A lock held by another workstation is waited for this long, then reported as locked.
        b.ejecuta(QString("SET lock_timeout TO %1").arg(std::max(1, espera_)));
        // A transaction left open by a frozen program ends after a minute, which releases its locks;
        // the server's own probes find a workstation that is gone (the connection string's find a
        // server that is gone).
        b.ejecuta("SET idle_in_transaction_session_timeout TO 60000");
        for (const char* p : {"tcp_keepalives_idle TO 20", "tcp_keepalives_interval TO 10", "tcp_keepalives_count TO 3"})
            b.ejecuta(QString("SET %1").arg(p));
        // Who is who in pg_stat_activity: program, workstation and login.
        if (!nombreDado_)
            b.consulta("SELECT set_config('application_name', CAST(? AS TEXT) || '/' || session_user, false)",
                       {nombrePrograma() + "/" + QSysInfo::machineHostName()});
        creaCopias(b);
    }

    // Temporary tables of the same name come first in the search path, so every statement of this
    // connection reads and writes its own rows; another workstation's window never sees them.
    void tablasDeTrabajo(BaseDatos& b, const QStringList& tablas) override {
        trabajo_ = tablas;
        creaCopias(b);
    }

    ErrorBD error(const QSqlError& e) const override {
        const QString estado = e.nativeErrorCode();
        const QString texto =
            e.databaseText().trimmed().isEmpty() ? e.text().trimmed() : e.databaseText().trimmed();
        int n = jet::Reservado;
        if (estado == "23505")
            n = jet::ClaveDuplicada;
        else if (estado == "23502")
            n = jet::CampoNulo;
        else if (estado == "55P03" || estado == "40P01" || estado == "40001" || estado == "55006")
            n = jet::RegistroBloqueado;
        else if (estado == "42P01")
            n = jet::TablaNoExiste;
        else if (estado == "42P07")
            n = jet::TablaExiste;
        else if (estado == "42P16")
            n = jet::ClavePrimariaExiste;
        else if (estado == "42703")
            n = jet::SinParametros;
        else if (estado == "42601")
            n = jet::SintaxisConsulta;
        else if (estado == "25006")
            n = jet::SoloLectura;
        else if (estado == "42501")
            n = jet::SinPermiso;
        else if (estado == "53100")
            n = jet::DiscoLleno;
        else if (estado.startsWith("53"))
            n = jet::RecursosAgotados;
        else if (estado.startsWith("08") || estado.startsWith("57P"))
            n = jet::ErrorDisco;
        else if (estado == "3D000")
            n = jet::ArchivoNoEncontrado;
        else if (estado.startsWith("28"))
            n = jet::CuentaNoValida;
        return ErrorBD(n, texto);
    }

    bool conexionPerdida(const QSqlError& e, QSqlDatabase& db) const override {
        const QString estado = e.nativeErrorCode();
        if (estado.startsWith("08") || estado == "57P01" || estado == "57P02" || estado == "57P03")
            return true;
        PGconn* c = conexionDe(db);
        return c && PQstatus(c) == CONNECTION_BAD;
    }

    QString traduce(const QString& sql) const override {
        if (!esDefinicion(sql)) return sql;
        QString t = sql;
        static const QRegularExpression corchetes(R"(\[([^\]]*)\])");
        t.replace(corchetes, "\\1");
        // Only a word in the place of a type (after a column name) is a type.
        static const std::vector<std::pair<QRegularExpression, QString>> tipos = [] {
            std::vector<std::pair<QRegularExpression, QString>> v;
            const std::pair<const char*, const char*> tabla[] = {
                {R"(BYTE|YESNO|BIT)", "SMALLINT"},
                {R"(LONG|COUNTER)", "INTEGER"},
                {R"(TEXT\s*\(\s*\d+\s*\))", "TEXT"},
                {R"(MEMO)", "TEXT"},
                {R"(DATE(?:TIME)?)", "qvr_fecha"},
                {R"(CURRENCY)", "NUMERIC(19,4)"},
                {R"(DOUBLE(?!\s+PRECISION))", "DOUBLE PRECISION"},
                {R"(SINGLE)", "REAL"},
            };
            for (const auto& [de, a] : tabla)
                v.emplace_back(QRegularExpression(QString(R"(([\w"]\s+)(?:%1)(?!\w))").arg(de),
                                                  QRegularExpression::CaseInsensitiveOption),
                               QString("\\1") + a);
            return v;
        }();
        for (const auto& [de, a] : tipos) t.replace(de, a);
        return t;
    }

    void preparaDefinicion(BaseDatos& b) override {
        if (dominioListo_) return;
        QSqlDatabase& db = b.sql();
        const auto hay = catalogo(db,
                                  "SELECT 1 FROM pg_type t JOIN pg_namespace n ON n.oid = t.typnamespace "
                                  "WHERE t.typname = ? AND n.nspname = current_schema()",
                                  {kDominioFecha});
        if (hay.empty() && b.profundidadTransaccion() == 0) {
            // Two installers at once: the second one's CREATE fails, and the domain is there anyway.
            QSqlQuery q(db);
            q.exec(QString("CREATE DOMAIN %1 AS TEXT").arg(kDominioFecha));
        } else if (hay.empty()) {
            b.ejecuta("SAVEPOINT qvr_dominio");
            QSqlQuery q(db);
            if (q.exec(QString("CREATE DOMAIN %1 AS TEXT").arg(kDominioFecha)))
                b.ejecuta("RELEASE qvr_dominio");
            else
                b.ejecuta("ROLLBACK TO qvr_dominio");
        }
        dominioListo_ = true;
    }

    QStringList tablas(BaseDatos& b) override {
        QStringList out;
        for (const auto& f :
             catalogo(b.sql(),
                      "SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                      "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p') ORDER BY 1",
                      {}))
            out << f[0];
        return out;
    }

    bool existeTabla(BaseDatos& b, const QString& nombre) override {
        return !catalogo(b.sql(), kOidDeTabla, {nombre}).empty();
    }

    std::vector<Columna> columnas(BaseDatos& b, const QString& tabla) override {
        const Tabla* t = tablaDe(b, tabla);
        if (!t) return {};
        std::vector<Columna> out;
        for (const auto& [n, c] : t->columnas) out.push_back(c);
        return out;
    }

    Directo directo(BaseDatos& b, const QString& sql, const QVariantList& parametros) override {
        pg::Resultado r = pg::corre(conexionDe(b.sql()), sql, parametros);
        Directo d;
        d.corrido = r.corrido;
        d.error = r.error;
        if (!r.corrido || r.error.isValid()) return d;
        for (const QString& n : r.nombres) {
            Columna c;
            c.nombre = n;
            d.columnas.push_back(c);
        }
        d.filas = std::move(r.filas);
        d.cambiadas = r.cambiadas;
        origen_.assign(r.origen.begin(), r.origen.end());
        return d;
    }

    void capturaTipos(QSqlQuery& q, std::vector<Columna>& columnas) override {
        origen_.assign(columnas.size(), {0, 0});
        const QVariant h = q.result()->handle();
        if (!h.isValid() ||
            (qstrcmp(h.typeName(), "PGresult*") != 0 && qstrcmp(h.typeName(), "pg_result*") != 0))
            return;
        const PGresult* r = *static_cast<PGresult* const*>(h.constData());
        if (!r) return;
        for (size_t i = 0; i < columnas.size() && int(i) < PQnfields(r); ++i)
            origen_[i] = {PQftable(r, int(i)), PQftablecol(r, int(i))};
    }

    void completaTipos(BaseDatos& b, std::vector<Columna>& columnas) override {
        const auto origen = std::move(origen_);
        origen_.clear();
        for (size_t i = 0; i < columnas.size() && i < origen.size(); ++i) {
            const auto [tabla, col] = origen[i];
            if (tabla == InvalidOid || col <= 0) continue;
            const auto& def = definicion(b.sql(), tabla).columnas;
            auto it = def.find(col);
            if (it == def.end()) continue;
            columnas[i].declarado = it->second.declarado;
            columnas[i].tipo = it->second.tipo;
        }
    }

    void olvidaDefiniciones() override {
        definiciones_.clear();
        oids_.clear();
    }

    void empiezaEscritura(BaseDatos& b, Durabilidad d) override {
        b.ejecuta("BEGIN");
        if (d == Durabilidad::Diferida) b.ejecuta("SET LOCAL synchronous_commit TO OFF");
    }

    void terminaEscritura(BaseDatos&) override {}

    // Readers go on; a second writer of the table waits (lock_timeout) until this transaction ends.
    void bloqueaTabla(BaseDatos& b, const QString& tabla) override {
        b.ejecuta(QString("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(tabla));
    }

    // A lock on a name, not on a row, so that it also covers rows that do not exist yet. The schema
    // is part of the name: two offices in one database do not wait for each other.
    void reserva(BaseDatos& b, const QString& recurso) override {
        b.consulta(
            "SELECT pg_advisory_xact_lock(hashtextextended(current_schema() || '/' || CAST(? AS TEXT), 0))",
            {recurso});
    }

    // A row is named by its primary key; the physical position (ctid) changes with every update, so
    // it names a row only while nobody writes it. A table without a primary key names the row by all
    // its values, which also tells a row changed by another workstation from one left alone.
    Identidad identidad(BaseDatos& b, const QString& tabla, const std::vector<Columna>& columnas) override {
        Identidad id;
        if (const Tabla* t = tablaDe(b, tabla)) id.columnas = t->clave;
        QStringList partes;
        if (!id.columnas.isEmpty()) {
            for (const auto& c : id.columnas) partes << c + "=?";
            id.condicion = partes.join(" AND ");
            return id;
        }
        for (const auto& c : columnas) {
            id.columnas << c.nombre;
            partes << c.nombre + " IS NOT DISTINCT FROM ?";
        }
        id.condicion =
            QString("ctid = (SELECT ctid FROM %1 WHERE %2 LIMIT 1)").arg(tabla, partes.join(" AND "));
        return id;
    }

    QVariantList identidadNueva(BaseDatos&, const Identidad& id, const std::vector<Columna>& columnas,
                                const QVariantList& fila) override {
        QVariantList out;
        for (const auto& n : id.columnas)
            for (size_t i = 0; i < columnas.size(); ++i)
                if (columnas[i].nombre.compare(n, Qt::CaseInsensitive) == 0) out << fila[int(i)];
        return out;
    }

    // The rows of a table in one INSERT: each column's values as one array, bound as a parameter and
    // unnested on the server in the rows' order (the server reads every value as its column's type,
    // as it would a value of its own statement). Where a column's type is not known (or a value is
    // of a kind only the driver passes) the rows go as a multi-row INSERT through the driver. A very
    // long list goes in parts of at most kValoresPorSentencia values.
    QSqlError insertaFilas(BaseDatos& b, const QString& tabla, const QStringList& columnas,
                           const std::vector<QVariantList>& filas) override {
        const size_t porSentencia = std::max<size_t>(1, kValoresPorSentencia / size_t(columnas.size()));
        const QString porArreglos = insercionPorArreglos(b, tabla, columnas);
        const qint64 total = qint64(filas.size());
        for (size_t desde = 0; desde < filas.size(); desde += porSentencia) {
            const size_t n = std::min(porSentencia, filas.size() - desde);
            if (!porArreglos.isEmpty()) {
                QVariantList arreglos;
                for (int c = 0; c < columnas.size(); ++c) {
                    QString a;
                    if (!pg::arreglo(filas, desde, n, c, a)) break;
                    arreglos << a;
                }
                if (arreglos.size() == columnas.size()) {
                    if (const pg::Resultado r = pg::corre(conexionDe(b.sql()), porArreglos, arreglos); r.corrido) {
                        if (r.error.isValid()) return r.error;
                        if (r.cambiadas != int(n)) return filasNoEscritas(tabla, qint64(desde) + r.cambiadas, total);
                        continue;
                    }
                }
            }
            QVariantList valores;
            valores.reserve(qsizetype(n) * columnas.size());
            for (size_t f = desde; f < desde + n; ++f) valores << filas[f];
            const QString sql = insercion(tabla, columnas, int(n));
            if (const pg::Resultado r = pg::corre(conexionDe(b.sql()), sql, valores); r.corrido) {
                if (r.error.isValid()) return r.error;
                if (r.cambiadas != int(n)) return filasNoEscritas(tabla, qint64(desde) + r.cambiadas, total);
                continue;
            }
            QSqlQuery q(b.sql());
            q.setForwardOnly(true);
            bool ok = q.prepare(sql);
            if (ok) {
                for (int p = 0; p < valores.size(); ++p) q.bindValue(p, valores[p]);
                ok = q.exec();
            }
            if (!ok) {
                const QSqlError e = q.lastError();
                retiene(q);
                return e;
            }
            if (q.numRowsAffected() != int(n))
                return filasNoEscritas(tabla, qint64(desde) + q.numRowsAffected(), total);
            q.finish();
        }
        return {};
    }

  private:
    // "INSERT INTO tabla (a, b) SELECT u.v1, u.v2 FROM unnest(CAST(? AS tipo[]), ...) WITH ORDINALITY
    // AS u(v1, v2, n) ORDER BY u.n"; empty when a column's type is not known.
    QString insercionPorArreglos(BaseDatos& b, const QString& tabla, const QStringList& columnas) {
        const Tabla* t = tablaDe(b, tabla);
        if (!t) return {};
        QStringList arreglos, alias, lista;
        for (int i = 0; i < columnas.size(); ++i) {
            const auto it = t->tipos.find(columnas[i].toLower());
            if (it == t->tipos.end() || it->second.isEmpty()) return {};
            arreglos << QString("CAST(? AS %1[])").arg(it->second);
            alias << QString("v%1").arg(i + 1);
            lista << QString("u.v%1").arg(i + 1);
        }
        return QString("INSERT INTO %1 (%2) SELECT %3 FROM unnest(%4) WITH ORDINALITY AS u(%5, n) ORDER BY u.n")
            .arg(tabla, columnas.join(", "), lista.join(", "), arreglos.join(", "), alias.join(", "));
    }

    // What the session needs of a table's definition, read once per connection and definition change.
    struct Tabla {
        std::map<int, Columna> columnas;   // by their number
        std::map<QString, QString> tipos;  // lower-case name: the type a value is read as (a domain's base type)
        QStringList clave;                 // primary key columns in their order
    };

    const Tabla& definicion(QSqlDatabase& db, unsigned tabla) {
        auto it = definiciones_.find(tabla);
        if (it != definiciones_.end()) return it->second;
        Tabla t;
        for (const auto& f : catalogo(db, kColumnasDeTabla, {tabla})) {
            Columna c;
            c.nombre = f[1];
            c.declarado = f[2];
            c.tipo = tipoDePostgres(f[3]);
            t.columnas[f[0].toInt()] = c;
            t.tipos[f[1].toLower()] = f[4];
        }
        for (const auto& f : catalogo(db,
                                      "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = "
                                      "i.indrelid AND a.attnum = ANY(i.indkey) WHERE i.indrelid = ? AND "
                                      "i.indisprimary ORDER BY array_position(i.indkey, a.attnum)",
                                      {tabla}))
            t.clave << f[0];
        return definiciones_[tabla] = std::move(t);
    }

    // The definition of a table by its name; null when there is none. Its number is kept too: when
    // the table it names was dropped meanwhile (another workstation's installer), it is looked up again.
    const Tabla* tablaDe(BaseDatos& b, const QString& nombre) {
        const QString clave = nombre.toLower();
        for (int vez = 0; vez < 2; ++vez) {
            auto it = oids_.find(clave);
            if (it == oids_.end()) {
                const auto f = catalogo(b.sql(), kOidDeTabla, {nombre});
                if (f.empty()) return nullptr;
                it = oids_.emplace(clave, f[0][0].toUInt()).first;
            }
            const Tabla& t = definicion(b.sql(), it->second);
            if (!t.columnas.empty()) return &t;
            definiciones_.erase(it->second);
            oids_.erase(it);
        }
        return nullptr;
    }

    void creaCopias(BaseDatos& b) {
        for (const QString& t : trabajo_)
            if (existeTabla(b, t))
                b.ejecuta(QString("CREATE TEMPORARY TABLE IF NOT EXISTS %1 (LIKE %2.%1 INCLUDING ALL)")
                              .arg(t.toLower(), esquema(b)));
    }

    QString esquema(BaseDatos& b) {
        const auto f = catalogo(b.sql(), "SELECT current_schema()", {});
        return f.empty() ? QString("public") : f[0][0];
    }

    QStringList trabajo_;
    int espera_ = 5000;
    bool nombreDado_ = false;
    bool dominioListo_ = false;
    std::vector<std::pair<unsigned, int>> origen_;
    std::map<unsigned, Tabla> definiciones_;
    std::map<QString, unsigned> oids_;
};

}  // namespace

std::unique_ptr<Motor> postgres() { return std::make_unique<MotorPostgres>(); }

QString conexionVisible(const QString& conexion) {
    static const QRegularExpression clave(R"(password\s*=\s*('([^'\\]|\\.)*'|\S+))",
                                          QRegularExpression::CaseInsensitiveOption);
    // A postgresql:// address carries it as user:password@.
    static const QRegularExpression direccion(R"(^(postgres(?:ql)?://[^:/@\s]*):[^@/\s]*@)",
                                              QRegularExpression::CaseInsensitiveOption);
    QString t = conexion.trimmed();
    t.replace(clave, "password=***");
    t.replace(direccion, "\\1:***@");
    return t.trimmed();
}

}  // namespace qvr::motor
