#pragma once
// How a box value is stored in column i_valor of DET.
#include <QString>
#include <optional>

namespace qvr {

// The stored value of box `casilla` (three characters) holding `valor` (as the save passes it:
// box texts trimmed); nullopt when no row is
// written (empty text, the empty mask of a date). Codes, document numbers, RUCs, dates and the
// second halves of names keep their text; every other value is written "###########0" (amounts
// without separators, parentheses as a minus sign, "06" as "6"; a text that is not a number keeps
// its text).
std::optional<QString> valorAlmacenado(const QString& casilla, const QString& valor);

}  // namespace qvr
