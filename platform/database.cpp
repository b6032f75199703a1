#include "platform/database.h"

#include <sqlite3.h>

#include <QDate>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <atomic>

#include "platform/paths.h"

namespace qvr {

namespace {

std::atomic<int> contadorConexiones{0};

// Maps an engine error to the Jet number that the suite's messages are keyed on.
int numeroJet(const QSqlError& e) {
    bool ok = false;
    const int codigo = e.nativeErrorCode().toInt(&ok);
    const QString texto = e.databaseText().toLower();
    const int primario = ok ? (codigo & 0xff) : -1;
    if (texto.contains("unique constraint") || texto.contains("primary key must be unique") ||
        codigo == SQLITE_CONSTRAINT_PRIMARYKEY || codigo == SQLITE_CONSTRAINT_UNIQUE)
        return jet::ClaveDuplicada;
    if (texto.contains("not null constraint")) return jet::CampoNulo;
    if (texto.contains("already exists")) return texto.contains("index") ? jet::ClavePrimariaExiste : jet::TablaExiste;
    if (texto.contains("no such table")) return jet::TablaNoExiste;
    if (texto.contains("no such column")) return jet::SinParametros;
    switch (primario) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return jet::RegistroBloqueado;
        case SQLITE_READONLY: return jet::SoloLectura;
        case SQLITE_IOERR: return jet::ErrorDisco;
        case SQLITE_FULL:
        case SQLITE_NOMEM: return jet::RecursosAgotados;
        case SQLITE_CANTOPEN: return jet::ArchivoNoEncontrado;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT: return jet::FormatoNoReconocido;
        case SQLITE_CONSTRAINT: return jet::ClaveDuplicada;
        default: break;
    }
    if (texto.contains("syntax error")) return jet::SintaxisConsulta;
    if (texto.contains("database is locked") || texto.contains("database table is locked"))
        return jet::RegistroBloqueado;
    return jet::Reservado;
}

ErrorBD errorDe(const QSqlError& e) {
    QString d = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return ErrorBD(numeroJet(e), d);
}

void prepara(QSqlQuery& q, const QString& sql, const QVariantList& parametros) {
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw errorDe(q.lastError());
    for (int i = 0; i < parametros.size(); ++i) q.bindValue(i, parametros[i]);
}

TipoColumna tipoDeValor(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong: return TipoColumna::Entero;
        case QMetaType::Double: return TipoColumna::Flotante;
        case QMetaType::QString: return TipoColumna::Texto;
        default: return TipoColumna::Otro;
    }
}

}  // namespace

ErrorBD::ErrorBD(int numero, const QString& descripcion)
    : std::runtime_error(QString("%1 %2").arg(numero).arg(descripcion).toStdString()),
      numero_(numero),
      descripcion_(descripcion) {}

TipoColumna tipoDeDeclarado(const QString& declarado) {
    const QString t = declarado.trimmed().toUpper();
    if (t.isEmpty()) return TipoColumna::Otro;
    if (t.startsWith("INT") || t.contains("INT") || t.startsWith("BYTE") || t.startsWith("LONG") ||
        t.startsWith("BIT") || t.startsWith("COUNTER") || t.startsWith("SMALL") || t.startsWith("TINY"))
        return TipoColumna::Entero;
    if (t.startsWith("DATE") || t.startsWith("TIME")) return TipoColumna::Fecha;
    if (t.startsWith("CURRENCY") || t.startsWith("MONEY") || t.startsWith("DECIMAL") || t.startsWith("NUMERIC"))
        return TipoColumna::Moneda;
    if (t.startsWith("REAL") || t.startsWith("DOUBLE") || t.startsWith("FLOAT") || t.startsWith("SINGLE"))
        return TipoColumna::Flotante;
    if (t.startsWith("TEXT") || t.contains("CHAR") || t.startsWith("MEMO") || t.startsWith("CLOB") ||
        t.startsWith("STRING"))
        return TipoColumna::Texto;
    return TipoColumna::Otro;
}

int Registros::indice(const QString& nombre) const {
    for (size_t i = 0; i < columnas_.size(); ++i)
        if (columnas_[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

QVariant Registros::valor(int f, int c) const {
    if (f < 0 || f >= filas() || c < 0 || c >= columnas()) return {};
    return filas_[size_t(f)][c];
}

QVariant Registros::valor(int f, const QString& nombre) const { return valor(f, indice(nombre)); }

QString Registros::texto(int f, int c) const {
    QVariant v = valor(f, c);
    return v.isNull() ? QString() : v.toString();
}

QString Registros::texto(int f, const QString& nombre) const { return texto(f, indice(nombre)); }

void BaseDatos::abreConexion(const QString& ruta, int esperaMs) {
    ruta_ = ruta;
    nombre_ = QString("qvr-%1").arg(contadorConexiones.fetch_add(1));
    db_ = QSqlDatabase::addDatabase("QSQLITE", nombre_);
    db_.setDatabaseName(rutaFs(ruta));
    db_.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(esperaMs));
}

std::unique_ptr<BaseDatos> BaseDatos::abre(const QString& ruta, const Opciones& opciones) {
    const QString fs = rutaFs(ruta);
    if (ruta.trimmed().isEmpty() || !QFileInfo(fs).isFile())
        throw ErrorBD(jet::ArchivoNoEncontrado, QString("No se encuentra el archivo '%1'.").arg(ruta));
    std::unique_ptr<BaseDatos> b(new BaseDatos());
    b->abreConexion(ruta, opciones.esperaMs);
    if (!b->db_.open()) {
        ErrorBD e = errorDe(b->db_.lastError());
        throw ErrorBD(e.numero() == jet::RegistroBloqueado ? jet::BaseBloqueada : e.numero(), e.descripcion());
    }
    // A first read tells a locked or foreign file apart before anything else is done.
    try {
        b->escalar("SELECT count(*) FROM sqlite_master");
        if (b->escalar("PRAGMA journal_mode").toString().toLower() != "wal")
            b->escalar("PRAGMA journal_mode=WAL");
    } catch (const ErrorBD& e) {
        if (e.numero() == jet::RegistroBloqueado)
            throw ErrorBD(jet::BaseBloqueada,
                          QString("No se puede abrir el archivo '%1'. Otro usuario lo tiene abierto en modo "
                                  "exclusivo o necesita permiso para ver sus datos.")
                              .arg(ruta));
        if (e.numero() == jet::FormatoNoReconocido || e.numero() == jet::Reservado)
            throw ErrorBD(jet::FormatoNoReconocido,
                          QString("Formato de base de datos no reconocido '%1'.").arg(ruta));
        throw;
    }
    b->ejecuta("PRAGMA foreign_keys=OFF");
    return b;
}

std::unique_ptr<BaseDatos> BaseDatos::crea(const QString& ruta) {
    std::unique_ptr<BaseDatos> b(new BaseDatos());
    b->abreConexion(ruta, 5000);
    if (!b->db_.open()) throw errorDe(b->db_.lastError());
    b->escalar("PRAGMA journal_mode=WAL");
    return b;
}

BaseDatos::~BaseDatos() { cierra(); }

bool BaseDatos::abierta() const { return db_.isValid() && db_.isOpen(); }

void BaseDatos::cierra() {
    if (nombre_.isEmpty()) return;
    if (db_.isOpen()) db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(nombre_);
    nombre_.clear();
}

Registros BaseDatos::consulta(const QString& sql, const QVariantList& parametros) {
    if (!abierta()) throw ErrorBD(jet::Reservado, "La base de datos está cerrada.");
    QSqlQuery q(db_);
    prepara(q, sql, parametros);
    if (!q.exec()) throw errorDe(q.lastError());
    Registros r;
    const QSqlRecord rec = q.record();
    sqlite3_stmt* stmt = nullptr;
    const QVariant h = q.result()->handle();
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3_stmt*") == 0) stmt = *static_cast<sqlite3_stmt* const*>(h.constData());
    for (int i = 0; i < rec.count(); ++i) {
        Columna c;
        c.nombre = rec.fieldName(i);
        if (stmt) {
            const char* d = sqlite3_column_decltype(stmt, i);
            if (d) c.declarado = QString::fromUtf8(d);
        }
        c.tipo = tipoDeDeclarado(c.declarado);
        r.columnas_.push_back(c);
    }
    while (q.next()) {
        QVariantList fila;
        fila.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i) fila << q.value(i);
        r.filas_.push_back(std::move(fila));
    }
    if (q.lastError().isValid()) throw errorDe(q.lastError());
    q.finish();
    // Expressions have no declared type: take the kind of the first non-null value.
    for (int i = 0; i < r.columnas(); ++i) {
        if (!r.columnas_[size_t(i)].declarado.isEmpty()) continue;
        for (const auto& f : r.filas_)
            if (!f[i].isNull()) {
                r.columnas_[size_t(i)].tipo = tipoDeValor(f[i]);
                break;
            }
    }
    return r;
}

QVariant BaseDatos::escalar(const QString& sql, const QVariantList& parametros) {
    Registros r = consulta(sql, parametros);
    return r.vacio() || r.columnas() == 0 ? QVariant() : r.valor(0, 0);
}

int BaseDatos::ejecuta(const QString& sql, const QVariantList& parametros, Accion) {
    if (!abierta()) throw ErrorBD(jet::Reservado, "La base de datos está cerrada.");
    QSqlQuery q(db_);
    prepara(q, sql, parametros);
    if (!q.exec()) throw errorDe(q.lastError());
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

QStringList BaseDatos::tablas() {
    QStringList out;
    Registros r = consulta("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
    for (int i = 0; i < r.filas(); ++i) out << r.texto(i, 0);
    return out;
}

bool BaseDatos::existeTabla(const QString& nombre) {
    return escalar("SELECT count(*) FROM sqlite_master WHERE type='table' AND lower(name)=lower(?)", {nombre}).toInt() > 0;
}

std::vector<Columna> BaseDatos::columnas(const QString& tabla) {
    std::vector<Columna> out;
    QString t = tabla;
    t.replace('"', "\"\"");
    Registros r = consulta(QString("PRAGMA table_info(\"%1\")").arg(t));
    for (int i = 0; i < r.filas(); ++i) {
        Columna c;
        c.nombre = r.texto(i, "name");
        c.declarado = r.texto(i, "type");
        c.tipo = tipoDeDeclarado(c.declarado);
        out.push_back(c);
    }
    return out;
}

TransaccionEscritura::TransaccionEscritura(BaseDatos& base, Durabilidad durabilidad)
    : base_(base), nivel_(base.transaccion_) {
    if (nivel_ == 0 && durabilidad == Durabilidad::Diferida) {
        sincronia_ = base_.escalar("PRAGMA synchronous");
        base_.ejecuta("PRAGMA synchronous=NORMAL");
    }
    if (nivel_ == 0) {
        try {
            base_.ejecuta("BEGIN IMMEDIATE");
        } catch (...) {
            restauraSincronia();
            throw;
        }
    } else {
        base_.ejecuta(QString("SAVEPOINT qvr_%1").arg(nivel_));
    }
    ++base_.transaccion_;
}

TransaccionEscritura::~TransaccionEscritura() {
    if (terminada_) return;
    --base_.transaccion_;
    try {
        if (nivel_ == 0) {
            base_.ejecuta("ROLLBACK");
        } else {
            base_.ejecuta(QString("ROLLBACK TO qvr_%1").arg(nivel_));
            base_.ejecuta(QString("RELEASE qvr_%1").arg(nivel_));
        }
    } catch (const ErrorBD&) {
        // The engine has already rolled back (for example after a disk error).
    }
    restauraSincronia();
}

void TransaccionEscritura::restauraSincronia() {
    if (!sincronia_.isValid()) return;
    try {
        base_.ejecuta(QString("PRAGMA synchronous=%1").arg(sincronia_.toInt()));
    } catch (const ErrorBD&) {
    }
    sincronia_ = QVariant();
}

void TransaccionEscritura::confirma() {
    if (terminada_) return;
    if (nivel_ == 0)
        base_.ejecuta("COMMIT");
    else
        base_.ejecuta(QString("RELEASE qvr_%1").arg(nivel_));
    terminada_ = true;
    --base_.transaccion_;
    restauraSincronia();
}

Dinamico::Dinamico(BaseDatos& base, const QString& tabla, const QString& condicion, const QVariantList& parametros,
                   const QString& orden)
    : base_(base), tabla_(tabla) {
    columnas_ = base_.columnas(tabla);
    if (columnas_.empty()) throw ErrorBD(jet::TablaNoExiste, QString("No se encuentra la tabla '%1'.").arg(tabla));
    QString sql = QString("SELECT rowid, * FROM %1").arg(tabla);
    if (!condicion.isEmpty()) sql += " WHERE " + condicion;
    if (!orden.isEmpty()) sql += " ORDER BY " + orden;
    Registros r = base_.consulta(sql, parametros);
    for (int i = 0; i < r.filas(); ++i) {
        rowids_.push_back(r.valor(i, 0).toLongLong());
        QVariantList f = r.fila(i);
        f.removeFirst();
        filas_.push_back(f);
    }
}

int Dinamico::indice(const QString& nombre) const {
    for (size_t i = 0; i < columnas_.size(); ++i)
        if (columnas_[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0) return int(i);
    throw ErrorBD(3265, QString("Elemento no encontrado en esta colección: '%1'.").arg(nombre));
}

QVariant Dinamico::campo(const QString& nombre) const {
    const int i = indice(nombre);
    if (modo_ != Modo::Ninguno) return pendiente_[i];
    if (eof()) throw ErrorBD(3021, "No hay un registro activo.");
    return filas_[size_t(actual_)][i];
}

void Dinamico::agregaNuevo() {
    modo_ = Modo::Nuevo;
    pendiente_ = QVariantList(int(columnas_.size()));
    fijados_.assign(columnas_.size(), false);
}

void Dinamico::edita() {
    if (eof()) throw ErrorBD(3021, "No hay un registro activo.");
    modo_ = Modo::Edicion;
    pendiente_ = filas_[size_t(actual_)];
    fijados_.assign(columnas_.size(), false);
}

void Dinamico::fija(const QString& nombre, const QVariant& valor) {
    if (modo_ == Modo::Ninguno) throw ErrorBD(3020, "Actualizar o CancelarActualizar sin AgregarNuevo o Editar.");
    const int i = indice(nombre);
    pendiente_[i] = valor;
    fijados_[size_t(i)] = true;
}

void Dinamico::actualiza() {
    if (modo_ == Modo::Ninguno) throw ErrorBD(3020, "Actualizar o CancelarActualizar sin AgregarNuevo o Editar.");
    QStringList nombres;
    QVariantList valores;
    for (size_t i = 0; i < columnas_.size(); ++i) {
        if (!fijados_[i]) continue;
        nombres << columnas_[i].nombre;
        valores << pendiente_[int(i)];
    }
    if (modo_ == Modo::Nuevo) {
        QString sql;
        if (nombres.isEmpty()) {
            sql = QString("INSERT INTO %1 DEFAULT VALUES").arg(tabla_);
        } else {
            QStringList marcas(nombres.size(), "?");
            sql = QString("INSERT INTO %1 (%2) VALUES (%3)").arg(tabla_, nombres.join(','), marcas.join(','));
        }
        base_.ejecuta(sql, valores);
        const qlonglong id = base_.escalar("SELECT last_insert_rowid()").toLongLong();
        rowids_.push_back(id);
        filas_.push_back(pendiente_);
        actual_ = filas() - 1;
    } else if (!nombres.isEmpty()) {
        QStringList sets;
        for (const auto& n : nombres) sets << n + "=?";
        valores << rowids_[size_t(actual_)];
        const int n = base_.ejecuta(QString("UPDATE %1 SET %2 WHERE rowid=?").arg(tabla_, sets.join(',')), valores);
        if (n == 0) throw ErrorBD(jet::RegistroEliminado, "El registro ha sido eliminado.");
        filas_[size_t(actual_)] = pendiente_;
    }
    modo_ = Modo::Ninguno;
}

void Dinamico::cancela() { modo_ = Modo::Ninguno; }

void Dinamico::elimina() {
    if (eof()) throw ErrorBD(3021, "No hay un registro activo.");
    base_.ejecuta(QString("DELETE FROM %1 WHERE rowid=?").arg(tabla_), {rowids_[size_t(actual_)]});
    rowids_.erase(rowids_.begin() + actual_);
    filas_.erase(filas_.begin() + actual_);
}

QString textoFechaBD(const QDate& fecha) { return fecha.isValid() ? fecha.toString("yyyy-MM-dd") : QString(); }

QDate fechaDeBD(const QVariant& valor) {
    if (valor.isNull()) return {};
    if (valor.typeId() == QMetaType::QDate) return valor.toDate();
    if (valor.typeId() == QMetaType::QDateTime) return valor.toDateTime().date();
    const QString t = valor.toString().trimmed();
    QDate d = QDate::fromString(t.left(10), "yyyy-MM-dd");
    if (!d.isValid()) d = QDate::fromString(t.left(10), "dd/MM/yyyy");
    return d;
}

}  // namespace qvr

namespace qvr {

struct Sentencia::Datos {
    QSqlQuery q;
};

Sentencia::Sentencia(BaseDatos& base, const QString& sql) : d_(new Datos{QSqlQuery(base.sql())}) {
    if (!base.abierta()) throw ErrorBD(jet::Reservado, "La base de datos está cerrada.");
    d_->q.setForwardOnly(true);
    if (!d_->q.prepare(sql)) throw errorDe(d_->q.lastError());
}

Sentencia::~Sentencia() = default;

int Sentencia::ejecuta(const QVariantList& parametros) {
    for (int i = 0; i < parametros.size(); ++i) d_->q.bindValue(i, parametros[i]);
    if (!d_->q.exec()) throw errorDe(d_->q.lastError());
    const int n = d_->q.numRowsAffected();
    d_->q.finish();
    return n;
}

}  // namespace qvr
