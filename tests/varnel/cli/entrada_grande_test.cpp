// varnel-cli reads its lines one at a time: ten megabytes of input, from a file or from standard
// input, cost the program far less memory than the input itself, and the line numbers of what it
// refuses at the end of such an input are still exact.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "support/entorno.h"
#include "support/persist_datos.h"

using namespace qvr;

namespace {

constexpr qsizetype kTamano = 10 * 1024 * 1024;

struct Salida {
    int estado;
    QString salida;
    QString errores;
};

Salida corre(const QStringList& args, const QByteArray& entrada = {}) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    // Under ASan freed memory is held back for a while (256 MB by default): keep that small, so that
    // the peak measures what the program keeps, not what it has freed.
    const QString asan = e.value("ASAN_OPTIONS");
    e.insert("ASAN_OPTIONS", (asan.isEmpty() ? QString() : asan + ":") + "quarantine_size_mb=1");
    p.setProcessEnvironment(e);
    p.start(QStringLiteral(QVR_BIN_DIR "/varnel-cli"), args);
    p.write(entrada);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The largest resident size of any child waited for so far, in KiB.
long picoDeLosHijos() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return u.ru_maxrss;
}

const QByteArray kDeclaracion = "100=5000\n105=2500\ntelefono=4123456\n";

// kDeclaracion over and over between long comment lines, up to ten megabytes; *lineas counts them.
QByteArray diezMegas(int* lineas) {
    const QByteArray comentario = "# " + QByteArray(500, 'x') + "\n";
    QByteArray b;
    b.reserve(kTamano + 1024);
    *lineas = 0;
    while (b.size() < kTamano) {
        b += comentario + comentario + kDeclaracion;
        *lineas += 5;
    }
    return b;
}

TEST(EntradaGrande, DiezMegasEnMemoriaAcotada) {
    prueba::Entorno env;
    prueba::preparaDeclaraciones(env);
    const QString ruc = "10455555551";
    env.agregaContribuyente(ruc, "ROJAS", "DIAZ", "ANA MARIA", "ANA");
    env.escribeIni("SysUser", "ANA");
    env.cierraBase();
    const QStringList tasas = {"calcular", "--uit", "3100", "--tasa110", "0.015"};

    const Salida pequena = corre(tasas, kDeclaracion);
    ASSERT_EQ(pequena.estado, 0) << pequena.errores.toStdString();
    ASSERT_EQ(corre({"grabar"}, "ruc=" + ruc.toUtf8() + "\n100=-5\n").estado, 2);
    const long base = picoDeLosHijos();  // the larger of the two programs' own needs

    int lineas = 0;
    const QByteArray grande = diezMegas(&lineas);
    const QString archivo = env.carpeta() + "/grande.txt";
    {
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(grande);
    }
    // From a file: the same boxes as the small input.
    const Salida desdeArchivo = corre(tasas + QStringList{archivo});
    EXPECT_EQ(desdeArchivo.estado, 0) << desdeArchivo.errores.left(2000).toStdString();
    EXPECT_EQ(desdeArchivo.salida, pequena.salida);

    // From standard input, with a line past the bound in the middle and a changed value at the end:
    // both refused with their line numbers, nothing saved.
    const int medio = lineas + 2;
    const QByteArray entrada = "ruc=" + ruc.toUtf8() + "\nrectifica=0\n" + grande + "817=" +
                               QByteArray(100000, 'A') + "\n" + grande + "100=-5\n";
    const Salida desdeEntrada = corre({"grabar"}, entrada);
    EXPECT_EQ(desdeEntrada.estado, 2);
    EXPECT_TRUE(desdeEntrada.salida.isEmpty()) << desdeEntrada.salida.toStdString();
    EXPECT_EQ(desdeEntrada.errores, QString("varnel-cli grabar: línea %1: casilla 817: la línea pasa de 65536 bytes; "
                                            "no se lee\n"
                                            "varnel-cli grabar: línea %2: casilla 100: \"-5\" lleva signo; la casilla "
                                            "admite solo cifras\n")
                                        .arg(medio + 1)
                                        .arg(medio + 1 + lineas + 1));
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM CAB WHERE doc_id_d=?", {ruc}).toInt(), 0);

    // Holding the input would cost at least twice its size (UTF-16): the program stays well under
    // the size of one copy.
    const long pico = picoDeLosHijos();
    EXPECT_LT(pico - base, long(kTamano / 1024 / 2)) << "KiB: base " << base << ", peak " << pico;
}

}  // namespace
