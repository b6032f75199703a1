// The server engine against the embedded one, measured in the same run (needs QVR_PG_CONNINFO;
// measure against a server that writes every commit to disk, as an office's does:
// `scripts/pg-test-server start DIR durable`; without it the cases are skipped):
//  - saving and opening a full declaration with 500 dividends: PostgreSQL over the local socket
//    against the SQLite file (goal: within 2x);
//  - four processes saving their own declarations at once against one alone: throughput ratio
//    (goal: 1.5x or more);
//  - the first case as a DIGITADOR login of an office (the owner's tables, the clerks' rights,
//    row-level security on the declaration tables) against the file (no goal of its own).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>

#include "bench/roles_bench.h"
#include "common/oficina.h"
#include "common/schema.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/app/valores.h"
#include "varnel/declaration/carga.h"
#include "varnel/declaration/grabado.h"
#include "varnel/declaration/inventario.h"

using namespace qvr;
using Reloj = std::chrono::steady_clock;

namespace {

const QString kRuc = "20100047218";
constexpr int kDividendos = 500;

double ms(Reloj::time_point desde) {
    return std::chrono::duration<double, std::milli>(Reloj::now() - desde).count();
}

QString servidor() { return qEnvironmentVariable("QVR_PG_CONNINFO").trimmed(); }

Instantanea declaracion(const QString& ruc) {
    Instantanea d;
    d.ruc = ruc;
    int i = 1;
    for (int n : OrdenCasillas()) d.casillas[n] = QString::number(1000 + i++);
    for (int n = 817; n <= 825; ++n) d.casillas[n] = "RAZON SOCIAL LARGA N " + QString::number(n);
    for (int n : listasTipoDocumento()) d.listas[n] = "01  -  DNI";
    d.fechaNacimiento = "15/03/1970";
    d.pago = MedioPago{"C", "0018", "00012345", "12,345"};
    return d;
}

// A fresh database on either engine: the file, or a schema of its own on the server.
struct Base {
    QTemporaryDir dir;
    QString esquema;
    QString conexion;
    std::unique_ptr<BaseDatos> base;

    explicit Base(bool enServidor) {
        if (enServidor) {
            esquema = QString("bench_%1").arg(QCoreApplication::applicationPid());
            auto admin = BaseDatos::abreServidor(servidor(), {});
            admin->ejecuta(QString("DROP SCHEMA IF EXISTS %1 CASCADE").arg(esquema));
            admin->ejecuta(QString("CREATE SCHEMA %1").arg(esquema));
            conexion = servidor() + QString(" options='-c search_path=%1'").arg(esquema);
        }
        base = enServidor ? BaseDatos::abreServidor(conexion, {}) : BaseDatos::crea(dir.path() + "/b.mdb");
        creaTablasHost(*base);
        creaTablasAnexo(*base);
    }
    ~Base() {
        base.reset();
        if (!esquema.isEmpty())
            BaseDatos::abreServidor(servidor(), {})->ejecuta("DROP SCHEMA " + esquema + " CASCADE");
    }
    void llenaDividendos() { llenaDividendos(*base); }
    static void llenaDividendos(BaseDatos& base) {
        TransaccionEscritura t(base);
        base.ejecuta("DELETE FROM TMP_F0738DIVID");
        Sentencia s(base, "INSERT INTO TMP_F0738DIVID VALUES (?, ?, ?, ?, ?)");
        for (int i = 0; i < kDividendos; ++i)
            s.ejecuta({QString("20%1").arg(100000000 + i / 10), QString("EMPRESA PAGADORA %1").arg(i),
                       QDate(2003, 1 + i % 12, 1 + i % 10).toString("yyyy-MM-dd"), QString::number(1000 + i),
                       QString::number(41 + i)});
        t.confirma();
    }
};

// One save and one opening of the full declaration; milliseconds.
double grabaYAbre(BaseDatos& base) {
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    v.RucDeclarante = kRuc;
    const auto t0 = Reloj::now();
    if (!GrabarForm(base, declaracion(kRuc), ClaveDeclaracion{}, {}).grabado) return -1;
    const Carga c = CargaDeclaracion(base, v, "0738", "DEMO");
    benchmark::DoNotOptimize(c.datos.casillas.size());
    return ms(t0);
}

void BM_GrabarYAbrir_ServidorContraArchivo(benchmark::State& state) {
    if (servidor().isEmpty()) return state.SkipWithError("no QVR_PG_CONNINFO");
    Base archivo(false), pg(true);
    archivo.llenaDividendos();
    pg.llenaDividendos();
    double tArchivo = 0, tServidor = 0;
    for (auto _ : state) {
        tArchivo += grabaYAbre(*archivo.base);
        tServidor += grabaYAbre(*pg.base);
    }
    const double n = double(state.iterations());
    state.counters["ms_sqlite"] = tArchivo / n;
    state.counters["ms_postgresql"] = tServidor / n;
    state.counters["postgresql_sobre_sqlite"] = tServidor / tArchivo;  // goal: within 2
}
BENCHMARK(BM_GrabarYAbrir_ServidorContraArchivo)->Unit(benchmark::kMillisecond)->Iterations(10);

// The server database of Base as an office has it, and a DIGITADOR login whose taxpayer is kRuc,
// working on his own copies of the annex working tables as the session does.
struct Digitador {
    Base pg{true};
    QString rol;
    QStringList roles;
    std::unique_ptr<BaseDatos> base;

    Digitador() : rol(pg.esquema + "_digitador") {
        quitaRoles({rol});
        BaseDatos::abreServidor(servidor(), {})->ejecuta(QString("CREATE ROLE %1 LOGIN").arg(rol));
        BaseDatos& dueno = *pg.base;
        registraDueno(dueno);
        preparaDerechos(dueno);
        registraUsuario(dueno, rol, "1");
        dueno.ejecuta("INSERT INTO CONT (tip_doc_d, doc_id_d, nombre, usuario, Tipo_Ingreso) VALUES (6, ?, ?, ?, 2)",
                      {kRuc, QString("CONTRIBUYENTE DEL DIGITADOR"), rol.toUpper()});
        roles << rol << rolOficina(dueno);
        base = BaseDatos::abreServidor(pg.conexion + " user=" + rol, {});
        base->tablasDeTrabajo(tablasTrabajoAnexo());
        Base::llenaDividendos(*base);
    }
    ~Digitador() {
        base.reset();
        quitaRoles(roles);
    }
    static void quitaRoles(const QStringList& roles) {
        banco::quitaRoles(*BaseDatos::abreServidor(servidor(), {}), roles);
    }
};

void BM_GrabarYAbrir_DigitadorContraArchivo(benchmark::State& state) {
    if (servidor().isEmpty()) return state.SkipWithError("no QVR_PG_CONNINFO");
    Base archivo(false);
    archivo.llenaDividendos();
    Digitador d;
    double tArchivo = 0, tServidor = 0;
    for (auto _ : state) {
        tArchivo += grabaYAbre(*archivo.base);
        const double t = grabaYAbre(*d.base);
        if (t < 0) return state.SkipWithError("the DIGITADOR's save failed");
        tServidor += t;
    }
    const double n = double(state.iterations());
    state.counters["ms_sqlite"] = tArchivo / n;
    state.counters["ms_digitador"] = tServidor / n;
    state.counters["digitador_sobre_sqlite"] = tServidor / tArchivo;
}
BENCHMARK(BM_GrabarYAbrir_DigitadorContraArchivo)->Unit(benchmark::kMillisecond)->Iterations(10);

// Runs `procesos` copies of this program saving for `msDuracion`; saves per second of them all.
double porSegundo(const QString& conexion, int procesos, int msDuracion) {
    std::vector<std::unique_ptr<QProcess>> hijos;
    for (int i = 0; i < procesos; ++i) {
        auto h = std::make_unique<QProcess>();
        auto e = QProcessEnvironment::systemEnvironment();
        e.insert("QVR_BENCH_ESTACION", QString("%1|%2|%3").arg(i + 1).arg(msDuracion).arg(conexion));
        h->setProcessEnvironment(e);
        h->start(QCoreApplication::applicationFilePath(), {});
        hijos.push_back(std::move(h));
    }
    int total = 0;
    for (auto& h : hijos) {
        h->waitForFinished(600000);
        total += QString::fromUtf8(h->readAllStandardOutput()).trimmed().toInt();
    }
    return total * 1000.0 / msDuracion;
}

void BM_CuatroEstacionesContraUna(benchmark::State& state) {
    if (servidor().isEmpty()) return state.SkipWithError("no QVR_PG_CONNINFO");
    Base pg(true);
    double una = 0, cuatro = 0;
    for (auto _ : state) {
        una = porSegundo(pg.conexion, 1, 4000);
        cuatro = porSegundo(pg.conexion, 4, 4000);
    }
    state.counters["grabados_por_s_1"] = una;
    state.counters["grabados_por_s_4"] = cuatro;
    state.counters["cuatro_sobre_una"] = cuatro / una;  // goal: 1.5 or more
}
BENCHMARK(BM_CuatroEstacionesContraUna)->Unit(benchmark::kMillisecond)->Iterations(1);

// The child of BM_CuatroEstacionesContraUna: saves its own declarations until its time is up.
int estacion(const QString& datos) {
    const QStringList p = datos.split('|');
    instalaDialogos(std::make_shared<DialogosScript>());
    auto base = BaseDatos::abreServidor(p[2], {20000, {}, {}});
    QElapsedTimer reloj;
    reloj.start();
    int n = 0;
    while (reloj.elapsed() < p[1].toInt()) {
        const QString ruc = QString("2%1%2").arg(p[0].toInt(), 2, 10, QChar('0')).arg(n, 8, 10, QChar('0'));
        if (GrabarForm(*base, declaracion(ruc), ClaveDeclaracion{}, {}).grabado) ++n;
    }
    std::printf("%d\n", n);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (const QString e = qEnvironmentVariable("QVR_BENCH_ESTACION"); !e.isEmpty()) return estacion(e);
    instalaDialogos(std::make_shared<DialogosScript>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
