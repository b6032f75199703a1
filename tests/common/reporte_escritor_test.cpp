#include "common/reporte_escritor.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/reporte_marcado.h"

using namespace qvr::reporte;

namespace {
class Escritor : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString ruta() const { return dir.filePath("00000001.PRN"); }
    QList<QByteArray> lineas() {
        QFile f(ruta());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray todo = f.readAll();
        EXPECT_TRUE(todo.endsWith("\r\n"));
        todo.chop(2);
        return todo.split('\n');  // each element still ends in CR
    }
    static QByteArray sinCr(QByteArray l) { return l.endsWith('\r') ? l.chopped(1) : l; }
};
}  // namespace

TEST_F(Escritor, PrimerasLineasDeUnaDeclaracion) {
    EscritorReporte w(Programa::Varnel, 80);
    w.abre(ruta());
    w.EscribeLinea(etiquetaFuente());
    w.EscribeLinea(etiquetaHojas(3));
    w.EscribeLinea(etiquetaOrientacion("V"));
    w.EscribeLinea(etiquetaColor("&H00FFFFC0&"));
    w.EscribeTexto(300, 350, "ZORVA", true, 16, 0);
    w.EscribeTexto(300, 750, "DECLARACION", false, 8, 0);
    w.EscribeCuadro(150, 300, 1700, 1640, 0);
    w.cierra();
    QFile f(ruta());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(),
              "<!font!>Courier New<!/font!>\r\n"
              "<!nHojas!>3<!/nHojas!>\r\n"
              "<!Orientacion!>V<!/Orientacion!>\r\n"
              "<!Color!>&H00FFFFC0&<!/Color!>\r\n"
              "pPos|300|350|ZORVA|True|16|0|\r\n"
              "pPos|300|750|DECLARACION|False|8|0|\r\n"
              "pCuadro|150|300|1700|1640|0|\r\n");
}

TEST_F(Escritor, LineasPorHojaYEtiquetasFueraDeLaPrimera) {
    EscritorReporte w(Programa::Varnel, 80);
    w.abre(ruta());
    w.EscribeLinea(etiquetaFuente());  // tag lines count as lines
    for (int i = 2; i <= 85; ++i) w.EscribeLinea(QString("linea %1").arg(i));
    EXPECT_EQ(w.hoja(), 2);
    w.EscribeLinea(etiquetaHojas(3));  // page 2: nothing written, nothing counted
    w.EscribeTexto(0, 0, etiquetaColor("&H80000005&"), false, 8, 1);
    EXPECT_EQ(w.lineas(), 0);
    w.EscribeLinea("   12,345");
    w.cierra();

    const auto l = lineas();
    ASSERT_EQ(l.size(), 87);
    EXPECT_EQ(sinCr(l[84]), "pPos|10|14700|linea 85|False|8|0|");
    EXPECT_EQ(sinCr(l[85]), "pNuevaHoja");
    // Next page, one page number higher, from the top of the page, leading blanks kept.
    EXPECT_EQ(sinCr(l[86]), "pPos|10|175|   12,345|False|8|1|");
}

TEST_F(Escritor, LimitesDeCadaPrograma) {
    struct Caso {
        Programa p;
        int ancho, limite;
    } casos[] = {{Programa::Varnel, 80, 85},
                 {Programa::Varnel, 83, 83},
                 {Programa::Oskeni, 80, 80},
                 {Programa::Oskeni, 132, 44}};
    for (const auto& c : casos) {
        EscritorReporte w(c.p, c.ancho);
        w.abre(ruta());
        for (int i = 0; i < c.limite - 1; ++i) w.EscribeLinea("x");
        EXPECT_EQ(w.hoja(), 1);
        w.EscribeLinea("x");
        EXPECT_EQ(w.hoja(), 2) << c.limite;
        w.cierra();
        EXPECT_EQ(sinCr(lineas().last()), "pNuevaHoja");
    }
}

TEST_F(Escritor, TextoConSeparadorNoRompeElRegistro) {
    EscritorReporte w(Programa::Varnel, 80);
    w.abre(ruta());
    w.EscribeTexto(10, 20, "A|B\r\nC", false, 8, 0);
    w.cierra();
    const auto r = std::get<Registro>(leeLinea(sinCr(lineas()[0])));
    EXPECT_EQ(r.texto, "A B  C");
    EXPECT_EQ(r.tamano, 8);
}

TEST_F(Escritor, IdaYVueltaDeCadaRegistro) {
    EscritorReporte w(Programa::Varnel, 80);
    w.abre(ruta());
    w.EscribeLinea(etiquetaFuente());
    w.EscribeLinea(etiquetaHojas(4));
    w.EscribeLinea(etiquetaOrientacion("H"));
    w.EscribeLinea(etiquetaColor("&H80000005&"));
    w.EscribeTexto(-120, 32767, "  Año ÓPTIMO ", true, 12, 3);
    w.EscribeLinea("PERÍODO");
    w.EscribeCuadro(1, 2, 3, 4, 5);
    w.EscribeTexto(0, 0, "pNuevaHoja", false, 8, 0);
    w.cierra();

    std::vector<Registro> r;
    for (const QByteArray& l : lineas()) r.push_back(std::get<Registro>(leeLinea(sinCr(l))));
    ASSERT_EQ(r.size(), 8u);
    EXPECT_EQ(r[0].tipo, Tipo::Fuente);
    EXPECT_EQ(r[0].texto, "Courier New");
    EXPECT_EQ(r[1].numero, 4);
    EXPECT_EQ(r[2].texto, "H");
    EXPECT_EQ(r[3].numero, std::int32_t(0x80000005u));
    EXPECT_EQ(r[4].tipo, Tipo::Pos);
    EXPECT_EQ(std::vector<int>({r[4].x, r[4].y, r[4].tamano, r[4].hoja}),
              std::vector<int>({-120, 32767, 12, 3}));
    EXPECT_TRUE(r[4].negrita);
    EXPECT_EQ(r[4].textoUnicode(), "  Año ÓPTIMO ");
    EXPECT_EQ(std::vector<int>({r[5].x, r[5].y, r[5].tamano, r[5].hoja}), std::vector<int>({10, 175, 8, 0}));
    EXPECT_EQ(r[5].textoUnicode(), "PERÍODO");
    EXPECT_EQ(r[6].tipo, Tipo::Cuadro);
    EXPECT_EQ(std::vector<int>({r[6].x, r[6].y, r[6].x2, r[6].y2, r[6].hoja}),
              std::vector<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(r[7].tipo, Tipo::NuevaHoja);
}

TEST_F(Escritor, ArchivoQueNoSeAbreEsUnError) {
    EscritorReporte w(Programa::Varnel, 80);
    EXPECT_THROW(w.abre(dir.filePath("no/existe/00000001.PRN")), ErrorEscritura);
    EXPECT_THROW(w.EscribeLinea("x"), ErrorEscritura);
}
