#pragma once
// How the list grids show their values: the number and date formats set on their columns.
#include <QString>
#include <QVariant>

namespace qvr {

// The numeric value of the leading number in a text, as the old Val did: blanks anywhere are
// skipped, reading stops at the first character that cannot continue the number, and a text
// without a number is 0. (Kept apart from the catalogs' reading of a leading number, which
// differs on blanks inside the number.)
namespace listas {
double valorNumerico(const QString& texto);
}
using listas::valorNumerico;

// A date column shown "dd/mm/yyyy"; a value that is not a date is shown as it is.
QString formatoFecha(const QVariant& valor);

// The day-month-year code of a tax unit ("01012003") shown through "0#/0#/####": the code read
// as a number, its last four digits the year, the two before the month, the rest the day.
QString formatoDiaMesAnio(const QVariant& valor);

// A number shown through "###,###": rounded to a whole number, thousands grouped with ",",
// and nothing at all for zero.
QString formatoMiles(const QVariant& valor);

}  // namespace qvr
