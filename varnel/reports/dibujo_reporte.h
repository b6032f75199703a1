#pragma once
// Drawing of report records. Coordinates are twips from the page's top-left corner: the painter
// is scaled so that 1440 units make one inch of the device, so a page drawn on screen, in a PDF
// or on paper puts every record at the same place.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSizeF>

#include "common/reporte_marcado.h"
#include "varnel/reports/indice_reporte.h"

namespace qvr::reporte {

inline constexpr double kTwipsPorPulgada = 1440.0;
// The page pictures and the PDF pages: A4 (8.27 x 11.69 inches).
QSizeF tamanoHojaTwips(OrientacionHoja o = OrientacionHoja::Vertical);

// "Courier New", or Liberation Mono (same metrics) where Courier New is not installed.
QString familiaReporte();

// A colour value of a colour tag: 00BBGGRR, or a system colour (0x800000nn).
QColor colorDe(std::int32_t valor);

// Scales the painter so that its units are twips, for a device of `ppp` pixels per inch.
void usaTwips(QPainter& p, double ppp);
// The three drawing commands, on a painter in twips. A font size of 0 or beyond 2160 points is
// ignored: the text is drawn at the painter's font size (the previous record's, 8 points at the
// start of a page).
void ppos(QPainter& p, int x, int y, const QString& stexto, bool bColo, int iTama);
// Character k (from 0) at (x, y + k * 190).
void pPosVerti(QPainter& p, int x, int y, const QString& stexto, bool bColo, int iTama);
void pCuadro(QPainter& p, int x1, int y1, int x2, int y2);
// Draws one drawing command (pPos, pPosVerti, pCuadro).
void dibujaRegistro(QPainter& p, const Registro& r);
// Draws every record of picture `n`, starting at 8 points.
bool dibujaPagina(QPainter& p, IndiceReporte& indice, int n);
// Picture `n` as an image at `ppp` pixels per inch, on its background colour.
QImage imagenPagina(IndiceReporte& indice, int n, double ppp);

}  // namespace qvr::reporte
