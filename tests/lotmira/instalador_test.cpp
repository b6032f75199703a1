#include "lotmira/instalador.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "common/schema.h"
#include "lotmira/filas_catalogo.h"
#include "support/entorno.h"
#include "support/lotmira_instalacion.h"

using namespace qvr;

namespace {

// Every table with its rows, sorted, as one text: what two installations are compared on.
QStringList volcado(BaseDatos& base) {
    QStringList out;
    for (const QString& t : base.tablas()) {
        QStringList filas;
        Registros r = base.consulta(QString("SELECT * FROM %1").arg(t));
        for (int f = 0; f < r.filas(); ++f) {
            QStringList celdas;
            for (int c = 0; c < r.columnas(); ++c) celdas << r.texto(f, c);
            filas << celdas.join('|');
        }
        filas.sort();
        out << t + ": " + filas.join(" / ");
    }
    return out;
}

QString funcionDe(BaseDatos& base, const QString& numero, const QString& argumento) {
    return base.escalar("SELECT funcion FROM PARAM WHERE numero = ? AND argumento = ?", {numero, argumento})
        .toString();
}

QStringList envio(BaseDatos& base) {
    QStringList out;
    Registros r = base.consulta("SELECT * FROM envio_t ORDER BY formulario, tabla_o");
    for (int f = 0; f < r.filas(); ++f) {
        QStringList c;
        for (int i = 0; i < r.columnas(); ++i) c << r.texto(f, i);
        out << c.join('|');
    }
    return out;
}

}  // namespace

class LotmiraMotor : public prueba::PorMotor {};

TEST_P(LotmiraMotor, InstalaDesdeUnEntornoVacio) {
    prueba::Entorno env(GetParam());
    ASSERT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta);
    EXPECT_TRUE(env.dialogos().mostrados.empty()) << env.dialogos().textos().join("\n").toStdString();
    BaseDatos& b = env.base();
    for (const TablaEsquema& t : tablasAnexo()) EXPECT_TRUE(b.existeTabla(t.nombre)) << t.nombre.toStdString();

    // Every row byte for byte, in PARAM under its own key.
    for (const FilaCatalogo& f : filasCatalogo()) {
        Registros r = b.consulta("SELECT funcion, correl_param FROM PARAM WHERE numero = ? AND argumento = ?",
                                 {QString(f.numero), QString(f.argumento)});
        ASSERT_EQ(r.filas(), 1) << f.numero << " " << f.argumento;
        EXPECT_EQ(r.texto(0, 0), QString(f.funcion));
        EXPECT_EQ(r.texto(0, 1), QString(f.correl));
    }
    Registros t044 = b.consulta("SELECT funcion FROM PARAM WHERE numero = '044'");
    EXPECT_EQ(t044.filas(), 15);
    for (int i = 0; i < t044.filas(); ++i) EXPECT_EQ(t044.texto(i, 0).size(), 130);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM PARAM WHERE numero = '979'").toInt(), 66);
    EXPECT_EQ(funcionDe(b, "979", "99"), "PROFESION U OCUPACION NO ESPECIFICADA");
    EXPECT_EQ(funcionDe(b, "996", "243"), "HF0738EXTRANJ  R 1000   9");
    EXPECT_EQ(b.escalar("SELECT correl_param FROM PARAM WHERE numero = '916'").toString(), "001");

    Registros rep = b.consulta("SELECT * FROM reportes ORDER BY codrep");
    ASSERT_EQ(rep.filas(), 2);
    EXPECT_EQ(rep.texto(0, 1), "Reporte del formulario 738");
    EXPECT_EQ(rep.texto(1, 1), QString::fromUtf8("Resumen de envío de información -  Formulario 738"));
    EXPECT_EQ(rep.texto(1, 2), "1");

    EXPECT_EQ(envio(b), QStringList({"0738|F0738DIVIDEND|HF0738DIVIDEND||1|1|1|2|4|3|0|0|0",
                                     "0738|F0738EXTRANJ|HF0738EXTRANJ||2|0|1|2|4|3|0|0|0",
                                     "0738|F0738FIDEICOM|HF0738FIDEICOM||3|0|1|2|4|3|0|0|0"}));
}

TEST_P(LotmiraMotor, UnaSegundaInstalacionDejaLoMismoYRestauraLoEditado) {
    prueba::Entorno env(GetParam());
    ASSERT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta);
    BaseDatos& b = env.base();
    const QStringList primera = volcado(b);
    ASSERT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta);
    EXPECT_EQ(volcado(b), primera);

    // What the suite did in between: working rows, a stored annex row, hand edits of the
    // installed rows, rows of other catalogs and forms.
    b.ejecuta("INSERT INTO TMP_F0738DIVID (num_RUC, fec_retenida) VALUES ('20100066603', '2003-05-01')");
    b.ejecuta(
        "INSERT INTO F0738DIVIDEND (tip_doc_d, doc_id_d, periodo, formulario, num_RUC, fec_retenida, "
        "cnumero) "
        "VALUES (6, '10000000001', '2003', '0738', '20100066603', '2003-05-01', '123456')");
    b.ejecuta(
        "UPDATE PARAM SET funcion = 'EDITADO', correl_param = '999' WHERE numero = '044' AND argumento = "
        "'6'");
    b.ejecuta("INSERT INTO PARAM VALUES ('044', '77', 'OTRO TIPO', '')");
    b.ejecuta("INSERT INTO PARAM VALUES ('004', '01', 'BANCO', '')");
    b.ejecuta("UPDATE reportes SET titulo = 'X' WHERE codrep = 'RP0008'");
    b.ejecuta("INSERT INTO envio_t (formulario, tabla_o, tabla_d) VALUES ('0738', 'VIEJA', 'HVIEJA')");
    b.ejecuta("INSERT INTO envio_t (formulario, tabla_o, tabla_d) VALUES ('0621', 'OTRA', 'HOTRA')");

    ASSERT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM TMP_F0738DIVID").toInt(), 0);
    EXPECT_EQ(b.escalar("SELECT cnumero FROM F0738DIVIDEND").toString(), "123456");
    EXPECT_EQ(funcionDe(b, "044", "6").size(), 130);
    EXPECT_TRUE(funcionDe(b, "044", "6").startsWith("REG. UNICO DE CONTRIBUYENTES"));
    EXPECT_EQ(b.escalar("SELECT correl_param FROM PARAM WHERE numero = '044' AND argumento = '6'").toString(),
              "010");
    EXPECT_EQ(funcionDe(b, "044", "77"), "OTRO TIPO");
    EXPECT_EQ(funcionDe(b, "004", "01"), "BANCO");
    EXPECT_EQ(b.escalar("SELECT titulo FROM reportes WHERE codrep = 'RP0008'").toString(),
              "Reporte del formulario 738");
    const QStringList filas = envio(b);
    EXPECT_EQ(filas.size(), 4);
    EXPECT_TRUE(filas.first().startsWith("0621|OTRA|HOTRA"));
    EXPECT_FALSE(filas.join("\n").contains("VIEJA"));
}

TEST_P(LotmiraMotor, LineasDeLaListaDeEnvio) {
    prueba::Entorno env(GetParam());
    prueba::escribeListaEnvio(env,
                              "1|A|| |1|0|1|2|4|3|0|0|0|\r\n"      // empty tabla_d: one blank
                              "2|B|HB|EXT|2|1|1|2|4|3|5|0|0|\r\n"  // repeated below: the later line wins
                              "3|C|HC| |1|1|1|2|4|3|0|0|\r\n"      // twelve fields: reported and skipped
                              "4|D|HD| |1|x|1|2|4|3|0|0|0|\r\n"    // non-numeric: reported and skipped
                              "5|B|HB2| |9|9|9|9|9|9|9|9|9|\r\n"
                              "6|E|HE| |1|1|1|2|4|3|0|0|0\r\n"  // last field without its bar
                              "   \r\n"                         // the list ends at the first blank line
                              "7|F|HF| |1|1|1|2|4|3|0|0|0|\r\n");
    EXPECT_EQ(prueba::instalaConLotmira(env), InstalacionConErrores);
    EXPECT_EQ(envio(env.base()), QStringList({"0738|A| ||1|0|1|2|4|3|0|0|0", "0738|B|HB2||9|9|9|9|9|9|9|9|9",
                                              "0738|E|HE||1|1|1|2|4|3|0|0|0"}));
    const auto& m = env.dialogos().mostrados;
    ASSERT_EQ(m.size(), 2u) << env.dialogos().textos().join("\n").toStdString();
    const QString archivo = env.sistema() + "tmp\\env738.txt";
    EXPECT_TRUE(m[0].texto.startsWith(archivo + ", línea 3: ")) << m[0].texto.toStdString();
    EXPECT_TRUE(m[1].texto.startsWith(archivo + ", línea 4: ")) << m[1].texto.toStdString();
    EXPECT_TRUE(m[1].texto.contains("obliga"));
}

// Table names compare as the engine compares text: a later line naming the table in another case
// replaces the earlier one.
TEST_P(LotmiraMotor, TablaRepetidaEnOtraCaja) {
    prueba::Entorno env(GetParam());
    prueba::escribeListaEnvio(env,
                              "1|F0738DIVIDEND|HF0738DIVIDEND|DIV|1|0|1|2|4|3|0|0|0|\r\n"
                              "2|f0738dividend|HF0738DIVIDEND|DIV|2|0|1|2|4|3|0|0|0|\r\n");
    EXPECT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta);
    EXPECT_EQ(envio(env.base()), QStringList({"0738|F0738DIVIDEND|HF0738DIVIDEND|DIV|2|0|1|2|4|3|0|0|0"}));
}

TEST_P(LotmiraMotor, SinListaDeEnvioTerminaConErrorDespuesDeLoDemas) {
    prueba::Entorno env(GetParam());
    env.base().ejecuta(
        "INSERT INTO envio_t (formulario, tabla_o, tabla_d) VALUES ('0738', 'PREVIA', 'HPREVIA')");
    EXPECT_EQ(InstalaTablas(), SinListaEnvio);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_TRUE(env.dialogos().mostrados[0].texto.startsWith("No existe el archivo " + env.sistema() +
                                                             "tmp\\env738.txt"));
    EXPECT_EQ(env.dialogos().mostrados[0].icono, Icono::Error);
    BaseDatos& b = env.base();
    EXPECT_TRUE(b.existeTabla("HF0738FIDEICOM"));
    EXPECT_EQ(b.escalar("SELECT count(*) FROM reportes").toInt(), 2);
    // The send list of the last installation stays until a new one can be read.
    EXPECT_EQ(envio(b), QStringList({"0738|PREVIA|HPREVIA||||||||||"}));
}

TEST_P(LotmiraMotor, UnaSentenciaFallidaSeInformaYSigue) {
    prueba::Entorno env(GetParam());
    env.base().ejecuta("DROP TABLE reportes");
    EXPECT_EQ(prueba::instalaConLotmira(env), InstalacionConErrores);
    const auto& m = env.dialogos().mostrados;
    ASSERT_EQ(m.size(), 4u);  // two deletes and two inserts on the missing table
    EXPECT_EQ(m[0].titulo, "Error al Ejecutar Sentencia SQL");
    EXPECT_EQ(m[0].icono, Icono::Error);
    EXPECT_TRUE(m[0].texto.startsWith("Error Número : 3078\n")) << m[0].texto.toStdString();
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM envio_t").toInt(), 3);
}

TEST(Lotmira, CarpetaDeInstalacion) {
    const struct {
        const char* sysPath;
        const char* carpeta;
    } casos[] = {
        {"C:\\QVR\\\\", "C:\\QVR\\"},
        {"C:\\QVR\\", "C:\\QVR\\"},
        {"  /srv/qvr/  ", "/srv/qvr/"},
        {"", ""},
    };
    for (const auto& c : casos) EXPECT_EQ(carpetaInstalacion(c.sysPath), QString(c.carpeta)) << c.sysPath;

    prueba::Entorno env;
    env.escribeIni("SysPath", "");
    EXPECT_EQ(InstalaTablas(), SinCarpetaInstalacion);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto, "Debe instalar primero el QVR ");
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Mensaje");
    EXPECT_EQ(env.dialogos().mostrados[0].icono, Icono::Informacion);
    EXPECT_FALSE(env.base().existeTabla("F0738DIVIDEND"));
}

// The built program, as the host runs it: messages on standard error without a display.
TEST(Lotmira, ProgramaSinCarpetaOConBaseBloqueada) {
    prueba::Entorno env;
    const auto corre = [&](QString* salida) {
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) e.remove(v);
        e.insert("WINDIR", env.carpeta() + "/windows");
        e.insert("QVR_ESPERA_MS", "50");
        p.setProcessEnvironment(e);
        p.start(QStringLiteral(QVR_BIN_DIR) + "/Lotmira", {});
        EXPECT_TRUE(p.waitForFinished(30000));
        *salida = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };
    QString err;
    env.escribeIni("SysPath", "");
    EXPECT_EQ(corre(&err), SinCarpetaInstalacion);
    EXPECT_TRUE(err.contains("Debe instalar primero el QVR")) << err.toStdString();

    env.escribeIni("SysPath", env.sistema());
    env.cierraBase();
    auto otro = BaseDatos::crea(env.rutaBase());
    otro->escalar("PRAGMA locking_mode=EXCLUSIVE");
    otro->ejecuta("BEGIN EXCLUSIVE");
    otro->ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('X', '0')");
    EXPECT_EQ(corre(&err), SinBaseDatos);
    EXPECT_TRUE(err.contains("Error de Conección")) << err.toStdString();
    EXPECT_TRUE(err.contains(" 3051- La Base de datos esta bloqueda")) << err.toStdString();
    otro->ejecuta("ROLLBACK");
}

QVR_EN_AMBOS_MOTORES(LotmiraMotor);
