#include "platform/database.h"

#include <libpq-fe.h>

#include <QDate>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <atomic>

#include "platform/database_motor.h"
#include "platform/paths.h"

namespace qvr {

namespace {

std::atomic<int> contadorConexiones{0};

const QString kConexionPerdida = QStringLiteral(
    "Se perdió la conexión con el servidor de base de datos; este paso no se completó. Lo que está en la "
    "ventana se conserva: el siguiente paso vuelve a conectarse.");

// A statement without values runs as it is (the server prepares only reads and row changes); one
// with values is prepared and its values bound.
bool corre(QSqlQuery& q, const QString& sql, const QVariantList& parametros) {
    q.setForwardOnly(true);
    if (parametros.isEmpty()) return q.exec(sql);
    if (!q.prepare(sql)) return false;
    for (int i = 0; i < parametros.size(); ++i) q.bindValue(i, parametros[i]);
    return q.exec();
}

TipoColumna tipoDeValor(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return TipoColumna::Entero;
        case QMetaType::Double:
            return TipoColumna::Flotante;
        case QMetaType::QString:
            return TipoColumna::Texto;
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            return TipoColumna::Fecha;
        default:
            return TipoColumna::Otro;
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
    if (t.startsWith("CURRENCY") || t.startsWith("MONEY") || t.startsWith("DECIMAL") ||
        t.startsWith("NUMERIC"))
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

BaseDatos::BaseDatos() = default;

void BaseDatos::abreConexion(std::unique_ptr<motor::Motor> m, const QString& destino, const QString& visible,
                             int esperaMs) {
    motor_ = std::move(m);
    ruta_ = visible;
    nombre_ = QString("qvr-%1").arg(contadorConexiones.fetch_add(1));
    db_ = QSqlDatabase::addDatabase(motor_->driver(), nombre_);
    motor_->configura(db_, destino, esperaMs);
}

std::unique_ptr<BaseDatos> BaseDatos::abre(const QString& ruta, const Opciones& opciones) {
    const QString fs = rutaFs(ruta);
    if (ruta.trimmed().isEmpty() || !QFileInfo(fs).isFile())
        throw ErrorBD(jet::ArchivoNoEncontrado, QString("No se encuentra el archivo '%1'.").arg(ruta));
    std::unique_ptr<BaseDatos> b(new BaseDatos());
    b->abreConexion(motor::sqlite(), ruta, ruta, opciones.esperaMs);
    if (!b->db_.open()) {
        ErrorBD e = b->motor_->error(b->db_.lastError());
        throw ErrorBD(e.numero() == jet::RegistroBloqueado ? jet::BaseBloqueada : e.numero(),
                      e.descripcion());
    }
    // A first read tells a locked or foreign file apart before anything else is done.
    try {
        b->escalar("SELECT count(*) FROM sqlite_master");
        // A file this user may only read keeps the journal it has.
        if (QFileInfo(fs).isWritable() && b->escalar("PRAGMA journal_mode").toString().toLower() != "wal")
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
    b->motor_->alAbrir(*b);
    return b;
}

std::unique_ptr<BaseDatos> BaseDatos::crea(const QString& ruta) {
    std::unique_ptr<BaseDatos> b(new BaseDatos());
    b->abreConexion(motor::sqlite(), ruta, ruta, 5000);
    if (!b->db_.open()) throw b->motor_->error(b->db_.lastError());
    b->escalar("PRAGMA journal_mode=WAL");
    b->motor_->alAbrir(*b);
    return b;
}

namespace {
// Whether the login would be let in but for target_session_attrs: every server of the list that
// answers is a standby (the primary is down and no standby has been promoted yet).
bool soloServidoresDeReserva(const QString& conexion) {
    PGconn* c = PQconnectdb((conexion + " target_session_attrs=any").toUtf8().constData());
    const bool entra = PQstatus(c) == CONNECTION_OK;
    PQfinish(c);
    return entra;
}

// Why a server connection could not be made: not reachable at all, reachable but no server takes
// writes, or reachable but the login (or the database name) was refused.
ErrorBD errorDeConexion(const QString& conexion, const QString& visible, const QSqlError& e) {
    const QString detalle = (e.databaseText().isEmpty() ? e.text() : e.databaseText()).trimmed();
    const PGPing ping = PQping(conexion.toUtf8().constData());
    if (ping == PQPING_NO_RESPONSE || ping == PQPING_NO_ATTEMPT)
        return ErrorBD(jet::ConexionFallida,
                       QString("No se puede conectar con el servidor de base de datos (%1). Verifique que el "
                               "servidor esté encendido y que esta estación llegue a él por la red.\n%2")
                           .arg(visible, detalle));
    if (ping == PQPING_OK && soloServidoresDeReserva(conexion))
        return ErrorBD(
            jet::ConexionFallida,
            QString("Ningún servidor de base de datos de DBServer (%1) acepta escrituras: el "
                    "principal no responde y el de reserva aún no ha sido promovido. Intente de nuevo "
                    "cuando el servidor principal esté en servicio.\n%2")
                .arg(visible, detalle));
    if (detalle.contains("does not exist") && detalle.contains("database"))
        return ErrorBD(
            jet::ArchivoNoEncontrado,
            QString("No existe la base de datos indicada en DBServer (%1).\n%2").arg(visible, detalle));
    return ErrorBD(
        jet::CuentaNoValida,
        QString("El servidor de base de datos rechazó el ingreso (%1). Verifique el usuario, su clave "
                "(archivo .pgpass o de servicio) y su permiso sobre la base de datos.\n%2")
            .arg(visible, detalle));
}
}  // namespace

std::unique_ptr<BaseDatos> BaseDatos::abreServidor(const QString& conexion, const Opciones& opciones) {
    // The server driver is a recommended part of the installation, not a required one: without it
    // say what is missing instead of an unrelated login failure.
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw ErrorBD(jet::ConexionFallida,
                      QStringLiteral("Falta el controlador de PostgreSQL de Qt (QPSQL), que DBServer necesita. "
                                     "Instale el paquete libqt6sql6-psql o quite DBServer de NEMDAL.INI."));
    std::unique_ptr<BaseDatos> b(new BaseDatos());
    const QString visible = motor::conexionVisible(conexion);
    b->abreConexion(motor::postgres(), conexion, visible, opciones.esperaMs);
    if (!b->db_.open()) throw errorDeConexion(b->db_.connectOptions(), visible, b->db_.lastError());
    b->motor_->alAbrir(*b);
    return b;
}

std::unique_ptr<BaseDatos> BaseDatos::conecta(const QString& servidor, const QString& ruta,
                                              const Opciones& opciones) {
    if (!servidor.trimmed().isEmpty()) return abreServidor(servidor.trimmed(), opciones);
    return abre(ruta, opciones);
}

BaseDatos::~BaseDatos() { cierra(); }

bool BaseDatos::abierta() const { return db_.isValid() && db_.isOpen(); }

void BaseDatos::cierra() {
    if (nombre_.isEmpty()) return;
    if (motor_) motor_->libera();
    if (db_.isOpen()) db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(nombre_);
    nombre_.clear();
}

ErrorBD BaseDatos::errorDe(const QSqlError& e) {
    if (!db_.isOpen() || motor_->conexionPerdida(e, db_)) {
        perdida_ = true;
        return ErrorBD(jet::ErrorDisco, kConexionPerdida);
    }
    return motor_->error(e);
}

void BaseDatos::preparaPaso() {
    if (nombre_.isEmpty() || !db_.isValid()) throw ErrorBD(jet::Reservado, "La base de datos está cerrada.");
    // The driver closes by itself a connection that the server dropped.
    if (!db_.isOpen()) perdida_ = true;
    if (!perdida_) return;
    // Inside a transaction the work of the lost connection is gone: the transaction has to end first.
    if (transaccion_ > 0) throw ErrorBD(jet::ErrorDisco, kConexionPerdida);
    motor_->libera();
    db_.close();
    if (!db_.open()) throw errorDeConexion(db_.connectOptions(), ruta_, db_.lastError());
    perdida_ = false;
    motor_->alAbrir(*this);
    ++reconexiones_;
    std::vector<AvisoReconexion> vivos;
    for (const auto& a : avisos_)
        if (AvisoReconexion v = a.lock()) vivos.push_back(v);
    avisos_.assign(vivos.begin(), vivos.end());
    for (const AvisoReconexion& v : vivos) (*v)();
}

BaseDatos::AvisoReconexion BaseDatos::alReconectar(std::function<void()> aviso) {
    auto a = std::make_shared<std::function<void()>>(std::move(aviso));
    avisos_.push_back(a);
    return a;
}

Registros BaseDatos::consulta(const QString& sql, const QVariantList& parametros) {
    preparaPaso();
    const QString texto = motor_->traduce(sql);
    Registros r;
    if (motor::Directo d = motor_->directo(*this, texto, parametros); d.corrido) {
        if (d.error.isValid()) throw errorDe(d.error);
        r.columnas_ = std::move(d.columnas);
        r.filas_ = std::move(d.filas);
        completaTipos(r);
        return r;
    }
    QSqlQuery q(db_);
    if (!corre(q, texto, parametros)) {
        if (transaccion_ > 0) motor_->retiene(q);
        throw errorDe(q.lastError());
    }
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        Columna c;
        c.nombre = rec.fieldName(i);
        r.columnas_.push_back(c);
    }
    motor_->capturaTipos(q, r.columnas_);
    while (q.next()) {
        QVariantList fila;
        fila.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i) fila << q.value(i);
        r.filas_.push_back(std::move(fila));
    }
    if (q.lastError().isValid()) {
        if (transaccion_ > 0) motor_->retiene(q);
        throw errorDe(q.lastError());
    }
    q.finish();
    completaTipos(r);
    return r;
}

void BaseDatos::completaTipos(Registros& r) {
    motor_->completaTipos(*this, r.columnas_);
    // Expressions have no declared type: take the kind of the first non-null value.
    for (int i = 0; i < r.columnas(); ++i) {
        if (!r.columnas_[size_t(i)].declarado.isEmpty()) continue;
        for (const auto& f : r.filas_)
            if (!f[i].isNull()) {
                r.columnas_[size_t(i)].tipo = tipoDeValor(f[i]);
                break;
            }
    }
}

QVariant BaseDatos::escalar(const QString& sql, const QVariantList& parametros) {
    Registros r = consulta(sql, parametros);
    return r.vacio() || r.columnas() == 0 ? QVariant() : r.valor(0, 0);
}

int BaseDatos::ejecuta(const QString& sql, const QVariantList& parametros, Accion) {
    preparaPaso();
    const bool definicion = motor::Motor::esDefinicion(sql);
    if (definicion) motor_->preparaDefinicion(*this);
    const QString texto = motor_->traduce(sql);
    if (motor::Directo d = motor_->directo(*this, texto, parametros); d.corrido) {
        if (definicion) motor_->olvidaDefiniciones();
        if (d.error.isValid()) throw errorDe(d.error);
        return d.cambiadas;
    }
    QSqlQuery q(db_);
    const bool ok = corre(q, texto, parametros);
    if (definicion) motor_->olvidaDefiniciones();
    if (!ok) {
        if (transaccion_ > 0) motor_->retiene(q);
        throw errorDe(q.lastError());
    }
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

QStringList BaseDatos::tablas() {
    preparaPaso();
    return motor_->tablas(*this);
}

bool BaseDatos::existeTabla(const QString& nombre) {
    preparaPaso();
    return motor_->existeTabla(*this, nombre);
}

std::vector<Columna> BaseDatos::columnas(const QString& tabla) {
    preparaPaso();
    return motor_->columnas(*this, tabla);
}

void BaseDatos::exigeTransaccion(const char* que) const {
    if (transaccion_ == 0)
        throw ErrorBD(jet::Reservado,
                      QString("%1 sin una transacción de escritura.").arg(QString::fromUtf8(que)));
}

void BaseDatos::bloqueaTabla(const QString& tabla) {
    exigeTransaccion("Bloqueo de tabla");
    motor_->bloqueaTabla(*this, tabla);
}

void BaseDatos::tablasDeTrabajo(const QStringList& tablas) {
    preparaPaso();
    motor_->tablasDeTrabajo(*this, tablas);
}

QByteArray BaseDatos::marcaCambios() {
    preparaPaso();
    return motor_->marcaCambios(*this);
}

void BaseDatos::reserva(const QString& recurso) {
    exigeTransaccion("Reserva");
    motor_->reserva(*this, recurso);
}

TransaccionEscritura::TransaccionEscritura(BaseDatos& base, Durabilidad durabilidad)
    : base_(base), nivel_(base.transaccion_) {
    if (nivel_ == 0)
        base_.motor_->empiezaEscritura(base_, durabilidad);
    else
        base_.ejecuta(QString("SAVEPOINT qvr_%1").arg(nivel_));
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
        // The engine has already rolled back (a disk error, or a server connection that was lost).
    }
    if (nivel_ == 0) {
        base_.motor_->libera();
        base_.motor_->terminaEscritura(base_);
    }
}

void TransaccionEscritura::confirma() {
    if (terminada_) return;
    if (nivel_ == 0)
        base_.ejecuta("COMMIT");
    else
        base_.ejecuta(QString("RELEASE qvr_%1").arg(nivel_));
    terminada_ = true;
    --base_.transaccion_;
    if (nivel_ == 0) {
        base_.motor_->libera();
        base_.motor_->terminaEscritura(base_);
    }
}

Dinamico::Dinamico(BaseDatos& base, const QString& tabla, const QString& condicion,
                   const QVariantList& parametros, const QString& orden)
    : base_(base), tabla_(tabla) {
    columnas_ = base_.columnas(tabla);
    if (columnas_.empty())
        throw ErrorBD(jet::TablaNoExiste, QString("No se encuentra la tabla '%1'.").arg(tabla));
    const motor::Identidad id = base_.motor_->identidad(base_, tabla, columnas_);
    condicion_ = id.condicion;
    extra_ = int(id.extra.size());
    for (const auto& n : id.columnas)
        for (size_t i = 0; i < columnas_.size(); ++i)
            if (columnas_[i].nombre.compare(n, Qt::CaseInsensitive) == 0)
                columnasIdentidad_.push_back(int(i));
    QString sql =
        QString("SELECT %1* FROM %2").arg(id.extra.isEmpty() ? QString() : id.extra.join(", ") + ", ", tabla);
    if (!condicion.isEmpty()) sql += " WHERE " + condicion;
    if (!orden.isEmpty()) sql += " ORDER BY " + orden;
    Registros r = base_.consulta(sql, parametros);
    for (int i = 0; i < r.filas(); ++i) {
        QVariantList f = r.fila(i);
        const QVariantList extra = f.mid(0, extra_);
        f.remove(0, extra_);
        ids_.push_back(extra_ > 0 ? extra : identidadDe(f));
        filas_.push_back(f);
    }
}

QVariantList Dinamico::identidadDe(const QVariantList& fila) const {
    QVariantList out;
    for (int i : columnasIdentidad_) out << fila[i];
    return out;
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
    if (modo_ == Modo::Ninguno)
        throw ErrorBD(3020, "Actualizar o CancelarActualizar sin AgregarNuevo o Editar.");
    const int i = indice(nombre);
    pendiente_[i] = valor;
    fijados_[size_t(i)] = true;
}

void Dinamico::actualiza() {
    if (modo_ == Modo::Ninguno)
        throw ErrorBD(3020, "Actualizar o CancelarActualizar sin AgregarNuevo o Editar.");
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
        motor::Identidad id{QStringList(extra_, QString()), {}, condicion_};
        for (int i : columnasIdentidad_) id.columnas << columnas_[size_t(i)].nombre;
        ids_.push_back(base_.motor_->identidadNueva(base_, id, columnas_, pendiente_));
        filas_.push_back(pendiente_);
        actual_ = filas() - 1;
    } else if (!nombres.isEmpty()) {
        QStringList sets;
        for (const auto& n : nombres) sets << n + "=?";
        valores << ids_[size_t(actual_)];
        const int n = base_.ejecuta(
            QString("UPDATE %1 SET %2 WHERE %3").arg(tabla_, sets.join(','), condicion_), valores);
        if (n == 0) throw ErrorBD(jet::RegistroEliminado, "El registro ha sido eliminado.");
        filas_[size_t(actual_)] = pendiente_;
        if (extra_ == 0) ids_[size_t(actual_)] = identidadDe(pendiente_);
    }
    modo_ = Modo::Ninguno;
}

void Dinamico::cancela() { modo_ = Modo::Ninguno; }

void Dinamico::elimina() {
    if (eof()) throw ErrorBD(3021, "No hay un registro activo.");
    base_.ejecuta(QString("DELETE FROM %1 WHERE %2").arg(tabla_, condicion_), ids_[size_t(actual_)]);
    ids_.erase(ids_.begin() + actual_);
    filas_.erase(filas_.begin() + actual_);
}

QString textoFechaBD(const QDate& fecha) {
    return fecha.isValid() ? fecha.toString("yyyy-MM-dd") : QString();
}

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
    bool fallo = false;
};

Sentencia::Sentencia(BaseDatos& base, const QString& sql) : base_(base) {
    base_.preparaPaso();
    d_.reset(new Datos{QSqlQuery(base.sql())});
    d_->q.setForwardOnly(true);
    if (!d_->q.prepare(base_.motor_->traduce(sql))) throw base_.errorDe(d_->q.lastError());
}

Sentencia::~Sentencia() {
    if (d_ && d_->fallo && base_.transaccion_ > 0) base_.motor_->retiene(d_->q);
}

int Sentencia::ejecuta(const QVariantList& parametros) {
    for (int i = 0; i < parametros.size(); ++i) d_->q.bindValue(i, parametros[i]);
    if (base_.perdida_) throw ErrorBD(jet::ErrorDisco, kConexionPerdida);
    if (!d_->q.exec()) {
        d_->fallo = true;
        throw base_.errorDe(d_->q.lastError());
    }
    const int n = d_->q.numRowsAffected();
    d_->q.finish();
    return n;
}

LoteFilas::LoteFilas(BaseDatos& base, const QString& tabla, const QStringList& columnas)
    : base_(base), tabla_(tabla), columnas_(columnas) {
    if (columnas_.isEmpty())
        throw ErrorBD(jet::Reservado, QString("Escritura en lote sin columnas en la tabla %1.").arg(tabla));
}

void LoteFilas::agrega(QVariantList fila) {
    if (fila.size() != columnas_.size())
        throw ErrorBD(jet::Reservado, QString("Una fila para la tabla %1 trae %2 valores para %3 columnas.")
                                          .arg(tabla_)
                                          .arg(fila.size())
                                          .arg(columnas_.size()));
    filas_.push_back(std::move(fila));
}

int LoteFilas::envia() {
    base_.exigeTransaccion("Escritura en lote");
    if (filas_.empty()) return 0;
    base_.preparaPaso();
    std::vector<QVariantList> filas;
    filas.swap(filas_);
    const QSqlError e = base_.motor_->insertaFilas(base_, tabla_, columnas_, filas);
    if (e.isValid()) throw base_.errorDe(e);
    return int(filas.size());
}

}  // namespace qvr
