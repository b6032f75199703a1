// The database file under a running program. A file deleted or replaced since it was opened takes
// no write (before, the write went into the old file that nobody opens again and was reported as
// done); a full disk is said in Spanish ("disco lleno") with the engine's words after it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "common/conexion.h"
#include "platform/database.h"

using namespace qvr;

namespace {

ErrorBD errorDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorBD& e) {
        return e;
    }
    return ErrorBD(0, QString());
}

void escribe(BaseDatos& b, const QString& valor) {
    TransaccionEscritura t(b);
    b.ejecuta("INSERT INTO T (v) VALUES (?)", {valor});
    t.confirma();
}

TEST(ArchivoBase, BorradoOReemplazadoNoRecibeEscrituras) {
    for (const bool reemplazado : {false, true}) {
        SCOPED_TRACE(reemplazado ? "replaced" : "deleted");
        QTemporaryDir dir;
        const QString ruta = dir.path() + "/NEMDAL.MDB";
        BaseDatos::crea(ruta)->ejecuta("CREATE TABLE T (v TEXT)");
        auto b = BaseDatos::abre(ruta);
        escribe(*b, "antes");

        // Another program (a restore, an installer run elsewhere) puts a file in its place.
        ASSERT_TRUE(QFile::rename(ruta, ruta + ".viejo"));
        for (const char* s : {"-wal", "-shm"}) QFile::remove(ruta + s);
        if (reemplazado) {
            ASSERT_TRUE(QFile::copy(ruta + ".viejo", ruta));
        }

        const ErrorBD e = errorDe([&] { escribe(*b, "despues"); });
        EXPECT_EQ(e.numero(), jet::ArchivoNoEncontrado);
        EXPECT_TRUE(e.descripcion().contains(reemplazado ? "reemplazado" : "borrado")) << e.descripcion().toStdString();
        EXPECT_TRUE(e.descripcion().contains("no se grabó nada"));
        // The suite's record message carries the reason.
        EXPECT_TRUE(mensajeErrorRegistro(e.numero(), e.descripcion()).contains(ruta));
        // Reading what is there still works; a new connection writes into the file in place.
        EXPECT_NO_THROW(b->escalar("SELECT count(*) FROM T"));
        if (reemplazado) {
            auto nueva = BaseDatos::abre(ruta);
            EXPECT_NO_THROW(escribe(*nueva, "nueva"));
        }
    }
}

TEST(ArchivoBase, DiscoLlenoSeDiceEnCastellano) {
    if (::geteuid() != 0) GTEST_SKIP() << "the full-disk case needs root to mount a small tmpfs";
    QTemporaryDir dir;
    const QString lleno = dir.path() + "/lleno";
    QDir().mkpath(lleno);
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", lleno}) != 0)
        GTEST_SKIP() << "mount is not available here";
    const QString ruta = lleno + "/NEMDAL.MDB";
    ErrorBD e(0, QString());
    {
        BaseDatos::crea(ruta)->ejecuta("CREATE TABLE T (v TEXT)");
        auto b = BaseDatos::abre(ruta);
        const QString grande(64 * 1024, QChar('x'));
        e = errorDe([&] {
            for (int i = 0; i < 64; ++i) escribe(*b, grande);
        });
    }
    QProcess::execute("umount", {lleno});
    EXPECT_EQ(e.numero(), jet::DiscoLleno) << e.descripcion().toStdString();
    const QString mensaje = mensajeErrorRegistro(e.numero(), e.descripcion());
    EXPECT_TRUE(mensaje.contains("disco lleno")) << mensaje.toStdString();
    // The engine's own words follow the suite's.
    EXPECT_TRUE(mensaje.contains("full", Qt::CaseInsensitive)) << mensaje.toStdString();
}

// A clerk who may only read the file (another user's database) reads it, and leaves behind no
// shared-memory file of its own: before, that file kept the owner from writing ("solo lectura").
TEST(ArchivoBase, UnLectorSinPermisoNoDejaArchivosQueBloqueen) {
    if (::geteuid() != 0) GTEST_SKIP() << "the reader runs as another user: needs root";
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::WriteOther | QFileDevice::ExeOther));
    const QString ruta = dir.path() + "/NEMDAL.MDB";
    {
        auto b = BaseDatos::crea(ruta);
        b->ejecuta("CREATE TABLE T (v TEXT)");
        escribe(*b, "uno");
    }
    ASSERT_FALSE(QFileInfo::exists(ruta + "-shm"));

    const pid_t hijo = ::fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        // The reader: "nobody", who may read the file and write in its folder, not the file itself.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        int salida = 0;
        try {
            auto b = BaseDatos::abre(ruta);
            if (b->escalar("SELECT v FROM T").toString() != "uno") salida = 4;
            const ErrorBD e = errorDe([&] { escribe(*b, "dos"); });
            if (e.numero() != jet::SoloLectura) salida = 5;
        } catch (const ErrorBD&) {
            salida = 6;
        }
        ::_exit(salida);
    }
    int estado = 0;
    ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "3 setuid, 4 read, 5 write not refused as read-only, 6 open failed";
    EXPECT_FALSE(QFileInfo::exists(ruta + "-shm"));
    EXPECT_FALSE(QFileInfo::exists(ruta + "-wal"));
    auto duenio = BaseDatos::abre(ruta);
    EXPECT_NO_THROW(escribe(*duenio, "tres"));
}

}  // namespace
