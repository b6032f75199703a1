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
            case 5:
                return pal.color(QPalette::Base);  // window background
            case 8:
                return pal.color(QPalette::Text);  // window text
            case 15:
                return pal.color(QPalette::Button);  // button face
            case 18:
                return pal.color(QPalette::ButtonText);  // button text
            case 13:
                return pal.color(QPalette::Highlight);
            case 14:
                return pal.color(QPalette::HighlightedText);
            default:
                return pal.color(QPalette::Window);
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

// A size of 0 or beyond what a font takes is an error inside the record, which is ignored: the
// text is drawn at the size in force (the painter's font), only its weight changes.
QFont fuenteDe(const QPainter& p, int iTama, bool bColo) {
    if (tamanoValido(iTama)) return fuente(iTama, bColo);
    QFont f = p.font();
    f.setBold(bColo);
    return f;
}
}  // namespace

void ppos(QPainter& p, int x, int y, const QString& stexto, bool bColo, int iTama) {
    const QFont f = fuenteDe(p, iTama, bColo);
    p.setFont(f);
    p.setPen(Qt::black);
    // The position is the top-left corner of the text, not its baseline.
    p.drawText(QPointF(x, y + QFontMetricsF(f).ascent()), stexto);
}

void pPosVerti(QPainter& p, int x, int y, const QString& stexto, bool bColo, int iTama) {
    const QFont f = fuenteDe(p, iTama, bColo);
    p.setFont(f);
    p.setPen(Qt::black);
    const double asc = QFontMetricsF(f).ascent();
    for (qsizetype k = 0; k < stexto.size(); ++k)
        p.drawText(QPointF(x, y + k * 190.0 + asc), QString(stexto[k]));
}

void pCuadro(QPainter& p, int x1, int y1, int x2, int y2) {
    // Line width 1: one pixel of the device, whatever its resolution (a cosmetic pen of width 0
    // is the thinnest line the device draws).
    p.save();
    QPen pen(Qt::black, 0.0, Qt::SolidLine, Qt::SquareCap);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // A one-pixel line is drawn crisp, not smeared over two pixels.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawLine(QPointF(x1, y1), QPointF(x1, y2));
    p.drawLine(QPointF(x2, y1), QPointF(x2, y2));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y1));
    p.drawLine(QPointF(x1, y2), QPointF(x2, y2));
    p.restore();
}

void dibujaRegistro(QPainter& p, const Registro& r) {
    switch (r.tipo) {
        case Tipo::Pos:
            ppos(p, r.x, r.y, r.textoUnicode(), r.negrita, r.tamano);
            break;
        case Tipo::PosVerti:
            pPosVerti(p, r.x, r.y, r.textoUnicode(), r.negrita, r.tamano);
            break;
        case Tipo::Cuadro:
            pCuadro(p, r.x, r.y, r.x2, r.y2);
            break;
        default:
            break;
    }
}

bool dibujaPagina(QPainter& p, IndiceReporte& indice, int n) {
    // Each page starts at the report's size, 8 points.
    p.setFont(fuente(8, false));
    return indice.recorre(n, [&p](const Registro& r) { dibujaRegistro(p, r); });
}

QImage imagenPagina(IndiceReporte& indice, int n, double ppp) {
    const PaginaIndice& pag = indice.pagina(n);
    // The picture has the printed page's orientation: a landscape page is shown landscape.
    const QSizeF t = tamanoHojaTwips(pag.orientacion) * (ppp / kTwipsPorPulgada);
    QImage img(t.toSize(), QImage::Format_RGB32);
    img.fill(colorDe(n == 0 ? indice.colorFondo() : pag.color));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    usaTwips(p, ppp);
    dibujaPagina(p, indice, n);
    return img;
}

}  // namespace qvr::reporte
