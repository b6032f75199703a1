#include <gtest/gtest.h>

#include "common/cnumero.h"
#include "common/schema.h"
#include "support/entorno.h"

using namespace qvr;

TEST(CNumero, CabeceraCalculadaAMano) {
    prueba::Entorno env;
    auto cols = env.base().columnas("CAB");
    // tip_doc_d, doc_id_d, periodo, formulario, semana | estado, rectifica, fec_pro, bcolibrad, nrocheque,
    // cheque, efectivo, norden | cNumero
    QVariantList v = {6, "20100066603", "2003", "0738", 0, 0, "1", "31/03/2004", " ", " ", " ", "1500", "", ""};
    // S1 = 6 + 20100066603 + 2003 + 738 + 0 = 20100069350 → "350".
    // S2: estado "0" = 48; rectifica "1" = 49; "31/03/2004" = sum i*code; " " (trimmed) = 0 three times;
    // "1500" = 1*49+2*53+3*48+4*48 = 491; norden "" = 0.
    int fecha = 0;
    const QString f = "31/03/2004";
    for (int i = 0; i < f.size(); ++i) fecha += (i + 1) * f[i].unicode();
    const int s2 = 48 + 49 + fecha + 491;
    EXPECT_EQ(cNumero(v, cols, 5), "350" + QString::number(s2 % 1000).rightJustified(3, '0'));
}

TEST(CNumero, FilaDeAnexoConFechaYTextoVacio) {
    prueba::Entorno env;
    creaTablasAnexo(env.base());
    auto cols = env.base().columnas("F0738DIVIDEND");
    // Columns: tip_doc_d, doc_id_d, periodo, formulario, num_RUC, des_entpagadora | fec_retenida,
    // mto_distribuido, mto_retenido | cnumero. The first six enter S1, by position, not by the table's key.
    QVariantList v = {6, "10000000001", "2003", "0738", "20100066603", "", "2003-05-31 10:20:00", "10000", "410", ""};
    // S1 = 6 + 10000000001 + 2003 + 738 + 20100066603 (the empty name adds nothing) = 30100069351
    // S2: the date as "20030531"; "10000" → 49+2*48+3*48+4*48+5*48 = 721; "410" → 52+2*49+3*48 = 294
    int fecha = 0;
    const QString f = "20030531";
    for (int i = 0; i < f.size(); ++i) fecha += (i + 1) * f[i].unicode();
    EXPECT_EQ(cNumero(v, cols, 6), "351" + QString::number((fecha + 721 + 294) % 1000).rightJustified(3, '0'));
    // The time of day does not change the date's contribution.
    v[6] = "2003-05-31";
    EXPECT_EQ(cNumero(v, cols, 6), "351" + QString::number((fecha + 721 + 294) % 1000).rightJustified(3, '0'));
}

TEST(CNumero, TextoDeColumnaPorTipo) {
    EXPECT_EQ(textoCNumero(QVariant(), TipoColumna::Texto), "");
    EXPECT_EQ(textoCNumero(QString("  A "), TipoColumna::Texto), "A");
    EXPECT_EQ(textoCNumero(6, TipoColumna::Entero), "6");
    EXPECT_EQ(textoCNumero(0.5, TipoColumna::Flotante), ".5");
    EXPECT_EQ(textoCNumero(QString("2003-12-31"), TipoColumna::Fecha), "20031231");
    EXPECT_EQ(textoCNumero(QString("2003-12-31 23:59:00"), TipoColumna::Fecha), "20031231");
}

TEST(CNumero, LetraAcentuadaSumaSuCodigoAnsi) {
    std::vector<Columna> cols = {{"k", TipoColumna::Entero, "INTEGER"}, {"t", TipoColumna::Texto, "TEXT"},
                                 {"cNumero", TipoColumna::Texto, "TEXT"}};
    // "Ñ" is 209 in Windows-1252; "A" at position 2 adds 2*65.
    EXPECT_EQ(cNumero({1, QString::fromUtf8("ÑA"), ""}, cols, 1), "001" + QString::number(209 + 130));
}
