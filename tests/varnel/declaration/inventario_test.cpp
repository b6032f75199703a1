#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "varnel/declaration/declaracion.h"

using namespace qvr;

TEST(Inventario, OrdenDeGrabacionYEstadoDeDiseno) {
    // The save order names 100 different elements of the box array, and none of the boxes saved by
    // separate steps (names 811-825 and 890) or never saved.
    const std::vector<int>& orden = OrdenCasillas();
    EXPECT_EQ(std::set<int>(orden.begin(), orden.end()).size(), orden.size());
    EXPECT_EQ(orden.size(), 100u);
    for (int n : orden) EXPECT_TRUE(existeCasilla(n)) << n;
    for (int n : {811, 817, 825, 890, 541, 816}) EXPECT_EQ(std::count(orden.begin(), orden.end(), n), 0) << n;

    ValoresEjecucion v;
    const Declaracion d(v);
    for (const InfoCasilla& i : inventario()) {
        const EstadoCasilla& e = d.casilla(i.numero);
        EXPECT_EQ(e.habilitada, !(i.calculada || i.numero == 114 || i.numero == 145)) << i.numero;
        EXPECT_EQ(e.visible, !((i.numero >= 530 && i.numero <= 541) || i.numero == 816 || i.numero == 886 ||
                               i.numero == 891 || i.numero == 892))
            << i.numero;
    }
    EXPECT_EQ(d.casilla(200).fondo, Fondo::Cian);
    EXPECT_EQ(d.casilla(501).fondo, Fondo::BotonCara);
    EXPECT_FALSE(existeCasilla(123));
    EXPECT_FALSE(existeCasilla(827));  // second halves of names are stored, never shown

    // The irregular option indexes and the lists' companions.
    EXPECT_EQ(parOpciones(Pregunta::Inmueble).indiceSi, 1);
    EXPECT_EQ(parOpciones(Pregunta::Inmueble).indiceNo, 2);
    EXPECT_EQ(parOpciones(Pregunta::Rectifica).indiceNo, 0);
    EXPECT_EQ(companeraDeLista(226), 218);
    EXPECT_EQ(listaDeDocumento(236), 235);

    // A name of 22 characters is stored as 15 and 7; one of exactly 15 leaves the second row empty.
    EXPECT_EQ(filasDeNombre("CONSULTORA ANDINA SAC."),
              std::make_pair(QString("CONSULTORA ANDI"), QString("NA SAC.")));
    EXPECT_EQ(filasDeNombre("ABCDEFGHIJKLMNO").second, "");
}
