// varnel-cli grabar stores what it is given or says no: a value its box would keep changed (cut,
// filtered, signed, with decimals, not UTF-8) is refused with the line it came on, every such line
// is reported, and the database keeps what it had.
#include <gtest/gtest.h>

#include <QBuffer>

#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/cli/lote_declaracion.h"

using namespace qvr;

namespace {

const QString kNuevo = "10455555551";
const QString kGuardado = "20100047218";  // has a stored declaration

class ValoresCambiados : public ::testing::Test {
  protected:
    void SetUp() override {
        prueba::preparaDeclaraciones(env);
        env.agregaContribuyente(kNuevo, "ROJAS", "DIAZ", "ANA MARIA", "ANA");
    }
    QString det(const QString& ruc, const QString& casilla) {
        return env.base()
            .escalar("SELECT i_valor FROM DET WHERE doc_id_d=? AND casilla=?", {ruc, casilla})
            .toString();
    }
    // The rows of both tables and the stored declaration's boxes that a refusal must leave alone.
    QStringList escrito() {
        return {env.base().escalar("SELECT count(*) FROM CAB").toString(),
                env.base().escalar("SELECT count(*) FROM DET").toString(), det(kGuardado, "100"),
                det(kGuardado, "102"), det(kGuardado, "811")};
    }
    // `lineas` after the ruc= line, a comment and a blank line: the first of them is line 4.
    ResultadoGrabarLote graba(const QString& ruc, const QByteArray& lineas) {
        QByteArray entrada = "ruc=" + ruc.toUtf8() + "\n# lines of a test\n\n" + lineas;
        QBuffer b(&entrada);
        b.open(QIODevice::ReadOnly);
        LectorLineas lector(b);
        ResultadoGrabarLote r =
            grabaLote(env.base(), "0738", "ANA", lector, [&](const QString& a) { avisos << a; });
        return r;
    }
    QStringList avisos;
    prueba::Entorno env;
};

TEST_F(ValoresCambiados, SeRechazanConSuLineaYNadaSeGraba) {
    struct Caso {
        const char* nombre;
        QByteArray lineas;
        QStringList esperados;  // each one in one message, in this order
    } casos[] = {
        {"cifras de mas",
         "100=12345678901234567890\n",
         {"línea 4: casilla 100: \"12345678901234567890\" pasa de las 12 cifras"}},
        {"signo", "rectifica=0\n100=-5000\n", {"línea 5: casilla 100: \"-5000\" lleva signo"}},
        {"decimales", "100=5,000.50\n", {"línea 4: casilla 100: \"5,000.50\" lleva decimales"}},
        {"letras en un importe",
         "100=12abc34\n",
         {"línea 4: casilla 100: \"12abc34\" lleva caracteres que la casilla no admite (\"abc\")"}},
        {"separadores fuera de sitio",
         "100=5,00\n",
         {"línea 4: casilla 100: \"5,00\" lleva los separadores de miles fuera de su sitio"}},
        {"signo en una deduccion", "122=-1234\n", {"línea 4: casilla 122: \"-1234\" lleva signo"}},
        {"decimales en el detalle", "535=1500.5\n", {"línea 4: casilla 535: \"1500.5\" lleva decimales"}},
        {"no UTF-8", "811=P\xC9REZ\n", {"línea 4: casilla 811: no es texto UTF-8; no se lee"}},
        {"nombre largo",
         "811=ABCDEFGHIJKLMNOP\n",
         {"línea 4: casilla 811: \"ABCDEFGHIJKLMNOP\" pasa de los 15 caracteres"}},
        {"cifra en un nombre",
         "812=GOMEZ2\n",
         {"línea 4: casilla 812: \"GOMEZ2\" lleva caracteres que la casilla no admite (\"2\")"}},
        {"telefono",
         "telefono=41-23456\n",
         {"línea 4: telefono: \"41-23456\" el teléfono admite solo cifras, hasta 8"}},
        {"fecha", "nacimiento=31/02/1970\n", {"línea 4: nacimiento: \"31/02/1970\" no es una fecha válida"}},
        {"linea larga",
         "817=" + QByteArray(70000, 'A') + "\n100=5\n",
         {"línea 4: casilla 817: la línea pasa de 65536 bytes"}},
        {"todas las malas, no la primera",
         "100=5000\n# ok\n102=1.5\n105=9\n106=x\nxyz=1\n110=+1\n",
         {"línea 6: casilla 102:", "línea 8: casilla 106:", "línea 9: clave desconocida 'xyz'",
          "línea 10: casilla 110:"}},
        {"otro ruc", "100=5000\nruc=10401234567\n", {"línea 5: ruc: la declaración es la del RUC"}},
    };
    for (const QString& ruc : {kNuevo, kGuardado}) {
        for (const Caso& c : casos) {
            SCOPED_TRACE(ruc.toStdString() + " " + c.nombre);
            avisos.clear();
            const QStringList antes = escrito();
            const ResultadoGrabarLote r = graba(ruc, c.lineas);
            EXPECT_EQ(r.salida, 2);
            EXPECT_TRUE(r.lineas.isEmpty());
            ASSERT_EQ(avisos.size(), c.esperados.size()) << avisos.join("\n").toStdString();
            for (qsizetype i = 0; i < avisos.size(); ++i)
                EXPECT_TRUE(avisos[i].contains(c.esperados[i])) << avisos[i].toStdString();
            EXPECT_EQ(escrito(), antes);
        }
    }
}

TEST_F(ValoresCambiados, LoQueLaCasillaGuardaTalCualPasa) {
    struct Caso {
        const char* linea;
        const char* casilla;
        QString guardado;  // i_valor
    } casos[] = {
        {"100=5000", "100", "5000"},        {"100=5,000", "100", "5000"},
        {"105= 180,000 ", "105", "180000"}, {"106=0500", "106", "500"},
        {"122=1,234", "122", "-1234"},      {"124=(1,234)", "124", "-1234"},
        {"125=(900)", "125", "-900"},       {"811=pérez", "811", "PÉREZ"},
        {"812=MUÑOZ", "812", "MUÑOZ"},      {"813=josé maría", "813", "JOSÉ MARÍA"},
        {"telefono=4123456", nullptr, {}},  {"nacimiento=15/06/1970", nullptr, {}},
    };
    QByteArray lineas = "rectifica=0\r\n";
    for (const Caso& c : casos) lineas += QByteArray(c.linea) + "\r\n";
    const ResultadoGrabarLote r = graba(kNuevo, lineas);
    ASSERT_EQ(r.salida, 0) << avisos.join("\n").toStdString();
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join("\n").toStdString();
    for (const Caso& c : casos)
        if (c.casilla) {
            EXPECT_EQ(det(kNuevo, c.casilla), c.guardado) << c.linea;
        }
}

// The declarant comes first; blank and comment lines before it are counted all the same.
TEST_F(ValoresCambiados, ElRucVaPrimero) {
    QByteArray entrada = "# first\n\n100=5000\nruc=" + kNuevo.toUtf8() + "\n";
    QBuffer b(&entrada);
    b.open(QIODevice::ReadOnly);
    LectorLineas lector(b);
    const ResultadoGrabarLote r =
        grabaLote(env.base(), "0738", "ANA", lector, [&](const QString& a) { avisos << a; });
    EXPECT_EQ(r.salida, 2);
    EXPECT_EQ(avisos, QStringList{"línea 4: la línea ruc= debe ir primero, antes de la línea 3"});
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM CAB WHERE doc_id_d=?", {kNuevo}).toInt(), 0);

    // Repeating the same RUC later is harmless.
    avisos.clear();
    const ResultadoGrabarLote otra =
        graba(kNuevo, "rectifica=0\ntelefono=4123456\n100=5000\nruc=" + kNuevo.toUtf8() + "\n");
    EXPECT_EQ(otra.salida, 0) << avisos.join("\n").toStdString();
    EXPECT_EQ(det(kNuevo, "100"), "5000");
}

}  // namespace
