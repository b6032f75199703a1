// Opening the list of stored declarations to modify, over 100 and over 100,000 declarations,
// until its first rows are on screen; against a plain query of the list's first 50 rows over the
// same database in the same run. The list reads its rows in pages, so the goal is within 2x.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "common/schema.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/app/valores.h"
#include "varnel/app/aplicacion.h"
#include "varnel/lists/listas.h"
#include "varnel/lists/ui/frmmodfor.h"

using namespace qvr;

namespace {

struct Datos {
    QTemporaryDir dir;
    DatosSesion s;
};

// One database per size, built once: n taxpayers of user JEFE (who sees them all), each with
// one stored declaration.
DatosSesion& sesion(int n) {
    static std::map<int, std::unique_ptr<Datos>> bases;
    auto& d = bases[n];
    if (!d) {
        d = std::make_unique<Datos>();
        const QString ruta = d->dir.path() + "/NEMDAL.MDB";
        {
            auto b = BaseDatos::crea(ruta);
            creaTablasHost(*b);
            b->ejecuta("INSERT INTO CLAVES (Usuario, Tipo, Clave) VALUES ('JEFE', '0', '')");
            TransaccionEscritura t(*b);
            for (int i = 0; i < n; ++i) {
                const QString ruc = QString("10%1").arg(i, 9, 10, QChar('0'));
                b->ejecuta("INSERT INTO CONT (tip_doc_d, doc_id_d, nombre, usuario, Tipo_Ingreso) "
                           "VALUES (6, ?, ?, 'JEFE', 2)",
                           {ruc, QString("CONTRIBUYENTE %1").arg(i)});
                b->ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, cNumero) "
                           "VALUES (6, ?, '2003', '0738', 0, 0, '000000')",
                           {ruc});
            }
            t.confirma();
        }
        d->s.RutaBaseDatos = ruta;
        d->s.Usuario = "JEFE";
        d->s.Base = BaseDatos::abre(ruta);
    }
    return d->s;
}

void BM_ConsultaPrimeras50(benchmark::State& state) {
    DatosSesion& s = sesion(int(state.range(0)));
    const DefinicionLista d = listaDeclaraciones(s, false, false);
    for (auto _ : state) {
        const Registros r = s.Base->consulta(d.sql + " LIMIT 50", d.parametros);
        if (r.filas() != std::min<int>(50, int(state.range(0)))) state.SkipWithError("filas");
        benchmark::DoNotOptimize(r.filas());
    }
}

// The status bar is not what is measured.
class SinBarra : public BarraEstado {
public:
    void setNumeroDocumento(const QString&) override {}
    void setNombre(const QString&) override {}
    void setFormulario(const QString&) override {}
    void setPeriodo(const QString&) override {}
    void setValor(short) override {}
};

void BM_AbreListaModificar(benchmark::State& state) {
    DatosSesion& s = sesion(int(state.range(0)));
    SinBarra barra;
    for (auto _ : state) {
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        ui::FrmModFor w(s, v, barra, [] { return true; });
        w.show();
        if (!QTest::qWaitForWindowExposed(&w) || w.modelo()->rowCount() == 0) state.SkipWithError("sin filas");
        w.grid()->viewport()->repaint();
        w.close();
    }
}

BENCHMARK(BM_ConsultaPrimeras50)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbreListaModificar)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    instalaDialogos(std::make_shared<DialogosConsola>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
