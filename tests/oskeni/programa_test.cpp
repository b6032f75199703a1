#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "common/cp1252.h"
#include "oskeni/programa.h"
#include "support/entorno.h"

using namespace qvr;

namespace {

const QString kLinea = QStringLiteral("  20100066603    07382003000" "12345678");

void fixture(prueba::Entorno& env) {
    auto& b = env.base();
    b.ejecuta("INSERT INTO CONT (tip_doc_d, doc_id_d, nombre, usuario, Tipo_Ingreso) "
              "VALUES (6, '20100066603', 'PEREZ GOMEZ ANA MARIA', 'DEMO', 2)");
    env.agregaParam("004", "02", QString("BANCO DEL ANDE").leftJustified(37) + "B.ANDE");
    b.ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, nrocheque, bcolibrad) "
              "VALUES (6, '20100066603', '2003', '0738', 0, 0, '00012345', '02')");
    const std::pair<const char*, const char*> casillas[] = {
        {"146", "1234567"}, {"180", "1234567"}, {"598", "1234567"}, {"871", "1"}, {"721", "1.0"}};
    for (auto [c, v] : casillas)
        b.ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, idcasilla, "
                  "estado) VALUES (6, '20100066603', '2003', '0738', 0, ?, ?, '01', 0)",
                  {c, v});
}

QStringList lineas(const QString& ruta, bool cp1252 = true) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    QString t = cp1252 ? deCp1252(b) : QString::fromUtf8(b);
    QStringList l = t.split("\r\n");
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

// Compares line by line; an expected line "~REGEX" is matched as a pattern (dates and times).
void comparaConPatron(const QStringList& real, const QString& esperado) {
    const QStringList esp = lineas(esperado, false);
    ASSERT_FALSE(esp.isEmpty()) << esperado.toStdString();
    ASSERT_EQ(real.size(), esp.size());
    for (int i = 0; i < esp.size(); ++i) {
        if (esp[i].startsWith('~')) {
            QRegularExpression re("^" + esp[i].mid(1) + "$");
            EXPECT_TRUE(re.match(real[i]).hasMatch()) << "line " << i + 1 << ": " << real[i].toStdString();
        } else {
            EXPECT_EQ(real[i], esp[i]) << "line " << i + 1;
        }
    }
}

}  // namespace

class OskeniMotor : public prueba::PorMotor {};

TEST_P(OskeniMotor, EscribeLosDosResumenesYSusCopias) {
    prueba::Entorno env(GetParam());
    fixture(env);
    ASSERT_EQ(EjecutaOskeni(kLinea), 0) << env.dialogos().textos().join('\n').toStdString();
    EXPECT_TRUE(env.dialogos().mostrados.empty());

    const QString rpt = env.sistema() + "RPT/";
    comparaConPatron(lineas(rpt + "00000001.PRN"), QString(QVR_FIXTURES) + "/oskeni/resumen.PRN.txt");
    comparaConPatron(lineas(rpt + "0738200300012345678.PRN"), QString(QVR_FIXTURES) + "/oskeni/resumen.PRN.txt");
    comparaConPatron(lineas(env.sistema() + "TMP/0738200300012345678.txt"), QString(QVR_FIXTURES) + "/oskeni/resumen.txt");
    // Only the named copy of the plain summary stays in the temporary folder.
    EXPECT_EQ(QDir(env.sistema() + "TMP").entryList(QDir::Files), QStringList{"0738200300012345678.txt"});

    Registros s = env.base().consulta("SELECT CodRep, Secuencia, Archivo, Usuario, tip_doc_d, Doc_id_d FROM SPOOL");
    ASSERT_EQ(s.filas(), 1);
    EXPECT_EQ(s.texto(0, "CodRep"), "RP0009");
    EXPECT_EQ(s.texto(0, "Secuencia"), "000001");
    EXPECT_EQ(s.texto(0, "Archivo"), "00000001.PRN");
    EXPECT_EQ(s.texto(0, "Usuario"), "DEMO");
    EXPECT_EQ(s.texto(0, "Doc_id_d"), "20100066603");

    // A second run registers a new report and replaces the named copies.
    ASSERT_EQ(EjecutaOskeni(kLinea), 0);
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM SPOOL").toInt(), 2);
    EXPECT_TRUE(QFile::exists(rpt + "00000002.PRN"));
    EXPECT_EQ(QDir(env.sistema() + "TMP").entryList(QDir::Files).size(), 1);
}

TEST_P(OskeniMotor, SinContribuyenteNoEscribeNada) {
    prueba::Entorno env(GetParam());
    fixture(env);
    const QString linea = "  10000000009    07382003000" "12345678";
    ASSERT_EQ(linea.size(), 36);
    EXPECT_EQ(EjecutaOskeni(linea), 1);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto, "No existe data para Generar Reporte de Envio!!!\r\n\n");
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Error");
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM SPOOL").toInt(), 0);
    EXPECT_TRUE(QDir(env.sistema() + "RPT").entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(env.sistema() + "TMP").entryList(QDir::Files).isEmpty());

    // A command line cut inside the taxpayer number finds nothing either.
    EXPECT_EQ(EjecutaOskeni("  2010006"), 1);
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM SPOOL").toInt(), 0);
}

TEST(Oskeni, BaseQueNoAbre) {
    prueba::Entorno env;
    env.escribeIni("DBName", "FALTA.MDB");
    EXPECT_EQ(EjecutaOskeni(kLinea), 1);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_TRUE(env.dialogos().mostrados[0].texto.endsWith("\nIntente nuevamente por favor."));
}

TEST(Oskeni, SaltoDePaginaCada80Lineas) {
    QStringList l;
    for (int i = 0; i < 161; ++i) l << QString::number(i);
    l[5] = "";
    const QByteArray t = textoPlano(l);
    const QList<QByteArray> partes = t.split('\n');
    EXPECT_EQ(partes[5], " \r");
    EXPECT_EQ(partes[80], "\x0f\r");
    EXPECT_EQ(partes[161], "\x0f\r");
    EXPECT_EQ(t.count('\x0f'), 2);
}

TEST(Oskeni, ProgramaSinPantallaEscribeEnErrorEstandar) {
    prueba::Entorno env;
    fixture(env);
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove("DISPLAY");
    p.setProcessEnvironment(e);
    p.start(QString(QVR_BIN_DIR) + "/Oskeni", {"  10000000009    07382003000" "12345678"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("No existe data para Generar Reporte de Envio!!!"));

    p.start(QString(QVR_BIN_DIR) + "/Oskeni", {kLinea});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(env.sistema() + "RPT/0738200300012345678.PRN"));
}

namespace {
int filasSpool(prueba::Entorno& env) { return env.base().escalar("SELECT count(*) FROM SPOOL").toInt(); }
QStringList archivos(const QString& carpeta) { return QDir(carpeta).entryList(QDir::Files); }
}  // namespace

TEST(Oskeni, LineaQueNoNombraUnaDeclaracionNoEscribeNada) {
    prueba::Entorno env;
    fixture(env);
    // The taxpayer exists; the form, period or week of the line do not name a declaration of it.
    for (const QString& linea : {QStringLiteral("  20100066603"), QStringLiteral("  20100066603    0738"),
                                 QStringLiteral("  20100066603    07382O03000"
                                                "12345678"),
                                 QStringLiteral("  20100066603    0738/0/3000"
                                                "12345678"),
                                 QStringLiteral("  20100066603    07382003009"
                                                "12345678"),
                                 QStringLiteral("  20100066603    0738200300X"
                                                "12345678")}) {
        SCOPED_TRACE(linea.toStdString());
        env.dialogos().mostrados.clear();
        EXPECT_EQ(EjecutaOskeni(linea), 1);
        EXPECT_EQ(env.dialogos().textos(),
                  QStringList{"No existe data para Generar Reporte de Envio!!!\r\n\n"});
        EXPECT_EQ(filasSpool(env), 0);
        EXPECT_TRUE(archivos(env.sistema() + "RPT").isEmpty());
        EXPECT_TRUE(archivos(env.sistema() + "TMP").isEmpty());
    }
}

TEST(Oskeni, NombreBaseSoloConLetrasYDigitos) {
    prueba::Entorno env;
    fixture(env);
    // The declaration exists; what follows the week goes into the two file names.
    for (const char* nc : {"/../ESC1", "1234 678", "12\\45678", "1234567."}) {
        SCOPED_TRACE(nc);
        env.dialogos().mostrados.clear();
        EXPECT_EQ(EjecutaOskeni(QStringLiteral("  20100066603    07382003000") + nc), 1);
        ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
        EXPECT_TRUE(env.dialogos().mostrados[0].texto.contains("solo puede llevar letras y dígitos"));
        EXPECT_EQ(filasSpool(env), 0);
        EXPECT_TRUE(archivos(env.sistema() + "RPT").isEmpty());
        EXPECT_TRUE(archivos(env.sistema() + "TMP").isEmpty());
        EXPECT_TRUE(archivos(env.sistema()).filter(".PRN").isEmpty());
        EXPECT_TRUE(archivos(env.carpeta()).filter(".PRN").isEmpty());
    }
    // Letters are letters: the name is taken as given.
    EXPECT_EQ(EjecutaOskeni(QStringLiteral("  20100066603    07382003000") + "AB12cd34"), 0);
    EXPECT_TRUE(QFile::exists(env.sistema() + "RPT/07382003000AB12cd34.PRN"));
}

TEST(Oskeni, ElRegistroDeSpoolSoloConSuArchivoEscrito) {
    prueba::Entorno env;
    fixture(env);
    // The report folder cannot be written: the summary fails before any SPOOL row exists.
    ASSERT_TRUE(QDir(env.sistema() + "RPT").removeRecursively());
    QFile bloqueo(env.sistema() + "RPT");
    ASSERT_TRUE(bloqueo.open(QIODevice::WriteOnly));
    bloqueo.close();
    EXPECT_EQ(EjecutaOskeni(kLinea), 1);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_TRUE(env.dialogos().mostrados[0].texto.startsWith("Error tecnico: "));
    EXPECT_EQ(filasSpool(env), 0);
    EXPECT_TRUE(archivos(env.sistema() + "TMP").isEmpty());
}

TEST(Oskeni, EsperaElBloqueoLoQueDiceQvrEsperaMs) {
    prueba::Entorno env;
    fixture(env);
    const QByteArray previo = qgetenv("QVR_ESPERA_MS");
    qputenv("QVR_ESPERA_MS", "300");
    QElapsedTimer reloj;
    int salida = 0;
    {
        // Another program holds the write lock for longer than the wait.
        TransaccionEscritura otro(env.base());
        env.base().ejecuta("UPDATE CAB SET estado = 0");
        reloj.start();
        salida = EjecutaOskeni(kLinea);
    }
    const qint64 ms = reloj.elapsed();
    if (previo.isNull())
        qunsetenv("QVR_ESPERA_MS");
    else
        qputenv("QVR_ESPERA_MS", previo);
    EXPECT_EQ(salida, 1);
    EXPECT_LT(ms, 4000);  // the default wait is 5000
    EXPECT_EQ(filasSpool(env), 0);
    EXPECT_TRUE(archivos(env.sistema() + "RPT").isEmpty());
}

TEST(Oskeni, LasCopiasConNombre) {
    prueba::Entorno env;
    fixture(env);
    ASSERT_EQ(EjecutaOskeni(kLinea), 0);
    // The report has the permissions of any new file, and the plain copy those of the report
    // copy: readable for a host under another account.
    const QString prn = env.sistema() + "RPT/0738200300012345678.PRN";
    const QString txt = env.sistema() + "TMP/0738200300012345678.txt";
    QFile nuevo(env.carpeta() + "/nuevo");
    ASSERT_TRUE(nuevo.open(QIODevice::WriteOnly));
    nuevo.close();
    EXPECT_EQ(QFile::permissions(env.sistema() + "RPT/00000001.PRN"), nuevo.permissions());
    EXPECT_EQ(QFile::permissions(prn), nuevo.permissions());
    EXPECT_EQ(QFile::permissions(txt), QFile::permissions(prn));

    // A copy onto itself, however the path is spelt, keeps the file.
    const QString fuente = env.sistema() + "RPT/00000001.PRN";
    const QByteArray antes = [&] {
        QFile f(fuente);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(antes.isEmpty());
    for (const QString& destino :
         {fuente, env.sistema() + "RPT/./00000001.PRN", env.sistema() + "RPT\\00000001.PRN"}) {
        EXPECT_EQ(copiaResumen(fuente, destino), QString()) << destino.toStdString();
        QFile f(fuente);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << destino.toStdString();
        EXPECT_EQ(f.readAll(), antes);
    }
    // A copy elsewhere replaces what was there.
    EXPECT_EQ(copiaResumen(fuente, prn), QString());
    QFile copia(prn);
    ASSERT_TRUE(copia.open(QIODevice::ReadOnly));
    EXPECT_EQ(copia.readAll(), antes);
}

QVR_EN_AMBOS_MOTORES(OskeniMotor);
