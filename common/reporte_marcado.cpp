#include "common/reporte_marcado.h"

#include <cmath>

#include "common/cp1252.h"

namespace qvr::reporte {

namespace {

bool esBlancoVal(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The value of a hexadecimal digit (either case); -1 for any other character.
int digitoHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QByteArrayView recorta(QByteArrayView t) {
    qsizetype a = 0, b = t.size();
    while (a < b && t[a] == ' ') ++a;
    while (b > a && t[b - 1] == ' ') --b;
    return t.sliced(a, b - a);
}

ErrorLinea desbordamiento() { return {error::Desbordamiento, QStringLiteral("Desbordamiento")}; }
ErrorLinea tiposNoCoinciden() { return {error::TiposNoCoinciden, QStringLiteral("No coinciden los tipos")}; }
ErrorLinea sinSeparador() {
    return {error::LlamadaInvalida, QStringLiteral("Llamada a procedimiento o argumento no válidos")};
}

// The closing tag of an opening tag: "<!font!>" -> "<!/font!>".
QByteArray cierreDe(QByteArrayView apertura) { return QByteArray("<!/") + apertura.sliced(2).toByteArray(); }

// Fields of a command, each up to the next "|".
class Campos {
  public:
    Campos(QByteArrayView linea, qsizetype pos) : linea_(linea), pos_(pos) {}

    std::optional<QByteArrayView> siguiente() {
        const qsizetype fin = linea_.indexOf('|', pos_);
        if (fin < 0) return std::nullopt;
        QByteArrayView campo = linea_.sliced(pos_, fin - pos_);
        pos_ = fin + 1;
        return campo;
    }

  private:
    QByteArrayView linea_;
    qsizetype pos_;
};

std::variant<std::int16_t, ErrorLinea> entero(Campos& c) {
    const auto campo = c.siguiente();
    if (!campo) return sinSeparador();
    const auto v = valorNumerico(*campo);
    if (!v) return desbordamiento();
    const auto e = aEntero16(*v);
    if (!e) return desbordamiento();
    return *e;
}

std::variant<bool, ErrorLinea> booleano(Campos& c) {
    const auto campo = c.siguiente();
    if (!campo) return sinSeparador();
    const QByteArrayView t = recorta(*campo);
    if (t.compare("True", Qt::CaseInsensitive) == 0) return true;
    if (t.compare("False", Qt::CaseInsensitive) == 0) return false;
    // A numeric text also converts: any number but zero is true.
    bool ok = false;
    const double v = t.toByteArray().toDouble(&ok);
    if (ok && std::isfinite(v)) return v != 0;
    return tiposNoCoinciden();
}

// The colour literal without its trailing "&": "&H00FFFFC0".
std::optional<std::int32_t> colorHex(QByteArrayView t) {
    if (t.size() < 3 || t.size() > 10 || t[0] != '&' || (t[1] != 'H' && t[1] != 'h')) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : t.sliced(2)) {
        const int d = digitoHex(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + std::uint32_t(d);
    }
    return std::int32_t(v);
}

Lectura leeEtiqueta(QByteArrayView linea, qsizetype pos, QByteArrayView palabra) {
    Registro r;
    if (palabra == "<!font!>")
        r.tipo = Tipo::Fuente;
    else if (palabra == "<!nHojas!>")
        r.tipo = Tipo::NumHojas;
    else if (palabra == "<!Color!>")
        r.tipo = Tipo::Color;
    else if (palabra == "<!Orientacion!>")
        r.tipo = Tipo::Orientacion;
    else
        return Registro{};

    // A closing tag missing from the line leaves the value empty.
    const qsizetype cierre = linea.indexOf(cierreDe(palabra), pos);
    QByteArrayView valor = cierre >= pos ? linea.sliced(pos, cierre - pos) : QByteArrayView();
    switch (r.tipo) {
        case Tipo::Fuente:
            r.texto = valor.toByteArray();
            break;
        case Tipo::NumHojas: {
            const auto v = valorNumerico(valor);
            const auto n = v ? aEntero16(*v) : std::nullopt;
            if (!n) return desbordamiento();
            r.numero = *n;
            break;
        }
        case Tipo::Color: {
            // The trailing "&" of the literal is not part of the value.
            if (!valor.isEmpty()) valor.chop(1);
            valor = recorta(valor);
            const auto c = colorHex(valor);
            if (!c) return tiposNoCoinciden();
            r.texto = valor.toByteArray();
            r.numero = *c;
            break;
        }
        default:
            r.texto = recorta(valor).toByteArray();
            break;
    }
    return r;
}

Lectura leeComando(QByteArrayView linea, qsizetype pos, Tipo tipo) {
    Registro r;
    r.tipo = tipo;
    Campos c(linea, pos);
    auto toma = [&](std::int16_t& destino) -> std::optional<ErrorLinea> {
        auto v = entero(c);
        if (auto* e = std::get_if<ErrorLinea>(&v)) return *e;
        destino = std::get<std::int16_t>(v);
        return std::nullopt;
    };
    if (tipo == Tipo::Cuadro) {
        for (std::int16_t* d : {&r.x, &r.y, &r.x2, &r.y2, &r.hoja})
            if (auto e = toma(*d)) return *e;
        return r;
    }
    if (auto e = toma(r.x)) return *e;
    if (auto e = toma(r.y)) return *e;
    const auto texto = c.siguiente();
    if (!texto) return sinSeparador();
    r.texto = texto->toByteArray();
    auto b = booleano(c);
    if (auto* e = std::get_if<ErrorLinea>(&b)) return *e;
    r.negrita = std::get<bool>(b);
    if (auto e = toma(r.tamano)) return *e;
    if (auto e = toma(r.hoja)) return *e;
    return r;
}

}  // namespace

QString Registro::textoUnicode() const { return deCp1252(texto); }

namespace {
// "&H" + hexadecimal or "&O" + octal digits (blanks among them skipped). Up to 4 digits are a 16-bit
// value and up to 8 a 32-bit one, both signed: "&HFFFF" is -1, "&H5A0" 1440. nullopt on overflow.
std::optional<double> valorBase(QByteArrayView t, qsizetype i, int base) {
    std::uint64_t v = 0;
    int digitos = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (esBlancoVal(c)) continue;
        const int d = digitoHex(c);
        if (d < 0 || d >= base) break;
        if (digitos == 0 && d == 0) continue;  // leading zeros do not count
        v = v * std::uint64_t(base) + std::uint64_t(d);
        ++digitos;
        if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    if (v <= 0xFFFF && digitos <= (base == 16 ? 4 : 6)) return double(std::int16_t(std::uint16_t(v)));
    return double(std::int32_t(std::uint32_t(v)));
}
}  // namespace

std::optional<double> valorNumerico(QByteArrayView t) {
    QByteArray n;
    qsizetype i = 0;
    auto salta = [&] {
        while (i < t.size() && esBlancoVal(t[i])) ++i;
    };
    salta();
    if (i + 1 < t.size() && t[i] == '&') {
        const char b = t[i + 1];
        if (b == 'H' || b == 'h') return valorBase(t, i + 2, 16);
        if (b == 'O' || b == 'o') return valorBase(t, i + 2, 8);
    }
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) n += t[i++];
    bool digitos = false, punto = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (esBlancoVal(c)) continue;
        if (c >= '0' && c <= '9') {
            n += c;
            digitos = true;
        } else if (c == '.' && !punto) {
            n += c;
            punto = true;
        } else {
            break;
        }
    }
    if (!digitos) return 0.0;
    // An exponent: E or D, an optional sign and at least one digit.
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        qsizetype j = i + 1;
        QByteArray e = "e";
        if (j < t.size() && (t[j] == '-' || t[j] == '+')) e += t[j++];
        bool hay = false;
        for (; j < t.size() && ((t[j] >= '0' && t[j] <= '9') || esBlancoVal(t[j])); ++j) {
            if (esBlancoVal(t[j])) continue;
            e += t[j];
            hay = true;
        }
        if (hay) n += e;
    }
    bool ok = false;
    const double v = n.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::int16_t> aEntero16(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const double r = std::nearbyint(v);  // the default rounding mode sends halves to even
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return std::int16_t(r);
}

Lectura leeLinea(QByteArrayView linea) {
    // The command word ends at the first "|", "!>" or "aHoja", whichever completes first.
    qsizetype fin = -1;
    QByteArrayView palabra;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const QByteArrayView hecho = linea.first(i + 1);
        if (hecho.endsWith('|')) {
            palabra = hecho.chopped(1);
        } else if (hecho.endsWith("!>")) {
            palabra = hecho;
        } else if (hecho.endsWith("aHoja")) {
            palabra = "pNuevaHoja";
        } else {
            continue;
        }
        fin = i + 1;
        break;
    }
    if (fin < 0) return Registro{};  // never completes: skipped
    palabra = recorta(palabra);

    if (palabra.startsWith("<!")) return leeEtiqueta(linea, fin, palabra);
    if (palabra == "pPos") return leeComando(linea, fin, Tipo::Pos);
    if (palabra == "pPosVerti") return leeComando(linea, fin, Tipo::PosVerti);
    if (palabra == "pCuadro") return leeComando(linea, fin, Tipo::Cuadro);
    if (palabra == "pNuevaHoja") {
        Registro r;
        r.tipo = Tipo::NuevaHoja;
        return r;
    }
    return Registro{};
}

}  // namespace qvr::reporte
