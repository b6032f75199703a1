#include "varnel/reports/dibujo_reporte.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>

namespace qvr::reporte {

QSizeF tamanoHojaTwips(OrientacionHoja o) {
    const QSizeF a4(8.27 * kTwipsPorPulgada, 11.69 * kTwipsPorPulgada);
    return o == OrientacionHoja::Horizontal ? a4.transposed() : a4;
}

QString familiaReporte() {
    static const QString familia = QFontDatabase::hasFamily(QStringLiteral("Courier New"))
                                       ? QStringLiteral("Courier New")
                                       : QStringLiteral("Liberation Mono");
    return familia;
}

QColor colorDe(std::int32_t valor) {
    const auto v = std::uint32_t(valor);
    if (v & kColorSistema) {
        const QPalette pal = QGuiApplication::palette();
        switch (v & 0xFF) {
        case 5: return pal.color(QPalette::Base);          // window background
        case 8: return pal.color(QPalette::Text);          // window text
        case 15: return pal.color(QPalette::Button);       // button face
        case 18: return pal.color(QPalette::ButtonText);   // button text
        case 13: return pal.color(QPalette::Highlight);
        case 14: return pal.color(QPalette::HighlightedText);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

void usaTwips(QPainter& p, double ppp) {
    p.resetTransform();
    p.scale(ppp / kTwipsPorPulgada, ppp / kTwipsPorPulgada);
}

namespace {
bool tamanoValido(int puntos) { return puntos > 0 && puntos <= 2160; }

QFont fuente(int puntos, bool negrita) {
    QFont f(familiaReporte());
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(puntos * 20);  // 20 twips per point
    f.setBold(negrita);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}
}  // namespace

void dibujaRegistro(QPainter& p, const Registro& r) {
    switch (r.tipo) {
    case Tipo::Pos: {
        if (!tamanoValido(r.tamano)) return;
        const QFont f = fuente(r.tamano, r.negrita);
        p.setFont(f);
        p.setPen(Qt::black);
        // The position is the top-left corner of the text, not its baseline.
        p.drawText(QPointF(r.x, r.y + QFontMetricsF(f).ascent()), r.textoUnicode());
        break;
    }
    case Tipo::PosVerti: {
        if (!tamanoValido(r.tamano)) return;
        const QFont f = fuente(r.tamano, r.negrita);
        p.setFont(f);
        p.setPen(Qt::black);
        const double asc = QFontMetricsF(f).ascent();
        const QString t = r.textoUnicode();
        for (qsizetype k = 0; k < t.size(); ++k) p.drawText(QPointF(r.x, r.y + k * 190.0 + asc), QString(t[k]));
        break;
    }
    case Tipo::Cuadro: {
        // Line width 1: one pixel of a 96-dpi screen, 15 twips, on every device.
        p.setPen(QPen(Qt::black, 15.0, Qt::SolidLine, Qt::SquareCap));
        p.setBrush(Qt::NoBrush);
        const QPointF a(r.x, r.y), b(r.x2, r.y2);
        p.drawLine(QPointF(a.x(), a.y()), QPointF(a.x(), b.y()));
        p.drawLine(QPointF(b.x(), a.y()), QPointF(b.x(), b.y()));
        p.drawLine(QPointF(a.x(), a.y()), QPointF(b.x(), a.y()));
        p.drawLine(QPointF(a.x(), b.y()), QPointF(b.x(), b.y()));
        break;
    }
    default:
        break;
    }
}

bool dibujaPagina(QPainter& p, IndiceReporte& indice, int n) {
    return indice.recorre(n, [&p](const Registro& r) { dibujaRegistro(p, r); });
}

QImage imagenPagina(IndiceReporte& indice, int n, double ppp) {
    const QSizeF t = tamanoHojaTwips() * (ppp / kTwipsPorPulgada);
    QImage img(t.toSize(), QImage::Format_RGB32);
    const PaginaIndice& pag = indice.pagina(n);
    img.fill(colorDe(n == 0 ? indice.colorFondo() : pag.color));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    usaTwips(p, ppp);
    dibujaPagina(p, indice, n);
    return img;
}

}  // namespace qvr::reporte
