// A database step that fails under the declaration window (the server ends the connection, the
// file's table is gone for a moment) is answered by the suite's message and the window stays open
// with what was typed: at the choice of the taxpayer and at the first page change. Before the
// session caught them, both errors left the slot and closed the window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/declaration/lote.h"
#include "varnel/declaration/ui/frm0738.h"

using namespace qvr;

namespace {

const QString kRucNuevo = "10455555551";

class Frm0738Conexion : public prueba::PorMotor {
  protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        prueba::preparaDeclaraciones(env);
        env.agregaContribuyente(kRucNuevo, "ROJAS", "DIAZ", "ANA MARIA", "ANA");
        BaseDatos::Opciones corta;
        corta.esperaMs = 50;
        app.sesion.Base = env.abreBase(corta);
        app.sesion.Usuario = "ANA";
        app.sesion.RutaSistema = env.sistema();
        app.barra = &barra;
        app.valores.ModoDeclaracion = 1;
        w = std::make_unique<Frm0738>(app);
        w->show();
    }

    // The window's next database step fails: the server ends its connection, or (on the file,
    // where a lock never stops a read) the header table is not there.
    void cortaConexion() {
        if (GetParam() == prueba::Motor::Postgres) {
            const QVariant pid = app.sesion.Base->escalar("SELECT pg_backend_pid()");
            env.base().escalar("SELECT pg_terminate_backend(?)", {pid});
        } else {
            env.base().ejecuta("ALTER TABLE CAB RENAME TO CAB_APARTE");
        }
    }
    void restableceConexion() {
        if (GetParam() == prueba::Motor::Sqlite) env.base().ejecuta("ALTER TABLE CAB_APARTE RENAME TO CAB");
    }

    int indiceNuevo() const {
        for (int i = 0; i < w->CmbRuc()->count(); ++i)
            if (w->CmbRuc()->itemText(i).startsWith(kRucNuevo)) return i;
        return -1;
    }

    prueba::Entorno env{prueba::motorPara(GetParam())};
    Aplicacion app;
    SinBarra barra;
    std::unique_ptr<Frm0738> w;
};

TEST_P(Frm0738Conexion, LaEleccionDelContribuyenteMuestraElErrorYSigue) {
    ASSERT_GE(indiceNuevo(), 0);
    tecleaCasilla(w->declaracion(), 100, "1500");
    cortaConexion();
    const size_t antes = env.dialogos().mostrados.size();
    EXPECT_NO_THROW(w->CmbRuc()->setCurrentIndex(indiceNuevo()));
    ASSERT_GT(env.dialogos().mostrados.size(), antes);
    // The suite's record-error message, with the engine's words.
    EXPECT_EQ(env.dialogos().mostrados.back().titulo, "Mensaje");
    EXPECT_TRUE(env.dialogos().mostrados.back().texto.startsWith("Error tecnico"))
        << env.dialogos().mostrados.back().texto.toStdString();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->TxtValor(100)->text(), "1,500");

    // The next step connects again (or finds the table): choosing again goes through.
    restableceConexion();
    w->CmbRuc()->setCurrentIndex(-1);
    env.dialogos().mostrados.clear();
    EXPECT_NO_THROW(w->CmbRuc()->setCurrentIndex(indiceNuevo()));
    EXPECT_TRUE(env.dialogos().mostrados.empty()) << env.dialogos().mostrados.front().texto.toStdString();
    EXPECT_EQ(app.valores.RucDeclarante, kRucNuevo);
}

TEST_P(Frm0738Conexion, ElPrimerCambioDePaginaMuestraElErrorYVuelveALaPrimera) {
    w->CmbRuc()->setCurrentIndex(indiceNuevo());
    ASSERT_EQ(app.valores.RucDeclarante, kRucNuevo);
    tecleaCasilla(w->declaracion(), 100, "1500");
    cortaConexion();
    const size_t antes = env.dialogos().mostrados.size();
    EXPECT_NO_THROW(w->tabPrincipal()->setCurrentIndex(1));
    ASSERT_GT(env.dialogos().mostrados.size(), antes);
    EXPECT_EQ(w->tabPrincipal()->currentIndex(), 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->TxtValor(100)->text(), "1,500");
    restableceConexion();
}

QVR_EN_AMBOS_MOTORES(Frm0738Conexion);

}  // namespace
