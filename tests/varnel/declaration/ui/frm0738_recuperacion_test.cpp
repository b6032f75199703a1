// The declaration window's recovery copy, as a person meets it: typing is kept while the window is
// open; after the program is killed, the next opening of the same taxpayer offers it and puts back
// every box, list, option, the payment and the dividend rows; "No", a save and "No" at the closing
// question remove it; a damaged copy is set aside and the window opens all the same; a copy of a
// taxpayer the user may not choose, or one the stored declaration has overtaken, is not offered.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "varnel/annexes/ui/frm_retenciones.h"
#include "varnel/annexes/ui/panel_anexo.h"
#include "varnel/app/ui/forma_pago.h"
#include "varnel/declaration/recuperacion.h"
#include "varnel/declaration/recuperacion_dueno.h"
#include "varnel/declaration/ui/ventana_prueba.h"

using namespace qvr;

namespace {

using prueba::eligeEnLista;
using prueba::kRucGuardado;
using prueba::kRucNuevo;
const char* kHijoBase = "QVR_RECUPERACION_HIJO_BASE";
const char* kHijoDatos = "QVR_RECUPERACION_HIJO_DATOS";
const QString kPregunta = "El formulario tiene cambios que no fueron grabados (copia de recuperación del ";

// What the window shows, control by control, as text: boxes (empty ones too), lists, options,
// date, payment and the dividends grid.
QStringList vista(Frm0738& w) {
    QStringList v;
    for (const InfoCasilla& i : inventario())
        if (QLineEdit* e = w.TxtValor(i.numero)) v << QString("%1=%2").arg(i.numero).arg(e->text());
    v << "telefono=" + w.TxtTelefono()->text() << "profesion=" + w.cboProfesion()->currentText();
    for (int n : listasTipoDocumento()) v << QString("lista%1=%2").arg(n).arg(w.cmbtipdoc(n)->currentText());
    for (int p = 0; p < 6; ++p)
        for (Opcion o : {Opcion::Si, Opcion::No})
            v << QString("opcion%1%2=%3").arg(p).arg(int(o)).arg(w.opcion(Pregunta(p), o)->isChecked());
    v << "fecha=" + w.MkeFecNac()->displayText();
    FormaDePagoQVR* p = w.formaPago();
    v << "pago=" + p->formaPago() + "/" + p->codigoBanco() + "/" + p->numeroCheque() + "/" + p->monto();
    QTableWidget* g = w.findChild<PanelAnexo*>()->grilla();
    for (int f = 0; f < g->rowCount(); ++f)
        for (int c = 0; c < g->columnCount(); ++c)
            v << QString("dividendo%1.%2=%3")
                     .arg(f)
                     .arg(c)
                     .arg(g->item(f, c) ? g->item(f, c)->text() : QString());
    return v;
}

// The controls whose text differs between two views ("" when they agree).
std::string diferencias(const QStringList& a, const QStringList& b) {
    QStringList d;
    for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i)) d << a.value(i) + " / " + b.value(i);
    return d.join("; ").toStdString();
}

// The crash test's child opens the database its parent prepared.
class RecuperacionVentana : public ::testing::Test, public prueba::VentanaDeclaracion {
  protected:
    RecuperacionVentana() : VentanaDeclaracion(qEnvironmentVariable(kHijoBase)) {}

    void SetUp() override {
        hijo = qEnvironmentVariableIsSet(kHijoBase);
        qputenv("XDG_DATA_HOME", hijo ? qgetenv(kHijoDatos) : datos.path().toLocal8Bit());
    }

    void teclea(QWidget* w, const QString& texto) {
        w->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(w, texto);
        QTest::keyClick(w, Qt::Key_Return);
    }

    // Past the delay of the copy's timer.
    static void esperaCopia() { QTest::qWait(2500); }

    // The one copy of a taxpayer's declaration in the folder (each window names its own); empty
    // when there is none, or more than one.
    QString archivo(const QString& ruc, const QString& usuario = "ANA") {
        ClaveDeclaracion k;
        k.ruc = ruc;
        const QStringList c = copiasDeclaracion(usuario, k);
        return c.size() == 1 ? c[0] : QString();
    }
    // What the folder holds but the lock files of the windows still open.
    QStringList enCarpeta() const {
        QStringList v = QDir(carpetaRecuperacion()).entryList(QDir::Files, QDir::Name);
        v.removeIf([](const QString& n) { return n.startsWith("sesion-") && n.endsWith(".lock"); });
        return v;
    }
    bool pregunto() {
        for (const QString& t : env.dialogos().textos())
            if (t.startsWith(kPregunta)) return true;
        return false;
    }

    bool hijo = false;
    QTemporaryDir datos;
};

}  // namespace

// Run by the next test in a process of its own, which it kills.
TEST_F(RecuperacionVentana, HijoTecleaHastaQueLoMaten) {
    if (!hijo) GTEST_SKIP() << "only as the child of the crash test";
    auto w = abre(1);
    eligeEnLista(w->CmbRuc(), kRucNuevo);
    w->opcion(Pregunta::Rectifica, Opcion::No)->click();
    teclea(w->TxtTelefono(), "4567890");
    w->cboProfesion()->setCurrentIndex(0);
    w->opcion(Pregunta::Inmueble, Opcion::Si)->click();
    w->tabPrincipal()->setCurrentIndex(1);
    teclea(w->TxtValor(107), "12345");
    teclea(w->TxtValor(108), "2500");
    teclea(w->TxtValor(100), "80000");
    w->tabPrincipal()->setCurrentIndex(3);
    w->cmbtipdoc(204)->setCurrentIndex(0);
    w->opcion(Pregunta::Devolucion, Opcion::No)->click();
    w->findChild<QRadioButton*>("optCheque")->click();
    QTest::keyClicks(w->findChild<QLineEdit*>("txtNumeroCheque"), "00012345");

    // Two dividends typed in their window, saved one after the other.
    QTimer::singleShot(0, [this] {
        auto* r = qobject_cast<FrmRetenciones*>(QApplication::activeModalWidget());
        ASSERT_NE(r, nullptr);
        const QStringList filas[] = {{"20100047218", "ACME", "15032003", "10000"},
                                     {"20131312955", "BETA", "01072003", "12345"}};
        for (const QStringList& f : filas) {
            teclea(r->TxtNumRUC(), f[0]);
            teclea(r->TxtEntidad(), f[1]);
            teclea(r->MskFec_Retencion(), f[2]);
            teclea(r->TxtMontoDistribuido(), f[3]);
            QTest::mouseClick(r->CmdRetenciones(0), Qt::LeftButton);
        }
        QTest::mouseClick(r->CmdRetenciones(1), Qt::LeftButton);
    });
    w->findChild<PanelAnexo*>()->comando(0)->click();
    esperaCopia();
    for (const QString& l : vista(*w)) std::printf("VISTA %s\n", qPrintable(l));
    std::printf("LISTO\n");
    std::fflush(stdout);
    for (;;) QTest::qWait(1000);
}

TEST_F(RecuperacionVentana, TrasMatarElProgramaLaSiguienteAperturaRecuperaTodoLoTecleado) {
    if (hijo) GTEST_SKIP();
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(kHijoBase, env.rutaBase());
    e.insert(kHijoDatos, datos.path());
    e.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(),
            {"--gtest_filter=RecuperacionVentana.HijoTecleaHastaQueLoMaten"});
    ASSERT_TRUE(p.waitForStarted());
    QStringList tecleado;
    bool listo = false;
    for (int i = 0; i < 240 && !listo && p.state() == QProcess::Running; ++i) {
        p.waitForReadyRead(500);
        while (p.canReadLine()) {
            const QString l = QString::fromUtf8(p.readLine()).chopped(1);
            if (l == "LISTO") listo = true;
            if (l.startsWith("VISTA ")) tecleado << l.mid(6);
        }
    }
    ASSERT_TRUE(listo) << "the child never finished typing";
    ::kill(pid_t(p.processId()), SIGKILL);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(QFileInfo::exists(archivo(kRucNuevo)));
    ASSERT_TRUE(tecleado.contains("107=12,345")) << tecleado.join(' ').toStdString();
    ASSERT_TRUE(tecleado.contains("dividendo1.1=BETA")) << tecleado.join(' ').toStdString();

    // A new program: the same taxpayer, as a new declaration.
    env.dialogos().responde(Respuesta::Si);
    auto w = abre(1);
    EXPECT_EQ(app.sesion.Base->escalar("SELECT count(*) FROM TMP_F0738DIVID").toInt(), 0);  // the window's own rows
    EXPECT_FALSE(pregunto());  // not before the taxpayer is chosen
    eligeEnLista(w->CmbRuc(), kRucNuevo);
    ASSERT_TRUE(pregunto()) << env.dialogos().textos().join('|').toStdString();
    EXPECT_EQ(env.dialogos().mostrados.back().icono, Icono::Pregunta);
    EXPECT_EQ(env.dialogos().mostrados.back().titulo, w->windowTitle());
    EXPECT_EQ(diferencias(vista(*w), tecleado), "");
    EXPECT_EQ(app.sesion.Base->escalar("SELECT count(*) FROM TMP_F0738DIVID").toInt(), 2);  // the window's own rows
    EXPECT_TRUE(w->declaracion().Modificado);

    // "&Grabar" saves what was recovered, and the copy goes.
    w->GrabarForm();
    EXPECT_EQ(prueba::filasDet(env.base(), kRucNuevo)["107"], "12345");
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM F0738DIVIDEND WHERE doc_id_d=?", {kRucNuevo}).toInt(),
              2);
    EXPECT_FALSE(QFileInfo::exists(archivo(kRucNuevo)));
    esperaCopia();
    EXPECT_TRUE(enCarpeta().isEmpty());
}

TEST_F(RecuperacionVentana, UnaDeclaracionGuardadaSeRecuperaONoSegunLaRespuesta) {
    for (const Respuesta r : {Respuesta::Si, Respuesta::No}) {
        SCOPED_TRACE(r == Respuesta::Si ? "Si" : "No");
        QStringList guardada, tecleado;
        {
            auto w = abre(2);
            guardada = vista(*w);
            ASSERT_FALSE(w->TxtValor(100)->text().isEmpty());
            w->tabPrincipal()->setCurrentIndex(1);
            teclea(w->TxtValor(107), "777");
            // A stored box cleared is recovered empty.
            w->TxtValor(100)->setFocus(Qt::MouseFocusReason);
            w->TxtValor(100)->selectAll();
            QTest::keyClick(w->TxtValor(100), Qt::Key_Delete);
            esperaCopia();
            tecleado = vista(*w);
            ASSERT_TRUE(QFileInfo::exists(archivo(kRucGuardado)));
            // The window goes away without its question, as when the main window is unloaded.
        }
        env.dialogos().mostrados.clear();
        env.dialogos().responde(r);
        auto w = abre(2);
        EXPECT_TRUE(pregunto());
        EXPECT_EQ(diferencias(vista(*w), r == Respuesta::Si ? tecleado : guardada), "");
        EXPECT_EQ(w->declaracion().Modificado, r == Respuesta::Si);
        EXPECT_EQ(QFileInfo::exists(archivo(kRucGuardado)), r == Respuesta::Si);
        if (r == Respuesta::Si) {
            // "No" at the closing question keeps neither the changes nor their copy.
            env.dialogos().responde(Respuesta::No);
            w->Salir();
            EXPECT_FALSE(QFileInfo::exists(archivo(kRucGuardado)));
        }
    }
    EXPECT_TRUE(enCarpeta().isEmpty());
}

TEST_F(RecuperacionVentana, UnaCopiaCortadaSeApartaYLaVentanaAbre) {
    {
        auto w = abre(2);
        w->tabPrincipal()->setCurrentIndex(1);
        teclea(w->TxtValor(107), "777");
        esperaCopia();
    }
    QFile f(archivo(kRucGuardado));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray todo = f.readAll();
    ASSERT_TRUE(f.resize(todo.size() / 2));
    f.close();
    env.dialogos().mostrados.clear();
    auto w = abre(2);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    const Mensaje m = env.dialogos().mostrados[0];
    EXPECT_TRUE(m.texto.startsWith("La copia de recuperación ")) << m.texto.toStdString();
    EXPECT_TRUE(m.texto.contains("no se puede leer (no es un texto JSON completo")) << m.texto.toStdString();
    EXPECT_EQ(m.icono, Icono::Exclamacion);
    EXPECT_FALSE(w->declaracion().Modificado);
    EXPECT_TRUE(w->isVisible());
    const QStringList apartadas = QDir(carpetaRecuperacion()).entryList({"*.danada-*"}, QDir::Files);
    ASSERT_EQ(apartadas.size(), 1);
    EXPECT_TRUE(m.texto.contains(apartadas[0]));
    QFile a(carpetaRecuperacion() + "/" + apartadas[0]);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), todo.left(todo.size() / 2));
}

TEST_F(RecuperacionVentana, NoSeOfreceLaCopiaDeOtroContribuyenteNiLaSuperada) {
    // Copies of kRucGuardado typed by a user, then offered once he may no longer choose it and
    // after the stored declaration was saved again elsewhere.
    const auto copia = [&](const QString& usuario) {
        app.sesion.Usuario = usuario;
        auto w = abre(2);
        w->tabPrincipal()->setCurrentIndex(1);
        teclea(w->TxtValor(107), "777");
        esperaCopia();
        ASSERT_TRUE(QFileInfo::exists(archivo(kRucGuardado, usuario)));
    };
    env.base().ejecuta("UPDATE CONT SET usuario='LUIS' WHERE doc_id_d=?", {kRucGuardado});
    copia("LUIS");
    env.base().ejecuta("UPDATE CONT SET usuario='ANA' WHERE doc_id_d=?", {kRucGuardado});
    env.dialogos().mostrados.clear();
    // LUIS again: the taxpayer is ANA's now, and the window does not open for him.
    EXPECT_THROW(abre(2), AperturaRechazada);
    EXPECT_FALSE(pregunto());
    EXPECT_TRUE(QFileInfo::exists(archivo(kRucGuardado, "LUIS")));  // left where it is

    copia("ANA");
    env.base().ejecuta("UPDATE CAB SET fec_pro='31/12/2099', cNumero='999999' WHERE doc_id_d=?",
                       {kRucGuardado});
    env.dialogos().mostrados.clear();
    auto w = abre(2);
    EXPECT_FALSE(pregunto());
    EXPECT_NE(w->TxtValor(107)->text(), "777");
    EXPECT_FALSE(QFileInfo::exists(archivo(kRucGuardado)));
    EXPECT_EQ(QDir(carpetaRecuperacion()).entryList({"ANA_*.superada-*"}, QDir::Files).size(), 1);
}
