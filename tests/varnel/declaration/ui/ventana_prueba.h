#pragma once
// The declaration window over a small database, shown and active: what the tests of the window
// share (environment, database, session, status bar, Enter on buttons as the program sets it up).
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <memory>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/lists_barra.h"
#include "support/persist_datos.h"
#include "platform/ui/interfaz.h"
#include "varnel/declaration/ui/frm0738.h"

namespace qvr::prueba {

inline const QString kRucNuevo = "10455555551";
inline const QString kRucGuardado = "20100047218";

// What a declaration is opened over: the annex tables, the stored and sent declarations of
// persist/declaraciones.sql, the rates, a profession, a bank and a taxpayer of ANA's without one.
inline void preparaBaseDeclaracion(Entorno& env) {
    preparaDeclaraciones(env);
    env.agregaParam("979", "01", "ABOGADO");
    env.agregaParam("004", "18", "BANCO DE CREDITO COSTA VERDE");
    env.agregaContribuyente(kRucNuevo, "ROJAS", "DIAZ", "ANA MARIA", "ANA");
}

struct VentanaDeclaracion {
    // `rutaBase`: a database prepared by another process (a test's child); empty: this environment's,
    // prepared here.
    explicit VentanaDeclaracion(const QString& rutaBase = {}) {
        instalaEnterEnBotones(*qApp);
        if (rutaBase.isEmpty()) preparaBaseDeclaracion(env);
        app.sesion.Base = BaseDatos::abre(rutaBase.isEmpty() ? env.rutaBase() : rutaBase);
        app.sesion.Usuario = "ANA";
        app.sesion.RutaSistema = env.sistema();
        app.sesion.RutaReportes = env.sistema() + "RPT";
        app.barra = &barra;
    }

    // Opens the window in a mode (a stored declaration of `ruc` but for a new one), shown and
    // active as the main window leaves it.
    std::unique_ptr<Frm0738> abre(short modo, const QString& ruc = kRucGuardado) {
        app.valores = ValoresEjecucion{};
        app.valores.ModoDeclaracion = modo;
        app.valores.RucDeclarante = modo == 1 ? QString() : ruc;
        return muestra();
    }

    // Opens the sending `correl` of the stored taxpayer, read-only, with its order and control
    // numbers as the sent-declarations list sets them.
    std::unique_ptr<Frm0738> abreEnviada(const QString& correl) {
        const Registros h = env.base().consulta("SELECT norden, control FROM hCAB WHERE correl=?", {correl});
        app.valores = ValoresEjecucion{};
        app.valores.ModoDeclaracion = 2;
        app.valores.RucDeclarante = kRucGuardado;
        app.valores.DeclaracionEnviada = true;
        app.valores.CorrelEnviada = correl;
        app.valores.NumeroOrden = h.texto(0, "norden");
        app.valores.NumeroControl = h.texto(0, "control");
        return muestra();
    }

    // The window on the run values as they are.
    std::unique_ptr<Frm0738> muestra() {
        auto w = std::make_unique<Frm0738>(app);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    Entorno env;
    Aplicacion app;
    BarraEstadoMemoria barra;
};

// Chooses the entry of a list that starts with `comienzo` by clicking it in the drop-down, as a
// person does.
inline void eligeEnLista(QComboBox* c, const QString& comienzo) {
    int fila = -1;
    for (int i = 0; i < c->count(); ++i)
        if (c->itemText(i).startsWith(comienzo)) fila = i;
    ASSERT_GE(fila, 0) << comienzo.toStdString();
    c->showPopup();
    QAbstractItemView* v = c->view();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(v->model()->index(fila, 0)).center());
    QTRY_COMPARE(c->currentIndex(), fila);
}

// Presses Tab (Shift+Tab with `atras`) on the focused control until `destino` has the focus.
inline bool tabHasta(QWidget* destino, int maximo = 250, bool atras = false) {
    for (int i = 0; i < maximo && QApplication::focusWidget() != destino; ++i) {
        QWidget* f = QApplication::focusWidget();
        if (!f) return false;
        QTest::keyClick(f, atras ? Qt::Key_Backtab : Qt::Key_Tab, atras ? Qt::ShiftModifier : Qt::NoModifier);
    }
    return QApplication::focusWidget() == destino;
}

}  // namespace qvr::prueba
