// The exempt and non-taxable income page: the legal items of boxes 200 and 201. The item texts are
// those of the detail windows, cut again to the printed width (the window lines are wider than the
// space left of the amount column).
#include "varnel/declaration/detalle.h"
#include "varnel/reports/paginas_formato.h"

namespace qvr::reporte::pagina {

namespace {

// Characters of "Courier New" 8 between x 300 and the amount column.
constexpr int kAnchoItem = 86;

// The printed wording where it differs from the window's.
QString textoImpreso(int casilla, const QString& texto) {
    if (casilla == 534) return QStringLiteral("e) El resultado de la venta no habitual de un bien inmueble.");
    return texto;
}

// The window lines joined into paragraphs (a line starting with "- " opens a new one, as do the
// item's first line) and each paragraph cut at blanks to the printed width.
QStringList corta(const QStringList& ventana) {
    QStringList parrafos;
    for (const QString& l : ventana) {
        if (parrafos.isEmpty() || l.startsWith(QStringLiteral("- ")))
            parrafos << l.trimmed();
        else
            parrafos.last() += QLatin1Char(' ') + l.trimmed();
    }
    QStringList lineas;
    for (const QString& p : parrafos) {
        QString actual;
        for (const QString& palabra : p.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!actual.isEmpty() && actual.size() + 1 + palabra.size() > kAnchoItem) {
                lineas << actual;
                actual.clear();
            }
            actual += (actual.isEmpty() ? QString() : QStringLiteral(" ")) + palabra;
        }
        if (!actual.isEmpty()) lineas << actual;
    }
    return lineas;
}

BloqueRentas bloque(DetalleRentas::Tipo tipo, const char* titulo, const char* total, int casillaTotal) {
    BloqueRentas b{QString::fromUtf8(titulo), QString::fromUtf8(total), casillaTotal, {}};
    for (const auto& l : DetalleRentas::diseno(tipo).lineas) {
        QStringList texto = l.texto;
        if (texto.size() == 1) texto = {textoImpreso(l.casilla, texto.front())};
        b.items.push_back({l.casilla, corta(texto)});
    }
    return b;
}

}  // namespace

const BloqueRentas& rentasExoneradas() {
    static const BloqueRentas b =
        bloque(DetalleRentas::Tipo::Exoneradas, "CASILLA 200 - RENTAS EXONERADAS ", "Total rentas exoneradas", 200);
    return b;
}

const BloqueRentas& rentasInafectas() {
    static const BloqueRentas b =
        bloque(DetalleRentas::Tipo::Inafectas, "CASILLA 201 - RENTAS INAFECTAS", "Total rentas inafectas", 201);
    return b;
}

}  // namespace qvr::reporte::pagina
