#pragma once
// How the list grids show their values: the date and number formats set on their columns.
#include <QString>
#include <QVariant>

namespace qvr {

// A date column shown "dd/mm/yyyy"; a value that is not a date is shown as it is.
QString formatoFecha(const QVariant& valor);

// The day-month-year code of a tax unit ("01012003") shown through "0#/0#/####": the code read
// as a whole number, its last four digits the year, the two before the month, the rest the day.
QString formatoDiaMesAnio(const QVariant& valor);

// A value shown through "###,###" (a text read by its leading number): nothing at all for zero.
QString formatoMiles(const QVariant& valor);

}  // namespace qvr
