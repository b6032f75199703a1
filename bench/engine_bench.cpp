// The cost of typing into the declaration: a full declaration typed key by key through the core,
// and one key in box 107 (whose ripple runs the whole chain down to the balance), each reported as
// a ratio against one call of the display format measured in the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <ctime>
#include <utility>
#include <vector>

#include "common/formato.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"

using namespace qvr;

namespace {

// Thread CPU time, so that other work on a shared machine does not enter the figures.
double ahoraNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

const std::vector<std::pair<int, QString>> kDeclaracion = {
    {100, "36000"},
    {105, "2500"},
    {106, "500"},
    {107, "180000"},
    {108, "12000"},
    {110, "1200"},
    {111, "48000"},
    {519, "3000"},
    {114, "1500"},
    {115, "2000"},
    {116, "10000"},
    {117, "5000"},
    {817, "INVERSIONES AMAZONICAS"},
    {229, "20100066603"},
    {231, "5000"},
    {122, "800"},
    {124, "300"},
    {125, "1000"},
    {127, "9000"},
    {130, "14400"},
    {131, "6000"},
    {144, "500"},
    {145, "35"},
    {180, "11277"},
    {535, "1500"},
    {539, "2500"},
    {531, "3000"},
    {203, "7000"},
    {811, "PEREZ"},
    {812, "GOMEZ"},
    {813, "JUAN CARLOS"},
    {814, "RAMOS"},
    {815, "DIAZ"},
};

int teclasDeLaDeclaracion() {
    int n = 0;
    for (const auto& [casilla, texto] : kDeclaracion) n += int(texto.size());
    return n;
}

void tecleaDeclaracion(Declaracion& d) {
    for (const auto& [casilla, texto] : kDeclaracion) {
        if (casilla >= 530 && casilla <= 540)
            tecleaDetalle(d, casilla, texto);
        else
            tecleaCasilla(d, casilla, texto);
    }
}

// Nanoseconds of one display-format call, measured over `veces` calls.
double nsPorFormato(int veces) {
    const double t0 = ahoraNs();
    for (int i = 0; i < veces; ++i) benchmark::DoNotOptimize(formatoMonto(double(1234567 + i)));
    return (ahoraNs() - t0) / veces;
}

void BM_DeclaracionTecleada(benchmark::State& state) {
    const int teclas = teclasDeLaDeclaracion();
    double nsTeclas = 0, nsFormato = 0;
    for (auto _ : state) {
        ValoresEjecucion valores;
        Declaracion d(valores, Tasas{3100, 0.015, 0});
        conectaCalculo(d);
        d.preparaNueva();
        const double t0 = ahoraNs();
        tecleaDeclaracion(d);
        nsTeclas += ahoraNs() - t0;
        nsFormato += nsPorFormato(teclas);
    }
    const double it = double(state.iterations());
    state.counters["ns_por_tecla"] = nsTeclas / it / teclas;
    state.counters["ns_por_formato"] = nsFormato / it;
    state.counters["tecla_en_formatos"] = (nsTeclas / teclas) / nsFormato;
}
BENCHMARK(BM_DeclaracionTecleada)->Unit(benchmark::kMillisecond);

void BM_TeclaEnCasilla107(benchmark::State& state) {
    ValoresEjecucion valores;
    Declaracion d(valores, Tasas{3100, 0.015, 0});
    conectaCalculo(d);
    d.preparaNueva();
    tecleaDeclaracion(d);
    d.entraFoco(107);
    double nsTeclas = 0, nsFormato = 0;
    int teclas = 0;
    long cambios = 0;
    d.alCambiarCasilla = [&cambios](int) { ++cambios; };
    for (auto _ : state) {
        const double t0 = ahoraNs();
        d.escribe(107, '5');  // 180000 → 1800005: the whole chain changes
        d.escribe(107, kTeclaRetroceso);
        nsTeclas += ahoraNs() - t0;
        teclas += 2;
        nsFormato += 2 * nsPorFormato(200);
    }
    state.counters["ns_por_tecla"] = nsTeclas / teclas;
    state.counters["ns_por_formato"] = nsFormato / teclas;
    state.counters["tecla_en_formatos"] = nsTeclas / nsFormato;
    state.counters["cambios_por_tecla"] = double(cambios) / teclas;
}
BENCHMARK(BM_TeclaEnCasilla107)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
