// The dispatch table: which steps a change of each box runs, in order.
#include <array>
#include <vector>

#include "varnel/computation/calculo.h"
#include "varnel/declaration/declaracion.h"

namespace qvr::calculo {

namespace {

enum class Paso {
    // The rules, in the order of Regla.
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    R113,
    M,
    N,
    O,
    R120,
    P,
    R,
    R200,
    R201,
    C141142,
    C146,
    ImporteTotal,
    Patrimonial,
    Casilla114,  // enable 114 when 100 or 102 holds a positive value
    Amazonia,    // enable the Amazonía group when 117 is positive
    Casilla145Por141,
    Casilla145Por142,
    Guarda200,
    Guarda201,
};

static_assert(int(Paso::R201) == int(Regla::R201) && int(Paso::A) == int(Regla::A));

struct Entrada {
    int desde, hasta;
    std::vector<Paso> pasos;
};

const std::vector<Entrada> kDespacho = {
    {100, 100, {Paso::A, Paso::B, Paso::C, Paso::R113, Paso::Casilla114}},
    {102, 102, {Paso::A, Paso::B, Paso::C, Paso::R113, Paso::Casilla114}},
    {105, 106, {Paso::D, Paso::E, Paso::F, Paso::R113}},
    {107, 107, {Paso::G, Paso::H, Paso::I, Paso::J, Paso::K, Paso::L, Paso::R113}},
    {108, 108, {Paso::I, Paso::J, Paso::K, Paso::L, Paso::R113}},
    {110, 110, {Paso::I, Paso::J, Paso::K, Paso::L, Paso::R113}},
    {111, 111, {Paso::J, Paso::K, Paso::L, Paso::R113}},
    {113, 113, {Paso::R, Paso::M, Paso::N, Paso::O}},
    {114, 115, {Paso::M, Paso::N, Paso::O}},
    {519, 519, {Paso::M, Paso::N, Paso::O}},
    {116, 116, {Paso::N, Paso::O, Paso::R}},
    {117, 117, {Paso::O, Paso::Amazonia}},
    {515, 515, {Paso::R120}},
    {120, 120, {Paso::P, Paso::C141142}},
    {122, 122, {Paso::P, Paso::C141142}},
    {124, 124, {Paso::P, Paso::C141142}},
    {125, 125, {Paso::C141142}},
    {127, 133, {Paso::C141142}},
    {141, 141, {Paso::Casilla145Por141}},
    {142, 142, {Paso::C146, Paso::Casilla145Por142}},
    {144, 145, {Paso::C146}},
    {180, 180, {Paso::ImporteTotal}},
    {200, 200, {Paso::Guarda200}},
    {201, 201, {Paso::Guarda201}},
    {203, 203, {Paso::R}},
    {530, 534, {Paso::R201}},
    {540, 540, {Paso::R201}},
    {535, 539, {Paso::R200}},
    {840, 852, {Paso::Patrimonial}},
};

const std::array<const std::vector<Paso>*, 1000>& tabla() {
    static const auto t = [] {
        std::array<const std::vector<Paso>*, 1000> r{};
        for (const Entrada& e : kDespacho)
            for (int n = e.desde; n <= e.hasta; ++n) r[size_t(n)] = &e.pasos;
        return r;
    }();
    return t;
}

void ejecutaPaso(Declaracion& d, Paso p, short previo200, short previo201) {
    switch (p) {
        case Paso::C141142:
            Calcular141142(d);
            return;
        case Paso::C146:
            Calcular146(d);
            return;
        case Paso::ImporteTotal:
            CalcularImporteTotal(d);
            return;
        case Paso::Patrimonial:
            Calcular_Patrimonial(d);
            return;
        case Paso::Casilla114:
            if (d.Vale(100) > 0 || d.Vale(102) > 0)
                d.Habcasilla(114);
            else
                d.Descasilla(114);
            return;
        case Paso::Amazonia:
            if (d.Vale(117) > 0)
                d.HabAmazonia();
            else
                d.DesAmazonia();
            return;
        case Paso::Casilla145Por141:
            if (d.Vale(141) > 0) d.Descasilla(145);
            if (d.Vale(141) == 0 && d.Vale(142) == 0) d.Descasilla(145);
            return;
        case Paso::Casilla145Por142:
            if (d.Vale(142) > 0) d.Habcasilla(145);
            if (d.Vale(142) == 0 && d.Vale(141) == 0) d.Descasilla(145);
            return;
        // The total's own write arrives while its counter is above 0, so the rule does not
        // re-enter itself; the counter is reset once the rule has run.
        case Paso::Guarda200:
            if (previo200 == 0) {
                ejecuta(d, Regla::R200);
                d.Cambios200 = 0;
            }
            return;
        case Paso::Guarda201:
            if (previo201 == 0) {
                ejecuta(d, Regla::R201);
                d.Cambios201 = 0;
            }
            return;
        default:
            ejecuta(d, Regla(int(p)));
            return;
    }
}

}  // namespace

void alCambiar(Declaracion& d, int n, short previo200, short previo201) {
    if (n < 0 || n >= 1000) return;
    const std::vector<Paso>* pasos = tabla()[size_t(n)];
    if (!pasos) return;
    for (Paso p : *pasos) ejecutaPaso(d, p, previo200, previo201);
}

}  // namespace qvr::calculo
