#include <gtest/gtest.h>

#include "oskeni/linea_comandos.h"
#include "oskeni/resumen.h"
#include "support/entorno.h"

using namespace qvr;

namespace {
const QDateTime kAhora(QDate(2004, 3, 31), QTime(10, 20, 30));

void declaracion(BaseDatos& b, const QString& ruc, const QString& cheque, const QString& banco,
                 const QMap<QString, QString>& casillas) {
    b.ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, nrocheque, bcolibrad) "
              "VALUES (6, ?, '2003', '0738', 0, 0, ?, ?)",
              {ruc, cheque, banco});
    for (auto it = casillas.begin(); it != casillas.end(); ++it)
        b.ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, idcasilla, "
                  "estado) VALUES (6, ?, '2003', '0738', 0, ?, ?, '01', 0)",
                  {ruc, it.key(), it.value()});
}
}  // namespace

TEST(LineaResumen, CamposPorPosicion) {
    const LineaResumen l = separaLinea("  10000000001    07382003000" "12345678");
    EXPECT_EQ(l.numero, "10000000001    ");
    EXPECT_EQ(l.formulario, "0738");
    EXPECT_EQ(l.periodo, "2003");
    EXPECT_EQ(l.periodo6, "200300");
    EXPECT_EQ(l.semana, "0");
    EXPECT_EQ(l.nc, "12345678");
    EXPECT_EQ(l.nombreBase(), "07382003000" "12345678");
    const LineaResumen corta = separaLinea("  10000000001    0738");
    EXPECT_EQ(corta.formulario, "0738");
    EXPECT_EQ(corta.periodo, "");
    EXPECT_EQ(corta.nc, "");
    EXPECT_EQ(separaLinea("").numero, "");
}

TEST(Resumen, ColumnasDeMonto) {
    struct Caso { const char* valor; int ancho; const char* esperado; } casos[] = {
        {"1500", 12, "        1,500"},
        {"-1234", 12, "       -1,234"},
        {"abc", 12, ""},
        {"", 14, ""},
        {"123456789012", 12, " 123456789012"},        // 15 wide: the three separators go
        {"12345678901234", 12, " 12345678901234"},    // 18 wide, only 4 separators: whole, after the blank
    };
    for (const auto& c : casos) EXPECT_EQ(columnaMonto(c.valor, c.ancho), QString(c.esperado)) << c.valor;
}

TEST(Resumen, EfectivoChequeYRectificatoria) {
    prueba::Entorno env;
    auto& b = env.base();
    env.agregaContribuyente("10000000001", "PEREZ", "GOMEZ", "ANA", "DEMO");
    env.agregaContribuyente("10000000002", "RIOS", "LUNA", "JUAN", "DEMO");
    env.agregaParam("004", "02", QString("BANCO DEL ANDE").leftJustified(37) + "B.ANDE");
    declaracion(b, "10000000001", "", "", {{"146", "1500"}, {"180", "1500"}, {"598", "1500"}, {"871", "0"}});
    declaracion(b, "10000000002", "00012345", "02", {{"146", "2000"}, {"180", "X1"}, {"598", "2000"}, {"871", "1"}});

    auto efectivo = leeDatosResumen(b, separaLinea("  10000000001    07382003000" "11111111"));
    ASSERT_TRUE(efectivo);
    QStringList m = lineasResumenMarcado(*efectivo, kAhora);
    EXPECT_TRUE(m.contains("          FORMA DE PAGO    : EFECTIVO"));
    EXPECT_TRUE(m.contains("          RECTIFICATORIA   : NO"));
    EXPECT_FALSE(m.join('\n').contains("CHEQUE"));
    const QString diez(10, ' ');
    EXPECT_TRUE(m.contains(diez + "Renta" + QString(12, ' ') + " " + QString(7, ' ') + "1,500" + " " +
                           QString(9, ' ') + "1,500"));
    EXPECT_TRUE(m.contains(diez + "TOTAL:" + QString(24, ' ') + " " + QString(9, ' ') + "1,500"));

    auto cheque = leeDatosResumen(b, separaLinea("  10000000002    07382003000" "22222222"));
    ASSERT_TRUE(cheque);
    m = lineasResumenMarcado(*cheque, kAhora);
    EXPECT_TRUE(m.contains("          NUMERO DE CHEQUE : 00012345"));
    EXPECT_TRUE(m.contains("          BANCO            : BANCO DEL ANDE"));
    EXPECT_TRUE(m.contains("          RECTIFICATORIA   : SI"));
    // 180 not numeric: its column stays empty
    EXPECT_TRUE(m.contains(QString(10, ' ') + "Renta" + QString(12, ' ') + " " + QString(7, ' ') + "2,000"));
    QStringList t = lineasResumenTexto(*cheque, kAhora);
    EXPECT_TRUE(t.contains("NUMERO CHEQUE  : 00012345"));
    EXPECT_TRUE(t.contains("BANCO          : BANCO DEL ANDE"));
    EXPECT_EQ(t.last(), QString::fromUtf8("NC 22222222  Fec.Generación: 31/03/2004"));

    EXPECT_FALSE(leeDatosResumen(b, separaLinea("  10000000009    07382003000" "33333333")));
}
