// varnel-cli imprimir against a suite environment.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/imprimir_datos.h"

using namespace qvr;

namespace {

struct Salida {
    int codigo;
    QString out, err;
};

Salida corre(prueba::Entorno& e, const QStringList& args) {
    e.cierraBase();
    QProcess p;
    p.setWorkingDirectory(e.carpeta());
    p.start(QStringLiteral(QVR_BIN_DIR "/varnel-cli"), QStringList{"imprimir"} + args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(ImprimirCli, WritesTheReportRegistersItAndPrintsItsPath) {
    prueba::Entorno e;
    creaTablasAnexo(e.base());
    prueba::agregaDeclaracionImpresion(e, "10203040506", "QUISPE MAMANI JOSE");
    prueba::agregaDividendos(e.base(), "10203040506", 40);
    const QString pdf = e.carpeta() + "/declaracion.pdf";

    Salida s = corre(e, {"10203040506", "--opcion", "ambos", "--exoneradas", "--dividendos", "--pdf", pdf});
    ASSERT_EQ(s.codigo, 0) << qPrintable(s.err);
    EXPECT_TRUE(s.out.endsWith("RPT/00000001.PRN")) << qPrintable(s.out);
    EXPECT_TRUE(QFile::exists(s.out));
    EXPECT_GT(QFile(pdf).size(), 1000);
    // To look at the printed pages: QVR_PDF_IMPRIMIR=/some/file.pdf
    if (qEnvironmentVariableIsSet("QVR_PDF_IMPRIMIR")) QFile::copy(pdf, qEnvironmentVariable("QVR_PDF_IMPRIMIR"));

    s = corre(e, {"10203040506"});
    ASSERT_EQ(s.codigo, 0) << qPrintable(s.err);
    EXPECT_TRUE(s.out.endsWith("RPT/00000002.PRN"));
    EXPECT_EQ(e.base().escalar("SELECT COUNT(*) FROM SPOOL WHERE CodRep='RP0008'").toInt(), 2);

    // An annex option with nothing ticked, and a taxpayer without a declaration, are refused.
    e.cierraBase();
    s = corre(e, {"10203040506", "--opcion", "anexo"});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.err.contains("Debe seleccionar algún anexo"));
    s = corre(e, {"20999999999"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(e.base().escalar("SELECT COUNT(*) FROM SPOOL").toInt(), 2);
}

}  // namespace
