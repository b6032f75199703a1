#pragma once
// Lookups in the parameter catalogs of PARAM: rates and tax units by period, single entries, and
// the fixed-column layout of catalog '044' (document types).
#include <QString>
#include <optional>
#include <vector>

#include "common/schema.h"

namespace qvr {

class BaseDatos;

// Catalog numbers read by the suite.
namespace catalogo {
inline const QString TiposDocumento = QStringLiteral("044");
inline const QString Bancos = QStringLiteral("004");
inline const QString Uit = QStringLiteral("404");
inline const QString Profesiones = QStringLiteral("979");
inline const QString Tasas = QStringLiteral("998");
inline const QString TasaFecha = QStringLiteral("916");
inline const QString Cargos = QStringLiteral("913");
inline const QString Operaciones = QStringLiteral("919");
inline const QString BienesFideicomiso = QStringLiteral("926");
inline const QString EmpresasFideicomiso = QStringLiteral("927");
inline const QString Paises = QStringLiteral("976");
}  // namespace catalogo

// The funcion of a catalog '044' row (130 fixed columns). A position beyond the text reads as "".
class FuncionDocumento {
  public:
    // Positions of the context flags (59-89) that the declaration windows read.
    static constexpr int kContextoFormulario = 81;
    static constexpr int kContextoFideicomitente = 78;
    static constexpr int kContextoBeneficiario = 89;

    explicit FuncionDocumento(const QString& funcion) : f_(funcion) {}

    const QString& texto() const { return f_; }
    QString descripcion() const { return f_.mid(0, 30); }    // 1-30
    QString nombreCorto() const { return f_.mid(31, 11); }   // 32-42
    QString longitudTexto() const { return f_.mid(45, 2); }  // 46-47
    // The document length of 46-47 as its leading number ("8 " is 8, "  " and "xx" are 0).
    int longitud() const;
    QString orden() const { return f_.mid(55, 2); }  // 56-57
    // Context flag 59-89: "1" = the type is offered there.
    bool ofrecidoEn(int posicion) const { return caracter(posicion) == "1"; }
    QString tipoDato() const { return caracter(128); }
    QString reglaLongitud() const { return caracter(130); }
    // 128 other than "0": digits only; "0": letters and digits.
    bool soloDigitos() const { return tipoDato() != "0"; }
    // 130 other than "0": exactly the length of 46-47; "0": at most that length.
    bool longitudExacta() const { return reglaLongitud() != "0"; }

    // One character at a 1-based position, "" beyond the text.
    QString caracter(int posicion) const { return posicion < 1 ? QString() : f_.mid(posicion - 1, 1); }

  private:
    QString f_;
};

// Rate and tax-unit lookups for a tax year. The rows are read ordered by period and chosen by the
// selection rule of seleccionaPorPeriodo.
QString TasaPorCodigo(BaseDatos& base, const QString& codigo, const QString& catalogo,
                      const QString& anio = kPeriodo);
QString TasaIgv(BaseDatos& base, const QString& codigo, const QString& anio = kPeriodo);
QString TasaPorFecha(BaseDatos& base, const QString& catalogo, const QString& anio = kPeriodo);
QString UitDelAnio(BaseDatos& base, const QString& anio = kPeriodo);

// The rates a declaration reads from the catalogs, as numbers (0 when the catalogs lack one).
struct Tasas {
    double ValorUIT = 0;                 // U, the tax unit of the tax year: UitDelAnio (catalog '404')
    double TasaCasilla110 = 0;           // TasaPorCodigo("050802", "998"): the cap of box 110
    double TasaRetencionDividendos = 0;  // TasaPorFecha("916"): the dividend withholding
    // The other rates CargaTasas reads (TasaIgv); the computation's scale has rates of its own.
    double tasa020702 = 0, tasa020704 = 0, tasa020301 = 0, tasa020201 = 0, tasa020501 = 0;
};
// CargaTasas: TasaIgv of "020702", "020704", "020301", "020201", "020501" and the UIT, in that order.
void CargaTasas(BaseDatos& base, Tasas& t, const QString& anio = kPeriodo);
// A rate or tax unit as the lookups above return it, as a number; nullopt for "" (no row).
std::optional<double> valorDeTasa(const QString& texto);

// A period and its value, as the rate queries return them.
struct PeriodoValor {
    QString periodo;
    QString valor;
};
// The selection over rows ordered by period: the value of the last row whose period does not sort
// after the year, except that the walk stops at the first later period only once the first row
// itself was not later. Each value comes out as a number written as text ("00.041" -> "0.041",
// "3,100" -> "3100": thousands separators allowed, as in every conversion of a text to a number;
// a text that is no number gives its leading number). `vacio` when there are no rows.
QString seleccionaPorPeriodo(const std::vector<PeriodoValor>& filas, const QString& anio,
                             const QString& vacio);

// A number written as the platform writes it as text: "0.041", "3100", "-2.5".
QString numeroComoTexto(double valor);
// The leading number of a text, as the platform's value function reads it ("  12abc" -> 12, "x" -> 0).
double valorNumerico(const QString& texto);

// substr(funcion, inicio, longitud) of the row (catalogo, clave); "" when missing.
QString FuncionDe(BaseDatos& base, const QString& catalogo, const QString& clave, int longitud, int inicio);

// Catalog '044' by the trimmed type exactly as given ("6", never "06"). Kind 1: the description
// (1-30); any other kind: the short name (32-42). Trimmed; "" when the type is missing.
QString DescripcionDocumento(BaseDatos& base, const QString& tipo, int clase);
// The document length of the type (FuncionDocumento::longitud); 8 only when the type is missing.
int LongitudDocumento(BaseDatos& base, const QString& tipo);
// The whole funcion of a '044' row; empty optional when the type is missing.
std::optional<FuncionDocumento> TipoDocumento(BaseDatos& base, const QString& argumento);

// A bank of catalog '004' as the payment method offers it.
struct Banco {
    QString codigo;  // argumento, trimmed
    QString nombre;  // the first 36 columns of funcion, trimmed
};
// The banks of catalog '004' ordered by funcion, without the row "00" (no bank). Throws ErrorBD.
std::vector<Banco> BancosDePago(BaseDatos& base);

}  // namespace qvr
