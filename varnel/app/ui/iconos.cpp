#include "varnel/app/ui/iconos.h"

#include <QPainter>
#include <QPainterPath>

namespace qvr {

namespace {

constexpr int kLado = 32;

// A sheet of paper with a folded corner, the base of the declaration images.
void hoja(QPainter& p) {
    QPainterPath h;
    h.moveTo(6, 3);
    h.lineTo(20, 3);
    h.lineTo(26, 9);
    h.lineTo(26, 29);
    h.lineTo(6, 29);
    h.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 70), 1.2));
    p.setBrush(Qt::white);
    p.drawPath(h);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
    p.setPen(QPen(QColor(150, 170, 200), 1));
    for (int y = 13; y <= 25; y += 4) p.drawLine(9, y, 22, y);
}

QPixmap lienzo() {
    QPixmap px(kLado, kLado);
    px.fill(Qt::transparent);
    return px;
}

QPixmap nueva() {
    QPixmap px = lienzo();
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    hoja(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 150, 60));
    p.drawEllipse(QPointF(23, 23), 7, 7);
    p.setPen(QPen(Qt::white, 2.2));
    p.drawLine(QPointF(23, 19), QPointF(23, 27));
    p.drawLine(QPointF(19, 23), QPointF(27, 23));
    return px;
}

QPixmap modificar() {
    QPixmap px = lienzo();
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    hoja(p);
    // A pencil across the sheet.
    p.translate(22, 20);
    p.rotate(45);
    p.setPen(QPen(QColor(90, 60, 20), 1));
    p.setBrush(QColor(240, 190, 40));
    p.drawRect(QRectF(-3, -11, 6, 16));
    p.setBrush(QColor(240, 210, 170));
    QPolygonF punta;
    punta << QPointF(-3, 5) << QPointF(3, 5) << QPointF(0, 10);
    p.drawPolygon(punta);
    p.setBrush(QColor(220, 110, 120));
    p.drawRect(QRectF(-3, -14, 6, 3));
    return px;
}

QPixmap eliminar() {
    QPixmap px = lienzo();
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    hoja(p);
    p.setPen(QPen(QColor(200, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(28, 28));
    p.drawLine(QPointF(28, 16), QPointF(16, 28));
    return px;
}

QPixmap imprimir() {
    QPixmap px = lienzo();
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));  // paper going in
    p.setBrush(QColor(170, 175, 185));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);  // the printer's body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 20, 16, 9));  // paper coming out
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(11, 24, 21, 24);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 180, 60));
    p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
    return px;
}

QPixmap salir() {
    QPixmap px = lienzo();
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 50, 20), 1.2));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(4, 3, 14, 26));  // the door
    p.setBrush(QColor(240, 210, 80));
    p.drawEllipse(QPointF(15, 17), 1.5, 1.5);
    // An arrow leaving.
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 16), QPointF(28, 16));
    p.drawLine(QPointF(28, 16), QPointF(24, 12));
    p.drawLine(QPointF(28, 16), QPointF(24, 20));
    return px;
}

QPixmap numeroOrden() {
    QPixmap px = lienzo();
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    hoja(p);
    // A hash sign: the order number written on the sent declaration.
    p.setPen(QPen(QColor(30, 80, 170), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(12, 27));
    p.drawLine(QPointF(21, 14), QPointF(19, 27));
    p.drawLine(QPointF(10, 18), QPointF(24, 18));
    p.drawLine(QPointF(9, 23), QPointF(23, 23));
    return px;
}

QPixmap ayuda() {
    QPixmap px = lienzo();
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 60, 140), 1.2));
    p.setBrush(QColor(50, 110, 210));
    p.drawEllipse(QPointF(16, 16), 13, 13);
    // The question mark: a hook and a dot.
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath q;
    q.moveTo(11, 12);
    q.cubicTo(11, 6, 21, 6, 21, 12);
    q.cubicTo(21, 16, 16, 16, 16, 20);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 25), 2, 2);
    return px;
}

}  // namespace

QIcon iconoBarra(int indice) {
    switch (indice) {
        case 1:
            return QIcon(nueva());
        case 2:
            return QIcon(modificar());
        case 3:
            return QIcon(eliminar());
        case 4:
            return QIcon(imprimir());
        case 5:
            return QIcon(salir());
        case 7:
            return QIcon(numeroOrden());
        case 10:
            return QIcon(ayuda());
        default:
            return {};
    }
}

QPixmap dibujoAcercaDe(int lado) {
    QPixmap px(lado, lado);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 100.0, lado / 100.0);
    // A form with its number and a round stamp.
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(14, 6, 62, 84));
    p.setBrush(QColor(30, 80, 170));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(14, 6, 62, 16));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(14, 6, 62, 16), Qt::AlignCenter, "0738");
    p.setPen(QPen(QColor(150, 170, 200), 2));
    for (int y = 32; y <= 76; y += 8) p.drawLine(22, y, 68, y);
    p.setPen(QPen(QColor(190, 30, 40), 3));
    p.setBrush(QColor(190, 30, 40, 60));
    p.drawEllipse(QPointF(70, 74), 18, 18);
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(QColor(190, 30, 40));
    p.drawText(QRectF(52, 56, 36, 36), Qt::AlignCenter, "2003");
    return px;
}

}  // namespace qvr
