#include "varnel/annexes/retenciones.h"

#include <gtest/gtest.h>

#include "common/schema.h"
#include "common/valores_comunes.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/computation/recalculo.h"

using namespace qvr;

namespace {

// Valid RUCs by the check-digit rule.
const QString kRucA = "20100047218";
const QString kRucB = "20131312955";

class RetencionesTest : public ::testing::Test {
  protected:
    RetencionesTest() : d(valores, tasas()), listas(env.base(), d) { conectaCalculo(d); }
    static Tasas tasas() {
        Tasas t;
        t.TasaRetencionDividendos = 0.041;
        return t;
    }
    void SetUp() override {
        creaTablasAnexo(env.base());
        // The RUC row of catalog '044' with the exact-length rule: 11 digits.
        QString ruc = kFuncionRucIncorporada.leftJustified(130, ' ');
        ruc[129] = '1';
        env.agregaParam("044", "6", ruc);
    }
    std::unique_ptr<Retenciones> ventana(const QString& modo = "NUEVO", int fila = -1,
                                         QDate hoy = QDate(2004, 3, 1)) {
        listas.ModoAnexo = modo;
        return std::make_unique<Retenciones>(listas, fila, [hoy] { return hoy; });
    }
    void teclea(Retenciones& r, Retenciones::Campo c, const QString& t) {
        for (QChar ch : t) r.escribe(c, ch.unicode());
    }
    void llena(Retenciones& r, const QString& ruc, const QString& nombre, const QString& fecha,
               const QString& monto) {
        r.fijaTexto(Retenciones::Campo::NumRUC, ruc);
        r.fijaTexto(Retenciones::Campo::Entidad, nombre);
        r.fijaTexto(Retenciones::Campo::Fecha, fecha);
        r.fijaTexto(Retenciones::Campo::MontoDistribuido, monto);
    }
    Registros filas() {
        return env.base().consulta("SELECT * FROM TMP_F0738DIVID ORDER BY fec_retenida, num_RUC");
    }

    prueba::Entorno env;
    ValoresEjecucion valores;
    Declaracion d;
    ListasAnexo listas;
};

}  // namespace

TEST_F(RetencionesTest, RetencionSigueAlDividendoMientrasSeTeclea) {
    auto r = ventana();
    using C = Retenciones::Campo;
    struct Caso {
        QString monto, retencion;
    } casos[] = {{"10000", "410"}, {"12345", "506"}, {"12,345", "506"}, {"", ""}, {"1", "0"}};
    for (const Caso& c : casos) {
        r->fijaTexto(C::MontoDistribuido, c.monto);
        EXPECT_EQ(r->TxtMontoRetenido, c.retencion) << c.monto.toStdString();
    }
    // Keys: digits only, up to 12 while editing; leaving formats the amount.
    r->fijaTexto(C::MontoDistribuido, "");
    r->entraMonto();
    teclea(*r, C::MontoDistribuido, "1a2.3-45");
    EXPECT_EQ(r->TxtMontoDistribuido, "12345");
    EXPECT_EQ(r->TxtMontoRetenido, "506");
    teclea(*r, C::MontoDistribuido, "99999999");
    EXPECT_EQ(r->TxtMontoDistribuido.size(), 12);
    r->saleMonto();
    EXPECT_EQ(r->TxtMontoDistribuido, "123,459,999,999");
    r->entraMonto();
    EXPECT_EQ(r->TxtMontoDistribuido, "123459999999");
    EXPECT_TRUE(listas.AnexoModificado);

    // The business name goes upper case; the RUC keeps digits.
    teclea(*r, C::Entidad, "acme s.a. #1");
    EXPECT_EQ(r->TxtEntidad, "ACME S.A. ");
    teclea(*r, C::NumRUC, "20x1004721899");
    EXPECT_EQ(r->TxtNumRUC, "20100472189");
    EXPECT_EQ(r->tecla(C::NumRUC, 13).accion, AccionVista::Siguiente);
}

TEST_F(RetencionesTest, ComprobacionesEnOrden) {
    struct Caso {
        QString ruc, nombre, fecha, monto, mensaje;
        Retenciones::Campo foco;
    };
    using C = Retenciones::Campo;
    const Caso casos[] = {
        {"  ", "ACME", "15/03/2003", "100", "Debe registrar el número de RUC", C::NumRUC},
        // A "10" RUC is refused before its length and check digit are looked at.
        {"10", "ACME", "15/03/2003", "100", "El número de RUC no aplica a la Distribución de dividendos",
         C::NumRUC},
        {"10401234567", "", "", "", "El número de RUC no aplica a la Distribución de dividendos", C::NumRUC},
        {"2010004721", "ACME", "15/03/2003", "100", "Verifique la longitud del número de RUC", C::NumRUC},
        {"20100047219", "ACME", "15/03/2003", "100", "El número de RUC es inválido", C::NumRUC},
        {kRucA, " ", "15/03/2003", "100", "Debe registrar la razón social", C::Entidad},
        {kRucA, "ACME", "__/__/____", "100", "La Fecha de Pago del Dividendo no es válida", C::Fecha},
        {kRucA, "ACME", "15/03/2003", "", "Debe registrar el Dividendo Percibido", C::MontoDistribuido},
        {kRucA, "ACME", "15/03/2003", "0", "Debe registrar el Dividendo Percibido", C::MontoDistribuido},
    };
    for (const Caso& c : casos) {
        env.dialogos().mostrados.clear();
        auto r = ventana();
        llena(*r, c.ruc, c.nombre, c.fecha, c.monto);
        EXPECT_FALSE(r->Aceptar()) << c.mensaje.toStdString();
        EXPECT_EQ(env.dialogos().textos(), QStringList{c.mensaje});
        EXPECT_EQ(r->foco, c.foco) << c.mensaje.toStdString();
        EXPECT_FALSE(r->cerrada);
    }
    EXPECT_EQ(filas().filas(), 0);
}

TEST_F(RetencionesTest, FechaDePago) {
    struct Caso {
        QString fecha;
        QDate hoy;
        bool valida;
    } casos[] = {
        {"31/12/2003", QDate(2004, 3, 1), true},
        {"01/01/2003", QDate(2004, 3, 1), true},
        {"01/01/2004", QDate(2004, 3, 1), false},
        {"31/12/2002", QDate(2004, 3, 1), false},
        {"30/06/2003", QDate(2003, 6, 30), true},
        {"01/07/2003", QDate(2003, 6, 30), false},  // later than today
        {"31/02/2003", QDate(2004, 3, 1), false},
        {"__/__/____", QDate(2004, 3, 1), false},
    };
    for (const Caso& c : casos) {
        env.dialogos().mostrados.clear();
        auto r = ventana("NUEVO", -1, c.hoy);
        EXPECT_EQ(r->Valida_FechadeRetencion(c.fecha, true), c.valida) << c.fecha.toStdString();
        EXPECT_TRUE(env.dialogos().mostrados.empty());
        // Enter in the date checks it with its message and moves on only when valid.
        r->fijaTexto(Retenciones::Campo::Fecha, c.fecha);
        const AccionVista a = r->tecla(Retenciones::Campo::Fecha, 13).accion;
        EXPECT_EQ(a, c.valida ? AccionVista::Siguiente : AccionVista::Ninguna) << c.fecha.toStdString();
        if (!c.valida) {
            ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
            EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Error");
        }
    }
}

TEST_F(RetencionesTest, AltaDuplicadoYModificacion) {
    auto r = ventana();
    llena(*r, kRucA, "ACME", "15/03/2003", "10000");
    ASSERT_TRUE(r->Aceptar());
    EXPECT_EQ(env.dialogos().textos(), QStringList{"La información fue grabada satisfactoriamente. "});
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Dividendos Percibidos");
    // New mode stays open with empty fields for the next row.
    EXPECT_FALSE(r->cerrada);
    EXPECT_EQ(r->TxtNumRUC, "");
    EXPECT_EQ(r->MskFec_Retencion, "__/__/____");
    EXPECT_EQ(r->foco, Retenciones::Campo::NumRUC);
    EXPECT_FALSE(listas.AnexoModificado);
    EXPECT_EQ(listas.resumen(ListaAnexo::Dividendos).cantidad, "Cantidad de Retenciones: 1");

    // The same payer and date again is refused; another date is taken.
    env.dialogos().mostrados.clear();
    llena(*r, kRucA, "OTRA", "15/03/2003", "5");
    EXPECT_FALSE(r->Aceptar());
    EXPECT_EQ(env.dialogos().textos(), QStringList{"Datos ya fueron ingresados. "});
    EXPECT_EQ(r->foco, Retenciones::Campo::NumRUC);
    llena(*r, kRucA, "ACME", "16/03/2003", "12345");
    ASSERT_TRUE(r->Aceptar());
    llena(*r, kRucB, "BETA", "15/03/2003", "1");
    ASSERT_TRUE(r->Aceptar());

    Registros f = filas();
    ASSERT_EQ(f.filas(), 3);
    EXPECT_EQ(f.texto(0, "des_entpagadora"), "ACME");
    EXPECT_EQ(f.texto(0, "mto_distribuido"), "10000");
    EXPECT_EQ(f.texto(0, "mto_retenido"), "410");
    EXPECT_EQ(f.texto(2, "mto_retenido"), "506");
    EXPECT_EQ(f.texto(2, "fec_retenida"), "2003-03-16");

    // Modify mode: the row's key is locked and shown; an empty name is not examined.
    int fila = -1;
    for (int i = 0; i < listas.filas(ListaAnexo::Dividendos); ++i)
        if (listas.celda(ListaAnexo::Dividendos, i, 2) == "16/03/2003") fila = i;
    ASSERT_GE(fila, 0);
    auto m = ventana("MODIFICA", fila);
    EXPECT_FALSE(m->claveHabilitada);
    EXPECT_EQ(m->TxtNumRUC, kRucA);
    EXPECT_EQ(m->MskFec_Retencion, "16/03/2003");
    EXPECT_EQ(m->TxtMontoDistribuido, "12,345");
    EXPECT_EQ(m->TxtMontoRetenido, "506");
    EXPECT_FALSE(listas.AnexoModificado);
    m->fijaTexto(Retenciones::Campo::Entidad, "");
    m->fijaTexto(Retenciones::Campo::MontoDistribuido, "20000");
    ASSERT_TRUE(m->Aceptar());
    EXPECT_TRUE(m->cerrada);
    f = filas();
    ASSERT_EQ(f.filas(), 3);
    EXPECT_EQ(f.texto(2, "des_entpagadora"), "");
    EXPECT_EQ(f.texto(2, "mto_distribuido"), "20000");
    EXPECT_EQ(f.texto(2, "mto_retenido"), "820");
    EXPECT_EQ(f.texto(2, "num_RUC"), kRucA);
}

TEST_F(RetencionesTest, ErrorDeBaseConservaLaFila) {
    auto r = ventana();
    llena(*r, kRucA, "ACME", "15/03/2003", "10000");
    env.base().ejecuta("DROP TABLE TMP_F0738DIVID");
    EXPECT_FALSE(r->Aceptar());
    EXPECT_FALSE(r->cerrada);
    EXPECT_EQ(r->TxtNumRUC, kRucA);
    EXPECT_EQ(r->TxtMontoDistribuido, "10000");
    EXPECT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_FALSE(valores.OperacionOk);
}

TEST_F(RetencionesTest, PreguntaAlSalir) {
    const QString pregunta = "La información ha sido modificada. ¿Desea guardar los cambios?";
    // Nothing typed: closes without asking.
    auto r = ventana();
    EXPECT_TRUE(r->Salir());
    EXPECT_TRUE(env.dialogos().mostrados.empty());

    // Cancel keeps it open; No closes without storing.
    r = ventana();
    r->escribe(Retenciones::Campo::NumRUC, '2');
    env.dialogos().responde(Respuesta::Cancelar);
    EXPECT_FALSE(r->Salir());
    EXPECT_EQ(env.dialogos().mostrados.back().texto, pregunta);
    EXPECT_EQ(env.dialogos().mostrados.back().titulo, "Confirma Salir");
    EXPECT_EQ(env.dialogos().mostrados.back().botones, Botones::SiNoCancelar);
    env.dialogos().responde(Respuesta::No);
    EXPECT_TRUE(r->Salir());
    EXPECT_EQ(filas().filas(), 0);

    // Yes with data that does not pass: the message, and the window stays with what was typed.
    r = ventana();
    r->escribe(Retenciones::Campo::NumRUC, '1');
    env.dialogos().mostrados.clear();
    env.dialogos().responde(Respuesta::Si);
    EXPECT_FALSE(r->Salir());
    EXPECT_FALSE(r->cerrada);
    EXPECT_EQ(r->TxtNumRUC, "1");
    EXPECT_EQ(env.dialogos().textos(),
              (QStringList{pregunta, "El número de RUC no aplica a la Distribución de dividendos"}));

    // Yes with a valid row stores it and closes.
    llena(*r, kRucA, "ACME", "15/03/2003", "10000");
    env.dialogos().responde(Respuesta::Si);
    EXPECT_TRUE(r->Salir());
    EXPECT_EQ(filas().filas(), 1);

    // A sent declaration never asks.
    valores.DeclaracionEnviada = true;
    r = ventana();
    r->escribe(Retenciones::Campo::NumRUC, '2');
    env.dialogos().mostrados.clear();
    EXPECT_TRUE(r->Salir());
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}
