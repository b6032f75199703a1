// The list windows on the offscreen platform: their captions and columns, the action button with
// double-click and Enter, the run values and status bar texts they set, returning to the row after
// the declaration window closes, and the two delete questions.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "common/schema.h"
#include "platform/dialogs.h"
#include "support/accesible.h"
#include "support/entorno.h"
#include "support/foco_prueba.h"
#include "support/lists_barra.h"
#include "support/lists_fixture.h"
#include "varnel/common/ui/tabla_accesible.h"
#include "varnel/lists/ui/frmabrirenv.h"
#include "varnel/lists/ui/frmbancos.h"
#include "varnel/lists/ui/frmmodfor.h"
#include "varnel/lists/ui/registro_listas.h"
#include "varnel/lists/ui/twips.h"
#include "varnel/reports/ui/frm_imprimir.h"

using namespace qvr;
using namespace qvr::prueba;
using qvr::ui::FrmAbrirEnv;
using qvr::ui::FrmBancos;
using qvr::ui::FrmModFor;

namespace {

// Message boxes answered from a script, remembering the default button each one had.
class DialogosGrabados : public Dialogos {
public:
    using Dialogos::muestra;
    Respuesta muestra(const Mensaje& m, Respuesta defecto) override {
        mostrados.push_back({m, defecto});
        if (respuestas.empty()) return defecto;
        const Respuesta r = respuestas.front();
        respuestas.pop_front();
        return r;
    }
    std::vector<std::pair<Mensaje, Respuesta>> mostrados;
    std::deque<Respuesta> respuestas;
};

QString ruc(int i) { return QString("10%1").arg(i, 9, 10, QChar('0')); }

class Ventanas : public ::testing::Test {
protected:
    void SetUp() override {
        creaTablasAnexo(e.base());
        e.agregaUsuario("JEFE", "0");
        dialogosPrevios = instalaDialogos(dlg);
    }
    void TearDown() override { instalaDialogos(dialogosPrevios); }

    void agregaContribuyentes(int n, bool guardadas, bool enviadas) {
        TransaccionEscritura t(e.base());
        for (int i = 0; i < n; ++i) {
            e.agregaContribuyente(ruc(i), "APELLIDO", QString::number(i), "NOMBRE", "JEFE");
            if (guardadas) agregaGuardada(e.base(), ruc(i));
            if (enviadas) agregaEnviada(e.base(), ruc(i), "001");
        }
        t.confirma();
    }
    std::unique_ptr<DatosSesion> sesion() { return sesionListas(e, "JEFE"); }

    static void muestra(QDialog& w) {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    static void dobleClic(ui::GridLista* g, int fila) {
        // What the mouse sends: a click, then the double-click of the second press.
        const QPoint p = g->visualRect(g->model()->index(fila, 0)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
    }

    Entorno e;
    std::shared_ptr<DialogosGrabados> dlg = std::make_shared<DialogosGrabados>();
    std::shared_ptr<Dialogos> dialogosPrevios;
    BarraEstadoMemoria barra;
};

TEST_F(Ventanas, TitulosEtiquetasYColumnasPorUso) {
    agregaContribuyentes(2, true, true);
    struct Caso {
        short modo;
        bool enviadas;
        QString titulo, etiqueta, boton, marco;
        int anchoTw, altoTw;
        std::vector<int> ocultas;
    };
    const std::vector<Caso> casos = {
        {2, false, "Modificar Formulario", "Seleccione la Declaración  que desea modificar :", "&Modificar",
         "Declaraciones Registradas", 8475, 4455, {5, 6, 7, 8, 9, 10}},
        {3, false, "Eliminar Formularios", "Seleccione la Declaración que desea eliminar :", "&Eliminar",
         "Declaraciones Registradas", 8475, 4455, {5, 6, 7, 8, 9, 10}},
        {3, true, "Eliminar Formularios", "Seleccione la Declaración que desea eliminar :", "&Eliminar",
         "Declaraciones Enviadas", 8800, 4530, {4, 10}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.titulo.toStdString() + (c.enviadas ? " enviadas" : ""));
        auto s = sesion();
        ValoresEjecucion v;
        v.ModoDeclaracion = c.modo;
        v.ListaEnviadas = c.enviadas;
        FrmModFor w(*s, v, barra, [] { return true; });
        EXPECT_EQ(w.windowTitle(), c.titulo);
        EXPECT_EQ(w.etiqueta()->text(), c.etiqueta);
        EXPECT_EQ(w.botonAccion()->text(), c.boton);
        EXPECT_EQ(w.etiquetaAbrir()->property("caption").toString(), c.boton);
        EXPECT_EQ(w.botonSalir()->text(), "&Salir");
        EXPECT_EQ(w.marco()->title(), c.marco);
        EXPECT_EQ(w.property("contextoAyuda").toInt(), c.enviadas ? 1042 : 1008);
        // The designed outer size less the frame, 15 twips a pixel at 96 dpi, is the least: the
        // window is wider where the columns need it, so that the grid never scrolls sideways.
        if (w.logicalDpiX() == 96) {
            EXPECT_GE(w.width(), qRound((c.anchoTw - 90) / 15.0));
            EXPECT_EQ(w.height(), qRound((c.altoTw - 375) / 15.0));
        }
        w.show();
        QApplication::processEvents();
        EXPECT_EQ(w.grid()->horizontalScrollBar()->maximum(), 0);
        EXPECT_LE(w.botonSalir()->geometry().right(), w.width());
        EXPECT_GE(w.botonSalir()->geometry().left(), w.botonAccion()->geometry().right());
        std::vector<int> ocultas;
        for (int i = 0; i < 12; ++i)
            if (w.grid()->isColumnHidden(i)) ocultas.push_back(i);
        EXPECT_EQ(ocultas, c.ocultas);
        EXPECT_EQ(w.grid()->columnWidth(1), ui::px(&w, 3300));
        EXPECT_EQ(w.grid()->model()->headerData(1, Qt::Horizontal).toString(), "Razón social");
        EXPECT_TRUE(w.grid()->isEnabled());
    }
}

// A screen reader reads a list without its hidden columns, and hears the current row's cell
// numbered among the shown ones.
TEST_F(Ventanas, ElLectorDePantallaNoVeLasColumnasOcultas) {
    agregaContribuyentes(3, true, false);
    auto s = sesion();
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    FrmModFor w(*s, v, barra, [] { return true; });
    muestra(w);
    ui::GridLista* g = w.grid();
    QList<int> mostradas;
    for (int c = 0; c < g->model()->columnCount(); ++c)
        if (!g->isColumnHidden(c)) mostradas << c;
    ASSERT_LT(mostradas.size(), g->model()->columnCount());

    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(g);
    ASSERT_TRUE(i && i->tableInterface());
    QAccessibleTableInterface* t = i->tableInterface();
    EXPECT_EQ(t->columnCount(), mostradas.size());
    EXPECT_EQ(t->rowCount(), 3);
    for (int k = 0; k < mostradas.size(); ++k) {
        EXPECT_EQ(t->columnDescription(k), g->model()->headerData(mostradas[k], Qt::Horizontal).toString());
        EXPECT_EQ(t->cellAt(2, k)->text(QAccessible::Name),
                  g->model()->index(2, mostradas[k]).data().toString().trimmed());
    }
    EXPECT_EQ(i->childCount(), (3 + 1) * int(mostradas.size()));
    EXPECT_EQ(prueba::sinNombre(&w), QStringList());

    // The current cell is announced by its number among the shown cells.
    g->vaAFila(2);
    QAccessibleInterface* celda = i->child(indiceAccesible(g, g->currentIndex()));
    ASSERT_TRUE(celda);
    EXPECT_EQ(celda->tableCellInterface()->rowIndex(), 2);
    EXPECT_EQ(celda->tableCellInterface()->columnIndex(), mostradas.indexOf(g->currentIndex().column()));
    EXPECT_EQ(i->focusChild(), celda);
    int oculta = 0;
    while (!g->isColumnHidden(oculta)) ++oculta;
    EXPECT_EQ(indiceAccesible(g, g->model()->index(0, oculta)), -1);
}

TEST_F(Ventanas, ModificarConBotonDobleClicYEnter) {
    agregaContribuyentes(5, true, false);
    e.base().ejecuta("UPDATE CAB SET semana=0");
    auto s = sesion();
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    int abiertas = 0;
    FrmModFor* ventana = nullptr;
    struct Visto {
        QString ruc, nombre;
        short modo;
        bool habilitada;
    };
    std::vector<Visto> vistos;
    FrmModFor w(*s, v, barra, [&] {
        ++abiertas;
        vistos.push_back({v.RucDeclarante, v.NombreDeclarante, v.ModoDeclaracion, ventana->isEnabled()});
        return true;
    });
    ventana = &w;
    muestra(w);
    const std::vector<std::pair<const char*, std::function<void()>>> formas = {
        {"boton", [&] { QTest::mouseClick(w.botonAccion(), Qt::LeftButton); }},
        {"doble clic", [&] { dobleClic(w.grid(), 2); }},
        {"enter", [&] { QTest::keyClick(w.grid(), Qt::Key_Return); }},
        {"enter del teclado numerico", [&] { QTest::keyClick(w.grid(), Qt::Key_Enter, Qt::KeypadModifier); }},
    };
    for (const auto& [nombre, hace] : formas) {
        SCOPED_TRACE(nombre);
        w.grid()->vaAFila(2);
        w.grid()->setFocus();
        v.ModoDeclaracion = 1;
        vistos.clear();
        hace();
        ASSERT_EQ(vistos.size(), 1u);
        EXPECT_EQ(vistos[0].ruc, ruc(2));
        EXPECT_EQ(vistos[0].nombre, "APELLIDO 2 NOMBRE");
        EXPECT_EQ(vistos[0].modo, 2);
        EXPECT_FALSE(vistos[0].habilitada);  // the list waits while the declaration is open
        EXPECT_TRUE(w.isEnabled());
        EXPECT_EQ(w.grid()->filaActual(), 2);
    }
    EXPECT_EQ(abiertas, 4);
    EXPECT_EQ(s->Periodo, "2003");
    EXPECT_EQ(s->Semana, 0);
    EXPECT_EQ(v.CorrelEnviada, "");
}

// After the declaration window closes the list is read again and comes back to the row the user
// was on, also beyond the first page; when that row is gone, to the last one.
TEST_F(Ventanas, VuelveALaFilaRecordada) {
    const int total = 2 * ModeloLista::kPagina + 30;
    agregaContribuyentes(total, true, false);
    auto s = sesion();
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    std::function<void()> durante = [] {};
    FrmModFor w(*s, v, barra, [&] {
        durante();
        return true;
    });
    muestra(w);

    const int lejana = ModeloLista::kPagina + 57;
    w.grid()->vaAFila(lejana);
    QTest::keyClick(w.grid(), Qt::Key_Return);
    EXPECT_EQ(w.grid()->filaActual(), lejana);
    EXPECT_EQ(w.modelo()->texto(lejana, col::Ruc), ruc(lejana));
    EXPECT_EQ(barra.ruc, ruc(lejana));

    // The declaration window deleted the last two declarations meanwhile.
    w.grid()->vaAFila(total - 1);
    durante = [&] { e.base().ejecuta("DELETE FROM CAB WHERE doc_id_d>=?", {ruc(total - 2)}); };
    QTest::keyClick(w.grid(), Qt::Key_Return);
    EXPECT_EQ(w.grid()->filaActual(), total - 3);
    EXPECT_EQ(w.modelo()->texto(w.grid()->filaActual(), col::Ruc), ruc(total - 3));
}

TEST_F(Ventanas, BarraDeEstadoYValoresAlCambiarDeFilaYAlCerrar) {
    agregaContribuyentes(3, true, false);
    auto s = sesion();
    s->Periodo = "1999";
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    FrmModFor w(*s, v, barra, [] { return true; });
    muestra(w);
    QTest::keyClick(w.grid(), Qt::Key_Down);
    EXPECT_EQ(w.grid()->filaActual(), 1);
    EXPECT_EQ(barra.ruc, ruc(1));
    EXPECT_EQ(barra.nombre, "APELLIDO 1 NOMBRE");
    EXPECT_EQ(barra.formulario, "0738");
    EXPECT_EQ(barra.periodo, "2003");
    EXPECT_EQ(v.RucDeclarante, ruc(1));
    EXPECT_EQ(v.NombreDeclarante, "APELLIDO 1 NOMBRE");
    EXPECT_EQ(s->Periodo, "2003");
    QTest::mouseClick(w.botonSalir(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(barra.ruc, "");
    EXPECT_EQ(barra.nombre, "");
    EXPECT_EQ(barra.formulario, "");
    EXPECT_EQ(barra.periodo, "");
}

TEST_F(Ventanas, SinVentanaDeDeclaracionNoSeOfreceModificarNiRegistrar) {
    agregaContribuyentes(2, true, true);
    auto s = sesion();
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    FrmModFor modificar(*s, v, barra, {});
    EXPECT_FALSE(modificar.botonAccion()->isEnabled());
    EXPECT_FALSE(modificar.botonAccion()->toolTip().isEmpty());
    muestra(modificar);
    v.RucDeclarante.clear();
    dobleClic(modificar.grid(), 0);
    QTest::keyClick(modificar.grid(), Qt::Key_Return);
    EXPECT_EQ(v.ModoDeclaracion, 2);
    EXPECT_TRUE(modificar.isVisible());
    modificar.close();

    FrmAbrirEnv registrar(*s, v, barra, {});
    EXPECT_FALSE(registrar.botonAccion()->isEnabled());
    muestra(registrar);
    dobleClic(registrar.grid(), 0);
    EXPECT_FALSE(v.DeclaracionEnviada);
    registrar.close();

    // Deleting needs no declaration window.
    v.ModoDeclaracion = 3;
    FrmModFor eliminar(*s, v, barra, {});
    EXPECT_TRUE(eliminar.botonAccion()->isEnabled());
}

// Every list of declarations reads the user's kind the same way: a DIGITADOR sees only the taxpayers
// registered under his name, an ADMIN all of them; a kind that cannot be read is shown as the
// list's error and restricts him.
TEST_F(Ventanas, CadaListaMuestraSoloLosContribuyentesQueElUsuarioPuedeElegir) {
    agregaContribuyentes(2, true, true);
    e.agregaUsuario("ANA", "1");
    e.agregaContribuyente(ruc(7), "ROJAS", "DIAZ", "ANA", "ANA");
    agregaGuardada(e.base(), ruc(7));
    agregaEnviada(e.base(), ruc(7), "001");
    using Crea = std::function<QDialog*(DatosSesion&, ValoresEjecucion&)>;
    const std::vector<std::pair<const char*, Crea>> ventanas = {
        {"frmModFor", [&](DatosSesion& s, ValoresEjecucion& v) { return new FrmModFor(s, v, barra, {}); }},
        {"frmAbrirEnv",
         [&](DatosSesion& s, ValoresEjecucion& v) { return new FrmAbrirEnv(s, v, barra, {}); }},
        {"frmImprimir",
         [&](DatosSesion& s, ValoresEjecucion& v) { return new reporte::FrmImprimir(s, v, barra); }},
    };
    const auto rucs = [](QDialog* d) {
        QStringList r;
        ModeloLista* m = qobject_cast<ui::VentanaLista*>(d)->modelo();
        for (int f = 0; m && f < m->rowCount(); ++f) r << m->texto(f, 0);
        return r;
    };
    for (const auto& [nombre, crea] : ventanas) {
        SCOPED_TRACE(nombre);
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        auto jefe = sesion();
        EXPECT_EQ(rucs(std::unique_ptr<QDialog>(crea(*jefe, v)).get()),
                  QStringList({ruc(0), ruc(1), ruc(7)}));
        auto ana = sesionListas(e, "ANA");
        EXPECT_EQ(rucs(std::unique_ptr<QDialog>(crea(*ana, v)).get()), QStringList{ruc(7)});
        EXPECT_TRUE(dlg->mostrados.empty());
    }

    e.base().ejecuta("DROP TABLE CLAVES");
    for (const auto& [nombre, crea] : ventanas) {
        SCOPED_TRACE(nombre);
        dlg->mostrados.clear();
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        auto jefe = sesion();
        EXPECT_EQ(rucs(std::unique_ptr<QDialog>(crea(*jefe, v)).get()), QStringList({ruc(0), ruc(1)}));
        ASSERT_EQ(dlg->mostrados.size(), 1u);
        EXPECT_EQ(dlg->mostrados[0].first.titulo, "Error");
        EXPECT_TRUE(dlg->mostrados[0].first.texto.contains("3078"))
            << dlg->mostrados[0].first.texto.toStdString();
    }
}

TEST_F(Ventanas, ListaVaciaDeshabilitaLaGrillaYLosBotonesNoHacenNada) {
    e.agregaContribuyente(ruc(1), "A", "B", "C", "JEFE");
    agregaEnviada(e.base(), ruc(1), "001", 0);  // sent but not accepted: not in the sent list
    auto s = sesion();
    for (short modo : {2, 3}) {
        for (bool enviadas : {false, true}) {
            SCOPED_TRACE(modo * 10 + enviadas);
            ValoresEjecucion v;
            v.ModoDeclaracion = modo;
            v.ListaEnviadas = enviadas;
            int abiertas = 0;
            FrmModFor w(*s, v, barra, [&] { return ++abiertas, true; });
            muestra(w);
            EXPECT_FALSE(w.grid()->isEnabled());
            QTest::mouseClick(w.botonAccion(), Qt::LeftButton);
            EXPECT_EQ(abiertas, 0);
            EXPECT_TRUE(dlg->mostrados.empty());
            EXPECT_EQ(v.ModoDeclaracion, modo);
            EXPECT_EQ(v.RucDeclarante, "");
            EXPECT_EQ(cuentaFilas(e.base(), "hCAB", ruc(1)), 1);
        }
    }
    // The order-number list shows every sending, so empty it first.
    e.base().ejecuta("DELETE FROM hCAB");
    ValoresEjecucion v;
    int abiertas = 0;
    FrmAbrirEnv w(*s, v, barra, [&] { return ++abiertas, true; });
    muestra(w);
    EXPECT_FALSE(w.grid()->isEnabled());
    QTest::mouseClick(w.botonAccion(), Qt::LeftButton);
    EXPECT_EQ(abiertas, 0);
    EXPECT_FALSE(v.DeclaracionEnviada);
}

TEST_F(Ventanas, PreguntasDeEliminar) {
    agregaContribuyentes(3, true, false);
    struct Caso {
        const char* nombre;
        std::deque<Respuesta> respuestas;
        size_t preguntas;
        bool borra;
    };
    const std::vector<Caso> casos = {
        {"cancela la primera", {Respuesta::Cancelar}, 1, false},
        {"no a la segunda", {Respuesta::Ok, Respuesta::No}, 2, false},
        {"sin respuesta: los botones por defecto", {}, 1, false},
        {"confirma", {Respuesta::Ok, Respuesta::Si}, 2, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto s = sesion();
        ValoresEjecucion v;
        v.ModoDeclaracion = 3;
        FrmModFor w(*s, v, barra, {});
        muestra(w);
        w.grid()->vaAFila(1);
        const QString elegido = w.modelo()->texto(1, col::Ruc);
        dlg->mostrados.clear();
        dlg->respuestas = c.respuestas;
        QTest::mouseClick(w.botonAccion(), Qt::LeftButton);
        ASSERT_EQ(dlg->mostrados.size(), c.preguntas);
        const auto& [primera, defecto1] = dlg->mostrados[0];
        EXPECT_EQ(primera.texto, "Se eliminarán todos los registros de la declaración ");
        EXPECT_EQ(primera.titulo, "Eliminar Formulario");
        EXPECT_EQ(primera.icono, Icono::Exclamacion);
        EXPECT_EQ(primera.botones, Botones::OkCancelar);
        EXPECT_EQ(defecto1, Respuesta::Cancelar);
        if (c.preguntas > 1) {
            const auto& [segunda, defecto2] = dlg->mostrados[1];
            EXPECT_EQ(segunda.texto, "¿Confirma que va a eliminar la declaración?");
            EXPECT_EQ(segunda.titulo, "Eliminar Formularios");
            EXPECT_EQ(segunda.icono, Icono::Pregunta);
            EXPECT_EQ(segunda.botones, Botones::SiNo);
            EXPECT_EQ(defecto2, Respuesta::No);
        }
        for (const QString& t : tablasGuardadas())
            EXPECT_EQ(cuentaFilas(e.base(), t, elegido) == 0, c.borra) << t.toStdString();
        EXPECT_EQ(w.modelo()->rowCount(), c.borra ? 2 : 3);
        EXPECT_TRUE(w.grid()->hasFocus());
    }
}

TEST_F(Ventanas, EliminarEnviadaBorraSoloSuCorrelativo) {
    agregaContribuyentes(2, false, true);
    agregaEnviada(e.base(), ruc(0), "002");
    auto s = sesion();
    ValoresEjecucion v;
    v.ModoDeclaracion = 3;
    v.ListaEnviadas = true;
    FrmModFor w(*s, v, barra, {});
    muestra(w);
    ASSERT_EQ(w.modelo()->rowCount(), 3);
    ASSERT_EQ(w.modelo()->texto(1, col::Correlativo), "002");
    w.grid()->vaAFila(1);
    dlg->respuestas = {Respuesta::Ok, Respuesta::Si};
    dobleClic(w.grid(), 1);
    EXPECT_EQ(v.CorrelEnviada, "002");
    for (const QString& t : tablasEnviadas()) {
        SCOPED_TRACE(t.toStdString());
        EXPECT_EQ(cuentaFilas(e.base(), t, ruc(0), "002"), 0);
        EXPECT_GT(cuentaFilas(e.base(), t, ruc(0), "001"), 0);
        EXPECT_GT(cuentaFilas(e.base(), t, ruc(1), "001"), 0);
    }
    EXPECT_EQ(w.modelo()->rowCount(), 2);
}

// A statement that fails after the boxes and the header are deleted (here a trigger on an annex
// table) leaves every row of the declaration in place, and the user is told.
TEST_F(Ventanas, EliminarQueFallaAMitadNoBorraNada) {
    agregaContribuyentes(2, true, false);
    e.base().ejecuta("CREATE TRIGGER bloquea BEFORE DELETE ON F0738EXTRANJ BEGIN SELECT RAISE(ABORT, 'bloqueado'); END");
    auto s = sesion();
    ValoresEjecucion v;
    v.ModoDeclaracion = 3;
    FrmModFor w(*s, v, barra, {});
    muestra(w);
    dlg->respuestas = {Respuesta::Ok, Respuesta::Si};
    QTest::mouseClick(w.botonAccion(), Qt::LeftButton);
    ASSERT_EQ(dlg->mostrados.size(), 3u);
    // The record-error message of the error's number.
    EXPECT_EQ(dlg->mostrados[2].first.titulo, "Mensaje");
    EXPECT_EQ(dlg->mostrados[2].first.icono, Icono::Informacion);
    EXPECT_FALSE(dlg->mostrados[2].first.texto.isEmpty());
    for (const QString& t : tablasGuardadas()) EXPECT_GT(cuentaFilas(e.base(), t, ruc(0)), 0) << t.toStdString();
    EXPECT_EQ(w.modelo()->rowCount(), 2);
}

TEST_F(Ventanas, RegistrarNumeroDeOrden) {
    agregaContribuyentes(3, false, true);
    agregaEnviada(e.base(), ruc(1), "002", 0, "", "55555555", "2004-04-01");  // any estado is listed
    auto s = sesion();
    ValoresEjecucion v;
    v.OrdenModificada = true;
    FrmAbrirEnv* ventana = nullptr;
    struct Visto {
        QString ruc, nombre, correl, control, orden;
        bool enviada, habilitada;
    };
    std::vector<Visto> vistos;
    FrmAbrirEnv w(*s, v, barra, [&] {
        vistos.push_back({v.RucDeclarante, v.NombreDeclarante, v.CorrelEnviada, v.NumeroControl, v.NumeroOrden,
                          v.DeclaracionEnviada, ventana->isEnabled()});
        v.OrdenModificada = true;
        return true;
    });
    ventana = &w;
    EXPECT_EQ(w.windowTitle(), "Registrar número de orden");
    EXPECT_EQ(w.botonAccion()->text(), "&Registrar");
    if (w.logicalDpiX() == 96) {
        EXPECT_GE(w.width(), qRound((9195 - 90) / 15.0));
        EXPECT_EQ(w.height(), qRound((4530 - 375) / 15.0));
    }
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.grid()->horizontalScrollBar()->maximum(), 0);
    QStringList titulos;
    for (int c = 0; c < w.modelo()->columnCount(); ++c)
        titulos << w.modelo()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titulos, QStringList({"RUC", "Razón Social", "Ejercicio", "Formulario", "N. Orden", "Fecha Env.",
                                    "Control", "Correl", "Rectifica", "Semana"}));
    muestra(w);
    ASSERT_EQ(w.modelo()->rowCount(), 4);
    EXPECT_EQ(w.modelo()->textoMostrado(2, colEnv::FechaEnv), "01/04/2004");

    QTest::keyClick(w.grid(), Qt::Key_Down);
    QTest::keyClick(w.grid(), Qt::Key_Down);
    EXPECT_EQ(barra.ruc, ruc(1));
    EXPECT_EQ(barra.nombre, "APELLIDO 1 NOMBRE");
    EXPECT_EQ(barra.formulario, "0738");
    EXPECT_EQ(barra.periodo, "2003");

    dobleClic(w.grid(), 2);
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].ruc, ruc(1));
    EXPECT_EQ(vistos[0].nombre, "APELLIDO 1 NOMBRE");
    EXPECT_EQ(vistos[0].correl, "002");
    EXPECT_EQ(vistos[0].control, "55555555");
    EXPECT_EQ(vistos[0].orden, "");
    EXPECT_TRUE(vistos[0].enviada);
    EXPECT_FALSE(vistos[0].habilitada);
    EXPECT_EQ(w.grid()->filaActual(), 2);

    // "&Registrar" clears the flag of an earlier order number before opening.
    QTest::mouseClick(w.botonAccion(), Qt::LeftButton);
    EXPECT_EQ(vistos.size(), 2u);
    v.OrdenModificada = false;
    QTest::mouseClick(w.botonSalir(), Qt::LeftButton);
    EXPECT_FALSE(v.DeclaracionEnviada);
}

TEST_F(Ventanas, ErrorAlLeerLaListaSeMuestra) {
    e.base().ejecuta("DROP TABLE hCAB");
    auto s = sesion();
    ValoresEjecucion v;
    FrmAbrirEnv w(*s, v, barra, [] { return true; });
    ASSERT_EQ(dlg->mostrados.size(), 1u);
    const Mensaje& m = dlg->mostrados[0].first;
    EXPECT_EQ(m.titulo, "Error");
    EXPECT_EQ(m.botones, Botones::Ok);
    EXPECT_TRUE(m.texto.contains("\n ")) << m.texto.toStdString();
    EXPECT_FALSE(w.grid()->isEnabled());
    QTest::mouseClick(w.botonAccion(), Qt::LeftButton);
    EXPECT_EQ(dlg->mostrados.size(), 1u);
}

TEST_F(Ventanas, ConsultasDeCatalogo) {
    e.agregaParam("404", "20030101", "3100");
    e.agregaParam("404", "20020101", "3100");
    e.agregaParam("004", "00", "NINGUNO");
    e.agregaParam("004", "11", "BANCO UNO");
    auto s = sesion();
    ValoresEjecucion v;
    v.TipoConsulta = 3;
    FrmBancos uit(*s, v);
    muestra(uit);
    EXPECT_EQ(uit.windowTitle(), "Consulta de UIT");
    EXPECT_EQ(uit.grid()->model()->headerData(0, Qt::Horizontal).toString(), "Fecha");
    EXPECT_EQ(uit.grid()->model()->headerData(1, Qt::Horizontal).toString(), "Valor");
    EXPECT_EQ(uit.grid()->columnWidth(0), ui::px(&uit, 1500));
    EXPECT_EQ(uit.grid()->model()->index(0, 0).data().toString(), "01/01/2003");
    EXPECT_EQ(uit.grid()->model()->index(0, 1).data().toString(), "3,100");
    if (uit.logicalDpiX() == 96) {
        EXPECT_EQ(uit.size(), QSize(qRound((7065 - 90) / 15.0), qRound((4140 - 375) / 15.0)));
    }

    v.TipoConsulta = 1;  // no professions in this catalog: an empty, disabled grid
    FrmBancos prof(*s, v);
    EXPECT_EQ(prof.windowTitle(), "Consulta de Profesiones");
    EXPECT_FALSE(prof.grid()->isEnabled());

    v.TipoConsulta = 2;
    FrmBancos bancos(*s, v);
    EXPECT_EQ(bancos.windowTitle(), "Consulta de Bancos");
    EXPECT_EQ(bancos.modelo()->rowCount(), 1);
    EXPECT_EQ(bancos.grid()->model()->headerData(0, Qt::Horizontal).toString(), "Código");
    EXPECT_EQ(bancos.grid()->model()->headerData(1, Qt::Horizontal).toString(), "Descripción");

    v.TipoConsulta = 7;
    FrmBancos ninguna(*s, v);
    EXPECT_EQ(ninguna.windowTitle(), "Consultas");
    EXPECT_FALSE(ninguna.grid()->isEnabled());
    EXPECT_TRUE(dlg->mostrados.empty());
    QTest::mouseClick(ninguna.botonSalir(), Qt::LeftButton);
    EXPECT_EQ(ninguna.result(), QDialog::Accepted);
}

// Every list window by the keyboard: each stop named, each Alt letter once, and Tab, Shift+Tab and
// Ctrl+Tab (with and without Shift) leave the grid for the next or previous control.
TEST_F(Ventanas, CadaListaSueltaElTabYNoTieneParadasDudosas) {
    agregaContribuyentes(3, true, true);
    e.agregaParam("404", "20030101", "3100");
    auto s = sesion();
    ValoresEjecucion v;
    std::vector<std::unique_ptr<QDialog>> ventanas;
    v.ModoDeclaracion = 2;
    ventanas.push_back(std::make_unique<FrmModFor>(*s, v, barra, [] { return true; }));
    v.ModoDeclaracion = 3;
    ventanas.push_back(std::make_unique<FrmModFor>(*s, v, barra, [] { return true; }));
    v.ListaEnviadas = true;
    ventanas.push_back(std::make_unique<FrmModFor>(*s, v, barra, [] { return true; }));
    ventanas.push_back(std::make_unique<FrmAbrirEnv>(*s, v, barra, [] { return true; }));
    v.TipoConsulta = 3;
    ventanas.push_back(std::make_unique<FrmBancos>(*s, v));
    ventanas.push_back(std::make_unique<reporte::FrmImprimir>(*s, v, barra));
    for (auto& w : ventanas) {
        muestra(*w);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        const std::string cual = w->windowTitle().toStdString();
        EXPECT_TRUE(paradasDudosas(w.get()).isEmpty()) << cual << ":\n"
                                                       << paradasDudosas(w.get()).join("\n").toStdString();
        EXPECT_TRUE(letrasRepetidas(w.get()).isEmpty()) << cual << ":\n"
                                                        << letrasRepetidas(w.get()).join("\n").toStdString();
        auto* g = w->findChild<ui::GridLista*>();
        ASSERT_NE(g, nullptr);
        ASSERT_TRUE(g->isEnabled()) << cual;
        const std::pair<Qt::Key, Qt::KeyboardModifiers> teclas[] = {
            {Qt::Key_Tab, Qt::NoModifier},
            {Qt::Key_Backtab, Qt::ShiftModifier},
            {Qt::Key_Tab, Qt::ControlModifier},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
        };
        for (auto [tecla, mod] : teclas) {
            g->setFocus(Qt::OtherFocusReason);
            ASSERT_EQ(QApplication::focusWidget(), g) << cual;
            QTest::keyClick(g, tecla, mod);
            QWidget* f = QApplication::focusWidget();
            EXPECT_TRUE(f && f != g && f->window() == w.get()) << cual << " " << int(mod);
        }
        w->hide();
    }
}

}  // namespace

namespace {

// The main window's registry creates the lists; they open the declaration window through it once
// it is registered, over the list, with the chosen declaration's values set.
TEST_F(Ventanas, RegistroDeLaVentanaPrincipal) {
    agregaContribuyentes(2, true, true);
    Aplicacion app;
    app.sesion.Usuario = "JEFE";
    app.sesion.Base = BaseDatos::abre(e.rutaBase());
    app.barra = &barra;
    RegistroVentanas r;
    registraVentanasListas(r);
    for (Ventana v : {Ventana::frmModFor, Ventana::frmAbrirEnv, Ventana::frmBancos}) EXPECT_TRUE(r.existe(v));

    app.valores.ModoDeclaracion = 2;
    std::unique_ptr<QDialog> sinDeclaracion(r.crea(Ventana::frmModFor, app, nullptr));
    auto* m = qobject_cast<FrmModFor*>(sinDeclaracion.get());
    ASSERT_NE(m, nullptr);
    EXPECT_FALSE(m->botonAccion()->isEnabled());

    QWidget* padre = nullptr;
    QString elegido;
    r.registra(Ventana::Frm0738, [&](Aplicacion& a, QWidget* p) -> QDialog* {
        padre = p;
        elegido = a.valores.RucDeclarante;
        auto* d = new QDialog(p);
        QTimer::singleShot(0, d, &QDialog::accept);
        return d;
    });
    std::unique_ptr<QDialog> lista(r.crea(Ventana::frmModFor, app, nullptr));
    m = qobject_cast<FrmModFor*>(lista.get());
    ASSERT_TRUE(m->botonAccion()->isEnabled());
    muestra(*m);
    m->grid()->vaAFila(1);
    QTest::mouseClick(m->botonAccion(), Qt::LeftButton);
    EXPECT_EQ(padre, m);
    EXPECT_EQ(elegido, ruc(1));
    EXPECT_EQ(barra.ruc, ruc(1));

    app.valores.TipoConsulta = 3;
    std::unique_ptr<QDialog> uit(r.crea(Ventana::frmBancos, app, nullptr));
    EXPECT_EQ(uit->windowTitle(), "Consulta de UIT");

    // A declaration window that cannot open is reported; the list stays usable.
    r.registra(Ventana::Frm0738,
               [](Aplicacion&, QWidget*) -> QDialog* { throw ErrorBD(3078, "no such table: DET"); });
    std::unique_ptr<QDialog> registro(r.crea(Ventana::frmAbrirEnv, app, nullptr));
    auto* env = qobject_cast<FrmAbrirEnv*>(registro.get());
    muestra(*env);
    dlg->mostrados.clear();
    QTest::mouseClick(env->botonAccion(), Qt::LeftButton);
    ASSERT_EQ(dlg->mostrados.size(), 1u);
    EXPECT_EQ(dlg->mostrados[0].first.texto, "No se encuentra la tabla o la consulta.\nno such table: DET\n 3078");
    EXPECT_EQ(dlg->mostrados[0].first.titulo, "Error");
    EXPECT_TRUE(env->isEnabled());
    EXPECT_TRUE(env->grid()->isEnabled());
}

}  // namespace
