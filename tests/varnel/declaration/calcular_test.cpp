#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/entorno.h"

using namespace qvr;

namespace {

struct Salida {
    int estado;
    QString salida;
    QString errores;
};

Salida corre(const QStringList& args, const QByteArray& entrada = {}) {
    QProcess p;
    p.start(QString(QVR_BIN_DIR) + "/varnel-cli", QStringList{"calcular"} + args);
    p.write(entrada);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString fixture(const QString& nombre) {
    QFile f(QString(QVR_FIXTURES) + "/engine/" + nombre);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
    return QString::fromUtf8(f.readAll());
}

// Catalog '044' row data: description, length, order, data type (5 digits, 0 any), offered in the
// declaration form (position 81).
QString funcion044(const QString& descripcion, const QString& corto, const QString& longitud,
                   const QString& orden, QChar tipoDato) {
    QString f(130, ' ');
    f.replace(0, 30, descripcion.leftJustified(30, ' ', true));
    f.replace(31, 11, corto.leftJustified(11, ' ', true));
    f.replace(45, 2, longitud);
    f.replace(48, 6, "000000");
    f.replace(55, 2, orden);
    QString flags(31, '0');
    flags[81 - 59] = '1';
    f.replace(58, 31, flags);
    f[125] = '0';
    f[127] = tipoDato;
    f[129] = '1';
    return f;
}

void catalogos(prueba::Entorno& env) {
    env.agregaParam("404", "20020101", "3100");
    env.agregaParam("404", "20030101", "3,100");         // read as 3100, as text becomes a number
    env.agregaParam("404", "20040101", "3200");          // a later year never applies
    env.agregaParam("998", "050802 200212", " 0.0150");  // 2003 periods sort after "2003"
    env.agregaParam("044", "1", funcion044("DOC. NACIONAL DE IDENTIDAD", "DNI", "08", "01", '5'));
    env.agregaParam("044", "6", funcion044("REG. UNICO DE CONTRIBUYENTES", "RUC", "11", "02", '5'));
    env.agregaParam("044", "7", funcion044("PASAPORTE", "PAS", "15", "03", '0'));
    env.agregaParam("979", "01", "ABOGADO");
}

}  // namespace

TEST(Calcular, DeclaracionRealistaConLasTasasDelCatalogo) {
    prueba::Entorno env;
    catalogos(env);
    env.cierraBase();
    const QString archivo = QString(QVR_FIXTURES) + "/engine/declaracion_realista.txt";

    const Salida s = corre({archivo});
    EXPECT_EQ(s.estado, 0) << s.errores.toStdString();
    EXPECT_EQ(s.salida, fixture("declaracion_realista.esperado"));

    const Salida det = corre({"--det", archivo});
    EXPECT_EQ(det.estado, 0) << det.errores.toStdString();
    EXPECT_EQ(det.salida, fixture("declaracion_realista.det"));

    // The same from standard input, with the rates given as options.
    const Salida entrada =
        corre({"--uit", "3100", "--tasa110", "0.015"}, fixture("declaracion_realista.txt").toUtf8());
    EXPECT_EQ(entrada.salida, s.salida);
}

TEST(Calcular, SinTasasNiBaseDeDatos) {
    QTemporaryDir vacio;
    const QByteArray previo = qgetenv("WINDIR");
    qputenv("WINDIR", vacio.path().toUtf8());
    const Salida s = corre({"--uit", "3100"}, "100=5\n");
    if (previo.isNull())
        qunsetenv("WINDIR");
    else
        qputenv("WINDIR", previo);
    EXPECT_EQ(s.estado, 2);
    // The INI it looked for and how to make an environment.
    EXPECT_TRUE(s.errores.contains(vacio.path() + "/NEMDAL.INI")) << s.errores.toStdString();
    EXPECT_TRUE(s.errores.contains("orvelane --setup")) << s.errores.toStdString();
    EXPECT_TRUE(s.salida.isEmpty());
}

TEST(Calcular, CatalogoSinUitParaElAnio) {
    prueba::Entorno env;
    env.agregaParam("404", "20040101", "3200");
    env.cierraBase();
    const Salida s = corre({"--tasa110", "0.015"}, "100=5\n");
    EXPECT_EQ(s.estado, 2);
    EXPECT_TRUE(s.errores.contains("no hay UIT de 2003")) << s.errores.toStdString();
}

TEST(Calcular, LineasMalFormadasYCasillasBloqueadas) {
    const QStringList tasas = {"--uit", "3100", "--tasa110", "0.015"};
    const Salida s = corre(tasas, "# comment\n\n100=5\nsin igual\n999=1\n827=X\nalquiler=3\ntipodoc.208=6\n");
    EXPECT_EQ(s.estado, 2);
    for (const char* l : {"línea 4:", "línea 5:", "línea 6:", "línea 7:", "línea 8:"})
        EXPECT_TRUE(s.errores.contains(l)) << l << "\n" << s.errores.toStdString();
    EXPECT_FALSE(s.errores.contains("línea 3:"));
    EXPECT_TRUE(s.salida.isEmpty());  // nothing is applied when a line is malformed

    // A computed box is locked: a person cannot type into it.
    const Salida b = corre(tasas, "501=99\n102=10\n");
    EXPECT_EQ(b.estado, 0);
    EXPECT_TRUE(b.errores.contains("línea 1: la casilla 501 está bloqueada")) << b.errores.toStdString();
    EXPECT_EQ(b.salida,
              "102=10\n113=8\n120=1\n141=0\n142=1\n146=1\n501=10\n502=(2)\n503=8\n513=8\n514=8\n515=8\n"
              "516=1\n518=8\n");
}
