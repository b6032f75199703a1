// Opening the list of stored declarations to modify, over 100 and over 100,000 declarations,
// until its first rows are on screen; against a plain query of the list's first 50 rows over the
// same database in the same run. The list reads its rows in pages, so the goal is within 2x.
// The second argument is the engine: 0 the SQLite file, 1 the PostgreSQL server of QVR_PG_CONNINFO
// (a schema of its own; skipped without it).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "common/schema.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/app/aplicacion.h"
#include "varnel/app/valores.h"
#include "varnel/lists/listas.h"
#include "varnel/lists/ui/frmmodfor.h"

using namespace qvr;

namespace {

struct Datos {
    QTemporaryDir dir;
    QString esquema;
    DatosSesion s;
    ~Datos() {
        s.Base.reset();
        if (!esquema.isEmpty())
            BaseDatos::abreServidor(qEnvironmentVariable("QVR_PG_CONNINFO"), {})
                ->ejecuta("DROP SCHEMA " + esquema + " CASCADE");
    }
};

// One database per size, built once: n taxpayers of user JEFE (who sees them all), each with
// one stored declaration.
// Closed before the application object goes.
std::map<std::pair<int, bool>, std::unique_ptr<Datos>> bases;

DatosSesion& sesion(int n, bool servidor) {
    auto& d = bases[{n, servidor}];
    if (!d) {
        d = std::make_unique<Datos>();
        const QString ruta = d->dir.path() + "/NEMDAL.MDB";
        if (servidor) {
            d->esquema = QString("bench_listas_%1").arg(n);
            auto admin = BaseDatos::abreServidor(qEnvironmentVariable("QVR_PG_CONNINFO"), {});
            admin->ejecuta("DROP SCHEMA IF EXISTS " + d->esquema + " CASCADE");
            admin->ejecuta("CREATE SCHEMA " + d->esquema);
            d->s.ServidorBD =
                qEnvironmentVariable("QVR_PG_CONNINFO") + " options='-c search_path=" + d->esquema + "'";
        }
        {
            auto b = servidor ? BaseDatos::abreServidor(d->s.ServidorBD, {}) : BaseDatos::crea(ruta);
            creaTablasHost(*b);
            b->ejecuta("INSERT INTO CLAVES (Usuario, Tipo, Clave) VALUES ('JEFE', '0', '')");
            TransaccionEscritura t(*b);
            Sentencia cont(*b,
                           "INSERT INTO CONT (tip_doc_d, doc_id_d, nombre, usuario, Tipo_Ingreso) "
                           "VALUES (6, ?, ?, 'JEFE', 2)");
            Sentencia cab(
                *b,
                "INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, cNumero) "
                "VALUES (6, ?, '2003', '0738', 0, 0, '000000')");
            for (int i = 0; i < n; ++i) {
                const QString ruc = QString("10%1").arg(i, 9, 10, QChar('0'));
                cont.ejecuta({ruc, QString("CONTRIBUYENTE %1").arg(i)});
                cab.ejecuta({ruc});
            }
            t.confirma();
            if (servidor) b->ejecuta("ANALYZE");
        }
        d->s.RutaBaseDatos = ruta;
        d->s.Usuario = "JEFE";
        d->s.Base = BaseDatos::conecta(d->s.ServidorBD, ruta, {});
    }
    return d->s;
}

bool sinServidor(benchmark::State& state) {
    if (state.range(1) == 0 || !qEnvironmentVariableIsEmpty("QVR_PG_CONNINFO")) return false;
    state.SkipWithError("no QVR_PG_CONNINFO");
    return true;
}

void BM_ConsultaPrimeras50(benchmark::State& state) {
    if (sinServidor(state)) return;
    DatosSesion& s = sesion(int(state.range(0)), state.range(1) != 0);
    const DefinicionLista d = listaDeclaraciones(s, false, false);
    for (auto _ : state) {
        const Registros r = s.Base->consulta(d.sql + " LIMIT 50", d.parametros);
        if (r.filas() != std::min<int>(50, int(state.range(0)))) state.SkipWithError("filas");
        benchmark::DoNotOptimize(r.filas());
    }
}

void BM_AbreListaModificar(benchmark::State& state) {
    if (sinServidor(state)) return;
    DatosSesion& s = sesion(int(state.range(0)), state.range(1) != 0);
    SinBarra barra;  // the status bar is not what is measured
    for (auto _ : state) {
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        ui::FrmModFor w(s, v, barra, [] { return true; });
        w.show();
        if (!QTest::qWaitForWindowExposed(&w) || w.modelo()->rowCount() == 0)
            state.SkipWithError("sin filas");
        w.grid()->viewport()->repaint();
        w.close();
    }
}

BENCHMARK(BM_ConsultaPrimeras50)->ArgsProduct({{100, 100000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbreListaModificar)->ArgsProduct({{100, 100000}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    instalaDialogos(std::make_shared<DialogosConsola>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bases.clear();
    return 0;
}
