#pragma once
// The report markup: one record per line of a .PRN file (Windows-1252, CR LF). Writers and the
// viewer agree on the record layouts here; the viewer reads each line with leeLinea.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

namespace qvr::reporte {

enum class Tipo {
    Fuente,       // <!font!>Courier New<!/font!>
    NumHojas,     // <!nHojas!>3<!/nHojas!>
    Orientacion,  // <!Orientacion!>V<!/Orientacion!>
    Color,        // <!Color!>&H00FFFFC0&<!/Color!>
    Pos,          // pPos|x|y|text|bold|size|page|
    PosVerti,     // pPosVerti|x|y|text|bold|size|page|
    Cuadro,       // pCuadro|x1|y1|x2|y2|page|
    NuevaHoja,    // pNuevaHoja
    Ignorado,     // any other line: the viewer skips it
};

struct Registro {
    Tipo tipo = Tipo::Ignorado;
    // Tags: the value as read (font name as it stands; orientation and colour trimmed).
    // pPos / pPosVerti: the text field, Windows-1252 bytes as they stand (blanks included).
    QByteArray texto;
    std::int32_t numero = 0;  // page count of <!nHojas!>, colour value of <!Color!>
    std::int16_t x = 0, y = 0, x2 = 0, y2 = 0;
    bool negrita = false;
    std::int16_t tamano = 0;
    std::int16_t hoja = 0;  // 0-based page of a drawing command

    bool dibuja() const { return tipo == Tipo::Pos || tipo == Tipo::PosVerti || tipo == Tipo::Cuadro; }
    QString textoUnicode() const;
};

// A line the viewer can not read: the runtime error it raises and its description.
struct ErrorLinea {
    int numero = 0;
    QString descripcion;
};

namespace error {
inline constexpr int LlamadaInvalida = 5;  // a command without its closing "|"
inline constexpr int Desbordamiento = 6;   // a number outside 16 bits
inline constexpr int MemoriaInsuficiente = 7;
inline constexpr int TiposNoCoinciden = 13;  // a bold field or colour that is not one
}  // namespace error

using Lectura = std::variant<Registro, ErrorLinea>;

// Reads one line (without its CR LF). Pure: no state, never throws.
Lectura leeLinea(QByteArrayView linea);

// The leading number of a text the way the platform's Val reads it ("  12abc" is 12, "x" is 0,
// "1 2" is 12, "2.5" is 2.5, "&H5A0" is 1440, "&O17" is 15); nullopt when it overflows.
std::optional<double> valorNumerico(QByteArrayView texto);
// A number rounded to 16 bits with halves to the even neighbour; nullopt on overflow.
std::optional<std::int16_t> aEntero16(double v);

// Background colours: "&H00BBGGRR" literals and the system colours "&H800000nn".
inline constexpr std::uint32_t kColorSistema = 0x80000000u;
inline constexpr std::int32_t kColorFondoDeclaracion = 0x00FFFFC0;  // light cyan

}  // namespace qvr::reporte
