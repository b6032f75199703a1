// An office on one server: the first workstation sets it up (orvelane --setup --server), the next
// ones attach to it (orvelane --attach) without touching a table, and --force never destroys the
// declarations the server holds.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "common/sesion.h"
#include "host/entorno_demo.h"
#include "host/estacion.h"
#include "platform/database.h"
#include "platform/profile.h"
#include "support/motor_prueba.h"

namespace qvr {
namespace {

class Estacion : public ::testing::Test {
  protected:
    void SetUp() override {
        QVR_REQUIERE_SERVIDOR();
        esquema_ = std::make_unique<prueba::EsquemaPrueba>();
        windirPrevio_ = qgetenv("WINDIR");
        usaEstacion("primera");
    }
    void TearDown() override {
        if (windirPrevio_.isNull())
            qunsetenv("WINDIR");
        else
            qputenv("WINDIR", windirPrevio_);
    }
    // Each workstation has its own Windows folder (its NEMDAL.INI) and its own folders.
    void usaEstacion(const QString& nombre) { qputenv("WINDIR", (tmp_.path() + "/" + nombre + "/windows").toUtf8()); }
    QString carpeta(const QString& nombre) const { return tmp_.path() + "/" + nombre + "/qvr"; }
    const QString& servidor() const { return esquema_->conexion(); }
    std::unique_ptr<BaseDatos> base() const { return BaseDatos::abreServidor(servidor(), {}); }
    void guardaDeclaracion(const QString& ruc, const char* tabla = "CAB") {
        base()->ejecuta(QString("INSERT INTO %1 (tip_doc_d, doc_id_d, periodo, formulario, semana%2) VALUES "
                                "(6, ?, '2003', '0738', 0%3)")
                            .arg(tabla, QString(tabla) == "hCAB" ? ", correl" : "",
                                 QString(tabla) == "hCAB" ? ", '001'" : ""),
                        {ruc});
    }
    // What the server's tables look like: names, columns, row security, and the declarations.
    QString firma() const {
        auto b = base();
        return b->escalar("SELECT string_agg(c.relname || ':' || c.relnatts || ':' || c.relrowsecurity, ',' "
                          "ORDER BY c.relname) FROM pg_class c WHERE c.relnamespace = "
                          "CAST(current_schema() AS regnamespace) AND c.relkind = 'r'")
                   .toString() +
               "|" + b->escalar("SELECT COUNT(*) FROM CAB").toString() + "|" +
               b->escalar("SELECT string_agg(Usuario || Tipo, ',' ORDER BY Usuario) FROM CLAVES").toString();
    }
    int orvelane(const QStringList& args, QByteArray* err = nullptr) {
        QProcess p;
        p.start(QStringLiteral(QVR_BIN_DIR "/orvelane"), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (err) *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QTemporaryDir tmp_;
    std::unique_ptr<prueba::EsquemaPrueba> esquema_;
    QByteArray windirPrevio_;
};

TEST_F(Estacion, LaSegundaEstacionSeUneSinTocarLasTablas) {
    ASSERT_TRUE(host::creaEntornoDemo(carpeta("primera"), false, servidor()).ok);
    guardaDeclaracion("20100066603");
    const QString antes = firma();

    usaEstacion("segunda");
    const auto r = host::preparaEstacion(carpeta("segunda"), servidor());
    ASSERT_TRUE(r.ok) << r.mensaje.toStdString();
    EXPECT_EQ(firma(), antes);

    // The INI of the second workstation names the server and its own folders, which are all there.
    DatosSesion s;
    LeeConfiguracion(s);
    EXPECT_EQ(s.ServidorBD, servidor());
    EXPECT_EQ(s.RutaSistema, carpeta("segunda") + "/sys/");
    for (const char* f : {"RPT", "TMP", "tmp", "NEMDAL.MDW", "tmp/env738.txt"})
        EXPECT_TRUE(QFileInfo::exists(s.RutaSistema + f)) << f;
    EXPECT_FALSE(QFileInfo::exists(s.RutaSistema + "NEMDAL.MDB"));
    // The first workstation's INI is its own.
    usaEstacion("primera");
    EXPECT_EQ(leeOpcion("SysPath"), carpeta("primera") + "/sys/");
}

TEST_F(Estacion, UnirseANadaONoLlegarNoEscribeNada) {
    usaEstacion("segunda");
    const auto vacia = host::preparaEstacion(carpeta("segunda"), servidor());
    EXPECT_FALSE(vacia.ok);
    EXPECT_TRUE(vacia.mensaje.contains("--setup")) << vacia.mensaje.toStdString();
    EXPECT_FALSE(base()->existeTabla("CAB"));  // nothing made on the server either

    const auto lejos = host::preparaEstacion(carpeta("segunda"), "host=/nonexistent/qvr port=1 dbname=qvr");
    EXPECT_FALSE(lejos.ok);
    EXPECT_FALSE(lejos.mensaje.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Perfil::rutaArchivo(kArchivoIni)));
    EXPECT_FALSE(QFileInfo::exists(carpeta("segunda")));
}

// The refusal counts what --force would destroy, stored or sent, and names the way to the next
// workstation; with no declaration, --force starts over as before.
TEST_F(Estacion, ForceNoDestruyeDeclaraciones) {
    ASSERT_TRUE(host::creaEntornoDemo(carpeta("primera"), false, servidor()).ok);

    const auto otraVez = host::creaEntornoDemo(carpeta("primera"), false, servidor());
    EXPECT_FALSE(otraVez.ok);
    EXPECT_TRUE(otraVez.mensaje.contains("--attach")) << otraVez.mensaje.toStdString();

    base()->ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('MARCA', '1')");
    ASSERT_TRUE(host::creaEntornoDemo(carpeta("primera"), true, servidor()).ok);
    EXPECT_EQ(base()->escalar("SELECT COUNT(*) FROM CLAVES WHERE Usuario = 'MARCA'").toInt(), 0);

    guardaDeclaracion("20100066603");
    guardaDeclaracion("20100066603", "hCAB");
    guardaDeclaracion("10087654321", "hCAB");
    const QString antes = firma();
    const auto forzado = host::creaEntornoDemo(carpeta("primera"), true, servidor());
    EXPECT_FALSE(forzado.ok);
    EXPECT_TRUE(forzado.mensaje.contains("guarda 3 declaraciones")) << forzado.mensaje.toStdString();
    EXPECT_TRUE(forzado.mensaje.contains("dropdb")) << forzado.mensaje.toStdString();
    EXPECT_EQ(firma(), antes);
}

// The program: a refusal exits non-zero with the count on standard error; --attach needs both
// arguments.
TEST_F(Estacion, LineaDeComandos) {
    ASSERT_EQ(orvelane({"--setup", carpeta("primera"), "--server", servidor()}), 0);
    guardaDeclaracion("20100066603");
    QByteArray err;
    EXPECT_EQ(orvelane({"--setup", carpeta("primera"), "--server", servidor(), "--force"}, &err), 1);
    EXPECT_TRUE(err.contains("guarda 1 declaraci")) << err.toStdString();
    EXPECT_EQ(base()->escalar("SELECT COUNT(*) FROM CAB").toInt(), 1);

    for (const QStringList& malas : {QStringList{"--attach", carpeta("segunda")}, QStringList{"--attach", "--server", servidor()},
                                     QStringList{"--attach", carpeta("segunda"), "--server", servidor(), "--force"}}) {
        EXPECT_EQ(orvelane(malas, &err), 2) << malas.join(' ').toStdString();
        EXPECT_TRUE(err.contains("Uso: orvelane"));
    }
    usaEstacion("segunda");
    EXPECT_EQ(orvelane({"--attach", carpeta("segunda"), "--server", servidor()}, &err), 0) << err.toStdString();
    EXPECT_EQ(leeOpcion("DBServer"), servidor());
}

}  // namespace
}  // namespace qvr
