// An office whose DBServer names a primary and its streaming replica (host=a,b
// target_session_attrs=read-write). The primary stops and the replica is promoted while a declaration
// is open: the next step says once that the connection was lost, the one after it works on the new
// primary, and what it writes (boxes and the annex rows the window shows) is there.
// The test runs its own pair of servers (scripts/pg-test-server standby/promote), not the shared one.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/database.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "support/sesion_prueba.h"
#include "varnel/annexes/listas_anexo.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"
#include "varnel/sesion/sesion_declaracion.h"

using namespace qvr;

namespace {

const QString kRuc = "20100047218";
const QString kPerdida = "Se perdió la conexión con el servidor de base de datos";

// One run of scripts/pg-test-server; its standard output (a connection string for start/standby).
QString servidorPrueba(const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral(QVR_SOURCE_DIR "/scripts/pg-test-server"), argumentos);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pg-test-server " << argumentos.join(' ').toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString valorDe(const QString& conexion, const QString& clave) {
    const auto m = QRegularExpression(clave + R"(=([^\s']+))").match(conexion);
    return m.hasMatch() ? m.captured(1) : QString();
}

// A primary in one folder and its replica in another, stopped and removed at the end.
class Pareja {
  public:
    Pareja() {
        primario_ = servidorPrueba({"start", dirPrimario_.path(), "fast"});
        if (primario_.isEmpty()) return;
        reserva_ = servidorPrueba({"standby", dirPrimario_.path(), dirReserva_.path()});
    }
    ~Pareja() {
        for (const QTemporaryDir* d : {&dirReserva_, &dirPrimario_})
            if (QFileInfo::exists(d->path() + "/data")) servidorPrueba({"stop", d->path()});
    }
    bool lista() const { return !primario_.isEmpty() && !reserva_.isEmpty(); }
    // Both servers, the writable one wherever it is: what an office's DBServer says.
    QString ambos() const {
        return QString("host=%1,%2 port=%3,%4 user=qvr dbname=qvr target_session_attrs=read-write")
            .arg(valorDe(primario_, "host"), valorDe(reserva_, "host"), valorDe(primario_, "port"),
                 valorDe(reserva_, "port"));
    }
    const QString& reserva() const { return reserva_; }
    QString carpetaPrimario() const { return dirPrimario_.path(); }
    QString carpetaReserva() const { return dirReserva_.path(); }

  private:
    QTemporaryDir dirPrimario_;
    QTemporaryDir dirReserva_;
    QString primario_;
    QString reserva_;
};

int veces(const QStringList& textos, const QString& parte) {
    int n = 0;
    for (const QString& t : textos) n += t.contains(parte) ? 1 : 0;
    return n;
}

TEST(ServidorReserva, LaReservaPromovidaSigueLaDeclaracionAbierta) {
    QVR_REQUIERE_SERVIDOR();
    Pareja pareja;
    ASSERT_TRUE(pareja.lista());
    const QByteArray previa = qgetenv("QVR_PG_CONNINFO");
    // The test's schema and every connection go through the office's two-server connection string.
    qputenv("QVR_PG_CONNINFO", pareja.ambos().toUtf8());
    {
        prueba::Entorno env(prueba::Motor::Postgres);
        prueba::preparaDeclaraciones(env);
        env.cierraBase();
        auto base = env.abreBase();
        EXPECT_EQ(base->escalar("SELECT current_setting('data_directory')").toString(),
                  pareja.carpetaPrimario() + "/data");
        ValoresEjecucion v;
        const auto s = prueba::abreSesion(*base, v, 2, kRuc, "ANA");
        ASSERT_FALSE(HasFailure()) << "the session of the stored declaration did not open";
        ASSERT_TRUE(tecleaCasilla(s->declaracion(), 100, "2500"));
        ASSERT_TRUE(s->graba().grabado);
        ASSERT_EQ(prueba::dividendosGuardados(*base, kRuc), 2);

        // The primary goes away (a clean stop: the replica has every commit) before anyone promotes
        // the replica: a program that starts now is told that no server takes writes, not that its
        // login was refused.
        ASSERT_EQ(servidorPrueba({"halt", pareja.carpetaPrimario()}), "");
        try {
            BaseDatos::abreServidor(env.servidor(), {});
            ADD_FAILURE() << "a standby was taken for the primary";
        } catch (const ErrorBD& x) {
            EXPECT_EQ(x.numero(), jet::ConexionFallida);
            EXPECT_TRUE(x.descripcion().contains("acepta escrituras")) << x.descripcion().toStdString();
        }
        ASSERT_EQ(servidorPrueba({"promote", pareja.carpetaReserva()}), "");

        env.dialogos().mostrados.clear();
        ASSERT_TRUE(tecleaCasilla(s->declaracion(), 100, "2600"));
        EXPECT_FALSE(s->graba().grabado) << "the first step meets the lost connection";
        EXPECT_TRUE(s->graba().grabado);
        EXPECT_EQ(veces(env.dialogos().textos(), kPerdida), 1)
            << env.dialogos().textos().join('\n').toStdString();
        EXPECT_EQ(base->reconexiones(), 1);
        EXPECT_EQ(s->listas().filas(ListaAnexo::Dividendos), 2);
        EXPECT_EQ(base->escalar("SELECT current_setting('data_directory')").toString(),
                  pareja.carpetaReserva() + "/data");
        EXPECT_FALSE(base->escalar("SELECT pg_is_in_recovery()").toBool());
        EXPECT_TRUE(base->escalar("SELECT current_setting('application_name')").toString().endsWith("/qvr"));

        // What the new primary holds, read straight from it.
        auto control = BaseDatos::abreServidor(
            pareja.reserva() +
                QString(" options='-c search_path=%1'").arg(valorDe(env.servidor(), "search_path")),
            {});
        EXPECT_EQ(prueba::dividendosGuardados(*control, kRuc), 2);
        EXPECT_EQ(prueba::filasDet(*control, kRuc)["100"], "2600");
        // A second program starting now goes straight to the new primary.
        EXPECT_EQ(env.abreBase()->escalar("SELECT current_setting('data_directory')").toString(),
                  pareja.carpetaReserva() + "/data");
    }
    qputenv("QVR_PG_CONNINFO", previa);
}

}  // namespace
