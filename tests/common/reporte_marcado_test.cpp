#include "common/reporte_marcado.h"

#include <gtest/gtest.h>

using namespace qvr::reporte;

namespace {
Registro registro(const char* linea) {
    const Lectura l = leeLinea(QByteArrayView(linea));
    if (const auto* e = std::get_if<ErrorLinea>(&l)) {
        ADD_FAILURE() << linea << " -> error " << e->numero;
        return {};
    }
    return std::get<Registro>(l);
}
int errorDe(const char* linea) {
    const Lectura l = leeLinea(QByteArrayView(linea));
    const auto* e = std::get_if<ErrorLinea>(&l);
    return e ? e->numero : 0;
}
}  // namespace

TEST(ReporteLinea, PalabraDeComando) {
    struct Caso {
        const char* linea;
        Tipo tipo;
    } casos[] = {
        {"pNuevaHoja", Tipo::NuevaHoja},
        {"   pNuevaHoja", Tipo::NuevaHoja},
        {"pNuevaHoja  y algo mas", Tipo::NuevaHoja},
        {"  pPos |1|2|t|True|8|0|", Tipo::Pos},  // the word is trimmed
        {"pTexto|1|2|t|True|8|0|", Tipo::Ignorado},
        {"PPOS|1|2|t|True|8|0|", Tipo::Ignorado},  // words compare exactly
        {"<!nuevo!>x<!/nuevo!>", Tipo::Ignorado},
        {"", Tipo::Ignorado},
        {"texto sin fin de palabra", Tipo::Ignorado},
        {"\xff\xfe\x00\x01", Tipo::Ignorado},
    };
    for (const auto& c : casos) EXPECT_EQ(registro(c.linea).tipo, c.tipo) << c.linea;
}

TEST(ReporteLinea, Etiquetas) {
    Registro r = registro("<!font!>Courier New<!/font!>");
    EXPECT_EQ(r.tipo, Tipo::Fuente);
    EXPECT_EQ(r.texto, "Courier New");

    r = registro("<!nHojas!>3<!/nHojas!>");
    EXPECT_EQ(r.tipo, Tipo::NumHojas);
    EXPECT_EQ(r.numero, 3);

    r = registro("<!Orientacion!> H <!/Orientacion!>");
    EXPECT_EQ(r.tipo, Tipo::Orientacion);
    EXPECT_EQ(r.texto, "H");

    // The trailing "&" is not part of the value; system colours are negative 32-bit values.
    r = registro("<!Color!>&H00FFFFC0&<!/Color!>");
    EXPECT_EQ(r.tipo, Tipo::Color);
    EXPECT_EQ(r.texto, "&H00FFFFC0");
    EXPECT_EQ(r.numero, 0x00FFFFC0);
    r = registro("<!Color!>&H80000005&<!/Color!>");
    EXPECT_EQ(r.numero, std::int32_t(0x80000005u));
    EXPECT_LT(r.numero, 0);

    // A closing tag missing from the line leaves the value empty.
    r = registro("<!font!>Courier New");
    EXPECT_EQ(r.tipo, Tipo::Fuente);
    EXPECT_TRUE(r.texto.isEmpty());
}

TEST(ReporteLinea, ComandosYSusCampos) {
    Registro r = registro("pPos|300|350|ZORVA|True|16|0|");
    EXPECT_EQ(r.tipo, Tipo::Pos);
    EXPECT_EQ(r.x, 300);
    EXPECT_EQ(r.y, 350);
    EXPECT_EQ(r.texto, "ZORVA");
    EXPECT_TRUE(r.negrita);
    EXPECT_EQ(r.tamano, 16);
    EXPECT_EQ(r.hoja, 0);

    // Blanks of the text are kept; the bold field is trimmed and read without regard to case.
    r = registro("pPosVerti|10|20|   12,345| false |8|2|");
    EXPECT_EQ(r.tipo, Tipo::PosVerti);
    EXPECT_EQ(r.texto, "   12,345");
    EXPECT_FALSE(r.negrita);
    EXPECT_EQ(r.hoja, 2);

    r = registro("pCuadro|150|300|1700|1640|1|");
    EXPECT_EQ(r.tipo, Tipo::Cuadro);
    EXPECT_EQ(std::vector<int>({r.x, r.y, r.x2, r.y2, r.hoja}), std::vector<int>({150, 300, 1700, 1640, 1}));

    // Windows-1252 text.
    r = registro(
        "pPos|1|1|DECLARACI\xd3N D\xcd"
        "A|False|8|0|");
    EXPECT_EQ(r.textoUnicode(), QStringLiteral("DECLARACIÓN DÍA"));
}

TEST(ReporteLinea, CamposNumericosA16Bits) {
    struct Caso {
        const char* campo;
        int valor;
    } casos[] = {
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"1.5", 2},
        {"  12abc", 12},
        {"abc", 0},
        {"", 0},
        {"1 2", 12},
        {"-32768", -32768},
        {"32767", 32767},
        {"-32768.5", -32768},
        {"1e3", 1000},
        {"+7", 7},
        // Hexadecimal and octal literals, four hex digits being a signed 16-bit value.
        {"&H5A0", 1440},
        {"&h5a0x", 1440},
        {" &H 5A0", 1440},
        {"&HFFFF", -1},
        {"&O17", 15},
        {"&H", 0},
        {"&O9", 0},
        {"&12", 0},
    };
    for (const auto& c : casos) {
        const QByteArray linea = "pCuadro|" + QByteArray(c.campo) + "|0|0|0|0|";
        EXPECT_EQ(registro(linea.constData()).x, c.valor) << c.campo;
    }
}

TEST(ReporteLinea, CamposQueNoSeConviertenSonErrores) {
    struct Caso {
        const char* linea;
        int error;
    } casos[] = {
        {"pPos|40000|1|t|True|8|0|", error::Desbordamiento},
        {"pPos|1|32767.5|t|True|8|0|", error::Desbordamiento},
        {"pCuadro|1|2|3|4|1e999|", error::Desbordamiento},
        {"pPos|1|2|t|Quizas|8|0|", error::TiposNoCoinciden},
        {"pPos|1|2|t||8|0|", error::TiposNoCoinciden},
        {"pPos|1|2|t|True|8|0", error::LlamadaInvalida},
        {"pCuadro|1|2|3|", error::LlamadaInvalida},
        {"<!nHojas!>70000<!/nHojas!>", error::Desbordamiento},
        {"pPos|&H10000|1|t|True|8|0|", error::Desbordamiento},
        {"pPos|&H1FFFFFFFF|1|t|True|8|0|", error::Desbordamiento},
        {"<!Color!>rojo&<!/Color!>", error::TiposNoCoinciden},
    };
    for (const auto& c : casos) EXPECT_EQ(errorDe(c.linea), c.error) << c.linea;
}
