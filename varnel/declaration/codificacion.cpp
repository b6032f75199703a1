#include "varnel/declaration/codificacion.h"

#include <QStringList>

#include "common/formato.h"

namespace qvr {

namespace {
bool guardaTexto(const QString& casilla) {
    static const QStringList fijas = {"005", "012", "015", "025", "208", "209", "211", "215", "217",
                                      "218", "219", "229", "230", "234", "236", "302", "721", "871"};
    if (fijas.contains(casilla)) return true;
    bool ok = false;
    const int n = casilla.toInt(&ok);
    return ok && n >= 815 && n <= 835;
}
}  // namespace

std::optional<QString> valorAlmacenado(const QString& casilla, const QString& valor) {
    const QString t = valor.trimmed();
    if (t.isEmpty() || t == "________" || t == "__/__/____") return std::nullopt;
    return guardaTexto(casilla) ? valor : formatoTexto(valor, patron::Entero);
}

}  // namespace qvr
