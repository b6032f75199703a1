#include "varnel/computation/tasas.h"

#include "common/formato.h"
#include "platform/database.h"

namespace qvr {

namespace {
double valorDeCatalogo(const QString& texto) {
    const auto n = numeroDeTexto(texto);
    return n ? *n : numeroInicial(texto);
}

std::optional<double> selecciona(const Registros& r, const QString& anio) {
    std::vector<std::pair<QString, QString>> filas;
    for (int f = 0; f < r.filas(); ++f) filas.emplace_back(r.texto(f, 0), r.texto(f, 1));
    return seleccionaTasa(filas, anio);
}
}  // namespace

std::optional<double> seleccionaTasa(const std::vector<std::pair<QString, QString>>& filas,
                                     const QString& anio) {
    if (filas.empty()) return std::nullopt;
    const QString p0 = filas.front().first;
    double v = valorDeCatalogo(filas.front().second);
    for (size_t i = 1; i < filas.size(); ++i) {
        if (anio < filas[i].first && p0 <= anio) return v;
        v = valorDeCatalogo(filas[i].second);
    }
    return v;
}

// Kept to one small function per rate so that the shared catalog lookups can replace them.
std::optional<double> leeUit(BaseDatos& base, const QString& anio) {
    return selecciona(base.consulta("SELECT substr(argumento,1,4) AS PER, trim(funcion) AS UIT FROM PARAM "
                                    "WHERE numero='404' AND substr(argumento,1,4) <= ? "
                                    "ORDER BY substr(argumento,1,4)",
                                    {anio}),
                      anio);
}

std::optional<double> leeTasa110(BaseDatos& base, const QString& anio) {
    return selecciona(
        base.consulta("SELECT substr(argumento,8,6) AS PER, substr(funcion,2,6) AS IGV FROM PARAM "
                      "WHERE numero='998' AND substr(argumento,8,6) <= ? "
                      "AND substr(argumento,1,6) = '050802' ORDER BY substr(argumento,8,6)",
                      {anio}),
        anio);
}

}  // namespace qvr
