// The recovery copy of a declaration session, without a window: two sessions of one user and
// taxpayer keep a copy each and never remove the other's; a copy left by a session that ended
// without saving is offered to the next one, unless the stored declaration was saved since; a copy
// that cannot be written is said once to the person.
#include "varnel/sesion/recuperacion_sesion.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"
#include "varnel/declaration/recuperacion.h"
#include "varnel/sesion/sesion_declaracion.h"

using namespace qvr;

namespace {

const QString kRuc = "20100047218";  // ANA's stored declaration
const QString kPregunta = "El formulario tiene cambios que no fueron grabados (copia de recuperación del ";

class RecuperacionSesionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(datos.isValid());
        qputenv("XDG_DATA_HOME", datos.path().toLocal8Bit());
        prueba::preparaDeclaraciones(env);
        a = env.abreBase();
        b = env.abreBase();
    }

    // A session of ANA on the stored declaration, on its own connection (its own working rows).
    std::unique_ptr<SesionDeclaracion> abre(BaseDatos& base, ValoresEjecucion& v, bool copia = true) {
        v.ModoDeclaracion = 2;
        v.RucDeclarante = kRuc;
        EntornoSesion e;
        e.base = &base;
        e.usuario = "ANA";
        e.copiaRecuperacion = copia;
        auto s = std::make_unique<SesionDeclaracion>(e, v);
        EXPECT_TRUE(s->abre().abierta);
        return s;
    }
    static void escribe(SesionDeclaracion& s) { s.recuperacion()->escribe(); }
    QStringList copias() const {
        return QDir(carpetaRecuperacion()).entryList({"ANA_*.json"}, QDir::Files, QDir::Name);
    }
    QStringList textos() { return env.dialogos().textos(); }
    int preguntas() { return int(textos().filter(kPregunta).size()); }

    QTemporaryDir datos;
    prueba::Entorno env;
    std::unique_ptr<BaseDatos> a, b;
};

// Two windows of the same declaration: the second is not offered the first one's copy while the
// first is open, and neither "No" at the closing question nor a save of one removes the other's.
// Before, both wrote one file: the second overwrote and then deleted the first one's typing.
TEST_F(RecuperacionSesionTest, DosSesionesNoSeBorranLaCopia) {
    ValoresEjecucion va, vb, vc, vd;
    auto sa = abre(*a, va);
    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
    escribe(*sa);
    ASSERT_EQ(copias().size(), 1);

    auto sb = abre(*b, vb);
    EXPECT_EQ(preguntas(), 0) << textos().join(" | ").toStdString();
    EXPECT_EQ(sb->declaracion().texto(100), "1,500");
    ASSERT_TRUE(tecleaCasilla(sb->declaracion(), 102, "900"));
    escribe(*sb);
    EXPECT_EQ(copias().size(), 2);
    env.dialogos().responde(Respuesta::No);
    EXPECT_EQ(sb->decideCierre({}, {}), DecisionCierre::Cerrar);
    sb.reset();
    ASSERT_EQ(copias().size(), 1);

    // A third window while A is still open: nothing offered, nothing removed.
    auto sc = abre(*b, vc);
    EXPECT_EQ(preguntas(), 0);
    sc.reset();
    EXPECT_EQ(copias().size(), 1);

    // A ends without saving (as when the program stops): its copy comes back to the next window.
    sa.reset();
    env.dialogos().mostrados.clear();
    env.dialogos().responde(Respuesta::Si);
    auto sd = abre(*a, vd);
    EXPECT_EQ(preguntas(), 1) << textos().join(" | ").toStdString();
    EXPECT_EQ(sd->declaracion().texto(100), "2,000");
    EXPECT_TRUE(sd->declaracion().Modificado);
    ASSERT_EQ(copias().size(), 1);  // now the restoring session's
    ASSERT_TRUE(sd->graba().grabado);
    EXPECT_TRUE(copias().isEmpty());
}

// Every copy left by sessions that ended without saving is offered, one after the other; a copy
// under the single name of earlier versions too.
TEST_F(RecuperacionSesionTest, SeOfrecenLasCopiasDeLasSesionesTerminadasYLaDelNombreAntiguo) {
    ValoresEjecucion va, vb, vc;
    {
        auto sa = abre(*a, va);
        auto sb = abre(*b, vb);
        ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
        ASSERT_TRUE(tecleaCasilla(sb->declaracion(), 102, "900"));
        escribe(*sa);
        escribe(*sb);
    }
    ASSERT_EQ(copias().size(), 2);
    // The old single file, taken from the same stored state as the others.
    const QString antigua = archivoRecuperacion("ANA", [] {
        ClaveDeclaracion k;
        k.ruc = kRuc;
        return k;
    }());
    ASSERT_TRUE(QFile::copy(carpetaRecuperacion() + "/" + copias()[0], antigua));
    ASSERT_EQ(copias().size(), 3);

    env.dialogos().mostrados.clear();
    for (int i = 0; i < 3; ++i) env.dialogos().responde(Respuesta::No);
    auto sc = abre(*a, vc);
    EXPECT_EQ(preguntas(), 3) << textos().join(" | ").toStdString();
    EXPECT_FALSE(sc->declaracion().Modificado);
    EXPECT_TRUE(copias().isEmpty());
}

// A copy taken from a stored state that another save has replaced since (here the same day, with
// the same header) is not put back over the newer save: the person is told, and it is kept aside.
// Before, the header's date and control number matched, the copy was offered and "Sí" brought the
// other save's boxes back to what they were.
TEST_F(RecuperacionSesionTest, UnaCopiaSuperadaPorOtroGrabadoNoSeRecupera) {
    ValoresEjecucion v0, va, vb, vc;
    {
        // Saved today once, so that the later save does not change the header's date.
        auto s0 = abre(*a, v0, false);
        ASSERT_TRUE(tecleaCasilla(s0->declaracion(), 102, "800"));
        ASSERT_TRUE(s0->graba().grabado);
    }
    auto sa = abre(*a, va);
    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
    escribe(*sa);
    {
        auto sb = abre(*b, vb, false);
        ASSERT_TRUE(tecleaCasilla(sb->declaracion(), 102, "900"));
        ASSERT_TRUE(sb->graba().grabado);
    }
    sa.reset();
    ASSERT_EQ(copias().size(), 1);

    env.dialogos().mostrados.clear();
    env.dialogos().responde(Respuesta::Si);
    auto sc = abre(*a, vc);
    EXPECT_EQ(preguntas(), 0) << textos().join(" | ").toStdString();
    EXPECT_EQ(sc->declaracion().texto(102), "900");
    EXPECT_EQ(sc->declaracion().texto(100), "1,500");
    EXPECT_FALSE(sc->declaracion().Modificado);
    ASSERT_EQ(textos().filter("fue grabada después de").size(), 1) << textos().join(" | ").toStdString();
    const QStringList apartadas = QDir(carpetaRecuperacion()).entryList({"ANA_*.superada-*"}, QDir::Files);
    ASSERT_EQ(apartadas.size(), 1);
    EXPECT_TRUE(textos().filter(apartadas[0]).size() == 1) << textos().join(" | ").toStdString();
    EXPECT_TRUE(copias().isEmpty());
}

// A copy that cannot be written: the first failure of the session is shown to the person, the
// next ones are not, and a write that works again re-arms it. Before, only standard error heard.
TEST_F(RecuperacionSesionTest, UnaCopiaQueNoSePuedeEscribirSeDiceUnaVez) {
    const QString carpeta = carpetaRecuperacion();
    const auto bloquea = [&] {
        // A file where the folder goes: nothing can be written in it.
        if (QFileInfo(carpeta).isDir()) {
            ASSERT_TRUE(QDir().rename(carpeta, carpeta + ".aparte"));
        }
        ASSERT_TRUE(QDir().mkpath(QFileInfo(carpeta).absolutePath()));
        QFile f(carpeta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    bloquea();
    ValoresEjecucion va;
    auto sa = abre(*a, va);
    env.dialogos().mostrados.clear();
    const QString titulo = sa->declaracion().Titulo;
    const auto aviso = [&] {
        int n = 0;
        for (const Mensaje& m : env.dialogos().mostrados) {
            if (!m.texto.startsWith("No se pudo guardar la copia de recuperación en '")) continue;
            ++n;
            EXPECT_TRUE(m.texto.startsWith("No se pudo guardar la copia de recuperación en '" +
                                           QDir::toNativeSeparators(carpeta) + "': "))
                << m.texto.toStdString();
            EXPECT_TRUE(m.texto.endsWith(". Lo escrito sigue en la ventana; grabe la declaración."))
                << m.texto.toStdString();
            EXPECT_EQ(m.icono, Icono::Exclamacion);
            EXPECT_EQ(m.titulo, titulo);
        }
        env.dialogos().mostrados.clear();
        return n;
    };

    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "2000"));
    escribe(*sa);
    EXPECT_EQ(aviso(), 1);
    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "3000"));
    escribe(*sa);
    EXPECT_EQ(aviso(), 0);

    ASSERT_TRUE(QFile::remove(carpeta));
    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "4000"));
    escribe(*sa);
    EXPECT_EQ(aviso(), 0);
    EXPECT_EQ(copias().size(), 1);

    bloquea();
    ASSERT_TRUE(tecleaCasilla(sa->declaracion(), 100, "5000"));
    escribe(*sa);
    EXPECT_EQ(aviso(), 1);
}

}  // namespace
