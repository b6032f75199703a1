#include "varnel/reports/visor_reporte.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QPalette>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/ui/impresora_qt.h"
#include "support/entorno.h"
#include "support/reports_archivos.h"
#include "varnel/reports/dibujo_reporte.h"

using namespace qvr;
using namespace qvr::reporte;

namespace {

// Records the pages a print job makes, each painted on a small image.
struct Trabajo {
    std::vector<OrientacionHoja> hojas;
    std::vector<QImage> imagenes;
    bool terminado = false, abortado = false;
};

class ImpresoraPrueba : public Impresora {
  public:
    explicit ImpresoraPrueba(std::shared_ptr<Trabajo> t) : t_(std::move(t)) {}
    bool comienza(OrientacionHoja o) override { return pagina(o); }
    bool nuevaPagina(OrientacionHoja o) override {
        p_.end();
        return pagina(o);
    }
    QPainter& pintor() override { return p_; }
    double resolucion() const override { return 20; }
    bool termina() override {
        p_.end();
        t_->terminado = true;
        return true;
    }
    void aborta() override {
        if (p_.isActive()) p_.end();
        t_->abortado = true;
    }

  private:
    bool pagina(OrientacionHoja o) {
        t_->hojas.push_back(o);
        t_->imagenes.emplace_back((tamanoHojaTwips(o) * (20 / kTwipsPorPulgada)).toSize(),
                                  QImage::Format_RGB32);
        t_->imagenes.back().fill(Qt::white);
        return p_.begin(&t_->imagenes.back());
    }
    std::shared_ptr<Trabajo> t_;
    QPainter p_;
};

class Visor : public ::testing::Test {
  protected:
    prueba::Entorno env;
    QString rpt = env.sistema() + "RPT";
    std::shared_ptr<Trabajo> trabajo = std::make_shared<Trabajo>();
    FabricaImpresora previa;

    void SetUp() override {
        previa = instalaImpresora([t = trabajo] { return std::make_unique<ImpresoraPrueba>(t); });
    }
    void TearDown() override { instalaImpresora(previa); }

    QString escribe(const QList<QByteArray>& lineas, const QString& nombre = "00000001.PRN") {
        return prueba::escribeReporte(rpt, nombre, lineas);
    }
    static std::vector<int> hojasDe(const VisorReporte& v) {
        std::vector<int> h;
        for (int i = 0; i < v.indice().paginas(); ++i) h.push_back(v.indice().pagina(i).hoja);
        return h;
    }
    static void leeTodo(VisorReporte& v) {
        while (!v.indiceCompleto()) ASSERT_TRUE(v.continuaIndice());
    }
};

}  // namespace

TEST_F(Visor, TresHojasSinRangoYSuNavegacion) {
    escribe(prueba::reporteDeHojas(3));
    VisorReporte v(rpt);
    v.fijaRut("00000001.PRN");
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    leeTodo(v);
    EXPECT_EQ(hojasDe(v), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(v.paginas(), 3);
    v.pMostrar(0);
    EXPECT_TRUE(v.boton(2));  // "Pag Anterior" on picture 0: nothing
    EXPECT_EQ(v.iNroHoja(), 0);
    v.boton(3);
    v.boton(3);
    EXPECT_EQ(v.iNroHoja(), 2);
    v.boton(3);  // "Pag Sgt" on the last picture: nothing
    EXPECT_EQ(v.iNroHoja(), 2);
    EXPECT_FALSE(v.boton(5));
}

TEST_F(Visor, RangoQueEmpiezaDespuesDeLaPrimeraHoja) {
    // With the header block repeated before each section, each page still gets its own picture.
    for (bool repetido : {false, true}) {
        escribe(prueba::reporteDeHojas(4, repetido));
        VisorReporte v(rpt, RangoHojas{true, 2, 3});
        ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
        leeTodo(v);
        EXPECT_EQ(hojasDe(v), (std::vector<int>{1, 2})) << repetido;
        EXPECT_EQ(v.paginas(), 2);
    }
    // A range beyond the last page shows one empty picture.
    VisorReporte v(rpt, RangoHojas{true, 7, 9});
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    leeTodo(v);
    EXPECT_EQ(hojasDe(v), (std::vector<int>{-1}));
}

TEST_F(Visor, ImprimirElRangoDesdeLaBarra) {
    escribe(prueba::reporteDeHojas(3));
    VisorReporte v(rpt, RangoHojas{true, 2, 3});
    v.fijaRut("00000001.PRN");
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    leeTodo(v);
    v.pMostrar(-1);
    ASSERT_TRUE(v.boton(4));
    // Two pages with one break between them; the preview keeps its pages and position.
    EXPECT_EQ(trabajo->hojas.size(), 2u);
    EXPECT_TRUE(trabajo->terminado);
    EXPECT_EQ(v.sObject(), kModoImprimir);
    EXPECT_EQ(v.paginas(), 2);
    EXPECT_EQ(v.iNroHoja(), 1);

    // A range ending before the last page prints no empty page after it.
    trabajo->hojas.clear();
    VisorReporte w(rpt, RangoHojas{true, 1, 2});
    ASSERT_TRUE(w.pDesencripta("00000001.PRN", "xx"));
    EXPECT_EQ(trabajo->hojas.size(), 2u);
}

TEST_F(Visor, HojasApaisadasSeImprimenApaisadas) {
    QList<QByteArray> l = prueba::reporteDeHojas(1);
    l += {"pNuevaHoja", "<!Orientacion!>H<!/Orientacion!>", "pPos|1440|1440|DIVIDENDOS|False|8|1|",
          "pCuadro|14000|2000|15000|3000|1|"};
    l += prueba::bloqueEncabezado(3);  // a later header block names portrait again
    l += {"pNuevaHoja", "pPos|1440|1440|EXONERADAS|False|8|2|"};
    escribe(l);
    VisorReporte v(rpt);
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", "xx"));
    ASSERT_EQ(trabajo->hojas.size(), 3u);
    // Once landscape, the job stays landscape: the "V" of the later header block does not undo it.
    EXPECT_EQ(trabajo->hojas,
              (std::vector<OrientacionHoja>{OrientacionHoja::Vertical, OrientacionHoja::Horizontal,
                                            OrientacionHoja::Horizontal}));
    // The frame at x 14000 twips (beyond a portrait page) lands on the landscape page.
    const QImage& h = trabajo->imagenes[1];
    EXPECT_GT(h.width(), h.height());
    EXPECT_LT(qGray(h.pixel(int(14000 * 20 / 1440.0), int(2500 * 20 / 1440.0))), 230);
    // The preview shows each page as it prints: the same orientations, the frame on the picture.
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    ASSERT_TRUE(v.ultima());
    ASSERT_EQ(v.paginas(), 3);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(v.orientacion(n), trabajo->hojas[size_t(n)]) << n;
        const QImage img = v.imagen(n, 20);
        EXPECT_EQ(img.width() > img.height(), trabajo->hojas[size_t(n)] == OrientacionHoja::Horizontal) << n;
    }
    EXPECT_LT(qGray(v.imagen(1, 20).pixel(int(14000 * 20 / 1440.0), int(2500 * 20 / 1440.0))), 230);
    EXPECT_EQ(v.texto(1), "DIVIDENDOS");
}

// What a screen reader reads of a page: its texts line by line from the top, each line from the
// left; texts a little off the same row are one line, blank texts and frames are nothing.
TEST_F(Visor, ElTextoDeUnaHojaLineaPorLinea) {
    QList<QByteArray> l = prueba::bloqueEncabezado(1);
    l += {"pPos|5000|2000|derecha|False|8|0|",
          "pPos|300|2040|izquierda|False|8|0|",
          "pPos|300|1000|   titulo  |True|12|0|",
          "pPos|900|1000|   |False|8|0|",
          "pCuadro|1|2|3|4|0|",
          "pPosVerti|9000|3000|ABC|False|8|0|",
          "pPos|300|2400|siguiente|False|8|0|"};
    escribe(l);
    VisorReporte v(rpt);
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    EXPECT_EQ(v.texto(0), "titulo\nizquierda derecha\nsiguiente\nABC");
    EXPECT_EQ(v.texto(1), "");
}

TEST_F(Visor, ColorDeFondoYReporteSoloConEncabezado) {
    escribe(prueba::bloqueEncabezado(1, "&H80000005&"));
    VisorReporte v(rpt);
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    leeTodo(v);
    EXPECT_EQ(v.paginas(), 1);
    const QImage img = v.imagen(0, 10);
    const QColor fondo = QGuiApplication::palette().color(QPalette::Base);
    EXPECT_EQ(img.pixelColor(5, 5), fondo);
    EXPECT_EQ(img.pixelColor(img.width() / 2, img.height() / 2), fondo);  // nothing drawn

    escribe(prueba::reporteDeHojas(2));
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    EXPECT_EQ(v.imagen(1, 10).pixelColor(2, 2), QColor(0xC0, 0xFF, 0xFF));  // &H00FFFFC0: BBGGRR
}

TEST_F(Visor, ArchivoQueNoExiste) {
    // A folder named like a report is no report file either.
    ASSERT_TRUE(QDir(rpt).mkdir("00000098.PRN"));
    VisorReporte v(rpt);
    EXPECT_TRUE(v.pDesencripta("00000099.PRN", kModoPrevia));
    EXPECT_TRUE(v.pDesencripta("00000099.PRN", "xx"));
    EXPECT_TRUE(v.pDesencripta("00000098.PRN", "xx"));
    ASSERT_EQ(env.dialogos().mostrados.size(), 3u);
    for (const Mensaje& m : env.dialogos().mostrados) {
        EXPECT_TRUE(m.texto.startsWith("Archivo Físico del Reporte no Existe\n")) << m.texto.toStdString();
        EXPECT_EQ(m.titulo, "Error al Imprimir");
        EXPECT_EQ(m.icono, Icono::Error);
        // Where it looked, and why a report of another workstation may not be there.
        EXPECT_TRUE(m.texto.contains("SysPath")) << m.texto.toStdString();
        EXPECT_TRUE(m.texto.contains("otra estación de trabajo"));
    }
    EXPECT_TRUE(env.dialogos().mostrados[0].texto.contains(QDir::cleanPath(rpt) + "/00000099.PRN"));
    EXPECT_TRUE(env.dialogos().mostrados[2].texto.contains(QDir::cleanPath(rpt) + "/00000098.PRN"));
    EXPECT_TRUE(trabajo->hojas.empty());
    // The window stays usable on its empty picture.
    EXPECT_TRUE(v.continuaIndice());
    EXPECT_TRUE(v.boton(3));
    EXPECT_FALSE(v.imagen(0, 10).isNull());
}

TEST_F(Visor, LineaDanadaHalladaAlAvanzarDePagina) {
    QList<QByteArray> l = prueba::reporteDeHojas(4);
    l.insert(l.indexOf("pCuadro|720|720|10000|15000|3|"), "pPos|1|1|x|True|8|99999|");
    escribe(l);
    VisorReporte v(rpt);
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));  // the first pages read well
    EXPECT_TRUE(env.dialogos().mostrados.empty());
    EXPECT_TRUE(v.boton(3));
    EXPECT_TRUE(v.boton(3));
    EXPECT_EQ(v.iNroHoja(), 2);
    EXPECT_FALSE(v.boton(3));  // reading on meets the damaged line: message, and the viewer closes
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_TRUE(env.dialogos().mostrados[0].texto.startsWith("Error tecnico: 6\n"));
    EXPECT_FALSE(v.continuaIndice());
    EXPECT_EQ(env.dialogos().mostrados.size(), 1u);  // told once
}

TEST_F(Visor, ArchivosDanadosCierranElVisorConMensaje) {
    struct Caso {
        const char* nombre;
        QByteArray linea;
        int error;
    } casos[] = {
        {"numero de mas de 16 bits", "pPos|99999|10|x|False|8|0|", 6},
        {"negrita que no lo es", "pPos|10|10|x|Tal vez|8|0|", 13},
        {"falta el ultimo separador", "pCuadro|1|2|3|4|0", 5},
    };
    for (const auto& c : casos) {
        env.dialogos().mostrados.clear();
        QList<QByteArray> l = prueba::reporteDeHojas(2);
        l.insert(6, c.linea);
        escribe(l);
        VisorReporte v(rpt);
        EXPECT_FALSE(v.pDesencripta("00000001.PRN", kModoPrevia)) << c.nombre;
        ASSERT_EQ(env.dialogos().mostrados.size(), 1u) << c.nombre;
        EXPECT_TRUE(env.dialogos().mostrados[0].texto.startsWith(QString("Error tecnico: %1\n").arg(c.error)))
            << c.nombre;
        EXPECT_TRUE(env.dialogos().mostrados[0].texto.contains("(línea 7)")) << c.nombre;
        EXPECT_TRUE(env.dialogos().mostrados[0].texto.endsWith("\nIntente nuevamente por favor."));
        // Printing a damaged file prints nothing.
        trabajo->hojas.clear();
        EXPECT_FALSE(v.pDesencripta("00000001.PRN", "xx"));
        EXPECT_TRUE(trabajo->hojas.empty()) << c.nombre;
    }
}

TEST_F(Visor, BasuraArchivoVacioYArchivoEnorme) {
    QByteArray basura;
    quint32 s = 12345;
    for (int i = 0; i < 200000; ++i) {
        s = s * 1103515245u + 12345u;
        basura += char((s >> 16) & 0xFF);
    }
    basura.replace('|', 'x');  // no field separators: every line is skipped
    QFile f(rpt + "/00000001.PRN");
    for (const QByteArray& contenido : {basura, QByteArray()}) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
        f.close();
        VisorReporte v(rpt);
        ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
        leeTodo(v);
        EXPECT_EQ(v.paginas(), 1);
        EXPECT_FALSE(v.imagen(0, 10).isNull());
    }
    // 100 MB without a line end, then a valid page: one line too long to be a record is skipped.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_TRUE(f.resize(100 * 1024 * 1024));
    f.seek(f.size());
    f.write("\r\npPos|10|10|DESPUES|False|8|0|\r\n");
    f.close();
    VisorReporte v(rpt);
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    leeTodo(v);
    EXPECT_EQ(v.indice().pagina(0).hoja, 0);
    EXPECT_GT(v.indice().pagina(0).inicio, 100 * 1024 * 1024);
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

TEST_F(Visor, ImprimeAPdfLasHojasDelRango) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext not installed";
    escribe(prueba::reporteDeHojas(3));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("r.pdf");
    instalaImpresora([pdf] { return impresoraPdf(pdf); });
    VisorReporte v(rpt, RangoHojas{true, 2, 3});
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", "xx"));
    QProcess p;
    p.start(pdftotext, {pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QStringList hojas = QString::fromUtf8(p.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(hojas.size(), 2);
    EXPECT_TRUE(hojas[0].contains("PAGINA 2"));
    EXPECT_TRUE(hojas[1].contains("PAGINA 3"));
    EXPECT_FALSE(hojas.join("").contains("PAGINA 1"));
}

// Printing without a range follows the page breaks; the preview follows the page fields, picture k
// showing page k of the file even when that page has no records.
TEST_F(Visor, HojasImpresasPorSaltosYVistasPorCampoDeHoja) {
    struct Caso {
        const char* nombre;
        QList<QByteArray> cuerpo;
        size_t impresas;
        std::vector<int> textosPorHojaImpresa;
        std::vector<int> textosPorImagen;
    } casos[] = {
        {"hoja 0 a ambos lados de un salto",
         {"pPos|100|100|A|False|8|0|", "pNuevaHoja", "pPos|100|100|B|False|8|0|"}, 2, {1, 1}, {2}},
        {"hojas 0 y 1 sin salto", {"pPos|100|100|A|False|8|0|", "pPos|100|400|B|False|8|1|"}, 1, {2}, {1, 1}},
        {"hoja 1 sin registros",
         {"pPos|100|100|A|False|8|0|", "pNuevaHoja", "pNuevaHoja", "pPos|100|100|C|False|8|2|"}, 3, {1, 0, 1},
         {1, 0, 1}},
        {"salto al final", {"pPos|100|100|A|False|8|0|", "pNuevaHoja"}, 1, {1}, {1}},
        {"salto antes del primer registro", {"pNuevaHoja", "pPos|100|100|A|False|8|1|"}, 2, {0, 1}, {0, 1}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        escribe(prueba::bloqueEncabezado(1) + c.cuerpo);
        // Printed pages, and how many texts each carries.
        IndiceReporte imp;
        ASSERT_TRUE(imp.abre(rpt + "/00000001.PRN", {}, Paginacion::PorSalto));
        ASSERT_TRUE(imp.avanzaTodo());
        std::vector<int> porHoja;
        for (int n = 0; n < imp.paginas(); ++n) {
            int k = 0;
            imp.recorre(n, [&](const Registro& r) { k += r.tipo == Tipo::Pos; });
            porHoja.push_back(k);
        }
        EXPECT_EQ(porHoja, c.textosPorHojaImpresa);
        trabajo->hojas.clear();
        VisorReporte v(rpt);
        ASSERT_TRUE(v.pDesencripta("00000001.PRN", "xx"));
        EXPECT_EQ(trabajo->hojas.size(), c.impresas);
        // Preview pictures.
        ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
        leeTodo(v);
        std::vector<int> porImagen;
        for (int n = 0; n < v.indice().paginas(); ++n) {
            EXPECT_EQ(v.indice().pagina(n).hoja, n);
            int k = 0;
            const_cast<IndiceReporte&>(v.indice()).recorre(n, [&](const Registro& r) { k += r.tipo == Tipo::Pos; });
            porImagen.push_back(k);
        }
        EXPECT_EQ(porImagen, c.textosPorImagen);
        EXPECT_EQ(v.paginas(), int(c.textosPorImagen.size()));
    }
}

// A range prints the pages that printing everything gives at those places, whatever the page
// fields of their records say.
TEST_F(Visor, RangoImpresoSonLasMismasHojasQueImprimirTodo) {
    struct Caso {
        const char* nombre;
        QList<QByteArray> cuerpo;
        RangoHojas rango;
        std::vector<int> hojas;  // pages of the whole job (from 0) the range prints
    } casos[] = {
        {"hoja 0 a ambos lados de un salto",
         {"pPos|100|100|A|False|8|0|", "pNuevaHoja", "pPos|100|100|B|False|8|0|"},
         {true, 2, 2},
         {1}},
        {"hojas 0 y 1 sin salto",
         {"pPos|100|100|A|False|8|0|", "pPos|100|400|B|False|8|1|"},
         {true, 1, 1},
         {0}},
        {"hoja 1 sin registros",
         {"pPos|100|100|A|False|8|0|", "pNuevaHoja", "pNuevaHoja", "pPos|100|100|C|False|8|2|"},
         {true, 2, 3},
         {1, 2}},
        {"rango mas alla del final",
         {"pPos|100|100|A|False|8|0|", "pNuevaHoja", "pPos|100|100|B|False|8|1|"},
         {true, 2, 50},
         {1}},
        {"rango sin hojas", {"pPos|100|100|A|False|8|0|"}, {true, 3, 4}, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        escribe(prueba::bloqueEncabezado(1) + c.cuerpo);
        trabajo->imagenes.clear();
        VisorReporte todo(rpt);
        ASSERT_TRUE(todo.pDesencripta("00000001.PRN", "xx"));
        const std::vector<QImage> completas = trabajo->imagenes;
        trabajo->imagenes.clear();
        VisorReporte rango(rpt, c.rango);
        ASSERT_TRUE(rango.pDesencripta("00000001.PRN", "xx"));
        ASSERT_EQ(trabajo->imagenes.size(), c.hojas.size());
        for (size_t k = 0; k < c.hojas.size(); ++k)
            EXPECT_EQ(trabajo->imagenes[k], completas[size_t(c.hojas[k])]) << k;
    }
}

namespace {
// Columns of `img` holding dark pixels in the rows [y0, y1).
int anchoTinta(const QImage& img, int y0, int y1) {
    int izq = img.width(), der = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                izq = std::min(izq, x);
                der = std::max(der, x);
            }
    return der < 0 ? 0 : der - izq + 1;
}
// Rows of column `x` holding dark pixels.
int filasOscuras(const QImage& img, int x) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y) n += qGray(img.pixel(x, y)) < 128;
    return n;
}
}  // namespace

// A size of 0 or out of range draws the text at the size in force; at the start of a page that is
// the report's 8 points.
TEST_F(Visor, TamanoInvalidoConservaElAnterior) {
    escribe(prueba::bloqueEncabezado(1) + QList<QByteArray>{
                                              "pPos|100|100|MMMMMMMMMM|False|0|0|",
                                              "pPos|100|1000|MMMMMMMMMM|False|8|0|",
                                              "pPos|100|2000|MMMMMMMMMM|False|20|0|",
                                              "pPos|100|3000|MMMMMMMMMM|False|0|0|",
                                              "pPos|100|4000|MMMMMMMMMM|False|9999|0|",
                                          });
    VisorReporte v(rpt);
    ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
    const double ppp = 144;
    const QImage img = v.imagen(0, ppp);
    auto fila = [&](int y) { return anchoTinta(img, int(y * ppp / 1440), int((y + 500) * ppp / 1440)); };
    EXPECT_GT(fila(100), 0);
    EXPECT_EQ(fila(100), fila(1000));
    EXPECT_GT(fila(2000), 2 * fila(1000));
    EXPECT_EQ(fila(3000), fila(2000));
    EXPECT_EQ(fila(4000), fila(2000));
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

// The outline of a box is one device pixel wide at every resolution.
TEST_F(Visor, MarcoDeUnPixelDelDispositivo) {
    escribe(prueba::bloqueEncabezado(1) + QList<QByteArray>{"pCuadro|1440|1440|2880|2880|0|"});
    for (double ppp : {72.0, 96.0, 300.0, 600.0}) {
        VisorReporte v(rpt);
        ASSERT_TRUE(v.pDesencripta("00000001.PRN", kModoPrevia));
        const QImage img = v.imagen(0, ppp);
        // A column through the middle of the box crosses its top and bottom sides.
        EXPECT_EQ(filasOscuras(img, int(1.5 * ppp)), 2) << ppp;
    }
}

// "xx" and the print button go to the default printer without a dialog. On a machine without
// printers the user is told so and may save the pages as PDF instead.
TEST(VisorSinImpresora, OfreceGuardarEnPdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    prueba::Entorno env;
    const QString rpt = env.sistema() + "RPT";
    prueba::escribeReporte(rpt, "00000001.PRN", prueba::reporteDeHojas(2));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("paginas.pdf");
    QString pregunta = pdf;
    const auto previa = instalaPreguntaArchivoPdf([&pregunta] { return pregunta; });
    struct Caso {
        Respuesta respuesta;
        QString archivo;  // what the file question answers
        bool escrito;
    } casos[] = {{Respuesta::No, pdf, false}, {Respuesta::Si, "", false}, {Respuesta::Si, pdf, true}};
    for (const auto& c : casos) {
        env.dialogos().mostrados.clear();
        env.dialogos().responde(c.respuesta);
        pregunta = c.archivo;
        VisorReporte v(rpt);
        EXPECT_TRUE(v.pDesencripta("00000001.PRN", "xx"));
        ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
        EXPECT_EQ(env.dialogos().mostrados[0].texto, mensajeSinImpresora());
        EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Impresión");
        EXPECT_EQ(env.dialogos().mostrados[0].botones, Botones::SiNo);
        EXPECT_EQ(QFile::exists(pdf), c.escrito);
    }
    instalaPreguntaArchivoPdf(previa);
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty()) return;
    QProcess p;
    p.start(pdfinfo, {pdf});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+2\\n")));
}

// The module's own reports (the declaration with its annexes, the send summary) and the golden
// file break their pages where their page fields change, so printing them by their breaks gives
// the same pages as the page fields: what each printed page holds is unchanged.
TEST(VisorPaginas, ReportesPropiosIgualesPorSaltoYPorHoja) {
    for (const char* f : {"/imprimir/declaracion.PRN", "/oskeni/resumen.PRN.txt", "/reports/golden.PRN"}) {
        SCOPED_TRACE(f);
        const QString ruta = QString(QVR_FIXTURES) + f;
        auto contenido = [&](Paginacion modo) {
            IndiceReporte i;
            EXPECT_TRUE(i.abre(ruta, {}, modo));
            EXPECT_TRUE(i.avanzaTodo());
            std::vector<std::vector<QByteArray>> paginas;
            for (int n = 0; n < i.paginas(); ++n) {
                paginas.emplace_back();
                i.recorre(n, [&](const Registro& r) {
                    paginas.back().push_back(QByteArray::number(r.x) + "," + QByteArray::number(r.y) + r.texto);
                });
            }
            return paginas;
        };
        const auto porSalto = contenido(Paginacion::PorSalto);
        EXPECT_GT(porSalto.size(), 0u);
        EXPECT_EQ(porSalto, contenido(Paginacion::PorHoja));
    }
}
