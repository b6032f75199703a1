#include "common/formato.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qvr;

TEST(Formato, TextosNumericos) {
    struct Caso {
        const char* texto;
        std::optional<double> valor;
    } casos[] = {
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"0", 0},
        {" 1234 ", 1234},
        {"1,234", 1234},
        {"1,234,567.5", 1234567.5},
        {"(1,234)", -1234},
        {"-1234", -1234},
        {"+12", 12},
        {"- 12", -12},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {",123", std::nullopt},
        {"1,,2", std::nullopt},
        {"1.234,5", std::nullopt},
        {"(-5)", std::nullopt},
        {"(5", std::nullopt},
        {"()", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"1e5", std::nullopt},
        {"C", std::nullopt},
        {"__/__/____", std::nullopt},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(numeroDeTexto(c.texto), c.valor) << c.texto;
        EXPECT_EQ(esNumerico(c.texto), c.valor.has_value()) << c.texto;
    }
}

TEST(Formato, NumeroInicial) {
    struct Caso {
        const char* texto;
        double valor;
    } casos[] = {
        {"", 0},    {"abc", 0},        {"12abc", 12},  {"1,234", 1}, {"(5)", 0},
        {"-5", -5}, {" 2 45 7", 2457}, {"1.5.3", 1.5}, {"0012", 12}, {"4,000", 4},
    };
    for (const auto& c : casos) EXPECT_DOUBLE_EQ(numeroInicial(c.texto), c.valor) << c.texto;
}

TEST(Formato, RedondeoDeMitades) {
    struct Caso {
        double valor, lejos, par;
    } casos[] = {
        {2.5, 3, 2},
        {3.5, 4, 4},
        {-2.5, -3, -2},
        {2.4999, 2, 2},
        {0.5, 1, 0},
        {-0.4, 0, 0},
        {1234.5, 1235, 1234},
        // 0.15 × 12345 is 1851.75 in decimal; 0.1 × 25 is 2.5: the binary noise must not decide.
        {0.15 * 12345, 1852, 1852},
        {0.1 * 25, 3, 2},
        {0.2 * 12.5, 3, 2},
        {999999999999.5, 1000000000000, 1000000000000},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(redondea(c.valor), c.lejos) << c.valor;
        EXPECT_EQ(redondea(c.valor, Redondeo::AlPar), c.par) << c.valor;
    }
    EXPECT_FALSE(std::signbit(redondea(-0.4)));
}

TEST(Formato, Patrones) {
    struct Caso {
        double valor;
        const char* patron;
        const char* texto;
    } casos[] = {
        {0, "###,###,###,##0", "0"},
        {1234567, "###,###,###,##0", "1,234,567"},
        {999999999999, "###,###,###,##0", "999,999,999,999"},
        {1234.5, "###,###,###,##0", "1,235"},
        {-1234.5, "###,###,###,##0", "-1,235"},
        {-0.3, "###,###,###,##0", "0"},
        {1234567, "(###,###,###,##0)", "(1,234,567)"},
        {0, "(###,###,###,##0)", "(0)"},
        {1234567, "#,###,###,##0", "1,234,567"},
        {123, "#,###,###,##0", "123"},
        {1234567, "###########0", "1234567"},
        {-1234, "###########0", "-1234"},
        {0, "###########0", "0"},
        {1234.4, "##############0", "1234"},
        {0, "##########", ""},
        {0.4, "##########", ""},
        {70, "##########", "70"},
        {0, "############", ""},
        {4000, "#########0", "4000"},
        {6, "0#", "06"},
        {12, "0#", "12"},
        {6, "00", "06"},
        {123, "00", "123"},
        {42, "000000", "000042"},
        {42, "00000000", "00000042"},
        {1234, "###,###,###,##0;(###,###,###,##0)", "1,234"},
        {-1234, "###,###,###,##0;(###,###,###,##0)", "(1,234)"},
        {0, "###,###,###,##0;(###,###,###,##0)", "0"},
        {0.041, "0.000", "0.041"},
        {5, "#.##", "5."},
        {1.005, "0.00", "1.01"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(formatoNumero(c.valor, c.patron), c.texto) << c.valor << " " << c.patron;
}

TEST(Formato, TextoConPatron) {
    // A numeric text is formatted as its number; anything else comes back as it is.
    EXPECT_EQ(formatoTexto("(1,234)", patron::Entero), "-1234");
    EXPECT_EQ(formatoTexto("1,234", patron::Entero), "1234");
    EXPECT_EQ(formatoTexto("06", patron::Entero), "6");
    EXPECT_EQ(formatoTexto("C", patron::Entero), "C");
    EXPECT_EQ(formatoTexto("PEREZ", patron::Entero), "PEREZ");
    EXPECT_EQ(formatoTexto("", patron::Entero), "");
    EXPECT_EQ(formatoTexto("6", patron::Codigo), "06");
}

TEST(Formato, TextoDecimalYMonto) {
    EXPECT_EQ(textoDecimal(1851.75), "1851.75");
    EXPECT_EQ(textoDecimal(-20000), "-20000");
    EXPECT_EQ(textoDecimal(0.5), "0.5");
    EXPECT_EQ(textoDecimal(0), "0");
    EXPECT_EQ(textoDecimal(-0.0), "0");
    EXPECT_EQ(textoDecimal(0.2 * 3), "0.6");
    EXPECT_EQ(textoDecimal(123456789012.0), "123456789012");
    // What is written reads back as the same number.
    for (double v : {0.15 * 12345, -0.2 * 98765.0, 123456.25})
        EXPECT_DOUBLE_EQ(*numeroDeTexto(textoDecimal(v)), v) << v;

    EXPECT_EQ(formatoMonto("1234567"), "1,234,567");
    EXPECT_EQ(formatoMonto("-1234567"), "(1,234,567)");
    EXPECT_EQ(formatoMonto("(1,234)"), "(1,234)");
    EXPECT_EQ(formatoMonto("12a"), "");
    EXPECT_EQ(formatoMonto(""), "");
    EXPECT_EQ(formatoMonto(1851.75), "1,852");
}
