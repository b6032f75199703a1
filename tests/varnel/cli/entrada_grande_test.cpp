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

// `entrada`: a file for standard input. The inputs stay on disk: a child's peak counts the pages it
// shares with this process until it starts the program, so this process holds nothing large.
Salida corre(const QStringList& args, const QString& entrada = {}) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    // Under ASan freed memory is held back for a while (256 MB by default): keep that small, so that
    // the peak measures what the program keeps, not what it has freed.
    const QString asan = e.value("ASAN_OPTIONS");
    e.insert("ASAN_OPTIONS", (asan.isEmpty() ? QString() : asan + ":") + "quarantine_size_mb=1");
    p.setProcessEnvironment(e);
    if (!entrada.isEmpty()) p.setStandardInputFile(entrada);
    p.start(QStringLiteral(QVR_BIN_DIR "/varnel-cli"), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The largest resident size of any child waited for so far, in KiB.
long picoDeLosHijos() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return u.ru_maxrss;
}

const QByteArray kDeclaracion = "100=5000\n105=2500\ntelefono=4123456\n";

// Writes `cabeza`, kDeclaracion, then long comment lines and payment lines over and over up to ten
// megabytes with `medio` halfway, then `cola`; returns the line numbers of `medio` and `cola`. (Few
// boxes: typing one runs the recalculation for each character, which is slow under ASan.)
std::pair<int, int> escribeDiezMegas(const QString& ruta, const QByteArray& cabeza, const QByteArray& medio,
                                     const QByteArray& cola) {
    const QByteArray bloque = "# " + QByteArray(1000, 'x') + "\npago.banco=01\npago.cheque=123\n";
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    qsizetype escritos = 0;
    int lineas = 0;
    const auto escribe = [&](const QByteArray& b) {
        f.write(b);
        escritos += b.size();
        lineas += int(b.count('\n'));
    };
    escribe(cabeza + kDeclaracion);
    int lineaMedio = 0;
    while (escritos < kTamano) {
        escribe(bloque);
        if (!medio.isEmpty() && !lineaMedio && escritos >= kTamano / 2) {
            lineaMedio = lineas + 1;
            escribe(medio);
        }
    }
    const int lineaCola = lineas + 1;
    escribe(cola);
    return {lineaMedio, lineaCola};
}

TEST(EntradaGrande, DiezMegasEnMemoriaAcotada) {
    prueba::Entorno env;
    prueba::preparaDeclaraciones(env);
    const QString ruc = "10455555551";
    env.agregaContribuyente(ruc, "ROJAS", "DIAZ", "ANA MARIA", "ANA");
    env.escribeIni("SysUser", "ANA");
    env.cierraBase();
    const QStringList tasas = {"calcular", "--uit", "3100", "--tasa110", "0.015"};

    const QString pequena = env.carpeta() + "/pequena.txt", mala = env.carpeta() + "/mala.txt";
    for (const auto& [ruta, texto] :
         {std::pair{pequena, kDeclaracion}, std::pair{mala, "ruc=" + ruc.toUtf8() + "\n100=-5\n"}}) {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto);
    }
    const Salida chica = corre(tasas + QStringList{pequena});
    ASSERT_EQ(chica.estado, 0) << chica.errores.toStdString();
    ASSERT_EQ(corre({"grabar"}, mala).estado, 2);
    const long base = picoDeLosHijos();  // the larger of the two programs' own needs

    // From a file: the same boxes as the small input.
    const QString grande = env.carpeta() + "/grande.txt";
    escribeDiezMegas(grande, {}, {}, {});
    const Salida desdeArchivo = corre(tasas + QStringList{grande});
    EXPECT_EQ(desdeArchivo.estado, 0) << desdeArchivo.errores.left(2000).toStdString();
    EXPECT_EQ(desdeArchivo.salida, chica.salida);

    // From standard input, with a line past the bound in the middle and a changed value at the end:
    // both refused with their line numbers, nothing saved.
    const auto [larga, cambiada] = escribeDiezMegas(grande, "ruc=" + ruc.toUtf8() + "\nrectifica=0\n",
                                                    "817=" + QByteArray(100000, 'A') + "\n", "100=-5\n");
    const Salida desdeEntrada = corre({"grabar"}, grande);
    EXPECT_EQ(desdeEntrada.estado, 2);
    EXPECT_TRUE(desdeEntrada.salida.isEmpty()) << desdeEntrada.salida.toStdString();
    EXPECT_TRUE(desdeEntrada.errores.endsWith(
        QString(
            "varnel-cli grabar: línea %1: casilla 817: la línea pasa de 65536 bytes; no se lee\n"
            "varnel-cli grabar: línea %2: casilla 100: \"-5\" lleva signo; la casilla admite solo cifras\n")
            .arg(larga)
            .arg(cambiada)))
        << desdeEntrada.errores.left(2000).toStdString();
    EXPECT_EQ(env.base().escalar("SELECT count(*) FROM CAB WHERE doc_id_d=?", {ruc}).toInt(), 0);

    // Holding the input would cost at least twice its size (UTF-16): the program stays well under
    // the size of one copy.
    const long pico = picoDeLosHijos();
    EXPECT_LT(pico - base, long(kTamano / 1024 / 2)) << "KiB: base " << base << ", peak " << pico;
}

}  // namespace
