#include "varnel/common/ui/colores.h"

#include <cmath>

namespace qvr {

namespace {

double luminancia(const QColor& c) {
    const auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
}

QColor mezcla(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

}  // namespace

double contraste(const QColor& a, const QColor& b) {
    const double la = luminancia(a), lb = luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor fondoLegible(const QColor& deseado, const QColor& texto, const QColor& base) {
    if (contraste(deseado, texto) >= kContrasteMinimo) return deseado;
    // The least blend that reads, in steps of 5 %; the base itself when nothing less does.
    for (int i = 1; i <= 20; ++i) {
        const QColor c = mezcla(deseado, base, i / 20.0);
        if (contraste(c, texto) >= kContrasteMinimo) return c;
    }
    return base;
}

QColor fondoEntrada(const QPalette& p) { return p.color(QPalette::Active, QPalette::Base); }

QColor fondoBotonCara(const QPalette& p) {
    return fondoLegible(p.color(QPalette::Active, QPalette::Button),
                        p.color(QPalette::Active, QPalette::Text), p.color(QPalette::Active, QPalette::Base));
}

QColor fondoGrisClaro(const QPalette& p) {
    return fondoLegible(QColor(192, 192, 192), p.color(QPalette::Active, QPalette::Text),
                        p.color(QPalette::Active, QPalette::Base));
}

QColor fondoCian(const QPalette& p) {
    return fondoLegible(QColor(Qt::cyan), p.color(QPalette::Active, QPalette::Text),
                        p.color(QPalette::Active, QPalette::Base));
}

QColor textoSecundario(const QPalette& p) {
    const QColor texto = p.color(QPalette::Active, QPalette::WindowText);
    const QColor fondo = p.color(QPalette::Active, QPalette::Window);
    // Two thirds of the way from the background to the text, or the text itself where that is faint.
    const QColor c = mezcla(fondo, texto, 0.65);
    return contraste(c, fondo) >= kContrasteMinimo ? c : texto;
}

}  // namespace qvr
