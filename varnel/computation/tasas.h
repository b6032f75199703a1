#pragma once
// The rates the computation uses, read once when the declaration window loads.
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace qvr {

class BaseDatos;

struct Tasas {
    double ValorUIT = 0;                 // U, the tax unit of the tax year (catalog '404')
    double TasaCasilla110 = 0;           // rate code "050802" of catalog '998'
    double TasaRetencionDividendos = 0;  // catalog '916'
};

// The value of a rate catalog in force for the tax year `anio`: of the rows, ordered by period,
// the last one whose period does not sort after the year, except that the first row is always
// taken. `rows` are (period, value text) pairs already filtered and ordered as the catalog query
// returns them. nullopt when there are no rows.
std::optional<double> seleccionaTasa(const std::vector<std::pair<QString, QString>>& filas,
                                     const QString& anio);

// Minimal reads of table PARAM for the UIT (catalog '404') and the box-110 rate (code "050802" of
// catalog '998'). nullopt when the catalog has no row for the year.
std::optional<double> leeUit(BaseDatos& base, const QString& anio);
std::optional<double> leeTasa110(BaseDatos& base, const QString& anio);

}  // namespace qvr
