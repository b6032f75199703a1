#pragma once
// ValidaTodo: the consistency rules of a declaration, in report mode ("0": every broken rule is a
// line of the inconsistency file, then the outcome is shown) and in save-check mode ("2": silent,
// stops at the first broken rule, leaves the file alone).
#include <QDate>
#include <QString>
#include <functional>
#include <vector>

#include "varnel/declaration/frm0738_ident.h"

namespace qvr {

class BaseDatos;
class Declaracion;

// One line of the inconsistency file and the box it is about (0 when it names no single box), so
// that the report window can take the user to that box.
struct Inconsistencia {
    QString texto;
    int casilla = 0;
};

inline const QString kArchivoInconsistencias = QStringLiteral("Mens.txt");
inline const QString kSinInconsistencias =
    QStringLiteral("La información de la declaración no presenta inconsistencias.");

struct ContextoValidacion {
    // Catalog '044' for the document-number check (ValidaDocumento) and, when `identificacion`
    // names none, the header table for the identification checks. May be null when
    // `validaDocumento` is given.
    BaseDatos* base = nullptr;
    // Overrides the document-number check (type code, number) → acceptable.
    std::function<bool(const QString& tipo, const QString& numero)> validaDocumento;
    QDate hoy = QDate::currentDate();
    // RutaSistema; the report mode writes RutaSistema + "Mens.txt". Empty: no file is written (the
    // lines are still returned).
    QString rutaSistema;
    // The report mode's identification checks: the window's own ValIdent, with the window's
    // context (the chosen CmbRuc entry of a new declaration, the status bar, the rates to read
    // again); its lines go to the inconsistency file.
    ContextoIdent identificacion;
    // Whether the foreign-investment and trust grids show rows. Without them the working tables
    // TMP_F0738EXTRA and TMP_F0738FIDEI of `base` are counted (no rows when there is no base).
    std::function<bool()> hayExtranjero;
    std::function<bool()> hayFideicomisos;
    // Report mode with inconsistencies: opens the inconsistency window modally (FrmConsist).
    std::function<void(const std::vector<Inconsistencia>&)> abreInconsistencias;
    // Report mode without inconsistencies: show the confirmation message (the batch tool does not).
    bool confirma = true;
};

struct ResultadoValidacion {
    bool consistente = true;
    std::vector<Inconsistencia> lineas;  // report mode: the file's lines, in order
    QString errorArchivo;                // the file could not be written (the lines are still here)
};

// Tipo "0" report mode, "2" save-check mode. Shows the two preliminary notices first (both modes)
// through the dialogs port with the window's caption as title.
ResultadoValidacion ValidaTodoDetalle(const Declaracion& d, const QString& Tipo, ContextoValidacion& c);
inline bool ValidaTodo(const Declaracion& d, const QString& Tipo, ContextoValidacion& c) {
    return ValidaTodoDetalle(d, Tipo, c).consistente;
}

// The inconsistency file's path: RutaSistema + "Mens.txt".
QString rutaInconsistencias(const QString& rutaSistema);

}  // namespace qvr
