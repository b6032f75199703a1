// The declaration window as a person meets it. Opening it for a new declaration and for a stored one
// with 500 dividends, until its first page is on screen, against building and showing the same
// number of plain widgets in the same run; and typing one key into box 107 through the real window
// (key filter, recalculation ripple, repaint) against typing one key into a plain QLineEdit.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include "host/entorno_demo.h"
#include "lotmira/instalador.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/app/aplicacion.h"
#include "varnel/declaration/ui/frm0738.h"

using namespace qvr;

namespace {

const QString kRuc = "10457182363";  // a demo taxpayer of ADMIN

struct Entorno {
    Entorno() {
        qputenv("WINDIR", QFile::encodeName(dir.filePath("windows")));
        // The window's recovery copies go to the run's folder, not the user's.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("datos")));
        QDir().mkpath(dir.filePath("windows"));
        const host::ResultadoDemo r = host::creaEntornoDemo(dir.filePath("demo"), true);
        InstalaTablas();
        app.sesion.Base = BaseDatos::abre(r.rutaBase);
        app.sesion.Usuario = "ADMIN";
        BaseDatos& b = *app.sesion.Base;
        TransaccionEscritura t(b);
        b.ejecuta(
            "INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, cNumero) "
            "VALUES (6, ?, '2003', '0738', 0, 9, '000000')",
            {kRuc});
        for (auto [c, v] :
             {std::pair{"100", "18000"}, {"107", "96000"}, {"201", "41000"}, {"002", "10457182363"}})
            b.ejecuta(
                "INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, "
                "idcasilla, "
                "estado, cNumero) VALUES (6, ?, '2003', '0738', 0, ?, ?, '01', 0, '')",
                {kRuc, c, v});
        for (int i = 0; i < 500; ++i)
            b.ejecuta(
                "INSERT INTO F0738DIVIDEND VALUES (6, ?, '2003', '0738', ?, 'EMPRESA PAGADORA', ?, '1000', "
                "'41', '')",
                {kRuc, QString("20%1").arg(i, 9, 10, QChar('0')),
                 QDate(2003, 1, 1).addDays(i % 365).toString("yyyy-MM-dd")});
        t.confirma();
    }
    QTemporaryDir dir;
    Aplicacion app;
};

Entorno& entorno() {
    static Entorno e;
    return e;
}

int widgetsDeLaVentana = 0;

void abre(benchmark::State& state, short modo) {
    Entorno& e = entorno();
    for (auto _ : state) {
        e.app.valores = ValoresEjecucion{};
        e.app.valores.ModoDeclaracion = modo;
        e.app.valores.RucDeclarante = modo == 1 ? QString() : kRuc;
        Frm0738 w(e.app);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) state.SkipWithError("not shown");
        w.repaint();
        widgetsDeLaVentana = int(w.findChildren<QWidget*>().size());
        state.PauseTiming();
        w.hide();
        state.ResumeTiming();
    }
    state.counters["widgets"] = widgetsDeLaVentana;
}

void BM_AbreNueva(benchmark::State& state) { abre(state, 1); }
void BM_AbreGuardada500Dividendos(benchmark::State& state) { abre(state, 2); }

// The baseline: as many plain line edits as the window has widgets, in one shown window.
void BM_WidgetsSimples(benchmark::State& state) {
    const int n = widgetsDeLaVentana > 0 ? widgetsDeLaVentana : 600;
    for (auto _ : state) {
        QWidget w;
        auto* l = new QVBoxLayout(&w);
        for (int i = 0; i < n; ++i) l->addWidget(new QLineEdit(&w));
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) state.SkipWithError("not shown");
        w.repaint();
    }
    state.counters["widgets"] = n;
}

void BM_TeclaCasilla107(benchmark::State& state) {
    Entorno& e = entorno();
    e.app.valores = ValoresEjecucion{};
    e.app.valores.ModoDeclaracion = 2;
    e.app.valores.RucDeclarante = kRuc;
    Frm0738 w(e.app);
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    w.tabPrincipal()->setCurrentIndex(1);
    w.SSTab2()->setCurrentIndex(2);
    QLineEdit* c = w.TxtValor(107);
    c->setFocus();
    for (auto _ : state) {
        QTest::keyClick(c, Qt::Key_5);
        w.repaint();
        state.PauseTiming();
        if (c->text().size() >= 10) c->setText("9");
        state.ResumeTiming();
    }
}

void BM_TeclaLineEdit(benchmark::State& state) {
    QWidget w;
    auto* l = new QVBoxLayout(&w);
    auto* c = new QLineEdit(&w);
    l->addWidget(c);
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    c->setFocus();
    for (auto _ : state) {
        QTest::keyClick(c, Qt::Key_5);
        w.repaint();
        state.PauseTiming();
        if (c->text().size() >= 10) c->setText("9");
        state.ResumeTiming();
    }
}

BENCHMARK(BM_AbreNueva)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbreGuardada500Dividendos)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetsSimples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TeclaCasilla107)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TeclaLineEdit)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    instalaDialogos(std::make_shared<DialogosScript>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
