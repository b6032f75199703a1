#include "varnel/lists/formato.h"

#include <QDate>
#include <cmath>

#include "common/formato.h"
#include "platform/database.h"

namespace qvr {

QString formatoFecha(const QVariant& valor) {
    if (valor.isNull()) return {};
    const QDate d = fechaDeBD(valor);
    return d.isValid() ? d.toString("dd/MM/yyyy") : valor.toString();
}

namespace {
double numero(const QVariant& valor) {
    return valor.typeId() == QMetaType::QString ? numeroInicial(valor.toString()) : valor.toDouble();
}
}  // namespace

QString formatoDiaMesAnio(const QVariant& valor) {
    if (valor.isNull()) return {};
    const double r = redondea(numero(valor));
    if (std::fabs(r) > 9.0e17) return valor.toString();
    const long long n = static_cast<long long>(r);
    const QString s = QString::number(n < 0 ? -n : n).rightJustified(8, '0');
    const int dia = int(s.size()) - 6;
    return QString(n < 0 ? "-" : "") + s.left(dia) + "/" + s.mid(dia, 2) + "/" + s.right(4);
}

QString formatoMiles(const QVariant& valor) {
    if (valor.isNull()) return {};
    return formatoNumero(numero(valor), QStringLiteral("###,###"));
}

}  // namespace qvr
