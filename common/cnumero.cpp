#include "common/cnumero.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

#include "common/cp1252.h"
#include "common/schema.h"

namespace qvr {

namespace {

// A number as Str() writes it, without the blank of a positive number: "0.5" → ".5".
QString textoNumero(double d) {
    if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(static_cast<qlonglong>(d));
    QString t = QString::number(d, 'g', 15);
    if (t.startsWith("0.")) t.remove(0, 1);
    if (t.startsWith("-0.")) t.remove(1, 1);
    return t;
}

// Whether the text reads as a number (blanks around, an optional sign, digits and one point).
bool esNumero(const QString& t, double* valor) {
    const QString s = t.trimmed();
    if (s.isEmpty()) return false;
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return false;
    for (QChar c : s)
        if (!(c.isDigit() || c == '.' || c == '-' || c == '+')) return false;
    *valor = d;
    return true;
}

// Format "00000000000000000000" of the sum, then kept to 15 characters.
QString quince(double suma) {
    const double r = std::round(suma);
    QString t;
    if (std::fabs(r) < 9.2e18) {
        const qlonglong n = static_cast<qlonglong>(r);
        t = QString::number(n < 0 ? -n : n).rightJustified(20, '0');
        if (n < 0) t.prepend('-');
    } else {
        t = QString::number(r, 'f', 0);
    }
    if (t.size() < 15) return t.rightJustified(15, '0');
    return t.right(15);
}

}  // namespace

QString textoCNumero(const QVariant& valor, TipoColumna tipo) {
    if (valor.isNull() || !valor.isValid()) return QString();
    switch (tipo) {
        case TipoColumna::Entero:
        case TipoColumna::Flotante:
        case TipoColumna::Moneda: {
            bool ok = false;
            const double d = valor.toDouble(&ok);
            if (ok) return textoNumero(d);
            return valor.toString().trimmed();
        }
        case TipoColumna::Fecha: {
            const QDate d = fechaDeBD(valor);
            return d.isValid() ? d.toString("yyyyMMdd") : QString();
        }
        case TipoColumna::Texto: return valor.toString().trimmed();
        case TipoColumna::Otro: break;
    }
    switch (valor.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Double: return textoNumero(valor.toDouble());
        case QMetaType::QDate:
        case QMetaType::QDateTime: return fechaDeBD(valor).toString("yyyyMMdd");
        case QMetaType::QString: return valor.toString().trimmed();
        default: return QString();
    }
}

QString cNumero(const QVariantList& valores, const std::vector<Columna>& columnas, int clave) {
    const int k = int(std::min<size_t>(columnas.size(), size_t(valores.size())));
    double s1 = 0;
    for (int i = 0; i < clave && i < k; ++i) {
        double v = 0;
        if (esNumero(textoCNumero(valores[i], columnas[size_t(i)].tipo), &v)) s1 += v;
    }
    double s2 = 0;
    for (int i = clave; i < k - 1; ++i) {
        const QString t = textoCNumero(valores[i], columnas[size_t(i)].tipo);
        for (int p = 0; p < t.size(); ++p) s2 += double(p + 1) * codigoAnsi(t[p]);
    }
    return quince(s1).right(3) + quince(s2).right(3);
}

void recalculaCNumero(BaseDatos& base, const QString& tabla, const QString& condicion,
                      const QVariantList& parametros) {
    const TablaEsquema* esquema = tablaEsquema(tabla);
    const Registros r = base.consulta(QString("SELECT * FROM %1 WHERE %2").arg(tabla, condicion), parametros);
    if (r.vacio()) return;
    const QString c = cNumero(r.fila(0), r.definicion(), esquema ? esquema->columnasClave : 0);
    base.ejecuta(QString("UPDATE %1 SET cNumero=? WHERE %2").arg(tabla, condicion),
                 QVariantList{c} + parametros);
}

}  // namespace qvr
