#include "common/formato.h"

#include <charconv>
#include <cmath>

namespace qvr {

namespace {

// A non-negative decimal value held as digit texts, so that rounding works on the written digits
// and not on the binary approximation.
struct Decimal {
    QString entero;    // no leading zeros; "" for 0
    QString fraccion;  // may have trailing zeros
};

Decimal aDecimal(double magnitud) {
    Decimal d;
    if (!std::isfinite(magnitud) || magnitud == 0) return d;
    // 15 significant digits, written out in fixed notation.
    // 15 significant digits; to_chars ignores the C locale, whose radix may be a comma.
    char buf[64];
    const auto fin = std::to_chars(buf, buf + sizeof buf, magnitud, std::chars_format::scientific, 14).ptr;
    const QString e = QString::fromLatin1(buf, fin - buf);
    const int pos = e.indexOf('e');
    const QString mantisa = QString(e.left(pos)).remove('.');  // 15 digits
    const int exponente = e.mid(pos + 1).toInt();
    if (exponente >= 0) {
        if (exponente + 1 >= mantisa.size())
            d.entero = mantisa + QString(exponente + 1 - mantisa.size(), '0');
        else {
            d.entero = mantisa.left(exponente + 1);
            d.fraccion = mantisa.mid(exponente + 1);
        }
    } else {
        d.fraccion = QString(-exponente - 1, '0') + mantisa;
    }
    while (d.entero.startsWith('0')) d.entero.remove(0, 1);
    return d;
}

// Adds one unit in the last place of a digit text; returns true when it carried out of it.
bool incrementa(QString& digitos) {
    for (int i = digitos.size() - 1; i >= 0; --i) {
        if (digitos[i] == '9') {
            digitos[i] = '0';
        } else {
            digitos[i] = QChar(digitos[i].unicode() + 1);
            return false;
        }
    }
    return true;
}

Decimal redondeaDecimal(Decimal d, int decimales, Redondeo modo) {
    if (d.fraccion.size() <= decimales) return d;
    const QString resto = d.fraccion.mid(decimales);
    d.fraccion.truncate(decimales);
    bool sube = resto[0] >= '5';
    if (modo == Redondeo::AlPar && resto[0] == '5' && resto.mid(1).count('0') == resto.size() - 1) {
        const QChar ultima = !d.fraccion.isEmpty() ? d.fraccion.back()
                             : !d.entero.isEmpty() ? d.entero.back()
                                                   : QChar('0');
        sube = (ultima.unicode() - '0') % 2 == 1;
    }
    if (sube && incrementa(d.fraccion)) {
        if (d.entero.isEmpty()) d.entero = "0";
        if (incrementa(d.entero)) d.entero.prepend('1');
    }
    while (d.entero.startsWith('0')) d.entero.remove(0, 1);
    return d;
}

bool esCero(const Decimal& d) { return d.entero.isEmpty() && d.fraccion.count('0') == d.fraccion.size(); }

bool esPlaceholder(QChar c) { return c == '#' || c == '0'; }

QString formatoSeccion(double magnitud, const QString& seccion, bool conMenos) {
    int primero = -1, ultimo = -1;
    for (int i = 0; i < seccion.size(); ++i)
        if (esPlaceholder(seccion[i])) {
            if (primero < 0) primero = i;
            ultimo = i;
        }
    if (primero < 0) return seccion;
    const QString prefijo = seccion.left(primero);
    const QString sufijo = seccion.mid(ultimo + 1);
    const QString nucleo = seccion.mid(primero, ultimo - primero + 1);
    const int punto = nucleo.indexOf('.');
    const QString pEntero = punto < 0 ? nucleo : nucleo.left(punto);
    const QString pFraccion = punto < 0 ? QString() : nucleo.mid(punto + 1);

    const bool agrupa = pEntero.contains(',');
    int minEntero = 0;
    const int cero = pEntero.indexOf('0');
    if (cero >= 0)
        for (int i = cero; i < pEntero.size(); ++i) minEntero += esPlaceholder(pEntero[i]);
    int decimales = 0, minFraccion = 0;
    for (int i = 0; i < pFraccion.size(); ++i)
        if (esPlaceholder(pFraccion[i])) {
            ++decimales;
            if (pFraccion[i] == '0') minFraccion = decimales;
        }

    const Decimal d = redondeaDecimal(aDecimal(magnitud), decimales, Redondeo::LejosDeCero);
    QString entero = d.entero;
    if (entero.size() < minEntero) entero = QString(minEntero - entero.size(), '0') + entero;
    if (agrupa)
        for (int i = entero.size() - 3; i > 0; i -= 3) entero.insert(i, ',');
    QString fraccion = d.fraccion;
    fraccion.resize(decimales, '0');
    while (fraccion.size() > minFraccion && fraccion.endsWith('0')) fraccion.chop(1);

    QString r = prefijo + entero;
    if (punto >= 0) r += "." + fraccion;
    r += sufijo;
    if (conMenos && !esCero(d)) r.prepend('-');
    return r;
}

}  // namespace

std::optional<double> numeroDeTexto(const QString& texto) {
    // Read on every box change of the ripple: parsed in place, without building strings.
    QStringView s = QStringView(texto).trimmed();
    bool negativo = false;
    if (s.size() >= 2 && s.front() == u'(' && s.back() == u')') {
        negativo = true;
        s = s.mid(1, s.size() - 2);
    } else if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negativo = s.front() == u'-';
        s = s.mid(1).trimmed();
    }
    char limpio[64];
    qsizetype largo = 0;
    bool punto = false, digito = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            digito = true;
        } else if (c == u',' && !punto && i > 0 && s[i - 1] >= u'0' && s[i - 1] <= u'9') {
            continue;
        } else if (c == u'.' && !punto) {
            punto = true;
        } else {
            return std::nullopt;
        }
        if (largo >= qsizetype(sizeof limpio) - 1) return std::nullopt;  // longer than any amount
        limpio[largo++] = char(c.unicode());
    }
    if (!digito) return std::nullopt;
    double v = 0;
    std::from_chars(limpio, limpio + largo, v);  // independent of the C locale
    return negativo ? -v : v;
}

bool esNumerico(const QString& texto) { return numeroDeTexto(texto).has_value(); }

double numeroInicial(const QString& texto) {
    QString s;
    for (QChar c : texto)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') s += c;
    int i = 0;
    bool negativo = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negativo = s[i++] == '-';
    QString limpio;
    bool punto = false;
    for (; i < s.size(); ++i) {
        if (s[i].isDigit() && s[i].unicode() < 128)
            limpio += s[i];
        else if (s[i] == '.' && !punto) {
            punto = true;
            limpio += '.';
        } else
            break;
    }
    const double v = limpio.toDouble();  // "" and "." give 0
    return negativo ? -v : v;
}

double redondea(double valor, Redondeo modo) {
    if (!std::isfinite(valor)) return 0;
    const Decimal d = redondeaDecimal(aDecimal(std::fabs(valor)), 0, modo);
    const double m = d.entero.isEmpty() ? 0.0 : d.entero.toDouble();
    return valor < 0 && m != 0 ? -m : m;
}

QString formatoNumero(double valor, const QString& patron) {
    if (!std::isfinite(valor)) valor = 0;
    if (patron.isEmpty()) return textoDecimal(valor);
    const int sep = patron.indexOf(';');
    if (sep >= 0) {
        if (valor < 0) return formatoSeccion(-valor, patron.mid(sep + 1), false);
        return formatoSeccion(valor, patron.left(sep), false);
    }
    return formatoSeccion(std::fabs(valor), patron, valor < 0);
}

QString formatoTexto(const QString& texto, const QString& patron) {
    const auto n = numeroDeTexto(texto);
    return n ? formatoNumero(*n, patron) : texto;
}

QString textoDecimal(double valor) {
    if (!std::isfinite(valor)) return "0";
    const Decimal d = aDecimal(std::fabs(valor));
    QString fraccion = d.fraccion;
    while (fraccion.endsWith('0')) fraccion.chop(1);
    if (d.entero.isEmpty() && fraccion.isEmpty()) return "0";
    QString r = d.entero.isEmpty() ? QString("0") : d.entero;
    if (!fraccion.isEmpty()) r += "." + fraccion;
    return valor < 0 ? "-" + r : r;
}

QString formatoMonto(double valor) {
    return valor >= 0 ? formatoNumero(valor, patron::Monto) : formatoNumero(-valor, patron::MontoNegativo);
}

QString formatoMonto(const QString& texto) {
    const auto n = numeroDeTexto(texto);
    return n ? formatoMonto(*n) : QString();
}

}  // namespace qvr
