#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <optional>

#include "support/accesible.h"
#include "support/entorno.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/app/ui/barra_estado.h"
#include "varnel/app/ui/frm_principal.h"
#include "varnel/app/ui/posiciona.h"
#include "varnel/ventanas.h"

using namespace qvr;

namespace {

// A window of a later part: it closes itself as soon as it is shown modally.
class VentanaPrueba : public QDialog {
  public:
    using QDialog::QDialog;

  protected:
    void showEvent(QShowEvent* e) override {
        QDialog::showEvent(e);
        QTimer::singleShot(0, this, &QDialog::reject);
    }
};

struct Apertura {
    Ventana ventana;
    ValoresEjecucion valores;  // as the window found them while loading
    bool relojArena;
    bool hijaVisible;  // an earlier child window was still open while this one loaded
    QPointer<QDialog> instancia;
};

const Ventana kVentanasPosteriores[] = {Ventana::Frm0738, Ventana::frmModFor, Ventana::frmAbrirEnv,
                                        Ventana::frmBancos, Ventana::frmImprimir};

QAction* itemMenu(QMainWindow& w, const QString& menu, const QString& item) {
    for (QAction* m : w.menuBar()->actions())
        if (m->text() == menu && m->menu())
            for (QAction* a : m->menu()->actions())
                if (a->text() == item) return a;
    return nullptr;
}

QToolBar* barraHerramientas(QMainWindow& w) { return w.findChild<QToolBar*>("Toolbar1"); }

// Toolbar button by its 1-based number; separators count.
QAction* boton(QMainWindow& w, int indice) { return barraHerramientas(w)->actions().value(indice - 1); }

void pulsa(QMainWindow& w, int indice) {
    QWidget* b = barraHerramientas(w)->widgetForAction(boton(w, indice));
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
}

class Principal : public ::testing::Test {
  protected:
    explicit Principal(bool conVentanas = true) {
        if (conVentanas)
            for (Ventana v : kVentanasPosteriores)
                registro.registra(v, [this, v](Aplicacion& a, QWidget* p) {
                    const QCursor* c = QApplication::overrideCursor();
                    auto* d = new VentanaPrueba(p);
                    aperturas.push_back(
                        {v, a.valores, c && c->shape() == Qt::WaitCursor, hija && hija->isVisible(), d});
                    return d;
                });
    }
    void SetUp() override {
        w = std::make_unique<FrmPrincipal>(app, registro);
        ASSERT_TRUE(w->carga());
    }

    prueba::Entorno env;
    Aplicacion app;
    RegistroVentanas registro;
    std::vector<Apertura> aperturas;
    QPointer<QDialog> hija;
    std::unique_ptr<FrmPrincipal> w;
};

class PrincipalSinVentanas : public Principal {
  protected:
    PrincipalSinVentanas() : Principal(false) {}
};

}  // namespace

TEST_F(Principal, LaCargaDejaLaVentanaEnSuLugarConLaBarraDeEstadoLlena) {
    EXPECT_EQ(app.sesion.Formulario, "0738");
    EXPECT_EQ(app.sesion.Usuario, "DEMO");
    ASSERT_TRUE(app.sesion.Base && app.sesion.Base->abierta());
    EXPECT_EQ(app.ArchivoAyuda, env.sistema() + "0738\\Varnel");
    EXPECT_EQ(app.barra, w->barra());

    BarradeEstadoQVR* b = w->findChild<BarradeEstadoQVR*>("BarradeEstadoQVR1");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->numeroDocumento(), "");
    EXPECT_EQ(b->nombre(), "");
    EXPECT_EQ(b->formulario(), "0738");
    EXPECT_EQ(b->periodo(), "2003");
    EXPECT_EQ(b->valor(), 1);
    app.barra->fija(" 10101010101 ", "PEREZ ", "0738", "2003");
    EXPECT_EQ(b->numeroDocumento(), "10101010101");
    EXPECT_EQ(b->nombre(), "PEREZ");
    app.barra->limpia();
    EXPECT_EQ(b->numeroDocumento() + b->nombre() + b->formulario() + b->periodo(), "");

    // 9555 x 7320 twips at the screen's resolution, fixed, without minimize and maximize boxes.
    EXPECT_EQ(w->width(), pixeles(w.get(), 9555));
    EXPECT_EQ(w->height(), pixeles(w.get(), 7320));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(w->property("contextoAyuda").toInt(), 1039);

    // Activating it leaves it where the user put it (and where it opens next time: geometria_test).
    w->move(100, 100);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(w->pos(), QPoint(100, 100));
    EXPECT_EQ(w->size(), QSize(pixeles(w.get(), 9555), pixeles(w.get(), 7320)));
}

TEST(Twips, QuincePorPixelA96PuntosYProporcionalesALaResolucion) {
    EXPECT_EQ(twipsAPixeles(9555, 96), 637);
    EXPECT_EQ(twipsAPixeles(7320, 96), 488);
    EXPECT_EQ(twipsAPixeles(-60, 96), -4);
    EXPECT_EQ(twipsAPixeles(9555, 192), 1274);
    EXPECT_EQ(twipsAPixeles(1440, 120), 120);
}

TEST_F(Principal, MenusConSusCaptionsSeparadoresYContextosDeAyuda) {
    struct Menu {
        QString caption;
        int contexto;
        QStringList items;  // "-" is a separator
    };
    const Menu esperados[] = {
        {"&Declaraciones", 1008, {"&Nueva", "&Modificar", "&Eliminar", "-", "&Imprimir", "-", "&Salir"}},
        {"Declaraciones &Enviadas", 1009, {"&Registrar número de orden", "&Eliminar", "-", "&Imprimir"}},
        {"&Consultas", 1006, {"&Codigos de profesión", "&Bancos", "Consulta de &UIT"}},
        {"&Ayuda", 1001, {"&Contenido de la Ayuda", "-", "&Acerca de ..."}},
    };
    const QList<QAction*> menus = w->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(menus[i]->text(), esperados[i].caption);
        EXPECT_EQ(menus[i]->menu()->property("contextoAyuda").toInt(), esperados[i].contexto);
        QStringList items;
        for (QAction* a : menus[i]->menu()->actions()) items << (a->isSeparator() ? "-" : a->text());
        EXPECT_EQ(items, esperados[i].items);
    }
}

// Each Alt letter of the menu bar, and of each menu, reaches one item only ("&Consultas" had two
// items on C).
TEST_F(Principal, CadaLetraDeUnMenuEsUnica) {
    const auto letras = [](const QList<QAction*>& acciones) {
        QStringList l;
        for (QAction* a : acciones)
            if (!a->isSeparator()) l << QKeySequence::mnemonic(a->text()).toString();
        return l;
    };
    const auto unicas = [](const QStringList& l) {
        return !l.contains(QString()) && QSet<QString>(l.begin(), l.end()).size() == l.size();
    };
    EXPECT_TRUE(unicas(letras(w->menuBar()->actions())))
        << letras(w->menuBar()->actions()).join(",").toStdString();
    for (QAction* m : w->menuBar()->actions())
        EXPECT_TRUE(unicas(letras(m->menu()->actions())))
            << m->text().toStdString() << ": " << letras(m->menu()->actions()).join(",").toStdString();
}

TEST_F(Principal, BarraDeDiezBotonesConSusTooltipsYSeparadores) {
    const QStringList tooltips = {"Nueva", "Modifcar",        "Eliminar", "Imprimir", "Salir",
                                  "-",     "Numero de orden", "-",        "-",        ""};
    const QList<QAction*> botones = barraHerramientas(*w)->actions();
    ASSERT_EQ(botones.size(), 10);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i + 1);
        if (tooltips[i] == "-") {
            EXPECT_TRUE(botones[i]->isSeparator());
            continue;
        }
        EXPECT_FALSE(botones[i]->isSeparator());
        auto* b = qobject_cast<QToolButton*>(barraHerramientas(*w)->widgetForAction(botones[i]));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->toolTip(), tooltips[i]);
        EXPECT_FALSE(botones[i]->icon().isNull());
        EXPECT_TRUE(b->isEnabled());
    }
}

// A screen reader names every toolbar button (the help's, which has no tip, after its menu
// command) and every panel of the status bar, with its value.
TEST_F(Principal, BotonesYPanelesConNombreParaUnLectorDePantalla) {
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_EQ(prueba::nombreAccesible(barraHerramientas(*w)->widgetForAction(boton(*w, 10))),
              "Contenido de la Ayuda");
    EXPECT_EQ(prueba::sinNombre(w.get()), QStringList());
    app.barra->fija("10101010101", "PEREZ", "0738", "2003");
    app.barra->setValor(1);
    const std::pair<const char*, const char*> paneles[] = {
        {"lblDocumento", "Número de documento del contribuyente: 10101010101"},
        {"lblNombre", "Nombre o razón social: PEREZ"},
        {"lblFormulario", "Formulario: 0738"},
        {"lblPeriodo", "Periodo: 2003"},
        {"lblValor", "Estado: 1"},
    };
    for (const auto& [panel, nombre] : paneles) {
        auto* l = w->findChild<QLabel*>(panel);
        ASSERT_NE(l, nullptr) << panel;
        EXPECT_EQ(prueba::nombreAccesible(l), QString::fromUtf8(nombre));
    }
    app.barra->limpia();
    EXPECT_EQ(prueba::nombreAccesible(w->findChild<QLabel*>("lblNombre")), "Nombre o razón social");
}

// The run values each command leaves for the window it opens. Unset fields must stay as they were:
// every case runs from two opposite starting states.
TEST_F(Principal, CadaComandoFijaSusValoresCierraLasHijasYAbreSuVentana) {
    enum Cierre { No, Antes, Despues };
    struct Caso {
        const char* menu;
        const char* item;
        int boton;  // toolbar button instead of a menu item
        Ventana ventana;
        std::optional<short> modo;
        std::optional<bool> listaEnviadas, declaracionEnviada, ordenModificada;
        std::optional<int> tipoConsulta;
        bool reloj;
        Cierre cierre;
    };
    const std::nullopt_t _ = std::nullopt;
    const Caso casos[] = {
        {"&Declaraciones", "&Nueva", 0, Ventana::Frm0738, 1, _, _, _, _, true, No},
        {"&Declaraciones", "&Modificar", 0, Ventana::frmModFor, 2, false, false, false, _, false, Antes},
        {"&Declaraciones", "&Eliminar", 0, Ventana::frmModFor, 3, false, false, false, _, false, No},
        {"&Declaraciones", "&Imprimir", 0, Ventana::frmImprimir, _, false, false, _, _, false, No},
        {"Declaraciones &Enviadas", "&Registrar número de orden", 0, Ventana::frmAbrirEnv, 2, _, true, false,
         _, true, No},
        {"Declaraciones &Enviadas", "&Eliminar", 0, Ventana::frmModFor, 3, true, false, _, _, false, Despues},
        {"Declaraciones &Enviadas", "&Imprimir", 0, Ventana::frmImprimir, _, true, false, _, _, false, No},
        {"&Consultas", "&Codigos de profesión", 0, Ventana::frmBancos, _, _, _, _, 1, true, Antes},
        {"&Consultas", "&Bancos", 0, Ventana::frmBancos, _, _, _, _, 2, true, Antes},
        {"&Consultas", "Consulta de &UIT", 0, Ventana::frmBancos, _, _, _, _, 3, true, Antes},
        {"", "", 1, Ventana::Frm0738, 1, _, _, _, _, true, No},
        {"", "", 2, Ventana::frmModFor, 2, false, _, _, _, false, Antes},
        {"", "", 3, Ventana::frmModFor, 3, false, false, false, _, false, Antes},
        {"", "", 4, Ventana::frmImprimir, _, false, _, _, _, false, No},
        {"", "", 7, Ventana::frmAbrirEnv, 2, _, true, false, _, true, No},
    };
    for (const Caso& c : casos) {
        for (bool inicial : {true, false}) {
            SCOPED_TRACE(QString("%1 %2 boton %3 inicial %4")
                             .arg(c.menu, c.item)
                             .arg(c.boton)
                             .arg(inicial)
                             .toStdString());
            app.valores.ModoDeclaracion = 9;
            app.valores.ListaEnviadas = app.valores.DeclaracionEnviada = app.valores.OrdenModificada =
                inicial;
            app.valores.TipoConsulta = 7;
            // An open child window records the mode it saw when it was closed.
            hija = new QDialog(w.get());
            short modoAlCerrar = -1;
            QObject::connect(hija, &QDialog::finished, [&] { modoAlCerrar = app.valores.ModoDeclaracion; });
            hija->show();
            aperturas.clear();

            if (c.boton) {
                pulsa(*w, c.boton);
            } else {
                QAction* a = itemMenu(*w, c.menu, c.item);
                ASSERT_NE(a, nullptr);
                a->trigger();
            }

            ASSERT_EQ(aperturas.size(), 1u);
            const Apertura& ap = aperturas[0];
            EXPECT_EQ(ap.ventana, c.ventana);
            EXPECT_EQ(ap.valores.ModoDeclaracion, c.modo.value_or(9));
            EXPECT_EQ(ap.valores.ListaEnviadas, c.listaEnviadas.value_or(inicial));
            EXPECT_EQ(ap.valores.DeclaracionEnviada, c.declaracionEnviada.value_or(inicial));
            EXPECT_EQ(ap.valores.OrdenModificada, c.ordenModificada.value_or(inicial));
            EXPECT_EQ(ap.valores.TipoConsulta, c.tipoConsulta.value_or(7));
            EXPECT_EQ(ap.relojArena, c.reloj);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            // The window was modal and is gone once closed.
            EXPECT_TRUE(ap.instancia.isNull());
            switch (c.cierre) {
                case No:
                    EXPECT_TRUE(ap.hijaVisible);
                    break;
                case Antes:
                    EXPECT_FALSE(ap.hijaVisible);
                    EXPECT_EQ(modoAlCerrar, 9);
                    break;
                case Despues:
                    EXPECT_FALSE(ap.hijaVisible);
                    EXPECT_EQ(modoAlCerrar, c.modo.value());
                    break;
            }
            delete hija.data();
        }
    }
}

TEST_F(Principal, UnaVentanaQueFallaAlCargarSeInformaYElPunteroVuelve) {
    registro.registra(Ventana::frmBancos,
                      [](Aplicacion&, QWidget*) -> QDialog* { throw ErrorBD(3078, "no such table: PARAM"); });
    itemMenu(*w, "&Consultas", "&Bancos")->trigger();
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto, "No se encuentra la tabla o la consulta.\nno such table: PARAM\n 3078");
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Error");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(PrincipalSinVentanas, LosComandosDeVentanasQueAunNoExistenEstanDeshabilitados) {
    struct Item {
        const char* menu;
        const char* item;
        bool habilitado;
    };
    const Item items[] = {
        {"&Declaraciones", "&Nueva", false},
        {"&Declaraciones", "&Modificar", false},
        {"&Declaraciones", "&Eliminar", false},
        {"&Declaraciones", "&Imprimir", false},
        {"&Declaraciones", "&Salir", true},
        {"Declaraciones &Enviadas", "&Registrar número de orden", false},
        {"Declaraciones &Enviadas", "&Eliminar", false},
        {"Declaraciones &Enviadas", "&Imprimir", false},
        {"&Consultas", "&Codigos de profesión", false},
        {"&Consultas", "&Bancos", false},
        {"&Consultas", "Consulta de &UIT", false},
        {"&Ayuda", "&Contenido de la Ayuda", true},
        {"&Ayuda", "&Acerca de ...", true},
    };
    for (const Item& i : items) {
        QAction* a = itemMenu(*w, i.menu, i.item);
        ASSERT_NE(a, nullptr) << i.item;
        EXPECT_EQ(a->isEnabled(), i.habilitado) << i.menu << " " << i.item;
    }
    for (int b : {1, 2, 3, 4, 7}) EXPECT_FALSE(boton(*w, b)->isEnabled()) << b;
    for (int b : {5, 10}) EXPECT_TRUE(boton(*w, b)->isEnabled()) << b;
    // A disabled command does nothing, even when asked directly.
    app.valores.ModoDeclaracion = 9;
    w->ejecutaComando(Comando::Nueva);
    EXPECT_EQ(app.valores.ModoDeclaracion, 9);

    // Once a window is registered its commands are enabled.
    RegistroVentanas conDeclaracion;
    conDeclaracion.registra(Ventana::Frm0738, [](Aplicacion&, QWidget* p) { return new VentanaPrueba(p); });
    FrmPrincipal otra(app, conDeclaracion);
    EXPECT_TRUE(itemMenu(otra, "&Declaraciones", "&Nueva")->isEnabled());
    EXPECT_TRUE(boton(otra, 1)->isEnabled());
    EXPECT_FALSE(itemMenu(otra, "&Declaraciones", "&Modificar")->isEnabled());
}

TEST_F(Principal, AyudaInstaladaYMostradaEnSuTema) {
    const QString ruta = env.sistema() + "0738/Varnel.html";
    ASSERT_TRUE(QFile::exists(ruta));
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    for (const char* ancla : {"1039", "1008", "1009", "1006", "1001"})
        EXPECT_TRUE(html.contains(QString("name=\"%1\"").arg(ancla))) << ancla;

    itemMenu(*w, "&Ayuda", "&Contenido de la Ayuda")->trigger();
    FrmAyuda* ayuda = w->ventanaAyuda();
    ASSERT_NE(ayuda, nullptr);
    EXPECT_TRUE(ayuda->isVisible());
    EXPECT_EQ(ayuda->ruta(), ruta);
    EXPECT_EQ(ayuda->contexto(), 0);
    EXPECT_TRUE(ayuda->navegador()->toPlainText().contains("Cómo crear una declaración"));
    ayuda->close();

    pulsa(*w, 10);
    EXPECT_TRUE(ayuda->isVisible());
    EXPECT_EQ(ayuda->contexto(), 0);

    // F1 gives the main window's topic; with a menu open, the menu's.
    ayuda->close();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F1);
    EXPECT_EQ(ayuda->contexto(), 1039);
    auto* consultas = qobject_cast<QMenu*>(itemMenu(*w, "&Consultas", "&Bancos")->parent());
    ASSERT_NE(consultas, nullptr);
    consultas->popup(QPoint(10, 10));
    QTest::keyClick(consultas, Qt::Key_F1);
    EXPECT_EQ(ayuda->contexto(), 1006);
    EXPECT_FALSE(consultas->isVisible());
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

TEST_F(Principal, SinArchivoDeAyudaUnMensajeClaro) {
    w.reset();
    QDir(env.sistema() + "0738").removeRecursively();
    // A file where the help's folder should be: the help cannot be put in place.
    QFile bloqueo(env.sistema() + "0738");
    ASSERT_TRUE(bloqueo.open(QIODevice::WriteOnly));
    bloqueo.close();
    w = std::make_unique<FrmPrincipal>(app, registro);
    ASSERT_TRUE(w->carga());
    pulsa(*w, 10);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto,
              "No se encuentra el archivo de ayuda " + env.sistema() + "0738/Varnel.html");
    EXPECT_EQ(w->ventanaAyuda(), nullptr);
}

TEST_F(Principal, AcercaDeMuestraLaVersionYSeCierraConAceptar) {
    QString titulo, version;
    bool tieneDibujo = false;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        ASSERT_NE(m, nullptr);
        titulo = m->windowTitle();
        version = m->findChild<QLabel*>("lblVersion")->text();
        tieneDibujo = !m->findChild<QLabel*>("picIcono")->pixmap().isNull();
        for (QPushButton* b : m->findChildren<QPushButton*>())
            if (b->text() == "&Aceptar") QTest::mouseClick(b, Qt::LeftButton);
    });
    itemMenu(*w, "&Ayuda", "&Acerca de ...")->trigger();
    EXPECT_EQ(titulo, "Acerca de Orvelane ");
    EXPECT_EQ(version, "Versión 1.0");
    EXPECT_TRUE(tieneDibujo);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(w->findChild<QDialog*>("frmAcercaDe"), nullptr);
}

TEST_F(Principal, SalirCierraLaBaseYTerminaElPrograma) {
    for (int caso = 0; caso < 2; ++caso) {
        if (caso == 1) SetUp();
        QSignalSpy fin(w.get(), &FrmPrincipal::programaTerminado);
        if (caso == 0)
            itemMenu(*w, "&Declaraciones", "&Salir")->trigger();
        else
            pulsa(*w, 5);
        EXPECT_EQ(fin.count(), 1) << caso;
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(app.sesion.Base->abierta());
        EXPECT_THROW(app.sesion.Base->consulta("SELECT * FROM CAB"), ErrorBD);
    }
}

TEST_F(Principal, ElBotonDeCierreDeLaVentanaTambienTermina) {
    QSignalSpy fin(w.get(), &FrmPrincipal::programaTerminado);
    w->close();
    EXPECT_EQ(fin.count(), 1);
    EXPECT_FALSE(app.sesion.Base->abierta());
}

// Start-up failures: a message, no main window left, nothing held open.
TEST(Arranque, FallasDeLaBaseDeDatosTerminanConUnMensaje) {
    struct Caso {
        const char* nombre;
        std::function<void(prueba::Entorno&)> prepara;
        QString texto;  // the start of the message
        QString titulo;
    };
    const Caso casos[] = {
        {"sin tabla ERROR", [](prueba::Entorno& e) { e.base().ejecuta("DROP TABLE ERROR"); },
         "No se puede abrir la tabla ERROR de la base de datos ", "Error de Conección"},
        {"archivo inexistente", [](prueba::Entorno& e) { e.escribeIni("DBName", "NOEXISTE.MDB"); }, "",
         "Error de Conección"},
        {"archivo que no es una base",
         [](prueba::Entorno& e) {
             e.cierraBase();
             QFile f(e.rutaBase());
             f.open(QIODevice::WriteOnly | QIODevice::Truncate);
             f.write(QByteArray(4096, 'x'));
         },
         "", "Error de Conección"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        prueba::Entorno env;
        c.prepara(env);
        Aplicacion app;
        RegistroVentanas registro;
        FrmPrincipal w(app, registro);
        EXPECT_FALSE(w.carga());
        EXPECT_FALSE(w.isVisible());
        ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
        EXPECT_TRUE(env.dialogos().mostrados[0].texto.startsWith(c.texto))
            << env.dialogos().mostrados[0].texto.toStdString();
        EXPECT_EQ(env.dialogos().mostrados[0].titulo, c.titulo);
        EXPECT_FALSE(app.sesion.Base && app.sesion.Base->abierta());
    }
}

// The program's own registry: every command's window is registered, so no command is disabled,
// and the list windows open from their commands and write to the main window's status bar.
TEST(VentanasVarnel, LasListasSeAbrenDesdeSusComandos) {
    prueba::Entorno env;
    Aplicacion app;
    RegistroVentanas registro;
    registraVentanasVarnel(registro);
    FrmPrincipal w(app, registro);
    ASSERT_TRUE(w.carga());
    EXPECT_TRUE(itemMenu(w, "&Declaraciones", "&Nueva")->isEnabled());
    EXPECT_TRUE(itemMenu(w, "&Declaraciones", "&Imprimir")->isEnabled());
    EXPECT_TRUE(itemMenu(w, "Declaraciones &Enviadas", "&Imprimir")->isEnabled());

    struct Caso {
        const char* menu;
        const char* item;
        const char* ventana;
        const char* caption;
    };
    const Caso casos[] = {
        {"&Declaraciones", "&Modificar", "frmModFor", "Modificar Formulario"},
        {"&Declaraciones", "&Eliminar", "frmModFor", "Eliminar Formularios"},
        {"Declaraciones &Enviadas", "&Eliminar", "frmModFor", "Eliminar Formularios"},
        {"Declaraciones &Enviadas", "&Registrar número de orden", "frmAbrirEnv", "Registrar número de orden"},
        {"&Consultas", "&Codigos de profesión", "frmBancos", "Consulta de Profesiones"},
        {"&Consultas", "&Bancos", "frmBancos", "Consulta de Bancos"},
        {"&Consultas", "Consulta de &UIT", "frmBancos", "Consulta de UIT"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.item);
        QString nombre, caption;
        QTimer::singleShot(0, [&] {
            QWidget* m = QApplication::activeModalWidget();
            ASSERT_NE(m, nullptr);
            nombre = m->objectName();
            caption = m->windowTitle();
            static_cast<QDialog*>(m)->reject();
        });
        QAction* a = itemMenu(w, c.menu, c.item);
        ASSERT_TRUE(a && a->isEnabled());
        a->trigger();
        EXPECT_EQ(nombre, c.ventana);
        EXPECT_EQ(caption, c.caption);
        EXPECT_TRUE(env.dialogos().mostrados.empty()) << env.dialogos().textos().join("|").toStdString();
    }
    // The declaration list clears the main window's status bar when it closes.
    EXPECT_EQ(w.barra()->formulario(), "");
    EXPECT_EQ(w.barra()->periodo(), "");
}
