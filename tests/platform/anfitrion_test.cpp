// The host check: a shown window holds the mark of its caption; the modules find it by its exact
// caption, and only while a running program holds it.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QTest>
#include <QWidget>
#include <cstring>
#include <memory>

#include "platform/windows.h"
#include "support/carpeta_ejecucion.h"

using qvr::cWindows;
using qvr::MarcaVentana;

namespace {

class Anfitrion : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(runtime.isValid()); }

    qvr::prueba::CarpetaEjecucion runtime;
};

}  // namespace

TEST_F(Anfitrion, SoloElCaptionExactoDeUnaVentanaMostrada) {
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));

    QWidget parecida;
    parecida.setWindowTitle("Orvelane - demo");
    new MarcaVentana(&parecida, parecida.windowTitle());
    auto host = std::make_unique<QWidget>();
    host->setWindowTitle("Orvelane");
    new MarcaVentana(host.get(), host->windowTitle());
    // Built but not shown: no mark yet.
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));

    parecida.show();
    host->show();
    EXPECT_TRUE(cWindows().CorreApp("Orvelane"));
    EXPECT_TRUE(cWindows().CorreApp("Orvelane - demo"));
    for (const char* otro : {"orvelane", "Orvelane ", "Orvelane - dem", "Orvelan", ""})
        EXPECT_FALSE(cWindows().CorreApp(otro)) << otro;

    host->hide();
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));
    EXPECT_TRUE(cWindows().CorreApp("Orvelane - demo"));
    host->show();
    EXPECT_TRUE(cWindows().CorreApp("Orvelane"));
    host.reset();
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));
    EXPECT_FALSE(QFile::exists(MarcaVentana::ruta("Orvelane")));
}

TEST_F(Anfitrion, LaMarcaDeUnProgramaQueMurioNoCuentaYSeRetoma) {
    // What a host that died leaves behind: the socket file, with nobody listening on it.
    const QByteArray ruta = QFile::encodeName(MarcaVentana::ruta("Orvelane"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un dir{};
    dir.sun_family = AF_UNIX;
    ASSERT_LT(size_t(ruta.size()), sizeof(dir.sun_path));
    std::memcpy(dir.sun_path, ruta.constData(), size_t(ruta.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&dir), sizeof(dir)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(ruta));
    EXPECT_FALSE(cWindows().CorreApp("Orvelane"));

    QWidget host;
    host.setWindowTitle("Orvelane");
    auto* marca = new MarcaVentana(&host, "Orvelane");
    host.show();
    EXPECT_TRUE(marca->tomada());
    EXPECT_TRUE(cWindows().CorreApp("Orvelane"));
}

TEST_F(Anfitrion, UnaSegundaVentanaTomaLaMarcaCuandoLaPrimeraLaSuelta) {
    QWidget primera;
    auto* m1 = new MarcaVentana(&primera, "Orvelane");
    primera.show();
    QWidget segunda;
    auto* m2 = new MarcaVentana(&segunda, "Orvelane");
    segunda.show();
    EXPECT_TRUE(m1->tomada());
    EXPECT_FALSE(m2->tomada());
    EXPECT_FALSE(m2->toma());

    primera.hide();
    QTRY_VERIFY_WITH_TIMEOUT(m2->tomada(), 5000);
    EXPECT_TRUE(cWindows().CorreApp("Orvelane"));
}

TEST_F(Anfitrion, UnCaptionConEspaciosYAcentosTieneSuPropiaMarca) {
    QWidget w;
    new MarcaVentana(&w, "Declaración Pago Anual");
    w.show();
    EXPECT_TRUE(cWindows().CorreApp("Declaración Pago Anual"));
    EXPECT_FALSE(cWindows().CorreApp("Declaracion Pago Anual"));
    EXPECT_FALSE(cWindows().CorreApp("Declaración"));
    EXPECT_TRUE(MarcaVentana::ruta("Declaración Pago Anual").startsWith(runtime.path() + "/"));
}
