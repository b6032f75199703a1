#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "host/ventana_orvelane.h"
#include "platform/windows.h"
#include "support/entorno.h"

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
    w.botonLotmira()->click();
    EXPECT_FALSE(w.botonLotmira()->isEnabled());  // one installer at a time
    ASSERT_TRUE(fin.wait(10000));
    EXPECT_EQ(fin.at(0).at(0).toInt(), 3);
    const QString registro = w.registro()->toPlainText();
    EXPECT_TRUE(registro.contains("Error al Ejecutar Sentencia SQL")) << registro.toStdString();
    EXPECT_TRUE(registro.contains("código 3")) << registro.toStdString();
    EXPECT_TRUE(w.botonLotmira()->isEnabled());

    escribeScript(programas.path() + "/Lotmira", "exit 0\n");
    w.botonLotmira()->click();
    ASSERT_TRUE(fin.wait(10000));
    EXPECT_EQ(fin.at(1).at(0).toInt(), 0);
    EXPECT_TRUE(w.registro()->toPlainText().contains("Lotmira terminó correctamente."));
}

}  // namespace
}  // namespace qvr
