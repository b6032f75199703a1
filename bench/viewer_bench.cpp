// The report viewer on a 1,000-page report against a 1-page one: time until the first page is
// shown, and peak memory of previewing and paging through every page (each run in its own child
// process, so that one run's memory does not count in the other's).
//   build/bench/bin/viewer_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>

#include "common/reporte_escritor.h"
#include "varnel/reports/visor_reporte.h"

using namespace qvr::reporte;

namespace {

QTemporaryDir& carpeta() {
    static QTemporaryDir d;
    return d;
}

// A report shaped like the declaration: per page a header, 70 lines of boxes and amounts, frames.
QString reporte(int hojas) {
    const QString nombre = QString("%1.PRN").arg(hojas, 8, 10, QLatin1Char('0'));
    const QString ruta = carpeta().filePath(nombre);
    if (QFile::exists(ruta)) return nombre;
    EscritorReporte w(Programa::Varnel, 80);
    w.abre(ruta);
    w.EscribeLinea(etiquetaFuente());
    w.EscribeLinea(etiquetaHojas(hojas));
    w.EscribeLinea(etiquetaOrientacion("V"));
    w.EscribeLinea(etiquetaColor("&H00FFFFC0&"));
    for (int h = 0; h < hojas; ++h) {
        if (h > 0) w.EscribeTexto(0, 0, "pNuevaHoja", false, 8, h);
        w.EscribeTexto(300, 350, "ZORVA", true, 16, h);
        w.EscribeTexto(300, 750, "DECLARACION JURADA ANUAL - RENTA 2003", false, 8, h);
        w.EscribeCuadro(150, 300, 1700, 1640, h);
        for (int i = 0; i < 70; ++i) {
            const int y = 1800 + i * 190;
            w.EscribeTexto(600, y, QString("Casilla %1  Concepto de la declaracion").arg(100 + i), false, 8,
                           h);
            w.EscribeTexto(8000, y, QString("%1").arg((h + 1) * 1000 + i, 12), false, 8, h);
            if (i % 10 == 0) w.EscribeCuadro(500, y - 20, 10500, y + 1880, h);
        }
    }
    w.cierra();
    return nombre;
}

void primeraPagina(benchmark::State& st) {
    const QString nombre = reporte(int(st.range(0)));
    for (auto _ : st) {
        VisorReporte v(carpeta().path());
        v.fijaRut(nombre);
        v.pDesencripta(nombre, kModoPrevia);
        v.pMostrar(0);
        benchmark::DoNotOptimize(v.imagen(0, 96).constBits());
    }
    st.counters["file_kB"] = double(QFileInfo(carpeta().filePath(nombre)).size()) / 1024.0;
}
BENCHMARK(primeraPagina)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

double picoKb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ')[0].toDouble();
    return 0;
}

// Child: preview a report and page through all of it, then print the peak memory in kB.
int recorreTodo(const QString& dir, const QString& nombre) {
    VisorReporte v(dir);
    v.fijaRut(nombre);
    if (!v.pDesencripta(nombre, kModoPrevia)) return 1;
    v.pMostrar(0);
    for (;;) {
        benchmark::DoNotOptimize(v.imagen(v.iNroHoja(), 96).constBits());
        const int antes = v.iNroHoja();
        v.pMostrar(-1);
        if (v.iNroHoja() == antes) break;
    }
    std::printf("%d %.0f\n", v.iNroHoja() + 1, picoKb());
    return 0;
}

void memoriaAlRecorrer(benchmark::State& st) {
    const QString nombre = reporte(int(st.range(0)));
    double pico = 0, paginas = 0;
    for (auto _ : st) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {"--recorre", carpeta().path(), nombre});
        p.waitForFinished(600000);
        const auto partes = QString::fromUtf8(p.readAllStandardOutput()).split(' ');
        if (partes.size() == 2) {
            paginas = partes[0].toDouble();
            pico = partes[1].toDouble();
        }
    }
    st.counters["pages"] = paginas;
    st.counters["peak_rss_kB"] = pico;
    st.counters["file_kB"] = double(QFileInfo(carpeta().filePath(nombre)).size()) / 1024.0;
}
BENCHMARK(memoriaAlRecorrer)->Arg(1)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--recorre") == 0)
        return recorreTodo(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
