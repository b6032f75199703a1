#pragma once
// The send-summary program's command line: fixed character positions, nothing else.
#include <QString>

namespace qvr {

struct LineaResumen {
    QString numero;      // positions 3–17, the taxpayer number as given (blanks included)
    QString formulario;  // 18–21
    QString periodo;     // 22–25
    QString periodo6;    // 22–27, only for the output file name
    QString semana;      // 28
    QString nc;          // 29–36, printed after "NC "

    // Form + positions 22–27 + week + NC value.
    QString nombreBase() const { return formulario + periodo6 + semana + nc; }
};

// Splits the whole command-line text; a short line gives short or empty fields.
LineaResumen separaLinea(const QString& linea);

}  // namespace qvr
