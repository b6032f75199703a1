#pragma once
// The shared database's tables as the suite's programs use them: the host's tables (created by
// the host stand-in and by test fixtures) and the nine annex tables of form 0738 (created by the
// installer). The column order is part of the format: the record control number works on it.
#include <QString>
#include <QStringList>
#include <vector>

namespace qvr {

class BaseDatos;

struct TablaEsquema {
    QString nombre;
    QString crear;               // CREATE TABLE in the SQLite dialect, primary key included
    int columnasClave = 0;       // key columns entering the first sum of cNumero; 0 when it has none
    QStringList textoVacio = {};  // text columns that must accept zero-length values
};

// The host's tables: CAB, hCAB, DET, hDET, CONT, CLAVES, ERROR, PARAM, SPOOL, reportes, envio_t.
const std::vector<TablaEsquema>& tablasHost();
// The annex tables in the installer's order: F, HF and TMP_ of dividends, foreign investments, trusts.
const std::vector<TablaEsquema>& tablasAnexo();
// The annex working tables (TMP_…): the rows one open declaration is editing.
QStringList tablasTrabajoAnexo();
// A table of either list by name (case-insensitive); nullptr when unknown.
const TablaEsquema* tablaEsquema(const QString& nombre);

// Creates every host table that is missing.
void creaTablasHost(BaseDatos& base);
// Creates every annex table that is missing.
void creaTablasAnexo(BaseDatos& base);

// The declaration key of this form.
inline constexpr int kTipDocDeclarante = 6;
inline const QString kPeriodo = QStringLiteral("2003");
inline const QString kFormulario = QStringLiteral("0738");
inline constexpr int kSemana = 0;

// The name a write of one stored declaration reserves (BaseDatos::reserva): a second save or
// deletion of the same declaration, on any workstation, waits for it instead of mixing its rows in.
QString reservaDeclaracion(const QString& ruc, const QString& periodo, const QString& formulario, int semana);

}  // namespace qvr
