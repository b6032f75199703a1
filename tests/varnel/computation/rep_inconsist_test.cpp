#include "varnel/computation/rep_inconsist.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "platform/ui/impresora_qt.h"
#include "support/accesible.h"
#include "support/entorno.h"
#include "support/validacion_declaracion.h"
#include "varnel/computation/recalculo.h"
#include "varnel/computation/ui/frm_consist.h"
#include "varnel/computation/validacion.h"

using namespace qvr;

namespace {

const CabeceraListado kCab{"15/03/2004", "10:20:30", "Titulo del modulo"};

void escribe(const QString& ruta, const QStringList& lineas) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (const QString& l : lineas) f.write(l.toUtf8() + "\r\n");
}

std::vector<TrazoListado> textos(const PaginaListado& p, bool negrita) {
    std::vector<TrazoListado> r;
    for (const TrazoListado& t : p)
        if (!t.cuadro && t.negrita == negrita) r.push_back(t);
    return r;
}

const TrazoListado* marco(const PaginaListado& p) {
    for (const TrazoListado& t : p)
        if (t.cuadro) return &t;
    return nullptr;
}

TEST(Listado, TresLineasEnLasPosicionesDelListado) {
    const auto paginas = disponeListado({"uno", "dos", "tres"}, kCab);
    ASSERT_EQ(paginas.size(), 1u);
    struct E { int x, y; const char* t; };
    const std::vector<E> cabecera = {{400, 30, "ZORVA"}, {400, 300, "15/03/2004"}, {9000, 300, "PAG. 1 "},
                                     {4000, 300, "INCONSISTENCIAS DETECTADAS "}, {400, 570, "10:20:30"},
                                     {3000, 570, "Titulo del modulo"}};
    const auto negritas = textos(paginas[0], true);
    ASSERT_EQ(negritas.size(), cabecera.size());
    for (size_t i = 0; i < cabecera.size(); ++i) {
        EXPECT_EQ(negritas[i].x, cabecera[i].x);
        EXPECT_EQ(negritas[i].y, cabecera[i].y);
        EXPECT_EQ(negritas[i].texto, cabecera[i].t);
        EXPECT_EQ(negritas[i].tamano, 8);
    }
    const auto cuerpo = textos(paginas[0], false);
    const std::vector<E> filas = {{400, 1000, " 1. uno"}, {400, 1270, " 2. dos"}, {400, 1540, " 3. tres"},
                                  {500, 1810, " Inconsistencias Detectadas :  3"}};
    ASSERT_EQ(cuerpo.size(), filas.size());
    for (size_t i = 0; i < filas.size(); ++i) {
        EXPECT_EQ(cuerpo[i].x, filas[i].x);
        EXPECT_EQ(cuerpo[i].y, filas[i].y);
        EXPECT_EQ(cuerpo[i].texto, filas[i].t);
        EXPECT_EQ(cuerpo[i].tamano, 8);
    }
    const TrazoListado* m = marco(paginas[0]);
    ASSERT_TRUE(m);
    EXPECT_EQ((std::array{m->x, m->y, m->x2, m->y2}), (std::array{300, 900, 10000, 2080}));
}

TEST(Listado, MensajesDeNoventaYNoventaYUnCaracteres) {
    const QString noventa = QString(89, 'a') + "b";
    const QString largo = QString(89, 'a') + "bc  ";  // 91 once trimmed
    const auto cuerpo = textos(disponeListado({noventa, largo}, kCab)[0], false);
    ASSERT_EQ(cuerpo.size(), 4u);
    EXPECT_EQ(cuerpo[0].texto, " 1. " + noventa);
    EXPECT_EQ(cuerpo[1].texto, " 2. " + QString(89, 'a') + "-");
    EXPECT_EQ(cuerpo[2].texto, "    bc");
    EXPECT_EQ(cuerpo[2].y, 1000 + 270 * 2);
    EXPECT_EQ(cuerpo[3].y, 1000 + 270 * 3);  // the total after the second row of the long one
}

TEST(Listado, ListadoLargoRepiteLaCabeceraYCierraElMarcoEnCadaPagina) {
    QStringList lineas;
    for (int i = 1; i <= 95; ++i) lineas << (i % 13 == 0 ? QString(120, 'x') : QString("mensaje %1").arg(i));
    const auto paginas = disponeListado(lineas, kCab);
    ASSERT_GE(paginas.size(), 3u);
    int siguiente = 1;
    for (size_t p = 0; p < paginas.size(); ++p) {
        const auto negritas = textos(paginas[p], true);
        ASSERT_EQ(negritas.size(), 6u);
        EXPECT_EQ(negritas[2].texto, QString("PAG. %1 ").arg(p + 1));
        const auto cuerpo = textos(paginas[p], false);
        const bool ultima = p + 1 == paginas.size();
        const int filas = int(cuerpo.size()) - (ultima ? 1 : 0);
        EXPECT_LE(filas, kFilasPorPagina);
        for (int f = 0; f < filas; ++f) {
            EXPECT_EQ(cuerpo[size_t(f)].y, 1000 + 270 * f) << p << " " << f;  // rows start at the top again
            // Numbered rows carry on across pages; a long message never splits between pages.
            if (!cuerpo[size_t(f)].texto.startsWith("    ")) {
                EXPECT_TRUE(cuerpo[size_t(f)].texto.startsWith(QString(" %1. ").arg(siguiente++)));
            } else {
                EXPECT_GT(f, 0);
            }
        }
        if (!ultima) {
            EXPECT_GT(filas, kFilasPorPagina - 2);  // a page is left only when full
        }
        const int filasMarco = filas + (ultima ? 1 : 0);
        const TrazoListado* m = marco(paginas[p]);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->y2, 1000 + 270 * filasMarco);
        if (ultima) {
            EXPECT_EQ(cuerpo.back().texto, " Inconsistencias Detectadas :  95");
            EXPECT_EQ(cuerpo.back().y, 1000 + 270 * filas);
        }
    }
    EXPECT_EQ(siguiente, 96);
}

// Around a full page: the total line stays with the rows while it fits below them; after exactly
// 40 rows (also when a two-row message fills the page) it opens page 2 inside its own frame.
TEST(Listado, TotalTrasCuarentaFilasVaEnPaginaNueva) {
    struct Caso {
        int cortos;         // one-row messages
        bool largoAlFinal;  // then one two-row message
        size_t paginas;
    } casos[] = {{39, false, 1}, {40, false, 2}, {38, true, 2}, {41, false, 2}, {37, true, 1}};
    for (const auto& c : casos) {
        QStringList lineas;
        for (int i = 0; i < c.cortos; ++i) lineas << QString("mensaje %1").arg(i + 1);
        if (c.largoAlFinal) lineas << QString(100, 'x');
        const auto paginas = disponeListado(lineas, kCab);
        SCOPED_TRACE(testing::Message() << c.cortos << (c.largoAlFinal ? " + largo" : ""));
        ASSERT_EQ(paginas.size(), c.paginas);
        const auto ultima = textos(paginas.back(), false);
        ASSERT_FALSE(ultima.empty());
        EXPECT_TRUE(ultima.back().texto.startsWith(" Inconsistencias Detectadas : "));
        const int filaTotal = (ultima.back().y - 1000) / 270;
        EXPECT_EQ(marco(paginas.back())->y2, 1000 + 270 * (filaTotal + 1));
        if (c.paginas == 2) {
            EXPECT_EQ(textos(paginas[1], true)[2].texto, "PAG. 2 ");
            const int filasPrimera = int(textos(paginas[0], false).size());
            EXPECT_EQ(marco(paginas[0])->y2, 1000 + 270 * filasPrimera);
            EXPECT_LE(filasPrimera, kFilasPorPagina);
        }
    }
}

// A printer that fails to start.
class ImpresoraRota : public Impresora {
public:
    bool comienza(OrientacionHoja) override { return false; }
    bool nuevaPagina(OrientacionHoja) override { return false; }
    QPainter& pintor() override { return p_; }
    double resolucion() const override { return 1200; }
    bool termina() override { return false; }
    void aborta() override {}
    QString error() const override { return "offline"; }

private:
    QPainter p_;
};

TEST(Listado, ErroresDeImpresionComoMensajes) {
    prueba::Entorno env;
    const QString ruta = env.sistema() + "Mens.txt";
    const auto previa = instalaImpresora([] { return std::unique_ptr<Impresora>(); });

    EXPECT_EQ(RepInconsist(ruta), 53);
    escribe(ruta, {});
    EXPECT_EQ(RepInconsist(ruta), 380);
    escribe(ruta, {"uno"});
    EXPECT_EQ(RepInconsist(ruta), 20545);  // the choice of printer was cancelled
    ImpresoraRota rota;
    EXPECT_EQ(RepInconsist(ruta, &rota), 482);
    instalaImpresora(previa);

    const auto& m = env.dialogos().mostrados;
    ASSERT_EQ(m.size(), 4u);
    EXPECT_TRUE(m[0].texto.startsWith("Error Técnico : (53) ")) << m[0].texto.toStdString();
    EXPECT_EQ(m[1].texto, "No Existe Información a Imprimir.Verifique.");
    EXPECT_EQ(m[2].texto, "La Impresión ha sido Cancelada.");
    EXPECT_EQ(m[3].texto, "No existe una impresora seleccionada.Verifique.");
    for (const Mensaje& x : m) {
        EXPECT_EQ(x.titulo, "Impresión");
        EXPECT_EQ(x.icono, Icono::Error);
    }
}

// Without a printer on the machine the listing is offered as a PDF file, which the user may decline.
TEST(Listado, SinImpresoraSeGuardaEnPdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    prueba::Entorno env;
    const QString ruta = env.sistema() + "Mens.txt";
    escribe(ruta, {"uno", "dos"});
    const QString pdf = env.carpeta() + "/listado.pdf";
    const auto previa = instalaPreguntaArchivoPdf([pdf] { return pdf; });
    env.dialogos().responde(Respuesta::No);
    EXPECT_EQ(RepInconsist(ruta), 20545);
    EXPECT_FALSE(QFile::exists(pdf));
    env.dialogos().responde(Respuesta::Si);
    EXPECT_EQ(RepInconsist(ruta), 0);
    EXPECT_TRUE(QFile::exists(pdf));
    instalaPreguntaArchivoPdf(previa);
    ASSERT_EQ(env.dialogos().mostrados.size(), 3u);  // the question, the cancellation, the question
    EXPECT_EQ(env.dialogos().mostrados[0].texto, mensajeSinImpresora());
    EXPECT_EQ(env.dialogos().mostrados[1].texto, "La Impresión ha sido Cancelada.");
}

// The PDF of a short and a long listing; QVR_LISTADO_PDF names a folder to keep them in.
TEST(Listado, ImpresoEnPdf) {
    prueba::Entorno env;
    const QString carpeta = qEnvironmentVariableIsSet("QVR_LISTADO_PDF") ? qEnvironmentVariable("QVR_LISTADO_PDF")
                                                                          : env.carpeta();
    const QString ruta = env.sistema() + "Mens.txt";
    for (int n : {3, 95}) {
        QStringList lineas;
        for (int i = 1; i <= n; ++i)
            lineas << (i % 10 == 0 ? "Ingrese información por lo menos en una de estas casillas 100, 102, 105, 106, "
                                     "107 y 108( casillas ubicadas en el rubro Determinación de la Renta imponible )"
                                   : QString("Ingrese el importe a pagar ( casilla ubicada en el rubro Determinación "
                                             "de la deuda ) %1").arg(i));
        escribe(ruta, lineas);
        const QString pdf = carpeta + QString("/listado_%1.pdf").arg(n);
        auto imp = impresoraPdf(pdf);
        EXPECT_EQ(RepInconsist(ruta, imp.get()), 0);
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray datos = f.readAll();
        const int paginas = int(datos.count("/Type /Page\n") + datos.count("/Type /Page\r") + datos.count("/Type /Page "));
        EXPECT_EQ(paginas > 0 ? paginas : 1, n == 3 ? 1 : 3) << pdf.toStdString();
    }
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

class Ventana : public ::testing::Test {
protected:
    void SetUp() override {
        prueba::catalogosValidacion(env);
        valores.ModoDeclaracion = 2;
        c.base = &env.base();
        c.rutaSistema = env.sistema();
        c.abreInconsistencias = [this](const std::vector<Inconsistencia>& l) { lineas = l; };
        Declaracion d(valores, Tasas{3100, 0.015, 0});
        conectaCalculo(d);
        d.preparaNueva();
        prueba::aplicaLineas(d, {"ruc=20100047218", "rectifica=0", "100=5,000"});
        ASSERT_FALSE(ValidaTodo(d, "0", c));
    }
    int bloqueDe(const QPlainTextEdit& t, const QString& prefijo) {
        for (QTextBlock b = t.document()->begin(); b.isValid(); b = b.next())
            if (b.text().startsWith(prefijo)) return b.blockNumber();
        return -1;
    }
    QPoint posicionDe(QPlainTextEdit& t, int bloque) {
        QTextCursor cur(t.document()->findBlockByNumber(bloque));
        return t.cursorRect(cur).center();
    }

    prueba::Entorno env;
    ValoresEjecucion valores;
    ContextoValidacion c;
    std::vector<Inconsistencia> lineas;
};

TEST_F(Ventana, MuestraElArchivoYDobleClicEnLaLineaDeR11DaLaCasilla180) {
    FrmConsist w(rutaInconsistencias(env.sistema()), lineas);
    QList<int> elegida;
    w.alElegirCasilla = [&](int n) { elegida << n; };
    w.show();
    EXPECT_EQ(w.windowTitle(), "Inconsistencias detectadas");
    EXPECT_EQ(w.cmdImprimir->text(), "&Imprimir");
    EXPECT_EQ(w.CmdGrabar->text(), "&Aceptar");
    const QFontInfo fuente(w.TxtPreliminar->font());
    EXPECT_TRUE(fuente.fixedPitch()) << fuente.family().toStdString();
    const QStringList mostradas = w.TxtPreliminar->toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(mostradas.size(), int(lineas.size()));
    for (size_t i = 0; i < lineas.size(); ++i) EXPECT_EQ(mostradas[int(i)], lineas[i].texto);

    // A line that names no box (the rent question) leaves the window open.
    const int r1 = bloqueDe(*w.TxtPreliminar, "Señale");
    ASSERT_GE(r1, 0);
    QTest::mouseDClick(w.TxtPreliminar->viewport(), Qt::LeftButton, {}, posicionDe(*w.TxtPreliminar, r1));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(elegida.count(), 0);

    const int r11 = bloqueDe(*w.TxtPreliminar, "Ingrese el importe a pagar");
    ASSERT_GE(r11, 0);
    QTest::mouseDClick(w.TxtPreliminar->viewport(), Qt::LeftButton, {}, posicionDe(*w.TxtPreliminar, r11));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.casillaElegida(), 180);
    ASSERT_EQ(elegida.count(), 1);
    EXPECT_EQ(elegida[0], 180);
}

// The lines show whole, never scrolled sideways: the window is as wide as its longest line, and a
// line wider than the screen goes on below, still one line for the double-click. A screen reader
// names the text.
TEST_F(Ventana, LasLineasSeVenEnterasSinDesplazarDeLado) {
    {
        FrmConsist w(rutaInconsistencias(env.sistema()), lineas);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_EQ(w.TxtPreliminar->horizontalScrollBar()->maximum(), 0);
        // Within the screen each line has a row of its own.
        const int pantalla = w.screen()->availableGeometry().width();
        EXPECT_LE(w.width(), pantalla);
        const QFontMetrics fm(w.TxtPreliminar->font());
        for (QTextBlock b = w.TxtPreliminar->document()->begin(); b.isValid(); b = b.next())
            if (fm.horizontalAdvance(b.text()) < pantalla - 200) {
                EXPECT_EQ(b.lineCount(), 1) << b.text().toStdString();
            }
        EXPECT_EQ(prueba::nombreAccesible(w.TxtPreliminar), "Inconsistencias detectadas");
    }
    const std::vector<Inconsistencia> largas = {{"Primera linea", 0}, {QString(400, 'X') + " fin", 180}};
    FrmConsist w(env.sistema() + "no-existe.txt", largas);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.TxtPreliminar->horizontalScrollBar()->maximum(), 0);
    const QTextBlock b = w.TxtPreliminar->document()->findBlockByNumber(1);
    ASSERT_GT(b.lineCount(), 1);
    // Its last row is still the line of box 180.
    QTextCursor fin(b);
    fin.movePosition(QTextCursor::EndOfBlock);
    QTest::mouseDClick(w.TxtPreliminar->viewport(), Qt::LeftButton, {},
                       w.TxtPreliminar->cursorRect(fin).center());
    EXPECT_EQ(w.casillaElegida(), 180);
}

TEST_F(Ventana, EnterEnUnaLineaYAceptar) {
    {
        FrmConsist w(rutaInconsistencias(env.sistema()), lineas);
        w.show();
        const int r11 = bloqueDe(*w.TxtPreliminar, "Ingrese el importe a pagar");
        w.TxtPreliminar->setTextCursor(QTextCursor(w.TxtPreliminar->document()->findBlockByNumber(r11)));
        w.TxtPreliminar->setFocus();
        QTest::keyClick(w.TxtPreliminar, Qt::Key_Return);
        EXPECT_EQ(w.casillaElegida(), 180);
        EXPECT_FALSE(w.isVisible());
    }
    FrmConsist w(rutaInconsistencias(env.sistema()), lineas);
    w.show();
    QTest::mouseClick(w.CmdGrabar, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.casillaElegida(), 0);

    // A new report replaces the old text in a fresh window.
    Declaracion d(valores, Tasas{3100, 0.015, 0});
    conectaCalculo(d);
    d.preparaNueva();
    prueba::aplicaLineas(d, {"ruc=20100047218", "rectifica=0", "100=5,000", "alquiler=2", "pago.forma=E"});
    ASSERT_FALSE(ValidaTodo(d, "0", c));
    FrmConsist nueva(rutaInconsistencias(env.sistema()), lineas);
    EXPECT_EQ(nueva.TxtPreliminar->toPlainText(), "Ingrese el importe a pagar ( casilla ubicada en el rubro "
                                                  "Determinación de la deuda ) \n");
}

}  // namespace
