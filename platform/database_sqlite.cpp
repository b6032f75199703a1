// The embedded engine: one SQLite file shared by the programs of one workstation.
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlResult>
#include <QUrl>
#include <vector>

#include "platform/database_motor.h"
#include "platform/paths.h"

namespace qvr::motor {

namespace {

int numeroJet(const QSqlError& e) {
    bool ok = false;
    const int codigo = e.nativeErrorCode().toInt(&ok);
    const QString texto = e.databaseText().toLower();
    const int primario = ok ? (codigo & 0xff) : -1;
    if (texto.contains("unique constraint") || texto.contains("primary key must be unique") ||
        codigo == SQLITE_CONSTRAINT_PRIMARYKEY || codigo == SQLITE_CONSTRAINT_UNIQUE)
        return jet::ClaveDuplicada;
    if (texto.contains("not null constraint")) return jet::CampoNulo;
    if (texto.contains("already exists"))
        return texto.contains("index") ? jet::ClavePrimariaExiste : jet::TablaExiste;
    if (texto.contains("no such table")) return jet::TablaNoExiste;
    if (texto.contains("no such column")) return jet::SinParametros;
    switch (primario) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return jet::RegistroBloqueado;
        case SQLITE_READONLY:
            return jet::SoloLectura;
        case SQLITE_IOERR:
            return jet::ErrorDisco;
        case SQLITE_FULL:
            return jet::DiscoLleno;
        case SQLITE_NOMEM:
            return jet::RecursosAgotados;
        case SQLITE_CANTOPEN:
            return jet::ArchivoNoEncontrado;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return jet::FormatoNoReconocido;
        case SQLITE_CONSTRAINT:
            return jet::ClaveDuplicada;
        default:
            break;
    }
    if (texto.contains("syntax error")) return jet::SintaxisConsulta;
    if (texto.contains("database is locked") || texto.contains("database table is locked"))
        return jet::RegistroBloqueado;
    return jet::Reservado;
}

// The engine's upper() and lower() change only the ASCII letters. User names are compared without
// regard to case (UPPER(Usuario)=UPPER(?)), and "NÚÑEZ" must be "núñez" here as on the server, whose
// upper() in the database's UTF-8 locale maps every letter: both map code point by code point.
void cambiaCaja(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool mayusculas = sqlite3_user_data(ctx) != nullptr;
    const auto* texto = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QList<uint> puntos = QString::fromUtf8(texto, sqlite3_value_bytes(argv[0])).toUcs4();
    std::vector<char32_t> cambiados;
    cambiados.reserve(size_t(puntos.size()));
    for (const uint c : puntos)
        cambiados.push_back(mayusculas ? QChar::toUpper(char32_t(c)) : QChar::toLower(char32_t(c)));
    const QByteArray u = QString::fromUcs4(cambiados.data(), qsizetype(cambiados.size())).toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

void instalaCambioDeCaja(QSqlDatabase& db) {
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return;
    sqlite3* s = *static_cast<sqlite3* const*>(h.constData());
    if (!s) return;
    static int mayusculas = 1;
    const int banderas = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function_v2(s, "upper", 1, banderas, &mayusculas, cambiaCaja, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(s, "lower", 1, banderas, nullptr, cambiaCaja, nullptr, nullptr, nullptr);
}

class MotorSqlite : public Motor {
  public:
    QString driver() const override { return QStringLiteral("QSQLITE"); }

    void configura(QSqlDatabase& db, const QString& destino, int esperaMs) override {
        archivo_ = rutaFs(destino);
        QString opciones = QString("QSQLITE_BUSY_TIMEOUT=%1").arg(esperaMs);
        const QByteArray fs = QFile::encodeName(archivo_);
        if (QFileInfo::exists(archivo_) && ::access(fs.constData(), W_OK) != 0) {
            // A file this user may only read. Reading a WAL file makes the engine create its
            // shared-memory file, which then belongs to this user and keeps the file's owner from
            // writing ("solo lectura") long after this program ended. With one there already (the
            // owner's program is running) it is only read; without one the file is read as it is.
            opciones += ";QSQLITE_OPEN_READONLY";
            if (!QFileInfo::exists(archivo_ + "-shm")) {
                opciones += ";QSQLITE_OPEN_URI";
                db.setDatabaseName(QUrl::fromLocalFile(archivo_).toString(QUrl::FullyEncoded) + "?immutable=1");
                db.setConnectOptions(opciones);
                return;
            }
        }
        db.setDatabaseName(archivo_);
        db.setConnectOptions(opciones);
    }

    // The file as it was opened: a save must go into this file, not into one that took its name.
    void alAbrir(BaseDatos& b) override {
        identidad_ = identidadArchivo();
        instalaCambioDeCaja(b.sql());
    }

    ErrorBD error(const QSqlError& e) const override {
        return ErrorBD(numeroJet(e), e.databaseText().isEmpty() ? e.text() : e.databaseText());
    }

    QStringList tablas(BaseDatos& b) override {
        QStringList out;
        Registros r = b.consulta(
            "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
        for (int i = 0; i < r.filas(); ++i) out << r.texto(i, 0);
        return out;
    }

    bool existeTabla(BaseDatos& b, const QString& nombre) override {
        return b.escalar("SELECT count(*) FROM sqlite_master WHERE type='table' AND lower(name)=lower(?)",
                         {nombre})
                   .toInt() > 0;
    }

    std::vector<Columna> columnas(BaseDatos& b, const QString& tabla) override {
        std::vector<Columna> out;
        QString t = tabla;
        t.replace('"', "\"\"");
        Registros r = b.consulta(QString("PRAGMA table_info(\"%1\")").arg(t));
        for (int i = 0; i < r.filas(); ++i) {
            Columna c;
            c.nombre = r.texto(i, "name");
            c.declarado = r.texto(i, "type");
            c.tipo = tipoDeDeclarado(c.declarado);
            out.push_back(c);
        }
        return out;
    }

    void capturaTipos(QSqlQuery& q, std::vector<Columna>& columnas) override {
        sqlite3_stmt* stmt = nullptr;
        const QVariant h = q.result()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3_stmt*") == 0)
            stmt = *static_cast<sqlite3_stmt* const*>(h.constData());
        if (!stmt) return;
        for (size_t i = 0; i < columnas.size(); ++i)
            if (const char* d = sqlite3_column_decltype(stmt, int(i))) {
                columnas[i].declarado = QString::fromUtf8(d);
                columnas[i].tipo = tipoDeDeclarado(columnas[i].declarado);
            }
    }

    // IMMEDIATE, so that a writer waits for the lock up front instead of failing half-way.
    void empiezaEscritura(BaseDatos& b, Durabilidad d) override {
        compruebaArchivo();
        if (d == Durabilidad::Diferida) {
            sincronia_ = b.escalar("PRAGMA synchronous");
            b.ejecuta("PRAGMA synchronous=NORMAL");
        }
        try {
            b.ejecuta("BEGIN IMMEDIATE");
        } catch (...) {
            terminaEscritura(b);
            throw;
        }
    }

    void terminaEscritura(BaseDatos& b) override {
        if (!sincronia_.isValid()) return;
        try {
            b.ejecuta(QString("PRAGMA synchronous=%1").arg(sincronia_.toInt()));
        } catch (const ErrorBD&) {
        }
        sincronia_ = QVariant();
    }

    // The file's own count of commits by other connections, and this connection's count of rows it
    // changed (its working tables too), named after the connection.
    QByteArray marcaCambios(BaseDatos& b) override {
        const QVariant h = b.sql().driver() ? b.sql().driver()->handle() : QVariant();
        if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return {};
        sqlite3* s = *static_cast<sqlite3* const*>(h.constData());
        if (!s) return {};
        const QVariant otros = b.escalar("PRAGMA data_version");
        if (!otros.isValid()) return {};
        return b.sql().connectionName().toUtf8() + "/" + QByteArray::number(otros.toLongLong()) + "/" +
               QByteArray::number(qint64(sqlite3_total_changes64(s)));
    }

    // The write transaction already holds the whole file.
    void bloqueaTabla(BaseDatos&, const QString&) override {}
    void reserva(BaseDatos&, const QString&) override {}

    // One prepared statement run for each row: in-process, a row costs no more as a statement of its
    // own, and the rows are written exactly as Sentencia writes them.
    QSqlError insertaFilas(BaseDatos& b, const QString& tabla, const QStringList& columnas,
                           const std::vector<QVariantList>& filas) override {
        QSqlQuery q(b.sql());
        q.setForwardOnly(true);
        if (!q.prepare(insercion(tabla, columnas, 1))) return q.lastError();
        for (size_t n = 0; n < filas.size(); ++n) {
            const QVariantList& f = filas[n];
            for (int i = 0; i < f.size(); ++i) q.bindValue(i, f[i]);
            if (!q.exec()) {
                const QSqlError e = q.lastError();
                retiene(q);
                return e;
            }
            if (q.numRowsAffected() != 1) return filasNoEscritas(tabla, qint64(n), qint64(filas.size()));
        }
        q.finish();
        return {};
    }

    // Each connection gets TEMP tables of the same definition; SQLite looks a name up in the
    // connection's temporary schema first, so every statement of this program reads and writes its
    // own rows, and another program (a second window, varnel-cli) never sees or empties them.
    void tablasDeTrabajo(BaseDatos& b, const QStringList& tablas) override {
        b.ejecuta("PRAGMA temp_store=MEMORY");
        static const QRegularExpression creacion(R"(^\s*CREATE\s+TABLE\s+)",
                                                 QRegularExpression::CaseInsensitiveOption);
        for (const QString& t : tablas) {
            const QVariant ya = b.escalar(
                "SELECT count(*) FROM sqlite_temp_master WHERE type='table' AND lower(name)=lower(?)", {t});
            if (ya.toInt() > 0) continue;
            const QString sql =
                b.escalar("SELECT sql FROM main.sqlite_master WHERE type='table' AND lower(name)=lower(?)", {t})
                    .toString();
            if (!sql.contains(creacion)) continue;
            QString temporal = sql;
            temporal.replace(creacion, "CREATE TEMP TABLE ");
            b.ejecuta(temporal);
        }
    }

    Identidad identidad(BaseDatos&, const QString&, const std::vector<Columna>&) override {
        return Identidad{{"rowid"}, {}, "rowid=?"};
    }

    QVariantList identidadNueva(BaseDatos& b, const Identidad&, const std::vector<Columna>&,
                                const QVariantList&) override {
        return {b.escalar("SELECT last_insert_rowid()")};
    }

  private:
    struct IdentidadArchivo {
        bool existe = false;
        dev_t dispositivo = 0;
        ino_t nodo = 0;
    };

    IdentidadArchivo identidadArchivo() const {
        IdentidadArchivo i;
        struct stat st {};
        if (!archivo_.isEmpty() && ::stat(QFile::encodeName(archivo_).constData(), &st) == 0) {
            i.existe = true;
            i.dispositivo = st.st_dev;
            i.nodo = st.st_ino;
        }
        return i;
    }

    // A file deleted or replaced while the program runs: the connection still writes into the old
    // one, which nobody will ever open again. Nothing is written, and the person is told why.
    void compruebaArchivo() const {
        if (!identidad_.existe) return;
        const IdentidadArchivo ahora = identidadArchivo();
        if (ahora.existe && ahora.dispositivo == identidad_.dispositivo && ahora.nodo == identidad_.nodo) return;
        throw ErrorBD(jet::ArchivoNoEncontrado,
                      QString("El archivo de la base de datos '%1' fue %2 después de abrirlo; no se grabó "
                              "nada. Cierre el programa y vuelva a abrirlo.")
                          .arg(archivo_, ahora.existe ? QStringLiteral("reemplazado") : QStringLiteral("borrado")));
    }

    QString archivo_;
    IdentidadArchivo identidad_;
    QVariant sincronia_;  // the connection's synchronous setting to restore after a deferred commit
};

}  // namespace

std::unique_ptr<Motor> sqlite() { return std::make_unique<MotorSqlite>(); }

QSqlError Motor::filasNoEscritas(const QString& tabla, qint64 escritas, qint64 dadas) {
    return QSqlError(QString(),
                     QString("La base de datos guardó %1 de las %2 filas enviadas a la tabla %3.")
                         .arg(escritas)
                         .arg(dadas)
                         .arg(tabla),
                     QSqlError::StatementError);
}

QString Motor::insercion(const QString& tabla, const QStringList& columnas, int filas) {
    const QString fila = "(" + QStringList(columnas.size(), QStringLiteral("?")).join(", ") + ")";
    QString sql = QString("INSERT INTO %1 (%2) VALUES ").arg(tabla, columnas.join(", "));
    sql.reserve(sql.size() + filas * (fila.size() + 2));
    for (int i = 0; i < filas; ++i) {
        if (i > 0) sql += ", ";
        sql += fila;
    }
    return sql;
}

bool Motor::esDefinicion(const QString& sql) {
    const QString t = sql.trimmed().left(12).toUpper();
    return t.startsWith("CREATE") || t.startsWith("DROP") || t.startsWith("ALTER");
}

}  // namespace qvr::motor
