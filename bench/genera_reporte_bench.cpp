// The declaration report with a 5,000-row dividends list against writing the same number of lines
// with a plain buffered file write, in the same run.
//   build/bench/bin/genera_reporte_bench
#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <memory>

#include "common/cp1252.h"
#include "common/schema.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/reports/genera_reporte.h"

using namespace qvr;
using namespace qvr::reporte;

namespace {

constexpr int kDividendos = 5000;
const QString kRuc = QStringLiteral("10203040506");

struct Datos {
    QTemporaryDir dir;
    std::unique_ptr<BaseDatos> base;
    DatosReporte d;
    int lineas = 0;  // lines of the generated report
};

Datos& datos() {
    static Datos* x = [] {
        auto* x = new Datos;
        x->base = BaseDatos::crea(x->dir.filePath("bench.mdb"));
        creaTablasHost(*x->base);
        creaTablasAnexo(*x->base);
        TransaccionEscritura t(*x->base);
        for (int i = 0; i < kDividendos; ++i)
            x->base->ejecuta("INSERT INTO F0738DIVIDEND VALUES (6, ?, '2003', '0738', ?, ?, '2003-05-01', ?, ?, "
                             "'000000')",
                             {kRuc, QString("201%1").arg(i, 8, 10, QChar('0')), QString("EMPRESA PAGADORA %1").arg(i),
                              QString::number(1000 + i), QString::number(41 + i)});
        t.confirma();
        x->d.ruc = kRuc;
        x->d.nombre = "CONTRIBUYENTE DE PRUEBA";
        for (int c = 100; c < 600; c += 3) x->d.fijaCasilla(c, QString::number(c * 1000));
        x->d.seleccion = {OpcionImpresion::DeclaracionYAnexo, true, true};
        const QString ruta = x->dir.filePath("r.PRN");
        GeneraReporte(*x->base, x->d, ruta);
        QFile f(ruta);
        f.open(QIODevice::ReadOnly);
        x->lineas = int(f.readAll().count('\n'));
        return x;
    }();
    return *x;
}

void Generacion(benchmark::State& st) {
    Datos& x = datos();
    const QString ruta = x.dir.filePath("g.PRN");
    for (auto _ : st) {
        const ResultadoReporte r = GeneraReporte(*x.base, x.d, ruta);
        benchmark::DoNotOptimize(r.paginas);
    }
    st.counters["lineas"] = x.lineas;
}

// The same number of lines of the same length, formatted and written through one buffered file.
void EscrituraPlana(benchmark::State& st) {
    Datos& x = datos();
    const QString ruta = x.dir.filePath("p.PRN");
    for (auto _ : st) {
        QFile f(ruta);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (int i = 0; i < x.lineas; ++i)
            f.write(aCp1252(QStringLiteral("pPos|%1|%2|EMPRESA PAGADORA NUMERO %3|False|7|%4|")
                                .arg(i % 15000)
                                .arg(i % 9899)
                                .arg(i)
                                .arg(i / 130)) +
                    "\r\n");
        f.close();
    }
    st.counters["lineas"] = x.lineas;
}

BENCHMARK(Generacion)->Unit(benchmark::kMillisecond);
BENCHMARK(EscrituraPlana)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    instalaDialogos(std::make_shared<DialogosScript>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
