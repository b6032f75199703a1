#include "common/catalogos.h"

#include "common/formato.h"
#include "platform/database.h"

namespace qvr {

namespace {

std::vector<PeriodoValor> leePeriodos(BaseDatos& base, const QString& sql, const QVariantList& parametros) {
    Registros r = base.consulta(sql, parametros);
    std::vector<PeriodoValor> filas;
    filas.reserve(size_t(r.filas()));
    for (int f = 0; f < r.filas(); ++f) filas.push_back({r.texto(f, 0), r.texto(f, 1)});
    return filas;
}

}  // namespace

double valorNumerico(const QString& texto) {
    const QString t = texto.trimmed();
    int i = 0;
    QString n;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) n += t[i++];
    bool digitos = false;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) n += t[i++], digitos = true;
    if (i < t.size() && t[i] == '.') {
        n += t[i++];
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) n += t[i++], digitos = true;
    }
    if (!digitos) return 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        QString e = "e";
        int j = i + 1;
        if (j < t.size() && (t[j] == '-' || t[j] == '+')) e += t[j++];
        bool hay = false;
        while (j < t.size() && t[j].isDigit() && t[j].unicode() < 128) e += t[j++], hay = true;
        if (hay) n += e;
    }
    bool ok = false;
    const double v = n.toDouble(&ok);
    return ok ? v : 0;
}

QString numeroComoTexto(double valor) {
    if (valor == 0) return "0";
    return QString::number(valor, 'g', 15).toUpper();
}

namespace {
// The catalog's value text as a number: "3,100" is 3100, not the 3 of its leading number.
QString valorComoTexto(const QString& valor) {
    const auto n = numeroDeTexto(valor);
    return numeroComoTexto(n ? *n : valorNumerico(valor));
}
}  // namespace

QString seleccionaPorPeriodo(const std::vector<PeriodoValor>& filas, const QString& anio,
                             const QString& vacio) {
    if (filas.empty()) return vacio;
    const QString& p0 = filas.front().periodo;
    QString v = valorComoTexto(filas.front().valor);
    for (size_t i = 1; i < filas.size(); ++i) {
        // The walk stops at a period after the year only when the first period was not after it.
        if (anio < filas[i].periodo && p0 <= anio) return v;
        v = valorComoTexto(filas[i].valor);
    }
    return v;
}

QString TasaPorCodigo(BaseDatos& base, const QString& codigo, const QString& catalogo, const QString& anio) {
    const auto filas =
        leePeriodos(base,
                    "SELECT substr(argumento, 8, 6) AS per, substr(funcion, 2, 6) AS igv FROM PARAM "
                    "WHERE numero = ? AND substr(argumento, 8, 6) <= ? AND substr(argumento, 1, 6) = ? "
                    "ORDER BY substr(argumento, 8, 6), argumento",
                    {catalogo, anio, codigo});
    return seleccionaPorPeriodo(filas, anio, "");
}

QString TasaIgv(BaseDatos& base, const QString& codigo, const QString& anio) {
    return TasaPorCodigo(base, codigo, catalogo::Tasas, anio);
}

QString TasaPorFecha(BaseDatos& base, const QString& catalogo, const QString& anio) {
    const auto filas =
        leePeriodos(base,
                    "SELECT substr(argumento, 1, 8) AS per, substr(funcion, 2, 6) AS igv FROM PARAM "
                    "WHERE numero = ? AND substr(argumento, 1, 4) <= ? "
                    "ORDER BY substr(argumento, 1, 8), argumento",
                    {catalogo, anio});
    return seleccionaPorPeriodo(filas, anio, "0");
}

QString UitDelAnio(BaseDatos& base, const QString& anio) {
    const auto filas = leePeriodos(base,
                                   "SELECT substr(argumento, 1, 4) AS per, trim(funcion) AS uit FROM PARAM "
                                   "WHERE numero = ? AND substr(argumento, 1, 4) <= ? "
                                   "ORDER BY substr(argumento, 1, 4), argumento",
                                   {catalogo::Uit, anio});
    return seleccionaPorPeriodo(filas, anio, "");
}

std::optional<double> valorDeTasa(const QString& texto) {
    if (texto.trimmed().isEmpty()) return std::nullopt;
    return valorNumerico(texto);
}

void CargaTasas(BaseDatos& base, Tasas& t, const QString& anio) {
    t.tasa020702 = valorDeTasa(TasaIgv(base, "020702", anio)).value_or(0);
    t.tasa020704 = valorDeTasa(TasaIgv(base, "020704", anio)).value_or(0);
    t.tasa020301 = valorDeTasa(TasaIgv(base, "020301", anio)).value_or(0);
    t.tasa020201 = valorDeTasa(TasaIgv(base, "020201", anio)).value_or(0);
    t.tasa020501 = valorDeTasa(TasaIgv(base, "020501", anio)).value_or(0);
    t.ValorUIT = valorDeTasa(UitDelAnio(base, anio)).value_or(0);
}

QString FuncionDe(BaseDatos& base, const QString& catalogo, const QString& clave, int longitud, int inicio) {
    if (inicio < 1 || longitud < 0) return {};
    Registros r = base.consulta(
        "SELECT argumento, substr(funcion, ?, ?) AS func FROM PARAM "
        "WHERE numero = ? AND argumento = ?",
        {inicio, longitud, catalogo, clave});
    return r.vacio() ? QString() : r.texto(0, 1);
}

std::optional<FuncionDocumento> TipoDocumento(BaseDatos& base, const QString& argumento) {
    Registros r = base.consulta("SELECT funcion FROM PARAM WHERE numero = ? AND argumento = ?",
                                {catalogo::TiposDocumento, argumento});
    if (r.vacio()) return std::nullopt;
    return FuncionDocumento(r.texto(0, 0));
}

std::vector<Banco> BancosDePago(BaseDatos& base) {
    Registros r = base.consulta(
        "SELECT argumento, funcion FROM PARAM WHERE numero = ? AND trim(argumento) <> ? ORDER BY funcion",
        {catalogo::Bancos, QStringLiteral("00")});
    std::vector<Banco> bancos;
    bancos.reserve(size_t(r.filas()));
    for (int f = 0; f < r.filas(); ++f)
        bancos.push_back({r.texto(f, "argumento").trimmed(), r.texto(f, "funcion").left(36).trimmed()});
    return bancos;
}

int FuncionDocumento::longitud() const { return int(valorNumerico(longitudTexto())); }

QString DescripcionDocumento(BaseDatos& base, const QString& tipo, int clase) {
    const auto f = TipoDocumento(base, tipo.trimmed());
    if (!f) return {};
    return (clase == 1 ? f->descripcion() : f->nombreCorto()).trimmed();
}

int LongitudDocumento(BaseDatos& base, const QString& tipo) {
    const auto f = TipoDocumento(base, tipo.trimmed());
    return f ? f->longitud() : 8;
}

}  // namespace qvr
