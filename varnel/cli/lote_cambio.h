#pragma once
// Whether a box keeps what a batch line gives it. varnel-cli types every value through the box's own
// entry (key filter, maximum length, display format); a value the box would keep differently is
// refused, never stored changed.
//
// Taken as the same value, because the box shows it so or the difference carries no meaning:
//   - blanks around the value ("100= 5000");
//   - letters in another case where the box writes capitals ("811=pérez" is PÉREZ);
//   - in an amount box, thousands separators where the box's display puts them ("5,000", "180,000"),
//     and in a deduction box the parentheses of its display ("(1,234)");
//   - leading zeros of an amount ("05000" is 5,000).
// Anything else the box would drop or cut is a change: a sign, decimals (the amounts are whole
// soles), letters or other characters its key filter drops, digits or characters beyond its length,
// separators out of place ("5,00").
#include <QString>

#include "varnel/declaration/lote.h"

namespace qvr {

// Empty when box `casilla` keeps `valor` as typed into it (`tecleo`); else why not, in Spanish
// ("lleva signo; la casilla admite solo cifras").
QString motivoDeCambio(int casilla, const QString& valor, const TextoTecleado& tecleo);

// `valor` quoted for a message: at most 40 characters, control characters shown as U+XXXX.
QString citaValor(const QString& valor);

}  // namespace qvr
