#include "varnel/reports/genera_reporte.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "common/cp1252.h"
#include "common/schema.h"
#include "support/entorno.h"
#include "support/imprimir_datos.h"

using namespace qvr;
using namespace qvr::reporte;

namespace {

const QString kRuc = "10203040506";

class GeneraReporteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        creaTablasAnexo(e.base());
        prueba::agregaDeclaracionImpresion(e, kRuc, "QUISPE MAMANÍ JOSÉ ANTONIO");
        d.ruc = kRuc;
        d.nombre = "QUISPE MAMANÍ JOSÉ ANTONIO";
        CargarCasillas(e.base(), d);
    }

    QStringList genera() {
        const QString ruta = e.sistema() + "RPT/prueba.PRN";
        r = GeneraReporte(e.base(), d, ruta);
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList lineas = deCp1252(f.readAll()).split("\r\n");
        if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
        return lineas;
    }
    static QStringList filtra(const QStringList& l, const QString& inicio) {
        QStringList s;
        for (const QString& x : l)
            if (x.startsWith(inicio)) s << x;
        return s;
    }

    prueba::Entorno e;
    DatosReporte d;
    ResultadoReporte r;
};

TEST(MontoReporte, EmptyStaysEmptyAndNegativeShiftsOneColumnRight) {
    struct Caso {
        QString valor, esperado;
    } casos[] = {
        {"", ""},
        {"0", "              0"},
        {"1234567", "      1,234,567"},
        {"-1250", "         (1,250)"},
        {"C", "              C"},  // a text that is no number is only aligned
    };
    for (const auto& c : casos) EXPECT_EQ(montoReporte(c.valor), c.esperado) << qPrintable(c.valor);
    // The last digit of both lands in column 15; the negative's ")" goes one further.
    EXPECT_EQ(montoReporte("1250").lastIndexOf('0'), montoReporte("-1250").lastIndexOf('0'));
    EXPECT_EQ(alineaDerecha("abc", 2), "abc");
    EXPECT_EQ(alineaDerecha("x", 200).size(), 81);  // never more than 80 blanks
}

TEST_F(GeneraReporteTest, StartsWithTheHeaderBlockAndPageHeader) {
    const QStringList l = genera();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.paginas, 3);
    const QStringList esperadas = {
        "<!font!>Courier New<!/font!>",          "<!nHojas!>3<!/nHojas!>",
        "<!Orientacion!>V<!/Orientacion!>",      "<!Color!>&H00FFFFC0&<!/Color!>",
        "pPos|300|350|ZORVA|True|16|0|",         "pPos|300|750|DECLARACION|False|8|0|",
        "pCuadro|150|300|1700|1640|0|",
    };
    ASSERT_GE(l.size(), esperadas.size());
    for (int i = 0; i < esperadas.size(); ++i) EXPECT_EQ(l[i], esperadas[i]) << "line " << i + 1;
    // Every later section repeats the block just before its page break.
    EXPECT_EQ(filtra(l, "<!nHojas!>").size(), 3);
    EXPECT_EQ(filtra(l, "pNuevaHoja").size(), 2);
}

TEST_F(GeneraReporteTest, BoxesAmountsMarksAndCatalogNames) {
    const QStringList l = genera();
    // A box without a row prints an empty amount; a negative one sits one column further right.
    EXPECT_TRUE(l.contains("pPos|9275|3420||False|8|0|"));          // box 102
    EXPECT_TRUE(l.contains("pPos|9275|2880|         24,000|False|8|0|"));  // box 100
    EXPECT_TRUE(l.contains("pPos|9275|5580|         (1,250)|False|8|1|"));  // box 131
    EXPECT_TRUE(l.contains("pPos|9275|13950|               |False|8|0|") ||
                l.contains("pPos|9275|13950||False|8|0|"));  // box 117 on its second line
    EXPECT_TRUE(l.contains("pPos|8825|13950|117|False|8|0|"));
    // Payment in cash, a rented place of business (box 27 "2" marks the second), no refund.
    EXPECT_TRUE(l.contains("pPos|6600|9090| X|False|8|1|"));
    EXPECT_FALSE(l.contains("pPos|8825|9090| X|False|8|1|"));
    EXPECT_TRUE(l.contains("pPos|8825|10710| X|False|8|1|"));
    EXPECT_TRUE(l.contains("pPos|8825|8280| X |False|8|2|"));
    EXPECT_TRUE(l.contains("pPos|9275|9630|   CONTINENTAL|False|8|1|"));
    EXPECT_TRUE(l.contains("pPos|7050|10440|INGENIERO CIVIL|False|8|1|"));
    EXPECT_TRUE(l.contains("pPos|10000|10980|SI|False|8|1|"));
    EXPECT_TRUE(l.contains("pPos|3000|3690|1-DOC. NACIONAL DE IDENTIDAD|False|8|2|"));
    EXPECT_TRUE(l.contains("pPos|3000|3150|MAMANÍ|False|8|2|"));
    // Two group titles of page 3 sit further right than the others.
    EXPECT_TRUE(l.contains("pPos|3500|4500|DATOS DEL CONYUGE|True|8|2|"));
    EXPECT_TRUE(l.contains("pPos|3500|8820|OTROS INGRESOS|True|8|2|"));
    EXPECT_TRUE(l.contains("pPos|3000|2640|DATOS DEL CONTRIBUYENTE / REPRESENTANTE LEGAL|True|8|2|"));
    // Boxes 721 and 722 are never loaded.
    EXPECT_TRUE(d.casilla(721).isEmpty());
    EXPECT_TRUE(d.casilla(722).isEmpty());
    EXPECT_EQ(d.casilla(811), "QUISPE");
}

TEST_F(GeneraReporteTest, ControlAndOrderFramesOnlyForASentDeclaration) {
    QStringList l = genera();
    EXPECT_TRUE(filtra(l, "pCuadro|150|1640|").isEmpty());
    EXPECT_TRUE(filtra(l, "pPos|300|1720|").isEmpty());

    d.norden = "12345678";
    d.control = "4321";
    l = genera();
    EXPECT_TRUE(l.contains("pCuadro|150|1640|2650|1910|0|"));
    EXPECT_TRUE(l.contains("pPos|1800|1720|    4321|True|8|0|"));
    EXPECT_TRUE(l.contains("pPos|10000|1720|12345678|True|8|2|"));
}

TEST_F(GeneraReporteTest, ExemptIncomeAnnexAnnouncesFourPages) {
    d.seleccion = {OpcionImpresion::DeclaracionYAnexo, true, false};
    const QStringList l = genera();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.paginas, 4);
    EXPECT_EQ(filtra(l, "<!nHojas!>4").size(), 4);
    EXPECT_TRUE(filtra(l, "<!nHojas!>3").isEmpty());
    EXPECT_TRUE(l.contains("pPos|300|2540|CASILLA 200 - RENTAS EXONERADAS |True|8|3|"));
    EXPECT_TRUE(
        l.contains("pPos|300|3080|a) Las remuneraciones que perciban, por el ejercicio de su cargo en el país, los|False|8|3|"));
    // Item b) carries box 536 on its first line; the total sits 540 below the last item line.
    const int yB = l.indexOf(QRegularExpression(R"(pPos\|300\|\d+\|b\) Las rentas.*)"));
    ASSERT_GE(yB, 0);
    const QString y = l[yB].section('|', 2, 2);
    EXPECT_TRUE(l.contains("pPos|9275|" + y + "|          3,500|False|8|3|"));
    // No label line runs into the amount column.
    for (const QString& x : filtra(l, "pPos|300|"))
        EXPECT_LE(x.section('|', 3, 3).size(), 86) << qPrintable(x);
}

TEST_F(GeneraReporteTest, AnnexAloneHasNoDeclarationPages) {
    d.seleccion = {OpcionImpresion::Anexo, true, false};
    const QStringList l = genera();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.paginas, 1);
    EXPECT_TRUE(filtra(l, "pPos|300|2340|").isEmpty());  // no section titles of the declaration
    EXPECT_TRUE(l.contains("pPos|300|2540|CASILLA 200 - RENTAS EXONERADAS |True|8|0|"));
    EXPECT_TRUE(l.contains("pPos|9000|400|Pag. 1|False|8|0|"));
}

TEST_F(GeneraReporteTest, DividendsListRunsOnLandscapePagesWithCountAndTotals) {
    prueba::agregaDividendos(e.base(), kRuc, 40);
    d.seleccion = {OpcionImpresion::DeclaracionYAnexo, false, true};
    const QStringList l = genera();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.paginas, 5);  // 3 declaration pages, the list on two
    // Each list page opens landscape, with the title and the heads.
    for (int hoja : {3, 4}) {
        const int i = l.indexOf(QString("pPos|2400|350|ZORVA|True|16|%1|").arg(hoja));
        ASSERT_GT(i, 2);
        EXPECT_EQ(l[i - 2], "pNuevaHoja");
        EXPECT_EQ(l[i - 1], "<!Orientacion!>H<!/Orientacion!>");
        EXPECT_TRUE(l.contains(QString("pPos|6100|2080|DIVIDENDOS PERCIBIDOS|True|13|%1|").arg(hoja)));
        EXPECT_TRUE(l.contains(QString("pPos|400|2460|R.U.C.|False|7|%1|").arg(hoja)));
    }
    // Rows never go below y 9899.
    int filasHoja3 = 0;
    for (const QString& x : filtra(l, "pPos|400|")) {
        EXPECT_LE(x.section('|', 2, 2).toInt(), 9899);
        if (x.endsWith("|7|3|") && x.section('|', 3, 3).startsWith("201")) ++filasHoja3;
    }
    EXPECT_EQ(filasHoja3, 27);
    // Count and totals after the last row: sum of 1000..1039 and of 41..80.
    const int ultima = l.indexOf("pPos|400|" + QString::number(2730 + 12 * 270) + "|20100000039|False|7|4|");
    ASSERT_GT(ultima, 0);
    const QString yTot = QString::number(2730 + 13 * 270);
    EXPECT_TRUE(l.contains("pPos|400|" + yTot + "|Cantidad total de registros  :40|False|7|4|"));
    EXPECT_TRUE(l.contains("pPos|9000|" + yTot + "|Totales :|False|7|4|"));
    EXPECT_TRUE(l.contains("pPos|10550|" + yTot + "|         40,780|False|7|4|"));
    EXPECT_TRUE(l.contains("pPos|12970|" + yTot + "|          2,420|False|7|4|"));
    EXPECT_TRUE(l.contains("pPos|6600|2730|01/05/2003|False|7|3|"));
}

TEST_F(GeneraReporteTest, TickedDividendsWithoutRowsAddNoPage) {
    prueba::agregaDividendos(e.base(), "20999999999", 3);  // another taxpayer's
    d.seleccion = {OpcionImpresion::DeclaracionYAnexo, false, true};
    QStringList l = genera();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.paginas, 3);
    EXPECT_FALSE(l.contains("<!Orientacion!>H<!/Orientacion!>"));

    // With nothing else selected there is nothing to print.
    d.seleccion = {OpcionImpresion::Anexo, false, true};
    l = genera();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.mensaje, "No Existe Información a Imprimir.Verifique.");
    ASSERT_FALSE(e.dialogos().mostrados.empty());
    EXPECT_EQ(e.dialogos().mostrados.back().titulo, "Impresión");
}

TEST_F(GeneraReporteTest, AnUnwritableFileIsATechnicalError) {
    r = GeneraReporte(e.base(), d, e.sistema() + "NOFOLDER/x.PRN");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.mensaje.startsWith("Error Técnico : (75) ")) << qPrintable(r.mensaje);
    EXPECT_EQ(mensajeErrorImpresion(482, ""), "No existe una impresora seleccionada.Verifique.");
    EXPECT_EQ(mensajeErrorImpresion(20545, ""), "La Impresión ha sido Cancelada.");
}

TEST(SeleccionImpresion, AnnexOptionsNeedATickedAnnex) {
    EXPECT_TRUE((SeleccionImpresion{OpcionImpresion::Declaracion, false, false}.valida()));
    EXPECT_FALSE((SeleccionImpresion{OpcionImpresion::Anexo, false, false}.valida()));
    EXPECT_FALSE((SeleccionImpresion{OpcionImpresion::DeclaracionYAnexo, false, false}.valida()));
    EXPECT_TRUE((SeleccionImpresion{OpcionImpresion::Anexo, false, true}.valida()));
}

TEST_F(GeneraReporteTest, EachPressRegistersANewSpoolRowAndFile) {
    d.seleccion = {};
    const ReporteGenerado a = GeneraDeclaracion(e.base(), d, e.sistema() + "RPT", "DEMO");
    const ReporteGenerado b = GeneraDeclaracion(e.base(), d, e.sistema() + "RPT", "DEMO");
    ASSERT_TRUE(a.resultado.ok && b.resultado.ok);
    EXPECT_EQ(a.archivo, "00000001.PRN");
    EXPECT_EQ(b.archivo, "00000002.PRN");
    EXPECT_TRUE(QFile::exists(a.ruta) && QFile::exists(b.ruta));
    EXPECT_EQ(e.base().escalar("SELECT COUNT(*) FROM SPOOL WHERE CodRep='RP0008' AND doc_id_d=?", {kRuc}).toInt(), 2);
}

// A report that is not written whole leaves neither a file nor a SPOOL row naming it: before, the
// row was added first and kept, naming an empty or truncated file.
TEST_F(GeneraReporteTest, AReportNotWrittenWholeLeavesNoFileAndNoRow) {
    const auto filas = [&] { return e.base().escalar("SELECT COUNT(*) FROM SPOOL").toInt(); };
    const QDir rpt(e.sistema() + "RPT");
    // Nothing to print: the run stops after the file was opened.
    d.seleccion = {OpcionImpresion::Anexo, false, true};
    const ReporteGenerado nada = GeneraDeclaracion(e.base(), d, e.sistema() + "RPT", "DEMO");
    EXPECT_FALSE(nada.resultado.ok);
    EXPECT_TRUE(nada.archivo.isEmpty());
    EXPECT_EQ(filas(), 0);
    EXPECT_TRUE(rpt.entryList(QDir::Files).isEmpty()) << rpt.entryList(QDir::Files).join(",").toStdString();

    // A full disk: a report folder on a tmpfs too small for the report (needs root to mount).
    if (::geteuid() != 0) GTEST_SKIP() << "the full-folder case needs root to mount a small tmpfs";
    const QString lleno = e.carpeta() + "/lleno";
    QDir().mkpath(lleno);
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8k", "tmpfs", lleno}) != 0)
        GTEST_SKIP() << "mount is not available here";
    d.seleccion = {OpcionImpresion::DeclaracionYAnexo, true, true};
    const ReporteGenerado g = GeneraDeclaracion(e.base(), d, lleno, "DEMO");
    const QStringList quedan = QDir(lleno).entryList(QDir::Files);
    QProcess::execute("umount", {lleno});
    EXPECT_FALSE(g.resultado.ok);
    EXPECT_EQ(g.resultado.numeroError, 57) << g.resultado.mensaje.toStdString();
    EXPECT_EQ(filas(), 0);
    EXPECT_TRUE(quedan.isEmpty()) << quedan.join(",").toStdString();
}

TEST_F(GeneraReporteTest, SentDeclarationReadsItsSending) {
    BaseDatos& b = e.base();
    b.ejecuta("INSERT INTO hCAB (tip_doc_d, doc_id_d, periodo, formulario, semana, correl, estado, rectifica, "
              "bcolibrad, norden, control, cNumero) VALUES (6, ?, '2003', '0738', 0, '002', 1, '0', NULL, '77', '5', "
              "'000000')",
              {kRuc});
    for (auto [c, v] : {std::pair{"100", "-500"}, {"850", "X8"}, {"721", "1"}})
        b.ejecuta("INSERT INTO hDET (tip_doc_d, doc_id_d, periodo, formulario, semana, correl, casilla, i_valor, "
                  "idcasilla, estado, cNumero) VALUES (6, ?, '2003', '0738', 0, '002', ?, ?, '01', 0, '000000')",
                  {kRuc, QString(c), QString(v)});
    d.enviada = true;
    d.correl = "002";
    CargarCasillas(b, d);
    EXPECT_EQ(d.casilla(100), "-500");
    EXPECT_EQ(d.casilla(850), "X8");
    EXPECT_TRUE(d.casilla(721).isEmpty());
    EXPECT_TRUE(d.casilla(501).isEmpty());  // the stored declaration's boxes are not mixed in
    EXPECT_EQ(d.rectifica, "0");
    EXPECT_TRUE(d.banco.isEmpty());
}

// The refund request (box 260): " X " under "SI" for yes, before "NO" for anything else, nothing
// when the box is empty.
TEST_F(GeneraReporteTest, RefundRequestMark) {
    struct Caso {
        const char* valor;
        const char* marca;  // nullptr: no mark
    } casos[] = {
        {"1", "pPos|7050|8550| X |False|8|2|"},
        {"2", "pPos|8825|8280| X |False|8|2|"},
        {"", nullptr},
    };
    for (const auto& c : casos) {
        d.fijaCasilla(260, c.valor);
        const QStringList marcas = filtra(genera(), "pPos").filter(QRegularExpression("\\| X \\|.*\\|2\\|$"));
        EXPECT_EQ(marcas, c.marca ? QStringList{c.marca} : QStringList{}) << c.valor;
    }
}

// The declaration of the fixture, compared line by line with the reviewed report file.
TEST_F(GeneraReporteTest, GoldenDeclarationReport) {
    d.seleccion = {OpcionImpresion::DeclaracionYAnexo, true, true};
    prueba::agregaDividendos(e.base(), kRuc, 3);
    const QStringList l = genera();
    ASSERT_TRUE(r.ok);
    QFile f(QStringLiteral(QVR_FIXTURES "/imprimir/declaracion.PRN"));
    if (qEnvironmentVariableIsSet("QVR_ACTUALIZA_GOLDEN")) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(aCp1252(l.join("\r\n") + "\r\n"));
        GTEST_SKIP() << "golden file written";
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "missing golden file";
    QStringList esperadas = deCp1252(f.readAll()).split("\r\n");
    esperadas.removeLast();
    for (int i = 0; i < std::min(l.size(), esperadas.size()); ++i)
        ASSERT_EQ(l[i], esperadas[i]) << "line " << i + 1;
    EXPECT_EQ(l.size(), esperadas.size());
}

}  // namespace
