#pragma once
// The declaration window over a small database, shown and active: what the keyboard and screen
// reader tests of the window share.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/declaration/ui/frm0738.h"

namespace qvr::prueba {

inline const QString kRucNuevo = "10455555551";
inline const QString kRucGuardado = "20100047218";

struct VentanaDeclaracion {
    VentanaDeclaracion() {
        creaTablasAnexo(env.base());
        cargaSql(env.base(), "persist/declaraciones.sql");
        env.agregaParam("404", "2003", "3100");
        env.agregaParam("998", "050802 2003", "000.040");
        env.agregaParam("979", "01", "ABOGADO");
        env.agregaParam("004", "18", "BANCO DE CREDITO COSTA VERDE");
        env.agregaContribuyente(kRucNuevo, "ROJAS", "DIAZ", "ANA MARIA", "ANA");
        app.sesion.Base = BaseDatos::abre(env.rutaBase());
        app.sesion.Usuario = "ANA";
        app.sesion.RutaSistema = env.sistema();
        app.sesion.RutaReportes = env.sistema() + "RPT";
        app.barra = &barra;
    }

    std::unique_ptr<Frm0738> abre(short modo) {
        app.valores = ValoresEjecucion{};
        app.valores.ModoDeclaracion = modo;
        app.valores.RucDeclarante = modo == 1 ? QString() : kRucGuardado;
        auto w = std::make_unique<Frm0738>(app);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    Entorno env;
    Aplicacion app;
    SinBarra barra;
};

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
