// Saving and opening a full declaration (every entered box, 500 dividend rows in the working
// table), each measured in the same run against its floor:
//  - saving against (a) the same rows inserted with prepared statements in one transaction, and
//    against (b) the same rows written one statement at a time, each its own transaction (the
//    per-box dynaset way);
//  - opening against a plain SELECT of the declaration's rows;
//  - saving with the optimistic check (the stored version compared under the lock and taken again
//    after the writes) against the same save without it, as a session saves again after its own
//    save: the connection's mark of changes tells that nothing was written in between, so the
//    stored version is not read again under the lock.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "common/cnumero.h"
#include "common/schema.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/declaration/anexos_copia.h"
#include "varnel/declaration/carga.h"
#include "varnel/declaration/grabado.h"
#include "common/version_declaracion.h"

using namespace qvr;
using Reloj = std::chrono::steady_clock;

namespace {

const QString kRuc = "20100047218";
constexpr int kDividendos = 500;

double ms(Reloj::time_point desde) {
    return std::chrono::duration<double, std::milli>(Reloj::now() - desde).count();
}

struct Banco {
    QTemporaryDir dir;
    std::unique_ptr<BaseDatos> base;
    Instantanea d;

    Banco() {
        instalaDialogos(std::make_shared<DialogosScript>());
        base = BaseDatos::crea(dir.path() + "/b.mdb");
        creaTablasHost(*base);
        creaTablasAnexo(*base);
        base->ejecuta(
            "INSERT INTO CONT (tip_doc_d, doc_id_d, Apellido_p, Apellido_m, Nombre_1, nombre_2) "
            "VALUES (6, ?, 'PEREZ', 'GOMEZ', 'JUAN', 'CARLOS')",
            {kRuc});
        d.ruc = kRuc;
        int i = 1;
        for (int n : OrdenCasillas()) d.casillas[n] = QString::number(1000 + i++);
        for (int n : {811, 812, 813, 814, 815, 890}) d.casillas[n] = "NOMBRE " + QString::number(n);
        for (int n = 817; n <= 825; ++n) d.casillas[n] = "RAZON SOCIAL LARGA N " + QString::number(n);
        for (int n : listasTipoDocumento()) d.listas[n] = "01  -  DNI";
        d.profesion = "01     ABOGADO";
        d.telefono = "4567890";
        d.fechaNacimiento = "15/03/1970";
        d.rectifica = d.general = d.devolucion = d.inmueble = Opcion::Si;
        d.pago = MedioPago{"C", "0018", "00012345", "12,345"};
        llenaTemporal();
    }

    void llenaTemporal() {
        TransaccionEscritura t(*base);
        base->ejecuta("DELETE FROM TMP_F0738DIVID");
        Sentencia s(*base, "INSERT INTO TMP_F0738DIVID VALUES (?, ?, ?, ?, ?)");
        for (int i = 0; i < kDividendos; ++i)
            s.ejecuta({QString("20%1").arg(100000000 + i / 10), QString("EMPRESA PAGADORA %1").arg(i),
                       QDate(2003, 1 + i % 12, 1 + i % 10).toString("yyyy-MM-dd"), QString::number(1000 + i),
                       QString::number(41 + i)});
        t.confirma();
    }

    // Every row a save writes, ready to insert: header, boxes, dividends.
    struct Filas {
        QString sqlCab, sqlDet, sqlDiv;
        QVariantList cab;
        std::vector<QVariantList> det, div;
    };
    Filas filas() {
        Filas f;
        f.sqlCab = "INSERT INTO CAB VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        f.sqlDet = "INSERT INTO DET VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        f.sqlDiv = "INSERT INTO F0738DIVIDEND VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        const auto cCab = base->columnas("CAB");
        f.cab = {6,      kRuc,       "2003",  "0738", 0,          0, "1", "05/01/2004",
                 "0018", "00012345", "12345", "",     QVariant(), ""};
        f.cab.back() = cNumero(f.cab, cCab, 5);
        const auto cDet = base->columnas("DET");
        for (const auto& [casilla, valor] : filasDetalle(d, kRuc, "2003")) {
            QVariantList v = {6, kRuc, "2003", "0738", 0, casilla, valor, casilla == "180" ? "05" : "01",
                              0, ""};
            v.back() = cNumero(v, cDet, 6);
            f.det.push_back(v);
        }
        const auto cDiv = base->columnas("F0738DIVIDEND");
        const Registros t = base->consulta("SELECT * FROM TMP_F0738DIVID");
        for (int r = 0; r < t.filas(); ++r) {
            QVariantList v = {6, kRuc, "2003", "0738"};
            for (int c = 0; c < 5; ++c) v << t.valor(r, c);
            v << QString();
            v.back() = cNumero(v, cDiv, 6);
            f.div.push_back(v);
        }
        return f;
    }

    // The header goes before each way of writing; the boxes and dividends of the previous version
    // stay, for each way to delete them itself.
    void borraCabecera() { base->ejecuta("DELETE FROM CAB WHERE doc_id_d=?", {kRuc}); }
};

Banco& banco() {
    static Banco b;
    return b;
}

void BM_Grabar(benchmark::State& state) {
    Banco& b = banco();
    const Banco::Filas f = b.filas();
    double tGrabar = 0, tPiso = 0, tFilaAFila = 0;
    for (auto _ : state) {
        // (a) the floor: the same rows, prepared statements, one transaction.
        b.borraCabecera();
        auto t0 = Reloj::now();
        {
            TransaccionEscritura t(*b.base);
            b.base->ejecuta("DELETE FROM DET WHERE doc_id_d=?", {kRuc});
            b.base->ejecuta("DELETE FROM F0738DIVIDEND WHERE doc_id_d=?", {kRuc});
            b.base->ejecuta(f.sqlCab, f.cab);
            Sentencia det(*b.base, f.sqlDet);
            for (const auto& v : f.det) det.ejecuta(v);
            Sentencia div(*b.base, f.sqlDiv);
            for (const auto& v : f.div) div.ejecuta(v);
            t.confirma();
        }
        tPiso += ms(t0);

        // (b) row by row, each statement its own transaction, a look-up before each box.
        b.borraCabecera();
        t0 = Reloj::now();
        {
            BaseDatos& x = *b.base;
            x.consulta(
                "SELECT * FROM CAB WHERE doc_id_d=? AND periodo='2003' AND formulario='0738' AND semana=0",
                {kRuc});
            x.ejecuta(f.sqlCab, f.cab);
            x.ejecuta("DELETE FROM DET WHERE doc_id_d=? AND tip_doc_d=6", {kRuc});
            for (const auto& v : f.det) {
                x.consulta("SELECT * FROM DET WHERE doc_id_d=? AND tip_doc_d=6 AND casilla=?", {kRuc, v[5]});
                x.ejecuta(f.sqlDet, v);
            }
            x.ejecuta("DELETE FROM F0738DIVIDEND WHERE doc_id_d=? AND tip_doc_d=6", {kRuc});
            for (const auto& v : f.div) x.ejecuta(f.sqlDiv, v);
            x.ejecuta("UPDATE CAB SET estado=0 WHERE doc_id_d=?", {kRuc});
        }
        tFilaAFila += ms(t0);

        // The save itself, over a stored previous version.
        t0 = Reloj::now();
        const ResultadoGrabado r = GrabarForm(*b.base, b.d, ClaveDeclaracion{}, {});
        tGrabar += ms(t0);
        if (!r.grabado) state.SkipWithError("the save failed");
    }
    const double n = double(state.iterations());
    state.counters["filas"] = double(1 + f.det.size() + f.div.size());
    state.counters["ms_grabar"] = tGrabar / n;
    state.counters["ms_piso_a"] = tPiso / n;
    state.counters["ms_fila_a_fila_b"] = tFilaAFila / n;
    state.counters["grabar_sobre_piso"] = tGrabar / tPiso;              // goal: within 2
    state.counters["fila_a_fila_sobre_grabar"] = tFilaAFila / tGrabar;  // the gain over (b)
}
BENCHMARK(BM_Grabar)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_GrabarConVersion(benchmark::State& state) {
    Banco& b = banco();
    b.llenaTemporal();
    GrabarForm(*b.base, b.d, ClaveDeclaracion{}, {});
    ClaveDeclaracion clave;
    clave.ruc = kRuc;
    QByteArray marca = b.base->marcaCambios();
    QByteArray version = versionDeclaracion(*b.base, clave, false);
    double tSin = 0, tCon = 0;
    for (auto _ : state) {
        // Alternated, so that both see the same file and cache.
        auto t0 = Reloj::now();
        if (!GrabarForm(*b.base, b.d, ClaveDeclaracion{}, {}).grabado) state.SkipWithError("the save failed");
        tSin += ms(t0);
        // The checked save follows a save of the same session, which took the version (and mark).
        marca = b.base->marcaCambios();
        version = versionDeclaracion(*b.base, clave, false);

        // As the session checks: the rows are read again only when the connection's mark of
        // changes moved since the version was taken.
        OpcionesGrabado o;
        o.compruebaVersion = [&] {
            if (!marca.isEmpty() && b.base->marcaCambios() == marca) return;
            if (versionDeclaracion(*b.base, clave, false) != version) throw ErrorBD(jet::DataCambio, "cambio");
        };
        o.trasEscribir = [&] {
            marca = b.base->marcaCambios();
            version = versionDeclaracion(*b.base, clave, false);
        };
        t0 = Reloj::now();
        if (!GrabarForm(*b.base, b.d, ClaveDeclaracion{}, o).grabado) state.SkipWithError("the checked save failed");
        tCon += ms(t0);
    }
    const double n = double(state.iterations());
    state.counters["ms_sin_version"] = tSin / n;
    state.counters["ms_con_version"] = tCon / n;
    state.counters["con_sobre_sin"] = tCon / tSin;  // goal: within 1.1
}
BENCHMARK(BM_GrabarConVersion)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Abrir(benchmark::State& state) {
    Banco& b = banco();
    b.llenaTemporal();
    GrabarForm(*b.base, b.d, ClaveDeclaracion{}, {});
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    v.RucDeclarante = kRuc;
    double tAbrir = 0, tSelect = 0, tTemporales = 0;
    int filas = 0;
    for (auto _ : state) {
        auto t0 = Reloj::now();
        {
            filas = 0;
            const QVariantList p = {kRuc};
            filas += b.base
                         ->consulta(
                             "SELECT casilla, i_valor FROM DET WHERE doc_id_d=? AND tip_doc_d=6 AND "
                             "periodo='2003' AND formulario='0738' AND semana=0",
                             p)
                         .filas();
            filas += b.base->consulta("SELECT * FROM CAB WHERE doc_id_d=? AND tip_doc_d=6", p).filas();
            for (const char* t : {"F0738DIVIDEND", "F0738EXTRANJ", "F0738FIDEICOM"})
                filas += b.base
                             ->consulta(QString("SELECT * FROM %1 WHERE doc_id_d=? AND tip_doc_d=6 AND "
                                                "periodo='2003' AND formulario='0738'")
                                            .arg(t),
                                        p)
                             .filas();
        }
        tSelect += ms(t0);
        t0 = Reloj::now();
        const Carga c = CargaDeclaracion(*b.base, v, "0738", "DEMO");
        tAbrir += ms(t0);
        t0 = Reloj::now();
        ClaveDeclaracion clave;
        clave.ruc = kRuc;
        LlenaTemporales(*b.base, clave, false);
        tTemporales += ms(t0);
        benchmark::DoNotOptimize(c.datos.casillas.size());
    }
    const double n = double(state.iterations());
    state.counters["filas"] = filas;
    state.counters["ms_abrir"] = tAbrir / n;
    state.counters["ms_select"] = tSelect / n;
    state.counters["ms_temporales"] = tTemporales / n;
    state.counters["abrir_sobre_select"] = tAbrir / tSelect;  // goal: within 3
}
BENCHMARK(BM_Abrir)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
