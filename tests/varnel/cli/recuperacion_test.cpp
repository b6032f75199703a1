// varnel-cli recuperacion: listing the recovery copies and showing one, without touching them.
#include "varnel/declaration/recuperacion.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/persist_datos.h"

using namespace qvr;

namespace {

struct Salida {
    int codigo;
    QStringList out;
    QString err;
};

class CliRecuperacion : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("XDG_DATA_HOME", datos.path().toLocal8Bit());
        CopiaRecuperacion a;
        a.usuario = "ANA";
        a.clave.ruc = "20100047218";
        a.momento = QDateTime(QDate(2026, 12, 10), QTime(6, 59, 3));
        a.datos.casillas = {{107, "12,345"}, {801, "PEÑA"}};
        a.datos.rectifica = Opcion::No;
        a.datos.pago = MedioPago{"E", "XX", "", "9,876"};
        a.anexos = {TablaRecuperada{
            "TMP_F0738DIVID",
            {"num_RUC", "des_entpagadora", "mto_distribuido"},
            {{"20131312955", "BETA", qlonglong(12345)}, {"20100047218", "ACME", QVariant()}}}};
        CopiaRecuperacion b = a;
        b.usuario = "LUIS";
        b.clave.ruc = "10401234567";
        b.anexos.clear();
        QString e;
        ASSERT_TRUE(escribeCopia(archivoRecuperacion(a.usuario, a.clave), a, &e));
        ASSERT_TRUE(escribeCopia(archivoRecuperacion(b.usuario, b.clave), b, &e));
        danada = carpetaRecuperacion() + "/JOSE_20999999990_0738_2003.json";
        QFile f(danada);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{\"formato\": \"qvr-recuperacion\", \"vers");
    }
    Salida cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(QVR_BIN_DIR "/varnel-cli"), QStringList{"recuperacion"} + args);
        p.waitForFinished(60000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QTemporaryDir datos;
    QString danada;
};

}  // namespace

TEST_F(CliRecuperacion, ListaCadaCopiaConSuUsuarioRucHoraYArchivo) {
    const Salida s = cli({});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    const QString carpeta = carpetaRecuperacion();
    ASSERT_EQ(s.out.size(), 3) << s.out.join('\n').toStdString();
    EXPECT_EQ(s.out[0],
              "ANA\t20100047218\t10/12/2026 06:59:03\t" + carpeta + "/ANA_20100047218_0738_2003.json");
    EXPECT_TRUE(s.out[1].startsWith("?\t?\tdañada: no es un texto JSON completo ("))
        << s.out[1].toStdString();
    EXPECT_TRUE(s.out[1].endsWith("\t" + danada));
    EXPECT_EQ(s.out[2],
              "LUIS\t10401234567\t10/12/2026 06:59:03\t" + carpeta + "/LUIS_10401234567_0738_2003.json");
}

TEST_F(CliRecuperacion, MuestraLaCopiaDeUnRuc) {
    const Salida s = cli({"--mostrar", "20100047218"});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    for (const QString l :
         {"usuario=ANA", "ruc=20100047218", "momento=10/12/2026 06:59:03", "107=12,345", "801=PEÑA",
          "rectifica=No", "alquiler=", "pago.forma=E", "pago.monto=9,876", "TMP_F0738DIVID.filas=2",
          "TMP_F0738DIVID.1=20131312955|BETA|12345", "TMP_F0738DIVID.2=20100047218|ACME|"})
        EXPECT_TRUE(s.out.contains(l)) << l.toStdString() << "\n" << s.out.join('\n').toStdString();
    EXPECT_EQ(s.out.value(0), "archivo=" + carpetaRecuperacion() + "/ANA_20100047218_0738_2003.json");

    const struct {
        QStringList args;
        int codigo;
        const char* error;
    } fallos[] = {
        {{"--mostrar", "10455555551"}, 1, "no hay copia de recuperación del RUC 10455555551"},
        {{"--mostrar", "20999999990"}, 1, "JOSE_20999999990_0738_2003.json: no es un texto JSON completo"},
        {{"--mostrar"}, 2, "--mostrar necesita un RUC"},
        {{"--borrar"}, 2, "argumento desconocido --borrar"},
    };
    for (const auto& f : fallos) {
        const Salida e = cli(f.args);
        EXPECT_EQ(e.codigo, f.codigo) << f.error;
        EXPECT_TRUE(e.err.contains(f.error)) << e.err.toStdString();
    }
    // Support only looks: the damaged copy is where it was.
    EXPECT_TRUE(QFileInfo::exists(danada));
    EXPECT_EQ(QDir(carpetaRecuperacion()).entryList(QDir::Files).size(), 3);
}
