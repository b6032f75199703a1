#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include "common/schema.h"
#include "common/sesion.h"
#include "host/entorno_demo.h"
#include "platform/database.h"
#include "platform/profile.h"
#include "platform/utilitario.h"

namespace qvr {
namespace {

class Setup : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        windirPrevio_ = qgetenv("WINDIR");
        qputenv("WINDIR", (tmp_.path() + "/windows").toUtf8());
    }
    void TearDown() override {
        if (windirPrevio_.isNull())
            qunsetenv("WINDIR");
        else
            qputenv("WINDIR", windirPrevio_);
    }
    QString demo() const { return tmp_.path() + "/demo"; }
    QString sistema() const { return demo() + "/sys/"; }
    std::unique_ptr<BaseDatos> abreBase() { return BaseDatos::abre(sistema() + "NEMDAL.MDB"); }

    QTemporaryDir tmp_;
    QByteArray windirPrevio_;
};

TEST_F(Setup, EntornoCompletoQueElModuloPuedeLeer) {
    const auto r = host::creaEntornoDemo(demo(), false);
    ASSERT_TRUE(r.ok) << r.mensaje.toStdString();

    for (const char* carpeta : {"RPT", "TMP", "tmp"})
        EXPECT_TRUE(QFileInfo(sistema() + carpeta).isDir()) << carpeta;
    EXPECT_TRUE(QFileInfo(sistema() + "NEMDAL.MDW").isFile());
    EXPECT_TRUE(QFileInfo(sistema() + "tmp/env738.txt").isFile());
    EXPECT_EQ(r.rutaIni, tmp_.path() + "/windows/NEMDAL.INI");

    // The run settings read back from the INI name this environment.
    DatosSesion s;
    LeeConfiguracion(s);
    EXPECT_EQ(s.RutaSistema, sistema());
    EXPECT_EQ(s.RutaBaseDatos, sistema() + "NEMDAL.MDB");
    EXPECT_TRUE(QFileInfo(s.RutaReportes).isDir());
    EXPECT_FALSE(leeOpcion("SysVersion").isEmpty());
    EXPECT_FALSE(leeOpcion("SysMenu").isEmpty());

    auto base = BaseDatos::abre(s.RutaBaseDatos);
    for (const auto& t : tablasHost()) EXPECT_TRUE(base->existeTabla(t.nombre)) << t.nombre.toStdString();
    // The logged-in user is a host user.
    EXPECT_EQ(base->escalar("SELECT COUNT(*) FROM CLAVES WHERE Usuario = ?", {s.Usuario}).toInt(), 1);
}

TEST_F(Setup, CatalogosSegunSusFormatos) {
    ASSERT_TRUE(host::creaEntornoDemo(demo(), false).ok);
    auto base = abreBase();

    // UIT in force for the tax year: the last row whose year does not sort after it.
    auto uit = base->consulta(
        "SELECT substr(argumento,1,4) AS per, trim(funcion) AS uit FROM PARAM "
        "WHERE numero='404' AND substr(argumento,1,4) <= ? ORDER BY substr(argumento,1,4)",
        {kPeriodo});
    ASSERT_FALSE(uit.vacio());
    EXPECT_EQ(uit.texto(uit.filas() - 1, "uit"), "3100");
    EXPECT_EQ(
        base->escalar("SELECT funcion FROM PARAM WHERE numero='404' AND argumento='20030101'").toString(),
        "3100");

    // Rates: code in 1-6, period in 8-13, rate in 2-7 of funcion.
    auto tasa = [&](const QString& codigo) {
        auto r = base->consulta(
            "SELECT substr(argumento,8,6) AS per, substr(funcion,2,6) AS tasa FROM PARAM "
            "WHERE numero='998' AND substr(argumento,8,6) <= ? AND substr(argumento,1,6) = ? "
            "ORDER BY substr(argumento,8,6)",
            {kPeriodo, codigo});
        return r.vacio() ? QString() : r.texto(r.filas() - 1, "tasa").trimmed();
    };
    EXPECT_EQ(tasa("050802"), "0.02");
    EXPECT_EQ(base->escalar("SELECT funcion FROM PARAM WHERE numero='998' AND argumento='050802 200201'")
                  .toString(),
              " 0.02  ");
    for (const char* codigo : {"020702", "020704", "020301", "020201", "020501"}) {
        bool ok = false;
        const double v = tasa(codigo).toDouble(&ok);
        EXPECT_TRUE(ok && v > 0 && v < 1) << codigo << " -> '" << tasa(codigo).toStdString() << "'";
    }

    // Banks: "00" is there but is not a bank; every other row has a name and a short name.
    auto bancos = base->consulta(
        "SELECT argumento, trim(substr(funcion,1,36)) AS nombre, "
        "trim(substr(funcion,38,12)) AS corto, substr(funcion,37,1) AS sep "
        "FROM PARAM WHERE numero='004' AND trim(argumento) <> '00'");
    ASSERT_GE(bancos.filas(), 3);
    for (int f = 0; f < bancos.filas(); ++f) {
        EXPECT_EQ(bancos.texto(f, "argumento").size(), 2);
        EXPECT_FALSE(bancos.texto(f, "nombre").isEmpty());
        EXPECT_FALSE(bancos.texto(f, "corto").isEmpty());
        EXPECT_EQ(bancos.texto(f, "sep"), " ") << "name longer than 36 characters";
    }
    EXPECT_EQ(base->escalar("SELECT COUNT(*) FROM PARAM WHERE numero='004' AND argumento='00'").toInt(), 1);
    EXPECT_GE(base->escalar("SELECT COUNT(*) FROM PARAM WHERE numero='976'").toInt(), 12);
    EXPECT_EQ(base->escalar("SELECT funcion FROM PARAM WHERE numero='976' AND argumento='0724'").toString(),
              QString::fromUtf8("ESPAÑA"));
}

TEST_F(Setup, ContribuyentesYUsuarios) {
    ASSERT_TRUE(host::creaEntornoDemo(demo(), false).ok);
    auto base = abreBase();
    auto cont = base->consulta("SELECT * FROM CONT");
    ASSERT_GE(cont.filas(), 3);
    QSet<QString> usuarios;
    for (int f = 0; f < cont.filas(); ++f) {
        const QString ruc = cont.texto(f, "doc_id_d");
        EXPECT_TRUE(Utilitario::ValidaRuc(ruc)) << ruc.toStdString();
        EXPECT_EQ(cont.valor(f, "tip_doc_d").toInt(), 6);
        EXPECT_EQ(cont.valor(f, "Tipo_Ingreso").toInt(), 2);
        EXPECT_FALSE(cont.texto(f, "nombre").trimmed().isEmpty());
        EXPECT_FALSE(cont.texto(f, "Apellido_p").trimmed().isEmpty());
        EXPECT_FALSE(cont.texto(f, "Apellido_m").trimmed().isEmpty());
        usuarios.insert(cont.texto(f, "usuario"));
    }
    EXPECT_GE(usuarios.size(), 2);
    for (const auto& u : usuarios)
        EXPECT_EQ(base->escalar("SELECT COUNT(*) FROM CLAVES WHERE Usuario = ?", {u}).toInt(), 1)
            << u.toStdString();
    EXPECT_GE(base->escalar("SELECT COUNT(*) FROM CLAVES WHERE Tipo = '0'").toInt(), 1);
    EXPECT_GE(base->escalar("SELECT COUNT(*) FROM CLAVES WHERE Tipo <> '0'").toInt(), 1);

    // A business name with an apostrophe is stored and found like any other.
    auto conApostrofo = base->consulta("SELECT nombre FROM CONT WHERE nombre LIKE ?", {"%'%"});
    ASSERT_EQ(conApostrofo.filas(), 1);
    const QString nombre = conApostrofo.texto(0, "nombre");
    EXPECT_EQ(base->escalar("SELECT COUNT(*) FROM CONT WHERE nombre = ?", {nombre}).toInt(), 1);
}

// Every line of the send list names an annex table and points its column fields at the right
// columns of that table.
TEST_F(Setup, ListaDeEnvioDeLasTablasAnexas) {
    ASSERT_TRUE(host::creaEntornoDemo(demo(), false).ok);
    QFile f(sistema() + "tmp/env738.txt");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    auto base = abreBase();
    creaTablasAnexo(*base);
    QSet<QString> tablas;
    const char* columnaEsperada[] = {"tip_doc_d", "doc_id_d", "formulario", "periodo",
                                     "estado",    "correl",   "semana"};
    while (!f.atEnd()) {
        const QString linea = QString::fromUtf8(f.readLine()).trimmed();
        if (linea.isEmpty()) continue;
        const QStringList campos = linea.split('|');
        ASSERT_EQ(campos.size(), 14) << "13 fields, each followed by '|': " << linea.toStdString();
        EXPECT_TRUE(campos[13].isEmpty());
        const QString tabla = campos[1].trimmed();
        const TablaEsquema* esquema = tablaEsquema(tabla);
        ASSERT_NE(esquema, nullptr) << tabla.toStdString();
        EXPECT_TRUE(tabla.startsWith("F") || tabla.startsWith("HF")) << tabla.toStdString();
        tablas.insert(tabla);
        if (!campos[2].trimmed().isEmpty()) {
            EXPECT_NE(tablaEsquema(campos[2].trimmed()), nullptr) << campos[2].toStdString();
        }

        const auto columnas = base->columnas(tabla);
        for (int i = 4; i <= 12; ++i) {
            bool ok = false;
            const int n = campos[i].toInt(&ok);
            ASSERT_TRUE(ok && n >= 0 && n <= 255) << "field " << i << " of " << linea.toStdString();
            if (i < 6 || n == 0) continue;
            ASSERT_LE(n, int(columnas.size())) << "field " << i << " of " << linea.toStdString();
            EXPECT_EQ(columnas[size_t(n - 1)].nombre.toLower(), columnaEsperada[i - 6])
                << "field " << i << " of " << linea.toStdString();
        }
    }
    EXPECT_EQ(tablas.size(), 6);
}

TEST_F(Setup, NoSobrescribeSinForce) {
    ASSERT_TRUE(host::creaEntornoDemo(demo(), false).ok);
    abreBase()->ejecuta("INSERT INTO CLAVES (Usuario, Tipo, Clave) VALUES ('MARCA', '1', '')");

    const auto segunda = host::creaEntornoDemo(demo(), false);
    EXPECT_FALSE(segunda.ok);
    EXPECT_TRUE(segunda.mensaje.contains("--force")) << segunda.mensaje.toStdString();
    EXPECT_EQ(abreBase()->escalar("SELECT COUNT(*) FROM CLAVES WHERE Usuario='MARCA'").toInt(), 1);

    ASSERT_TRUE(host::creaEntornoDemo(demo(), true).ok);
    EXPECT_EQ(abreBase()->escalar("SELECT COUNT(*) FROM CLAVES WHERE Usuario='MARCA'").toInt(), 0);
    EXPECT_GT(abreBase()->escalar("SELECT COUNT(*) FROM CONT").toInt(), 0);
}

TEST_F(Setup, CarpetaQueNoSePuedeCrear) {
    QFile estorbo(tmp_.path() + "/archivo");
    ASSERT_TRUE(estorbo.open(QIODevice::WriteOnly));
    estorbo.close();
    const auto r = host::creaEntornoDemo(tmp_.path() + "/archivo", false);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.mensaje.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(tmp_.path() + "/windows/NEMDAL.INI"));  // no INI for a half environment
}

// The program itself: usage and exit 2 on a bad command line; the setup refuses a second run.
TEST_F(Setup, LineaDeComandos) {
    const QString programa = QStringLiteral(QVR_BIN_DIR "/orvelane");
    ASSERT_TRUE(QFileInfo(programa).isExecutable());
    auto corre = [&](const QStringList& args, QByteArray* err = nullptr) {
        QProcess p;
        p.start(programa, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (err) *err = p.readAllStandardError();
        return p.exitCode();
    };
    const QStringList malas[] = {
        {"--bogus"},
        {"--setup"},
        {"--setup", demo(), "otra"},
        {"--setup", demo(), "--force", "--force"},
        {"--setup", "--force"},
        {"stray"},
        {"-x"},
        {"--version", "x"},
        {"-platform", "offscreen", "stray"},
    };
    for (const auto& args : malas) {
        QByteArray err;
        EXPECT_EQ(corre(args, &err), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(err.contains("Uso: orvelane")) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(sistema()));

    EXPECT_EQ(corre({"--setup", demo()}), 0);
    QByteArray err;
    EXPECT_EQ(corre({"--setup", demo()}, &err), 1);
    EXPECT_TRUE(err.contains("--force")) << err.toStdString();
    EXPECT_EQ(corre({"--setup", demo(), "--force"}), 0);
    EXPECT_EQ(Perfil::lee("Options", "SysPath", "", "NEMDAL.INI"), sistema());
}

}  // namespace
}  // namespace qvr
