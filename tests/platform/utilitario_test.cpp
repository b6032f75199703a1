#include "platform/utilitario.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/dialogs.h"

namespace qvr {
namespace {

// Check digits worked out by hand: S = sum of the first ten digits weighted 5,4,3,2,7,6,5,4,3,2;
// check = 11 - S mod 11, 10 -> 0, 11 -> 1.
TEST(ValidaRuc, CasosCalculadosAMano) {
    struct Caso {
        const char* ruc;
        bool valido;
        const char* por_que;
    };
    const Caso casos[] = {
        // S = 10+0+18+0+0+0+5+8+9+8 = 58, 58 mod 11 = 3, check 8
        {"20600012348", true, "ordinary check digit"},
        {"20600012347", false, "check digit off by one"},
        // S = 5+0+3+4+21+24+25+24+21+16 = 143, 143 mod 11 = 0: 11 becomes 1
        {"10123456781", true, "11 -> 1"},
        {"10123456780", false, "11 must not become 0"},
        // S = 177, 177 mod 11 = 1: 10 becomes 0
        {"17283940560", true, "10 -> 0"},
        {"17283940561", false, "10 must not become 1"},
        // S = 175, mod 11 = 10, check 1
        {"15463728191", true, "prefix 15"},
        // S = 74, mod 11 = 8, check 3
        {"20990011223", true, "prefix 20"},
        // Check digits right by the formula, prefix not allowed
        {"11600012349", false, "prefix 11"},
        {"30600012343", false, "prefix 30"},
        {"16600012341", false, "prefix 16"},
        {"21600012344", false, "prefix 21"},
        // Shape
        {"2060001234", false, "ten digits"},
        {"206000123480", false, "twelve digits"},
        {" 20600012348", false, "leading blank"},
        {"20600012348 ", false, "trailing blank"},
        {"2060001234A", false, "a letter"},
        {"2060001234-8", false, "a dash"},
        {"", false, "empty"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Utilitario::ValidaRuc(QString::fromLatin1(c.ruc)), c.valido) << c.ruc << ": " << c.por_que;
}

TEST(ValidaRuc, DigitosNoAscii) {
    // Arabic-indic digits count as digits for QChar but not for a taxpayer number.
    QString ruc = QStringLiteral("2060001234");
    ruc += QChar(0x0668);  // ARABIC-INDIC DIGIT EIGHT
    EXPECT_FALSE(Utilitario::ValidaRuc(ruc));
}

TEST(ValidaFecha, CalendarioYLimitesInclusivos) {
    struct Caso {
        const char* fecha;
        const char* minimo;
        const char* maximo;
        bool valida;
    };
    const Caso casos[] = {
        {"29/02/2004", "01/01/1850", "01/01/2500", true},   // leap year
        {"29/02/2003", "01/01/1850", "01/01/2500", false},  // common year
        {"29/02/1900", "01/01/1850", "01/01/2500", false},  // century, not leap
        {"29/02/2000", "01/01/1850", "01/01/2500", true},   // divisible by 400
        {"31/04/2003", "01/01/1850", "01/01/2500", false},
        {"30/04/2003", "01/01/1850", "01/01/2500", true},
        {"00/01/2003", "01/01/1850", "01/01/2500", false},
        {"15/13/2003", "01/01/1850", "01/01/2500", false},
        {"15/00/2003", "01/01/1850", "01/01/2500", false},
        // Bounds are inclusive
        {"01/01/2003", "01/01/2003", "31/12/2003", true},
        {"31/12/2003", "01/01/2003", "31/12/2003", true},
        {"31/12/2002", "01/01/2003", "31/12/2003", false},
        {"01/01/2004", "01/01/2003", "31/12/2003", false},
        // Ordered as dates, not as texts: "02/01/2003" sorts before "31/12/2002" as text
        {"02/01/2003", "31/12/2002", "03/01/2003", true},
        // Shapes other than dd/mm/yyyy
        {"1/1/2003", "01/01/1850", "01/01/2500", false},
        {"2003/12/31", "01/01/1850", "01/01/2500", false},
        {"01-01-2003", "01/01/1850", "01/01/2500", false},
        {"__/__/____", "01/01/1850", "01/01/2500", false},
        {"01/01/03", "01/01/1850", "01/01/2500", false},
        {" 1/01/2003", "01/01/1850", "01/01/2500", false},
        {"", "01/01/1850", "01/01/2500", false},
        {"01/01/0000", "01/01/0000", "01/01/2500", false},
        // A malformed or empty bound accepts nothing
        {"01/06/2003", "", "31/12/2003", false},
        {"01/06/2003", "01/01/2003", "2003/12/31", false},
        // Bounds the wrong way round accept nothing
        {"01/06/2003", "31/12/2003", "01/01/2003", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Utilitario::ValidaFecha(c.fecha, c.minimo, c.maximo), c.valida)
            << c.fecha << " in [" << c.minimo << ", " << c.maximo << "]";
}

TEST(FiltrosDeTeclas, CadaFiltroConSusTeclas) {
    struct Caso {
        int tecla;
        bool numero, alfanumerico, letra;
    };
    const Caso casos[] = {
        {'0', true, true, false},
        {'9', true, true, false},
        {'A', false, true, true},
        {'Z', false, true, true},
        {'a', false, true, false},  // FiltraLetra takes upper-cased keys only
        {'z', false, true, false},
        {8, true, true, true},   // Backspace
        {9, true, true, true},   // Tab
        {13, true, true, true},  // Enter
        {Qt::Key_Backspace, true, true, true},
        {Qt::Key_Return, true, true, true},
        {Qt::Key_Enter, true, true, true},
        {' ', false, false, true},
        {'&', false, false, true},
        {'.', false, false, true},
        {'-', false, false, true},
        {',', false, false, true},
        {0x00D1, false, false, true},   // Ñ
        {0x00C1, false, false, true},   // Á
        {0x00DA, false, false, true},   // Ú
        {0x00DC, false, false, true},   // Ü
        {0x00F1, false, false, false},  // ñ, not upper-cased
        {'\'', false, false, false},
        {'/', false, false, false},
        {'+', false, false, false},
        {22, false, false, false},  // Ctrl+V
        {3, false, false, false},   // Ctrl+C
        {127, false, false, false},
        {0, false, false, false},
        {-1, false, false, false},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Utilitario::FiltraNumero(c.tecla), c.numero ? c.tecla : 0) << "key " << c.tecla;
        EXPECT_EQ(Utilitario::FiltraAlfanumerico(c.tecla), c.alfanumerico ? c.tecla : 0) << "key " << c.tecla;
        EXPECT_EQ(Utilitario::FiltraLetra(c.tecla) != 0, c.letra) << "key " << c.tecla;
    }
}

TEST(EsNumericoYAlfanumerico, Textos) {
    struct Caso {
        const char* texto;
        bool numerico, alfanumerico;
    };
    const Caso casos[] = {
        {"0123456789", true, true}, {"AB123456", false, true}, {"ab123456", false, true},
        {"", false, false},         {"12 34", false, false},   {" 1234", false, false},
        {"12-34", false, false},    {"12.5", false, false},    {"-12", false, false},
        {"+12", false, false},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Utilitario::EsNumerico(c.texto), c.numerico) << '"' << c.texto << '"';
        EXPECT_EQ(Utilitario::EsAlfanumerico(c.texto), c.alfanumerico) << '"' << c.texto << '"';
    }
    EXPECT_FALSE(Utilitario::EsNumerico(QStringLiteral("12\u0663")));     // Arabic-indic three
    EXPECT_FALSE(Utilitario::EsAlfanumerico(QStringLiteral("PEÑA123")));  // no Ñ in document numbers
}

TEST(Relleno, AnchoExacto) {
    EXPECT_EQ(Utilitario::RellenaIzquierda("5", 2, u'0'), "05");
    EXPECT_EQ(Utilitario::RellenaIzquierda("12", 2, u'0'), "12");
    EXPECT_EQ(Utilitario::RellenaIzquierda("", 3, u'0'), "000");
    EXPECT_EQ(Utilitario::RellenaIzquierda("123", 2, u'0'), "23");
    EXPECT_EQ(Utilitario::RellenaDerecha("AB", 5, u'*'), "AB***");
    EXPECT_EQ(Utilitario::RellenaDerecha("ABCDEF", 3, u'*'), "ABC");
    EXPECT_EQ(Utilitario::AjustaTexto("6", 2), "6 ");
    EXPECT_EQ(Utilitario::AjustaTexto("REG. UNICO DE CONTRIBUYENTES", 12), "REG. UNICO D");
    EXPECT_EQ(Utilitario::AjustaTexto("", 12), QString(12, u' '));
    EXPECT_EQ(Utilitario::AjustaTexto("X", 60).size(), 60);
    for (int ancho : {0, -1}) {
        EXPECT_EQ(Utilitario::AjustaTexto("ABC", ancho), "");
        EXPECT_EQ(Utilitario::RellenaDerecha("ABC", ancho, u' '), "");
        EXPECT_EQ(Utilitario::RellenaIzquierda("ABC", ancho, u'0'), "");
    }
}

TEST(ExisteArchivo, SoloArchivosConBarrasInvertidas) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/RPT");
    QFile f(dir.path() + "/RPT/00000001.PRN");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(Utilitario::ExisteArchivo(dir.path() + "/RPT/00000001.PRN"), -1);
    EXPECT_EQ(Utilitario::ExisteArchivo(dir.path() + "/RPT\\00000001.PRN"), -1);  // RutaReportes + "\" + name
    EXPECT_EQ(Utilitario::ExisteArchivo(dir.path() + "/RPT\\00000002.PRN"), 0);
    EXPECT_EQ(Utilitario::ExisteArchivo(dir.path() + "/RPT"), 0);  // a folder
    EXPECT_EQ(Utilitario::ExisteArchivo(""), 0);
}

TEST(MuestraMensaje, PasaPorElPuertoDeDialogos) {
    auto script = std::make_shared<DialogosScript>();
    auto previo = instalaDialogos(script);
    EXPECT_EQ(Utilitario::MuestraMensaje("Debe seleccionar algún anexo", "Error"), 1);
    instalaDialogos(previo);
    ASSERT_EQ(script->mostrados.size(), 1u);
    EXPECT_EQ(script->mostrados[0].texto, "Debe seleccionar algún anexo");
    EXPECT_EQ(script->mostrados[0].titulo, "Error");
    EXPECT_EQ(script->mostrados[0].botones, Botones::Ok);
}

}  // namespace
}  // namespace qvr
