#pragma once
// The order number that the tax authority's bank gives a sent declaration, its two check digits,
// and registering it in the sent header.
#include <QString>
#include <functional>

#include "varnel/declaration/instantanea.h"

namespace qvr {

class BaseDatos;

// The first 17 characters of s, trimmed, followed by their modulus-11 check digit; "" for "".
QString DigitoModulo11(const QString& s);
// The two check digits of an order number: that of the control number, then that of control +
// order + the first digit.
QString DigitoVerificador(const QString& control, const QString& orden);

struct ResultadoOrden {
    bool grabado = false;
    bool focoVerifica = false;  // the focus goes to the check-digit field
    int errorBD = 0;
};

// GrabarForm of a sent declaration: checks the order number (8 characters) and its check digits
// against `control`, then writes norden and cNumero of the hCAB row of clave (with its correl).
// `compruebaVersion`, when given, runs in the write transaction before the row is changed and
// throws ErrorBD when the sending is no longer the one that was read; `trasEscribir` runs after.
ResultadoOrden GrabarOrden(BaseDatos& base, const ClaveDeclaracion& clave, const QString& control,
                           const QString& orden, const QString& verifica, const QString& titulo,
                           const std::function<void()>& compruebaVersion = {},
                           const std::function<void()>& trasEscribir = {});

}  // namespace qvr
