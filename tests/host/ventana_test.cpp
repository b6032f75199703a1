#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "host/ventana_orvelane.h"
#include "platform/windows.h"
#include "platform/ui/interfaz.h"
#include "support/entorno.h"
#include "support/foco_prueba.h"

namespace qvr {
namespace {

// A stand-in program: a shell script in the programs folder.
void escribeScript(const QString& ruta, const QByteArray& cuerpo) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + cuerpo);
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

TEST(VentanaOrvelane, TituloExactoYEntornoEnUso) {
    prueba::Entorno entorno;
    QTemporaryDir programas;
    host::VentanaOrvelane w(programas.path());
    EXPECT_EQ(w.windowTitle(), "Orvelane");
    EXPECT_TRUE(w.textoEntorno().contains(entorno.rutaIni()));
    EXPECT_TRUE(w.textoEntorno().contains(entorno.rutaBase()));
}

// The modules' host check: the mark is held while the window is shown, and only then.
TEST(VentanaOrvelane, TieneLaMarcaDelIntegradorMientrasSeMuestra) {
    prueba::Entorno entorno;
    QTemporaryDir programas;
    auto w = std::make_unique<host::VentanaOrvelane>(programas.path());
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));
    w->show();
    EXPECT_TRUE(cWindows().CorreApp("Orvelane"));
    w->hide();
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));
    w->show();
    EXPECT_TRUE(cWindows().CorreApp("Orvelane"));
    w.reset();
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));
}

TEST(VentanaOrvelane, ProgramaQueFaltaDaUnMensajeClaro) {
    prueba::Entorno entorno;
    QTemporaryDir programas;
    host::VentanaOrvelane w(programas.path());
    w.botonVarnel()->click();
    w.botonLotmira()->click();
    const QStringList textos = entorno.dialogos().textos();
    ASSERT_EQ(textos.size(), 2);
    EXPECT_TRUE(textos[0].startsWith("No se encontró el programa Varnel")) << textos[0].toStdString();
    EXPECT_TRUE(textos[1].startsWith("No se encontró el programa Lotmira")) << textos[1].toStdString();
    EXPECT_TRUE(w.botonLotmira()->isEnabled());
}

TEST(VentanaOrvelane, VarnelArrancaConElMismoEntorno) {
    prueba::Entorno entorno;
    QTemporaryDir programas;
    const QString marca = programas.path() + "/marca";
    escribeScript(programas.path() + "/Varnel", "echo \"$WINDIR\" > '" + marca.toUtf8() + ".tmp'; mv '" +
                                                    marca.toUtf8() + ".tmp' '" + marca.toUtf8() + "'\n");
    host::VentanaOrvelane w(programas.path());
    w.botonVarnel()->click();
    QDeadlineTimer plazo(10000);
    while (!QFileInfo::exists(marca) && !plazo.hasExpired()) QTest::qWait(50);
    QFile f(marca);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "Varnel was not started";
    EXPECT_EQ(QString::fromUtf8(f.readAll()).trimmed(), qEnvironmentVariable("WINDIR"));
    EXPECT_TRUE(entorno.dialogos().mostrados.empty());
}

TEST(VentanaOrvelane, LotmiraMuestraSuCodigoYSusErrores) {
    prueba::Entorno entorno;
    QTemporaryDir programas;
    escribeScript(programas.path() + "/Lotmira", "echo 'Error al Ejecutar Sentencia SQL' >&2\nexit 3\n");
    host::VentanaOrvelane w(programas.path());
    QSignalSpy fin(&w, &host::VentanaOrvelane::instalacionTerminada);
    entorno.dialogos().responde(Respuesta::Si);  // the question before installing
    w.botonLotmira()->click();
    EXPECT_FALSE(w.botonLotmira()->isEnabled());  // one installer at a time
    ASSERT_TRUE(fin.wait(10000));
    EXPECT_EQ(fin.at(0).at(0).toInt(), 3);
    const QString registro = w.registro()->toPlainText();
    EXPECT_TRUE(registro.contains("Error al Ejecutar Sentencia SQL")) << registro.toStdString();
    EXPECT_TRUE(registro.contains("código 3")) << registro.toStdString();
    EXPECT_TRUE(w.botonLotmira()->isEnabled());

    escribeScript(programas.path() + "/Lotmira", "exit 0\n");
    entorno.dialogos().responde(Respuesta::Si);
    w.botonLotmira()->click();
    ASSERT_TRUE(fin.wait(10000));
    EXPECT_EQ(fin.at(1).at(0).toInt(), 0);
    EXPECT_TRUE(w.registro()->toPlainText().contains("Lotmira terminó correctamente."));
}

// Installing the tables again replaces them: the button asks first with No as the default, so a
// stray Enter on it starts nothing; Alt+I and Yes do. Every button has an Alt letter of its own and
// every stop of the window a name.
TEST(VentanaOrvelane, InstalarLasTablasPreguntaPrimeroYCadaBotonTieneSuLetra) {
    instalaEnterEnBotones(*QCoreApplication::instance());
    prueba::Entorno entorno;
    QTemporaryDir programas;
    escribeScript(programas.path() + "/Lotmira", "exit 0\n");
    host::VentanaOrvelane w(programas.path());
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (QPushButton* b : {w.botonVarnel(), w.botonLotmira(), w.botonEnviar(), w.botonSpool()})
        EXPECT_FALSE(QKeySequence::mnemonic(b->text()).isEmpty()) << b->text().toStdString();
    EXPECT_TRUE(prueba::letrasRepetidas(&w).isEmpty())
        << prueba::letrasRepetidas(&w).join("\n").toStdString();
    EXPECT_TRUE(prueba::paradasDudosas(&w).isEmpty()) << prueba::paradasDudosas(&w).join("\n").toStdString();

    w.botonLotmira()->setFocus();
    QTest::keyClick(w.botonLotmira(), Qt::Key_Return);
    ASSERT_EQ(entorno.dialogos().textos(), QStringList{host::kPreguntaInstalar});
    EXPECT_EQ(entorno.dialogos().mostrados[0].botones, Botones::SiNo);
    EXPECT_TRUE(w.botonLotmira()->isEnabled());  // answered No: nothing runs
    EXPECT_FALSE(w.registro()->toPlainText().contains("instalando"));

    QSignalSpy fin(&w, &host::VentanaOrvelane::instalacionTerminada);
    entorno.dialogos().responde(Respuesta::Si);
    QTest::keyClick(&w, Qt::Key_I, Qt::AltModifier);
    ASSERT_TRUE(fin.wait(10000));
    EXPECT_EQ(fin.at(0).at(0).toInt(), 0);
}

}  // namespace
}  // namespace qvr
