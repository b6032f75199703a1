#pragma once
// The database session of the suite's programs: one connection per run, over an SQLite file or a
// PostgreSQL server (QtSql; what differs between the two lives in database_motor.h), used the way the
// programs used their DAO session: snapshot reads that are closed as soon as their rows are read, updatable
// sets with add-new / edit / update, action statements, table definitions with each column's kind, and a
// scoped write transaction.
//
// Every value goes in as a bound parameter. Engine errors come out as ErrorBD carrying the Jet
// error number the suite's messages are keyed on (3022 duplicate key, 3260 locked, 3051 file
// locked on open, 3010 table exists, ...).
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace qvr {

// Jet error numbers used by the suite.
namespace jet {
inline constexpr int RegistroEliminado = 3020;
inline constexpr int DiscoLleno = 3026;
inline constexpr int ClaveDuplicada = 3022;
inline constexpr int ArchivoNoEncontrado = 3024;
inline constexpr int SoloLectura = 3027;
inline constexpr int GrupoTrabajo = 3028;
inline constexpr int CuentaNoValida = 3029;
// A statement the server refused to the user's login (its rights, or its rows' security).
inline constexpr int SinPermiso = 3033;
inline constexpr int ConexionFallida = 3151;
inline constexpr int TablaExiste = 3010;
inline constexpr int ErrorDisco = 3043;
inline constexpr int BaseBloqueada = 3051;
inline constexpr int SinParametros = 3061;
inline constexpr int SintaxisConsulta = 3075;
inline constexpr int TablaNoExiste = 3078;
inline constexpr int RegistroCambiado = 3167;
inline constexpr int NoPuedeGrabar = 3186;
inline constexpr int DataCambio = 3197;
inline constexpr int RegistroBloqueado = 3260;
inline constexpr int ClavePrimariaExiste = 3283;
inline constexpr int CampoNulo = 3314;
inline constexpr int FormatoNoReconocido = 3343;
inline constexpr int RecursosAgotados = 3035;
inline constexpr int Reservado = 3000;
}  // namespace jet

class ErrorBD : public std::runtime_error {
  public:
    ErrorBD(int numero, const QString& descripcion);
    int numero() const { return numero_; }
    const QString& descripcion() const { return descripcion_; }

  private:
    int numero_;
    QString descripcion_;
};

enum class TipoColumna { Entero, Flotante, Moneda, Fecha, Texto, Otro };

// The kind of a column from its declared type (INTEGER, BYTE, TEXT(15), DATE, CURRENCY, ...).
TipoColumna tipoDeDeclarado(const QString& declarado);

struct Columna {
    QString nombre;
    TipoColumna tipo = TipoColumna::Otro;
    QString declarado;
};

// A snapshot: every row read at once; nothing stays open.
class Registros {
  public:
    int columnas() const { return int(columnas_.size()); }
    const Columna& columna(int c) const { return columnas_.at(size_t(c)); }
    const std::vector<Columna>& definicion() const { return columnas_; }
    // Index of a column by name, case-insensitively; -1 when absent.
    int indice(const QString& nombre) const;

    int filas() const { return int(filas_.size()); }
    bool vacio() const { return filas_.empty(); }
    const QVariantList& fila(int f) const { return filas_.at(size_t(f)); }
    QVariant valor(int f, int c) const;
    QVariant valor(int f, const QString& nombre) const;
    // The value as text: Null and a missing column give "".
    QString texto(int f, int c) const;
    QString texto(int f, const QString& nombre) const;

  private:
    friend class BaseDatos;
    std::vector<Columna> columnas_;
    std::vector<QVariantList> filas_;
};

// How an action statement treats errors: the Jet options 128 (fail on error) and 16
// (inconsistent updates). SQLite never applies a statement half-way, so both raise the error;
// with FallaEnError the caller means that the whole statement must be undone, which it is.
enum class Accion { Inconsistente, FallaEnError };

namespace motor {
class Motor;
}

class BaseDatos {
  public:
    struct Opciones {
        int esperaMs = 5000;  // how long a statement waits for another program's lock
        QString usuario;      // workgroup login; passed on, neither engine has a use for it
        QString clave;
    };

    // Opens an existing database file. Throws ErrorBD: 3024 missing file, 3051 locked by another
    // program, 3343 not a database.
    static std::unique_ptr<BaseDatos> abre(const QString& ruta, const Opciones& opciones);
    static std::unique_ptr<BaseDatos> abre(const QString& ruta) { return abre(ruta, Opciones{}); }
    // Creates (or opens) a database file; for the host stand-in, the installer's tests and fixtures.
    static std::unique_ptr<BaseDatos> crea(const QString& ruta);
    // Connects to a PostgreSQL database named by a libpq connection string ("service=qvr",
    // "host=srv dbname=qvr user=clerk1"); the password comes from ~/.pgpass, PGPASSFILE or the
    // service file, never from the string. Throws ErrorBD: 3151 server not reachable, 3029 login
    // refused (or a password in the string), 3024 no such database.
    static std::unique_ptr<BaseDatos> abreServidor(const QString& conexion, const Opciones& opciones);
    // The server database when `servidor` is given, else the file `ruta`.
    static std::unique_ptr<BaseDatos> conecta(const QString& servidor, const QString& ruta,
                                              const Opciones& opciones);

    ~BaseDatos();
    BaseDatos(const BaseDatos&) = delete;
    BaseDatos& operator=(const BaseDatos&) = delete;

    const QString& ruta() const { return ruta_; }
    bool abierta() const;
    void cierra();

    // Snapshot read.
    Registros consulta(const QString& sql, const QVariantList& parametros = {});
    // First column of the first row, or a null QVariant.
    QVariant escalar(const QString& sql, const QVariantList& parametros = {});
    // Action statement; returns the number of rows it changed.
    int ejecuta(const QString& sql, const QVariantList& parametros = {},
                Accion accion = Accion::FallaEnError);

    // Table definitions.
    QStringList tablas();
    bool existeTabla(const QString& nombre);
    // Columns of a table in their order; empty when the table does not exist.
    std::vector<Columna> columnas(const QString& tabla);

    QSqlDatabase& sql() { return db_; }
    int profundidadTransaccion() const { return transaccion_; }

    // Inside a write transaction: other writers of `tabla` wait until it ends (the embedded engine's
    // write transaction already holds the whole file).
    void bloqueaTabla(const QString& tabla);
    // Inside a write transaction: every other transaction that reserves the same name waits until
    // this one ends, whether or not the rows it is about exist yet.
    void reserva(const QString& recurso);
    // Tables whose rows belong to this connection alone (the working copies a window edits): on
    // the server each connection gets its own copy, empty, which hides the shared table for it;
    // the embedded file belongs to one workstation already. Missing tables are left out.
    void tablasDeTrabajo(const QStringList& tablas);

    // A mark of what this connection sees of the database: the same while it changed no row and no
    // other connection committed a change. Empty when the engine cannot tell (the server): then
    // only reading the rows again tells whether they changed.
    QByteArray marcaCambios();

    // Runs after a server connection that was lost has been opened again (always outside a write
    // transaction), before the step that needed it: whoever keeps rows in the connection's own
    // tables puts them back. Stays registered while the returned handle lives.
    using AvisoReconexion = std::shared_ptr<std::function<void()>>;
    [[nodiscard]] AvisoReconexion alReconectar(std::function<void()> aviso);
    // How many times this connection was opened again after it was lost.
    int reconexiones() const { return reconexiones_; }

  private:
    friend class TransaccionEscritura;
    friend class Dinamico;
    friend class Sentencia;
    friend class LoteFilas;
    BaseDatos();
    void abreConexion(std::unique_ptr<motor::Motor> m, const QString& destino, const QString& visible,
                      int esperaMs);
    // The engine error as an ErrorBD; marks the connection lost when the server went away.
    ErrorBD errorDe(const QSqlError& e);
    // The kinds of a result's columns, from their tables' definitions or else from their values.
    void completaTipos(Registros& r);
    // Before every step: a connection the server dropped is opened again, outside a transaction.
    void preparaPaso();
    void exigeTransaccion(const char* que) const;

    std::unique_ptr<motor::Motor> motor_;
    QSqlDatabase db_;
    QString nombre_;
    QString ruta_;
    int transaccion_ = 0;
    bool perdida_ = false;
    int reconexiones_ = 0;
    std::vector<std::weak_ptr<std::function<void()>>> avisos_;
};

// A write transaction, begun IMMEDIATE so that a writer waits for the lock up front instead of
// failing half-way. Committed by confirma(); rolled back when it goes out of scope unconfirmed.
// A transaction inside another becomes a savepoint of the outer one.
//
// Durabilidad::Diferida is for scratch tables that the next opening rebuilds anyway: the commit is
// as atomic, but does not wait for the disk, so a power cut may lose it, never corrupt it.
enum class Durabilidad { Completa, Diferida };

class TransaccionEscritura {
  public:
    explicit TransaccionEscritura(BaseDatos& base, Durabilidad durabilidad = Durabilidad::Completa);
    ~TransaccionEscritura();
    TransaccionEscritura(const TransaccionEscritura&) = delete;
    TransaccionEscritura& operator=(const TransaccionEscritura&) = delete;
    void confirma();

  private:
    BaseDatos& base_;
    int nivel_;
    bool terminada_ = false;
};

// An updatable set over one table (a dynaset): its rows are read at once, then edited and
// written back one by one by their identity (the embedded engine's row id, the server's primary key).
class Dinamico {
  public:
    Dinamico(BaseDatos& base, const QString& tabla, const QString& condicion = {},
             const QVariantList& parametros = {}, const QString& orden = {});

    const std::vector<Columna>& columnas() const { return columnas_; }
    int filas() const { return int(filas_.size()); }
    bool eof() const { return actual_ >= filas(); }
    void primero() { actual_ = 0; }
    void siguiente() { ++actual_; }
    QVariant campo(const QString& nombre) const;

    void agregaNuevo();
    void edita();
    void fija(const QString& nombre, const QVariant& valor);
    // Writes the pending add-new or edit.
    void actualiza();
    void cancela();
    void elimina();

  private:
    int indice(const QString& nombre) const;
    BaseDatos& base_;
    QString tabla_;
    std::vector<Columna> columnas_;
    QString condicion_;                   // names one row by its identity values
    int extra_ = 0;                       // identity columns selected before the table's own
    std::vector<int> columnasIdentidad_;  // else: the table columns that make the identity
    std::vector<QVariantList> ids_;
    std::vector<QVariantList> filas_;
    int actual_ = 0;
    enum class Modo { Ninguno, Nuevo, Edicion } modo_ = Modo::Ninguno;
    QVariantList pendiente_;
    std::vector<bool> fijados_;
    QVariantList identidadDe(const QVariantList& fila) const;
};

// Dates are stored as ISO text ("yyyy-mm-dd", with " hh:mm:ss" where a time is kept).
QString textoFechaBD(const QDate& fecha);
QDate fechaDeBD(const QVariant& valor);

}  // namespace qvr

namespace qvr {

// One statement prepared once and run many times (a row per run), for writes of many rows inside a
// TransaccionEscritura.
class Sentencia {
  public:
    Sentencia(BaseDatos& base, const QString& sql);
    ~Sentencia();
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;
    // Runs the statement with these values; returns the number of rows it changed. Throws ErrorBD.
    int ejecuta(const QVariantList& parametros);

  private:
    struct Datos;
    BaseDatos& base_;
    std::unique_ptr<Datos> d_;
};

// Many rows for one table, written together inside a TransaccionEscritura: the server gets them
// in one prepared statement (a multi-row INSERT, every value bound), the embedded file by one
// prepared statement run for each row. Either way the rows stored are those that inserting the
// same values one by one stores. When the engine refuses a row envia() throws ErrorBD; the
// transaction is then to be rolled back (of the rows sent, some may be written until it is).
class LoteFilas {
  public:
    LoteFilas(BaseDatos& base, const QString& tabla, const QStringList& columnas);
    // One row: a value for each of `columnas`, in their order.
    void agrega(QVariantList fila);
    int pendientes() const { return int(filas_.size()); }
    // Writes the rows added since the last call; returns how many. Throws ErrorBD.
    int envia();

  private:
    BaseDatos& base_;
    QString tabla_;
    QStringList columnas_;
    std::vector<QVariantList> filas_;
};

}  // namespace qvr
