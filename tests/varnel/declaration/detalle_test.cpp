#include "varnel/declaration/detalle.h"

#include <gtest/gtest.h>

#include "varnel/computation/recalculo.h"
#include "varnel/declaration/lote.h"

using namespace qvr;

namespace {

class Detalle : public ::testing::Test {
  protected:
    Detalle() : d(valores, Tasas{3100, 0.015, 0}) {
        conectaCalculo(d);
        d.preparaNueva();
    }
    void teclea(DetalleRentas& w, int i, const QString& t) {
        w.entraCampo(i);
        w.fijaTexto(i, QString());
        for (QChar c : t) w.escribe(i, c.unicode());
    }
    ValoresEjecucion valores;
    Declaracion d;
};

}  // namespace

TEST_F(Detalle, VentanaVaciaYAceptarSinTeclear) {
    DetalleRentas w(d, DetalleRentas::Tipo::Exoneradas);
    ASSERT_EQ(w.campos(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.texto(i), "");
    EXPECT_EQ(w.TxtTotal(), "0");
    w.Aceptar();
    EXPECT_TRUE(w.cerrada());
    EXPECT_EQ(d.texto(200), "");
    EXPECT_EQ(d.texto(518), "");
    EXPECT_EQ(DetalleRentas(d, DetalleRentas::Tipo::Inafectas).campos(), 6);
}

TEST_F(Detalle, TotalAlInstanteYAceptar) {
    // Enter in box 200 opens the window; the amounts go to 535 and 539.
    ASSERT_EQ(d.entraFoco(200), AccionVista::Ninguna);
    ASSERT_EQ(d.tecla(200, kTeclaEnter).accion, AccionVista::AbreExoneradas);
    DetalleRentas w(d, DetalleRentas::Tipo::Exoneradas);
    teclea(w, 0, "1500");
    EXPECT_EQ(w.TxtTotal(), "1,500");
    w.saleCampo(0);
    EXPECT_EQ(w.texto(0), "1,500");
    teclea(w, 4, "2500");
    EXPECT_EQ(w.TxtTotal(), "4,000");
    w.saleCampo(4);
    w.Aceptar();
    EXPECT_EQ(d.texto(535), "1,500");
    EXPECT_EQ(d.texto(539), "2,500");
    EXPECT_EQ(d.texto(200), "4,000");
    EXPECT_EQ(d.texto(518), "4,000");

    // Leaving box 200 keeps the whole total (not its leading "4").
    d.saleFoco(200);
    EXPECT_EQ(d.texto(200), "4,000");

    // Reopening shows the stored amounts; entering a field shows its plain digits.
    DetalleRentas otra(d, DetalleRentas::Tipo::Exoneradas);
    EXPECT_EQ(otra.texto(0), "1,500");
    EXPECT_EQ(otra.TxtTotal(), "4,000");
    otra.entraCampo(4);
    EXPECT_EQ(otra.texto(4), "2500");
    EXPECT_EQ(otra.longitudMaxima(4), 10);
}

TEST_F(Detalle, CancelarNoEscribeNada) {
    ASSERT_TRUE(tecleaDetalle(d, 530, "700"));
    EXPECT_EQ(d.texto(201), "700");
    d.Modificado = false;
    DetalleRentas w(d, DetalleRentas::Tipo::Inafectas);
    teclea(w, 0, "9999");
    teclea(w, 5, "1");
    w.Cancelar();
    EXPECT_TRUE(w.cerrada());
    EXPECT_EQ(d.texto(530), "700");
    EXPECT_EQ(d.texto(540), "");
    EXPECT_EQ(d.texto(201), "700");
    EXPECT_FALSE(d.Modificado);
}

TEST_F(Detalle, DiezDigitosComoMaximo) {
    DetalleRentas w(d, DetalleRentas::Tipo::Inafectas);
    teclea(w, 2, "12345678901a");
    EXPECT_EQ(w.texto(2), "1234567890");
    w.saleCampo(2);
    EXPECT_EQ(w.texto(2), "1,234,567,890");
    EXPECT_EQ(w.longitudMaxima(2), 13);
    EXPECT_EQ(w.tecla(2, kTeclaEnter).accion, AccionVista::Siguiente);
    w.Aceptar();
    EXPECT_EQ(d.texto(532), "1,234,567,890");
    EXPECT_EQ(d.texto(201), "1,234,567,890");
}

TEST_F(Detalle, AceptarSinSalirDelCampoEscribeElFormatoDeLaDeclaracion) {
    // Alt+A accepts while the field still shows its plain digits.
    DetalleRentas w(d, DetalleRentas::Tipo::Exoneradas);
    teclea(w, 0, "1500");
    teclea(w, 3, "1234567");
    ASSERT_EQ(w.texto(3), "1234567");
    w.Aceptar();
    EXPECT_EQ(d.texto(535), "1,500");
    EXPECT_EQ(d.texto(538), "1,234,567");
    EXPECT_EQ(d.texto(536), "");
    EXPECT_EQ(d.texto(200), "1,236,067");
}
