#pragma once
// Helpers of the declaration save/open tests: loading an SQL fixture, reading the stored rows of a
// declaration, and a fully filled declaration.
#include <QString>
#include <map>
#include <ostream>

#include "platform/database.h"
#include "support/entorno.h"
#include "varnel/declaration/instantanea.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace qvr::prueba {

// Runs every statement of an SQL file of tests/fixtures (statements end with ";" at a line end).
void cargaSql(BaseDatos& base, const QString& archivo);

// The annex tables, the users, taxpayers and declarations of persist/declaraciones.sql, and the
// UIT and rate of 2003 that opening a declaration reads.
void preparaDeclaraciones(Entorno& env);

// The DET rows of a declaration: box → i_valor (and idcasilla when asked).
std::map<QString, QString> filasDet(BaseDatos& base, const QString& ruc,
                                    std::map<QString, QString>* idcasilla = nullptr);

// A declaration with every entered box, option, list and the payment filled.
Instantanea declaracionCompleta(const QString& ruc);

// `n` dividend rows in the working table.
void llenaDividendos(BaseDatos& base, int n);

}  // namespace qvr::prueba
