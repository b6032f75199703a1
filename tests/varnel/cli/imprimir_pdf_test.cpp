// varnel-cli imprimir --pdf: where the PDF goes and what happens when it cannot be written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/imprimir_datos.h"

using namespace qvr;

namespace {

struct Salida {
    int codigo;
    QString err;
};

Salida imprime(prueba::Entorno& e, const QString& carpeta, const QString& pdf) {
    e.cierraBase();
    QProcess p;
    p.setWorkingDirectory(carpeta);
    p.start(QStringLiteral(QVR_BIN_DIR "/varnel-cli"), {"imprimir", "10203040506", "--pdf", pdf});
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

class ImprimirPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        creaTablasAnexo(e.base());
        prueba::agregaDeclaracionImpresion(e, "10203040506", "QUISPE MAMANI JOSE");
        llamada = e.carpeta() + "/llamada";
        ASSERT_TRUE(QDir().mkpath(llamada));
    }
    prueba::Entorno e;
    QString llamada;  // the caller's working folder, not SysPath
};

TEST_F(ImprimirPdf, UnaRutaRelativaEsDeLaCarpetaDeQuienLlama) {
    const Salida s = imprime(e, llamada, "sub/../declaracion.pdf");
    ASSERT_EQ(s.codigo, 0) << qPrintable(s.err);
    EXPECT_GT(QFile(llamada + "/declaracion.pdf").size(), 1000);
    EXPECT_FALSE(QFile::exists(e.sistema() + "declaracion.pdf"));
}

TEST_F(ImprimirPdf, UnPdfQueNoSePuedeEscribirTerminaConError) {
    QFile archivo(llamada + "/archivo");
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    // A folder under the name (an earlier run's "file" that is there), a path through a file, and
    // a folder that does not exist.
    ASSERT_TRUE(QDir().mkpath(llamada + "/carpeta.pdf"));
    for (const QString& pdf : {QString("carpeta.pdf"), QString("archivo/x.pdf"), llamada + "/no/hay/x.pdf"}) {
        SCOPED_TRACE(pdf.toStdString());
        const Salida s = imprime(e, llamada, pdf);
        EXPECT_EQ(s.codigo, 1) << qPrintable(s.err);
        EXPECT_TRUE(s.err.contains(QFileInfo(pdf).fileName())) << qPrintable(s.err);  // says which file
    }
}

}  // namespace
