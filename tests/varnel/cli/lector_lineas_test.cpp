// varnel-cli's line reader: lines split and numbered as the file has them, a line past the bound cut
// and skipped to its end, bytes that are not UTF-8 reported instead of replaced.
#include <gtest/gtest.h>

#include <QBuffer>

#include "varnel/cli/lote_entrada.h"

using namespace qvr;

namespace {

using Falla = LineaEntrada::Falla;

struct Leida {
    int numero;
    QString texto;
    Falla falla;
    bool operator==(const Leida& o) const {
        return numero == o.numero && texto == o.texto && falla == o.falla;
    }
};

std::vector<Leida> lee(QByteArray bytes) {
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    LectorLineas lector(b);
    std::vector<Leida> r;
    LineaEntrada l;
    while (lector.siguiente(l)) r.push_back({l.numero, l.texto, l.falla});
    EXPECT_FALSE(lector.error());
    return r;
}

std::string muestra(const std::vector<Leida>& v) {
    std::string s;
    for (const Leida& l : v)
        s += std::to_string(l.numero) + ":" + l.texto.left(20).toStdString() + "(" +
             std::to_string(l.texto.size()) + "," + std::to_string(int(l.falla)) + ") ";
    return s;
}

TEST(LectorLineas, PartiraYNumeraComoElArchivo) {
    const QString largo(int(kLongitudMaximaLinea), u'7');
    struct Caso {
        const char* nombre;
        QByteArray entrada;
        std::vector<Leida> esperado;
    } casos[] = {
        {"vacia", "", {}},
        {"sin salto final", "a=1\nb=2", {{1, "a=1", Falla::Ninguna}, {2, "b=2", Falla::Ninguna}}},
        {"CRLF y lineas vacias",
         "a=1\r\n\r\n\nb=2\r\n",
         {{1, "a=1", Falla::Ninguna},
          {2, "", Falla::Ninguna},
          {3, "", Falla::Ninguna},
          {4, "b=2", Falla::Ninguna}}},
        {"marca de orden de bytes", "\xEF\xBB\xBFruc=1\n", {{1, "ruc=1", Falla::Ninguna}}},
        {"UTF-8 valido", "811=PÉREZ ÑAHUI\n", {{1, "811=PÉREZ ÑAHUI", Falla::Ninguna}}},
        {"Latin-1 en medio",
         "ruc=1\n811=P\xC9REZ\n812=GOMEZ\n",
         {{1, "ruc=1", Falla::Ninguna},
          {2, "811=P\uFFFDREZ", Falla::NoUtf8},
          {3, "812=GOMEZ", Falla::Ninguna}}},
        {"secuencia truncada al final", "811=AB\xE2\x82", {{1, "811=AB\uFFFD\uFFFD", Falla::NoUtf8}}},
        {"linea justo en el limite",
         largo.toUtf8() + "\nx=1\n",
         {{1, largo, Falla::Ninguna}, {2, "x=1", Falla::Ninguna}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const std::vector<Leida> r = lee(c.entrada);
        EXPECT_EQ(r, c.esperado) << muestra(r);
    }
}

// A line past the bound is reported once, cut at the bound, and the lines after it keep their
// numbers: the rest of it is read past, also when it runs over several blocks or ends the input.
TEST(LectorLineas, UnaLineaDemasiadoLargaSeSaltaHastaSuFin) {
    for (const qsizetype exceso : {qsizetype(1), qsizetype(10), 5 * kLongitudMaximaLinea}) {
        SCOPED_TRACE(exceso);
        const QByteArray larga = "817=" + QByteArray(kLongitudMaximaLinea - 4 + exceso, 'A');
        std::vector<Leida> r = lee("ruc=1\n" + larga + "\n100=5\n" + larga);
        ASSERT_EQ(r.size(), 4u) << muestra(r);
        EXPECT_EQ(r[0], (Leida{1, "ruc=1", Falla::Ninguna}));
        EXPECT_EQ(r[1].numero, 2);
        EXPECT_EQ(r[1].falla, Falla::Larga);
        EXPECT_EQ(r[1].texto.size(), kLongitudMaximaLinea);
        EXPECT_TRUE(r[1].texto.startsWith("817=AAA"));
        EXPECT_EQ(r[2], (Leida{3, "100=5", Falla::Ninguna}));
        EXPECT_EQ(r[3].numero, 4);
        EXPECT_EQ(r[3].falla, Falla::Larga);
    }
}

// Lines that straddle the reader's blocks come out whole.
TEST(LectorLineas, LineasQueCruzanLosBloques) {
    QByteArray entrada;
    std::vector<Leida> esperado;
    for (int i = 1; i <= 3000; ++i) {
        const QString l = QString("%1=%2").arg(i % 900 + 100).arg(QString(i % 97, u'9'));
        entrada += l.toUtf8() + (i % 2 ? "\n" : "\r\n");
        esperado.push_back({i, l, Falla::Ninguna});
    }
    EXPECT_EQ(lee(entrada), esperado);
}

}  // namespace
