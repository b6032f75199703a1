// Every varnel-cli command that reads or writes a declaration applies the user's taxpayers as the
// window does: a clerk (Tipo other than "0") reaches only the taxpayers of CONT that are his. A
// refused command says so in Spanish on standard error and writes nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/declaration/orden.h"

using namespace qvr;

namespace {

const QString kRuc = "20100047218";  // ANA's, with a stored declaration and two sendings
const QString kControl = "12345678";   // the control number of its sending 001

struct Salida {
    int codigo;
    QString out, err;
};

class DerechosCli : public prueba::PorMotor {
  protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        prueba::preparaDeclaraciones(env);
    }

    Salida corre(const QString& usuario, const QStringList& args, const QByteArray& entrada = {}) {
        env.escribeIni("SysUser", usuario);
        QProcess p;
        p.setWorkingDirectory(env.carpeta());
        p.start(QStringLiteral(QVR_BIN_DIR "/varnel-cli"), args);
        p.write(entrada);
        p.closeWriteChannel();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    // What a refused command must leave as it was.
    QStringList escrito() {
        QStringList l;
        l << env.base().escalar("SELECT count(*) FROM SPOOL").toString();
        l << env.base().escalar("SELECT norden FROM hCAB WHERE correl='001'").toString();
        l << env.base().escalar("SELECT count(*) FROM DET").toString();
        l << QDir(env.sistema() + "RPT").entryList(QDir::Files).join(",");
        return l;
    }

    prueba::Entorno env{prueba::motorPara(GetParam())};
};

TEST_P(DerechosCli, UnTaxpayerAjenoSeRechazaSinEscribirNada) {
    const QString digitos = DigitoVerificador(kControl, "00000001");
    struct Caso {
        const char* nombre;
        QStringList args;
        QByteArray entrada;
        int salida;  // validar's 1 means inconsistencies: its refusal is 2
    } casos[] = {
        {"mostrar", {"mostrar", kRuc}, {}, 1},
        {"mostrar enviada", {"mostrar", kRuc, "--correl", "001"}, {}, 1},
        {"imprimir", {"imprimir", kRuc}, {}, 1},
        {"validar", {"validar"}, ("ruc=" + kRuc + "\n100=1500\n").toUtf8(), 2},
        {"orden", {"orden", kRuc, "--correl", "001", "--orden", "00000001", "--digitos", digitos}, {}, 1},
        {"grabar", {"grabar"}, ("ruc=" + kRuc + "\n102=900\n").toUtf8(), 1},
    };
    const QStringList antes = escrito();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        // LUIS is a clerk of taxpayer 10401234567 only.
        const Salida s = corre("LUIS", c.args, c.entrada);
        EXPECT_EQ(s.codigo, c.salida) << s.err.toStdString();
        EXPECT_TRUE(s.err.contains(QString("El contribuyente %1 no está entre los que el usuario LUIS puede elegir").arg(kRuc)))
            << s.err.toStdString();
        EXPECT_TRUE(s.out.trimmed().isEmpty()) << s.out.toStdString();
        EXPECT_EQ(escrito(), antes);
    }
}

TEST_P(DerechosCli, SusPropiosYLosDelAdministradorPasan) {
    const QString digitos = DigitoVerificador(kControl, "00000001");
    for (const QString& usuario : {QString("ANA"), QString("JEFE")}) {
        SCOPED_TRACE(usuario.toStdString());
        Salida s = corre(usuario, {"mostrar", kRuc});
        EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
        EXPECT_TRUE(s.out.contains("100=1,500")) << s.out.toStdString();
        s = corre(usuario, {"validar"}, ("ruc=" + kRuc + "\n100=1500\n").toUtf8());
        EXPECT_NE(s.codigo, 2) << s.err.toStdString();
        s = corre(usuario, {"imprimir", kRuc});
        EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    }
    const Salida s = corre("ANA", {"orden", kRuc, "--correl", "001", "--orden", "00000001", "--digitos", digitos});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_EQ(env.base().escalar("SELECT norden FROM hCAB WHERE correl='001'").toString().trimmed(), "00000001");
}

QVR_EN_AMBOS_MOTORES(DerechosCli);

}  // namespace
