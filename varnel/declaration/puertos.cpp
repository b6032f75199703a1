#include "varnel/declaration/puertos.h"

#include <QDate>

namespace qvr {

int FiltrosTeclado::FiltraNumero(int tecla) const {
    return (tecla >= '0' && tecla <= '9') || tecla == kTeclaRetroceso ? tecla : 0;
}

int FiltrosTeclado::FiltraAlfanumerico(int tecla) const {
    return (tecla >= 'A' && tecla <= 'Z') || FiltraNumero(tecla) ? tecla : 0;
}

int FiltrosTeclado::FiltraLetra(int tecla) const {
    if (tecla == kTeclaRetroceso || tecla == ' ') return tecla;
    if (tecla < 32) return 0;
    const QChar c(tecla);
    if (c.isLetter()) return tecla;
    return QStringLiteral(".,&'-").contains(c) ? tecla : 0;
}

bool FiltrosTeclado::ValidaFecha(const QString& fecha, const QString& menor, const QString& mayor) const {
    const auto lee = [](const QString& t) {
        return QDate::fromString(t.trimmed(), QStringLiteral("dd/MM/yyyy"));
    };
    const QDate f = lee(fecha), a = lee(menor), b = lee(mayor);
    return f.isValid() && a.isValid() && b.isValid() && a <= f && f <= b;
}

const FiltrosTeclado& filtrosBasicos() {
    static const FiltrosTeclado f;
    return f;
}

}  // namespace qvr
