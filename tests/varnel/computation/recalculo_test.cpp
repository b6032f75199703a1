// The ripple as a subscriber of the declaration: what it runs, what happens without it, and the
// scoped suspension of the calculation.
#include "varnel/computation/recalculo.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/detalle.h"

using namespace qvr;

namespace {
const Tasas kTasas{3100, 0.015, 0};
}

TEST(Recalculo, SinElCalculoConectadoUnCambioFallaEnVezDeNoCalcular) {
    ValoresEjecucion v;
    Declaracion d(v, kTasas);
    EXPECT_FALSE(calculoConectado(d));
    // Filling boxes while loading runs no rule, so it needs none.
    {
        SuspendeCalculo suspende(v);
        EXPECT_NO_THROW(d.fijaTexto(100, "5,000"));
    }
    EXPECT_THROW(d.fijaTexto(100, "6,000"), std::logic_error);
    EXPECT_THROW(DetalleRentas(d, DetalleRentas::Tipo::Exoneradas).Aceptar(), std::logic_error);
}

TEST(Recalculo, ConectadoUnaVezOVariasElCambioRecalculaIgual) {
    ValoresEjecucion v1, v2;
    Declaracion una(v1, kTasas), dos(v2, kTasas);
    conectaCalculo(una);
    conectaCalculo(dos);
    conectaCalculo(dos);
    for (Declaracion* d : {&una, &dos}) {
        d->preparaNueva();
        d->fijaTexto(100, "50000");
        d->fijaTexto(535, "1,000");
        DetalleRentas(*d, DetalleRentas::Tipo::Exoneradas).Aceptar();
    }
    EXPECT_TRUE(calculoConectado(dos));
    EXPECT_FALSE(una.texto(113).isEmpty());
    EXPECT_EQ(una.texto(200), "1,000");
    for (int n = 100; n < 1000; ++n)
        if (una.existe(n)) EXPECT_EQ(una.texto(n), dos.texto(n)) << n;
}

TEST(Recalculo, OtroSuscriptorOyeLosCambiosJuntoAlCalculo) {
    ValoresEjecucion v;
    Declaracion d(v, kTasas);
    conectaCalculo(d);
    d.preparaNueva();
    std::vector<std::pair<Cambio::Tipo, int>> oidos;
    const int clave = 0;
    d.suscribe(&clave, [&](Declaracion&, const Cambio& c) { oidos.emplace_back(c.tipo, c.casilla); });
    // Subscribed after the ripple, it hears a change once the ripple's own changes are through.
    d.fijaTexto(535, "7");
    ASSERT_GE(oidos.size(), 2u);
    EXPECT_EQ(oidos.front(), std::make_pair(Cambio::Tipo::Casilla, 200));
    EXPECT_EQ(oidos.back(), std::make_pair(Cambio::Tipo::Casilla, 535));
    oidos.clear();
    DetalleRentas(d, DetalleRentas::Tipo::Inafectas).Aceptar();
    ASSERT_FALSE(oidos.empty());
    EXPECT_EQ(oidos.back(), std::make_pair(Cambio::Tipo::DetalleAceptado, 201));
    d.retira(&clave);
    oidos.clear();
    d.fijaTexto(535, "8");
    EXPECT_TRUE(oidos.empty());
}

TEST(SuspendeCalculo, SeAnidaYDevuelveElEstadoPrevioComoSeaQueTermine) {
    ValoresEjecucion v;
    EXPECT_FALSE(v.SuspendeCalculo);
    {
        SuspendeCalculo fuera(v);
        {
            SuspendeCalculo dentro(v);
            EXPECT_TRUE(v.SuspendeCalculo);
            dentro.termina();
            EXPECT_TRUE(v.SuspendeCalculo);  // the outer suspension holds
        }
        EXPECT_TRUE(v.SuspendeCalculo);
        fuera.termina();
        EXPECT_FALSE(v.SuspendeCalculo);
        fuera.termina();
        EXPECT_FALSE(v.SuspendeCalculo);
    }
    try {
        SuspendeCalculo s(v);
        throw std::runtime_error("a failed load");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(v.SuspendeCalculo);
}
