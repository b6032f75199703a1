#pragma once
// The printed form as data: each page is a list of elements (frames, fixed texts, box numbers,
// amounts, marks) that the report generator draws in order. Positions are twips from the top-left
// corner of the page; y of a row is where its text goes, its frame starts 60 twips higher.
#include <QStringList>
#include <vector>

namespace qvr::reporte::pagina {

inline constexpr int kAltoFila = 270;
inline constexpr int kMargenFila = 60;  // the text sits this far below the top of its frame
inline constexpr int kXIzquierda = 150, kXDerecha = 11000;
inline constexpr int kXCeldaDesde = 8775, kXCeldaHasta = 9175;
inline constexpr int kXNumero = 8825, kXMonto = 9275;
inline constexpr int kXEtiqueta = 250;

enum class Op {
    Fila,           // framed row `filas` high, box cell when there is a box, label lines at x,
                    // box number and amount on label line `linea`
    Seccion,        // the page title, bold, in its own frame
    Grupo,          // a bold group title, unframed
    Texto,          // a fixed text at (x, y)
    Negrita,        // a fixed bold text at (x, y)
    Marco,          // a row frame `filas` high at y
    Celda,          // the box-number cell at y
    Numero,         // the box number as three digits at (x, y)
    Monto,          // the box in the amount format at (x, y)
    Valor,          // the box value as it stands at (x, y)
    Marca,          // " X" at (x, y) when the box holds `texto`
    MarcaIgual,     // " X " at (x, y) when the box holds `texto`
    MarcaOtro,      // " X " at (x, y) when the box holds something other than `texto`
    TipoDocumento,  // the box's document type: code, "-", description of catalog '044'
    Profesion,      // the profession named by the box, right-aligned to 14
    Banco,          // the bank of the header's bank code, right-aligned to 14
    Cheque,         // the header's cheque number
    Rectifica,      // "SI" when the header's rectifica is "1", else "NO"
};

struct Elemento {
    Op op;
    int x = 0;
    int y = 0;
    int casilla = 0;
    const char* texto = nullptr;  // UTF-8; label lines separated by '\n'
    int filas = 1;
    int linea = 0;
};

// Shorthands that keep the page tables one element a line.
constexpr Elemento fila(int y, int casilla, const char* t, int x = kXEtiqueta) {
    return {Op::Fila, x, y, casilla, t};
}
// A row framed two rows high; the box number and amount go on label line `linea`.
constexpr Elemento fila2(int y, int casilla, const char* t, int linea = 0, int x = kXEtiqueta) {
    return {Op::Fila, x, y, casilla, t, 2, linea};
}
constexpr Elemento seccion(const char* t) { return {Op::Seccion, 300, 2340, 0, t}; }
constexpr Elemento grupo(int y, const char* t, int x = 3000) { return {Op::Grupo, x, y, 0, t}; }
constexpr Elemento texto(int x, int y, const char* t) { return {Op::Texto, x, y, 0, t}; }
constexpr Elemento negrita(int x, int y, const char* t) { return {Op::Negrita, x, y, 0, t}; }
constexpr Elemento marco(int y, int filas = 1) { return {Op::Marco, 0, y, 0, nullptr, filas}; }
constexpr Elemento celda(int y) { return {Op::Celda, 0, y}; }
constexpr Elemento numero(int x, int y, int casilla) { return {Op::Numero, x, y, casilla}; }
constexpr Elemento monto(int x, int y, int casilla) { return {Op::Monto, x, y, casilla}; }
constexpr Elemento valor(int x, int y, int casilla) { return {Op::Valor, x, y, casilla}; }
constexpr Elemento marca(int x, int y, int casilla, const char* igual) { return {Op::Marca, x, y, casilla, igual}; }
constexpr Elemento marcaIgual(int x, int y, int casilla, const char* igual) {
    return {Op::MarcaIgual, x, y, casilla, igual};
}
constexpr Elemento marcaOtro(int x, int y, int casilla, const char* distinto) {
    return {Op::MarcaOtro, x, y, casilla, distinto};
}
constexpr Elemento tipoDocumento(int x, int y, int casilla) { return {Op::TipoDocumento, x, y, casilla}; }
constexpr Elemento profesion(int x, int y, int casilla) { return {Op::Profesion, x, y, casilla}; }
constexpr Elemento banco(int x, int y) { return {Op::Banco, x, y}; }
constexpr Elemento cheque(int x, int y) { return {Op::Cheque, x, y}; }
constexpr Elemento rectifica(int x, int y) { return {Op::Rectifica, x, y}; }

// The three pages of the declaration (1 to 3).
const std::vector<Elemento>& paginaDeclaracion(int n);

// The exempt and non-taxable income page: the two lists of legal items.
struct ItemLegal {
    int casilla;
    QStringList lineas;  // cut to the printed width
};
struct BloqueRentas {
    QString titulo;
    QString total;
    int casillaTotal;
    std::vector<ItemLegal> items;
};
const BloqueRentas& rentasExoneradas();
const BloqueRentas& rentasInafectas();

}  // namespace qvr::reporte::pagina
