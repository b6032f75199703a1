#pragma once
// The printed listing of the inconsistency file: a small bold header, numbered rows of at most 90
// characters (longer messages go on to a second row) inside a frame, and the total line. Listings
// longer than one page repeat the header with the page number and close the frame on each page.
#include <QString>
#include <QStringList>
#include <vector>

namespace qvr {

class Impresora;

// One thing printed on a page, in twips from the paper's corner.
struct TrazoListado {
    bool cuadro = false;   // the frame: (x, y) to (x2, y2); otherwise text at (x, y)
    int x = 0, y = 0, x2 = 0, y2 = 0;
    QString texto;
    bool negrita = false;
    int tamano = 8;
};
using PaginaListado = std::vector<TrazoListado>;

struct CabeceraListado {
    QString fecha;   // in the system's date format
    QString hora;    // in the system's time format
    QString titulo;  // the module's title and version line
};

inline constexpr int kFilasPorPagina = 40;

// The pages of the listing of `lineas`.
std::vector<PaginaListado> disponeListado(const QStringList& lineas, const CabeceraListado& cabecera);
// The file's lines (UTF-8, lines ending in CR LF).
QStringList lineasDeTexto(const QByteArray& datos);
CabeceraListado cabeceraActual();

// Text at (x, y) twips in "Courier new", bold or not, `tamano` points.
void pPosImprime(Impresora& imp, short x, short y, const QString& texto, bool negrita, short tamano);
// The four sides of the rectangle: left, right, top, bottom.
void pImprimeCuadro(Impresora& imp, short x1, short y1, short x2, short y2);

// Error numbers of the printing.
namespace errorImpresion {
inline constexpr int ArchivoAbierto = 55;
inline constexpr int NadaQueImprimir = 380;
inline constexpr int Impresora = 482;
inline constexpr int Cancelada = 20545;
inline constexpr int ArchivoNoEncontrado = 53;
inline constexpr int EntradaSalida = 57;
}  // namespace errorImpresion

// Prints the file at `ruta` on `impresora` (null: the printer port asks the user for a printer or
// a PDF file). Returns 0 when printed, else the error number, whose message (title "Impresión")
// has been shown.
int RepInconsist(const QString& ruta, Impresora* impresora = nullptr);

}  // namespace qvr
