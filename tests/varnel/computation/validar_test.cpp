#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "support/entorno.h"
#include "support/validacion_declaracion.h"

using namespace qvr;

namespace {

struct Salida {
    int estado;
    QString salida;
    QString errores;
};

Salida corre(const QByteArray& entrada, const QStringList& args = {}) {
    QProcess p;
    p.start(QString(QVR_BIN_DIR) + "/varnel-cli", QStringList{"validar"} + args);
    p.write(entrada);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(Validar, ConsistenteInconsistenteYEntradaInutil) {
    prueba::Entorno env;
    prueba::catalogosValidacion(env);
    // The declarant named by ruc= is one of the configured user's taxpayers.
    env.agregaContribuyente("20100047218", "PEREZ", "GOMEZ", "JUAN", "DEMO");
    env.cierraBase();

    const QByteArray base = "ruc=20100047218\nrectifica=0\nalquiler=2\n100=5000\npago.forma=E\n";
    const Salida ok = corre(base + "180=0\n");
    EXPECT_EQ(ok.estado, 0) << ok.errores.toStdString();
    EXPECT_EQ(ok.salida, "");

    // The amount paid differs from the debt: a notice, not an inconsistency.
    const Salida aviso = corre(base + "180=1\n");
    EXPECT_EQ(aviso.estado, 0);
    EXPECT_TRUE(aviso.errores.contains("aviso: El importe a pagar por impuesto a la renta  tiene un exceso") ||
                aviso.errores.contains("aviso: ZORVA generará una orden de pago"))
        << aviso.errores.toStdString();

    const Salida mal = corre("ruc=20100047218\n");
    EXPECT_EQ(mal.estado, 1) << mal.errores.toStdString();
    EXPECT_EQ(mal.salida,
              "Indique si es rectificatoria\n"
              "Señale si el inmueble donde realiza sus actividades es alquilado o propio \n"
              "Ingrese el importe a pagar ( casilla ubicada en el rubro Determinación de la deuda ) \n"
              "Ingrese información por lo menos en una de estas casillas 100, 102, 105, 106, 107 y 108( casillas "
              "ubicadas en el rubro Determinación de la Renta imponible )\n"
              "Ingrese la Forma de pago( dato ubicado en el rubro Determinación de la deuda )\n");

    const Salida rota = corre("100=5\nsin igual\n");
    EXPECT_EQ(rota.estado, 2);
    EXPECT_TRUE(rota.salida.isEmpty());
    EXPECT_TRUE(rota.errores.contains("línea 2:")) << rota.errores.toStdString();
}

TEST(Validar, SinBaseDeDatos) {
    QTemporaryDir vacio;
    const QByteArray previo = qgetenv("WINDIR");
    qputenv("WINDIR", vacio.path().toUtf8());
    const Salida s = corre("100=5\n");
    if (previo.isNull())
        qunsetenv("WINDIR");
    else
        qputenv("WINDIR", previo);
    EXPECT_EQ(s.estado, 2);
    EXPECT_TRUE(s.errores.contains(vacio.path() + "/NEMDAL.INI")) << s.errores.toStdString();
    EXPECT_TRUE(s.errores.contains("orvelane --setup")) << s.errores.toStdString();
}

}  // namespace
