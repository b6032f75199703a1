#pragma once
// Statements sent to the server straight through libpq, on the driver's own connection, in one
// exchange each: the statement with its values bound as parameters (PQexecParams), all its rows back
// at once. The driver itself prepares every statement with values, runs it and frees it again (three
// exchanges with the server) and hands rows over one by one; on a server that is the save's time.
//
// Values and rows come out as the driver gives them (the same kinds for the same column types), so
// the programs see no difference between the two paths.
#include <libpq-fe.h>

#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

namespace qvr::motor::pg {

struct Resultado {
    bool corrido = false;   // false: left to the driver (a value of a kind only it passes, a busy connection)
    QSqlError error;        // valid when the server refused the statement
    QStringList nombres;    // the result's columns
    std::vector<std::pair<unsigned, int>> origen;  // each column's table and column number (0 when none)
    std::vector<QVariantList> filas;
    int cambiadas = 0;      // rows changed by an action statement
};

// Runs `sql`, whose values are marked '?', with `parametros` bound to them in their order. A
// statement without values runs as it is written (it may then hold several statements).
Resultado corre(PGconn* conexion, const QString& sql, const QVariantList& parametros);

// The values of column `columna` of rows [desde, desde + n) as an array literal ({"a",NULL,"5"});
// false when one is of a kind only the driver passes.
bool arreglo(const std::vector<QVariantList>& filas, size_t desde, size_t n, int columna, QString& literal);

}  // namespace qvr::motor::pg
