#pragma once
// Number and text formatting of the suite, in one place: reading a text as a number the way the
// forms do ("numeric" texts, the leading number of a text), rounding, and the format patterns the
// boxes, reports and stored rows use.
//
// Patterns: digit placeholders '#' (a digit when needed) and '0' (a digit always), ',' between
// placeholders for thousands grouping, an optional '.' followed by decimal placeholders, literal
// characters before and after the placeholders ("(###,##0)"), and an optional second section after
// ';' for negative values, which is given the magnitude ("###,##0;(###,##0)"). With one section a
// negative value is written with a leading '-'. The minimum number of integer digits is counted
// from the first '0' placeholder: "##0" writes 0 as "0", "0#" writes 6 as "06", and "##########"
// writes 0 as empty text.
#include <QString>
#include <optional>

namespace qvr {

namespace patron {
inline const QString Monto = QStringLiteral("###,###,###,##0");            // box display
inline const QString MontoNegativo = QStringLiteral("(###,###,###,##0)");  // magnitude of a negative
inline const QString MontoCorto = QStringLiteral("#,###,###,##0");         // entered amounts on leaving
inline const QString MontoParentesis = QStringLiteral("(#,###,###,##0)");  // deductions on leaving
inline const QString MontoConSigno = QStringLiteral("###,###,###,##0;(###,###,###,##0)");
inline const QString Entero = QStringLiteral("###########0");          // stored i_valor
inline const QString EnteroLargo = QStringLiteral("##############0");  // the reading rule
inline const QString Digitos = QStringLiteral("##########");           // editing form, 0 is empty
inline const QString Detalle = QStringLiteral("#########0");           // detail windows, editing
inline const QString Limite122 = QStringLiteral("############");
inline const QString Codigo = QStringLiteral("0#");
inline const QString DosCifras = QStringLiteral("00");
}  // namespace patron

enum class Redondeo {
    LejosDeCero,  // 2.5 → 3, -2.5 → -3: what the format patterns do
    AlPar,        // 2.5 → 2, 3.5 → 4: what a conversion to a whole-number type does
};

// A "numeric" text: blanks around it, an optional sign, or the number in parentheses (negative),
// digits with thousands separators ',' in the integer part (each after a digit), at most one
// decimal point. No exponent, no currency sign. nullopt when the text is not numeric (also empty).
std::optional<double> numeroDeTexto(const QString& texto);
bool esNumerico(const QString& texto);

// The leading number of a text: blanks are skipped, then an optional sign, digits and one decimal
// point are read up to the first other character ("12abc" → 12, "1,234" → 1, "(5)" → 0, "" → 0).
double numeroInicial(const QString& texto);

// Rounds to a whole number. The value is first taken to 15 significant digits, so that a product
// such as 0.15 × 12345 that lands a hair below .5 rounds as its decimal value does.
double redondea(double valor, Redondeo modo = Redondeo::LejosDeCero);

// A number written with a pattern (see above); halves are rounded away from zero.
QString formatoNumero(double valor, const QString& patron);

// A text written with a pattern: a numeric text is formatted as its number; any other text
// (a name, "C", empty text) comes back unchanged.
QString formatoTexto(const QString& texto, const QString& patron);

// A number as plain decimal text, full precision (15 significant digits), no separators, no
// exponent, no leading blank: 1851.75 → "1851.75", -20000 → "-20000", 0.5 → "0.5".
QString textoDecimal(double valor);

// The display form of an amount: ≥ 0 as "###,###,###,##0", negative as its magnitude in
// "(###,###,###,##0)"; empty text when the text is not numeric.
QString formatoMonto(const QString& texto);
QString formatoMonto(double valor);

}  // namespace qvr
