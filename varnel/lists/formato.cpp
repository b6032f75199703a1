#include "varnel/lists/formato.h"

#include <QDate>
#include <cmath>

#include "platform/database.h"

namespace qvr {

double listas::valorNumerico(const QString& texto) {
    QString t;
    for (QChar c : texto)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t += c;
    int i = 0;
    QString num;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) num += t[i++];
    bool digitos = false;
    while (i < t.size() && t[i].isDigit()) num += t[i++], digitos = true;
    if (i < t.size() && t[i] == '.') {
        num += t[i++];
        while (i < t.size() && t[i].isDigit()) num += t[i++], digitos = true;
    }
    if (!digitos) return 0;
    // An exponent counts only when digits follow it.
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        int j = i + 1;
        QString exp = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) exp += t[j++];
        const int inicio = j;
        while (j < t.size() && t[j].isDigit()) exp += t[j++];
        if (j > inicio) num += exp;
    }
    bool ok = false;
    const double v = num.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

QString formatoFecha(const QVariant& valor) {
    if (valor.isNull()) return {};
    const QDate d = fechaDeBD(valor);
    return d.isValid() ? d.toString("dd/MM/yyyy") : valor.toString();
}

namespace {
// A whole number rounded half away from zero, as the display formats round; false when it does
// not fit.
bool entero(const QVariant& valor, long long& n) {
    const double v = valor.typeId() == QMetaType::QString ? valorNumerico(valor.toString()) : valor.toDouble();
    const double r = std::round(v);
    if (!std::isfinite(r) || std::fabs(r) > 9.0e17) return false;
    n = static_cast<long long>(r);
    return true;
}
}  // namespace

QString formatoDiaMesAnio(const QVariant& valor) {
    if (valor.isNull()) return {};
    long long n = 0;
    if (!entero(valor, n)) return valor.toString();
    const bool negativo = n < 0;
    const QString s = QString::number(negativo ? -n : n).rightJustified(8, '0');
    const int dia = int(s.size()) - 6;
    return QString(negativo ? "-" : "") + s.left(dia) + "/" + s.mid(dia, 2) + "/" + s.right(4);
}

QString formatoMiles(const QVariant& valor) {
    if (valor.isNull()) return {};
    long long n = 0;
    if (!entero(valor, n)) return valor.toString();
    if (n == 0) return {};
    const bool negativo = n < 0;
    const QString s = QString::number(negativo ? -n : n);
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (i > 0 && (s.size() - i) % 3 == 0) out += ',';
        out += s[i];
    }
    return negativo ? "-" + out : out;
}

}  // namespace qvr
