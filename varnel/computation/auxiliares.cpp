// The computations the validation uses: the limit of box 122 and the amount-to-pay message.
#include <cmath>

#include "common/formato.h"
#include "varnel/computation/calculo.h"
#include "varnel/declaration/declaracion.h"

namespace qvr::calculo {

QString Calcular122(const Declaracion& d) {
    if (d.vacio(116) && d.vacio(120) && d.vacio(515) && d.vacio(115)) return QString();
    if (d.Vale(511) + d.Vale(115) + d.Vale(515) == 0) return QString();
    const double divisor = std::fabs(d.Vale(511)) + std::fabs(d.Vale(115)) + std::fabs(d.Vale(515));
    return formatoNumero(std::fabs(d.Vale(120)) * std::fabs(d.Vale(116)) / divisor, patron::Limite122);
}

QString SaldoaPagar(const QString& deuda, const QString& pago, const QString& mensaje) {
    const QString exceso = "El importe a pagar " + mensaje + " tiene un exceso\n";
    QString resultado;
    const auto d = numeroDeTexto(deuda);
    const auto p = numeroDeTexto(pago);
    if (d && p && (pago != "0" || *d >= 0)) {
        if (*d < *p) resultado = exceso;
        if (*p < *d) resultado = "ZORVA generará una orden de pago " + mensaje + "\n";
    }
    if (deuda.isEmpty() && p && *p > 0) resultado = exceso;
    return resultado;
}

}  // namespace qvr::calculo
