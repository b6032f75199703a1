#pragma once
// What differs between the engines the database session runs on: SQLite (one file, the embedded
// default) and PostgreSQL (a server shared by an office). One Motor per connection, chosen when the
// connection is opened; nothing above platform/database sees which one it is.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/database.h"

namespace qvr::motor {

// How the updatable set finds its rows again: the columns it selects beside the table's own, and
// the condition that names one row by their values.
struct Identidad {
    QStringList extra;     // selected before the table's columns ("rowid"); their values are the identity
    QStringList columnas;  // table columns whose values are the identity (when `extra` is empty)
    QString condicion;     // "rowid=?" / "a=? AND b=?"
};

// A statement the engine ran itself, in one exchange, instead of through the driver.
struct Directo {
    bool corrido = false;           // false: the engine left it to the driver
    QSqlError error;                // valid when the engine refused the statement
    std::vector<Columna> columnas;  // their names; completaTipos gives their kinds
    std::vector<QVariantList> filas;
    int cambiadas = 0;              // rows changed by an action statement
};

class Motor {
  public:
    virtual ~Motor() = default;

    virtual QString driver() const = 0;
    // Sets up the connection before it is opened.
    virtual void configura(QSqlDatabase& db, const QString& destino, int esperaMs) = 0;
    // Runs once after every successful open (also after a reconnection).
    virtual void alAbrir(BaseDatos& b) = 0;
    // The Jet error for an engine error, with a description the suite can show.
    virtual ErrorBD error(const QSqlError& e) const = 0;
    // Whether the last error left the connection unusable (a server that went away).
    virtual bool conexionPerdida(const QSqlError&, QSqlDatabase&) const { return false; }

    // Statement text as this engine reads it (table definitions in the suite's own type names).
    virtual QString traduce(const QString& sql) const { return sql; }
    // Runs before a statement that changes table definitions.
    virtual void preparaDefinicion(BaseDatos&) {}
    // Whether the statement changes table definitions (so cached definitions are dropped).
    static bool esDefinicion(const QString& sql);

    virtual QStringList tablas(BaseDatos& b) = 0;
    virtual bool existeTabla(BaseDatos& b, const QString& nombre) = 0;
    virtual std::vector<Columna> columnas(BaseDatos& b, const QString& tabla) = 0;

    // Runs the statement (engine text, '?' markers) with its values in one exchange when this engine
    // can; its types are then captured as capturaTipos does.
    virtual Directo directo(BaseDatos&, const QString&, const QVariantList&) { return {}; }

    // Column kinds of a result: `capturaTipos` runs right after the statement ran, before its rows
    // are read; `completaTipos` after every row was read and the statement is finished.
    virtual void capturaTipos(QSqlQuery& q, std::vector<Columna>& columnas) = 0;
    virtual void completaTipos(BaseDatos&, std::vector<Columna>&) {}
    virtual void olvidaDefiniciones() {}

    // The write transaction's outermost start and end.
    virtual void empiezaEscritura(BaseDatos& b, Durabilidad d) = 0;
    virtual void terminaEscritura(BaseDatos& b) = 0;
    // Makes other writers of `tabla` wait until the current transaction ends.
    virtual void bloqueaTabla(BaseDatos& b, const QString& tabla) = 0;
    // Makes every other transaction that reserves the same name wait until this one ends.
    virtual void reserva(BaseDatos& b, const QString& recurso) = 0;

    // Writes `filas` (a value for each of `columnas` in every one) into `tabla`, inside the write
    // transaction; the engine's error when it refused them, invalid when every row was written. A
    // refused statement is kept until the transaction ends (retiene).
    virtual QSqlError insertaFilas(BaseDatos& b, const QString& tabla, const QStringList& columnas,
                                   const std::vector<QVariantList>& filas) = 0;
    // "INSERT INTO tabla (columnas) VALUES (?, ...)" with `filas` rows of markers.
    static QString insercion(const QString& tabla, const QStringList& columnas, int filas);
    // The engine took the rows but stored fewer than it was given (a rule or trigger of the
    // office's own that drops rows): the batch must not pass as written.
    static QSqlError filasNoEscritas(const QString& tabla, qint64 escritas, qint64 dadas);

    // A mark that stays the same while this connection changes no row and no other connection
    // commits a change; empty when the engine cannot tell.
    virtual QByteArray marcaCambios(BaseDatos&) { return {}; }

    // Gives this connection its own copy of each table (kept across reconnections).
    virtual void tablasDeTrabajo(BaseDatos&, const QStringList&) {}

    // A statement that failed inside a transaction: the server refuses everything until the
    // transaction ends, freeing the statement too, so it is kept until then (else the driver
    // complains on the terminal and the statement stays on the server). Freed by libera().
    void retiene(const QSqlQuery& q) { retenidas_.push_back(q); }
    void libera() { retenidas_.clear(); }

    virtual Identidad identidad(BaseDatos& b, const QString& tabla, const std::vector<Columna>& columnas) = 0;
    // Identity of a row just added by the updatable set.
    virtual QVariantList identidadNueva(BaseDatos& b, const Identidad& id,
                                        const std::vector<Columna>& columnas, const QVariantList& fila) = 0;

  private:
    std::vector<QSqlQuery> retenidas_;
};

std::unique_ptr<Motor> sqlite();
std::unique_ptr<Motor> postgres();

// The connection string as shown to a user: no password.
QString conexionVisible(const QString& conexion);

}  // namespace qvr::motor
