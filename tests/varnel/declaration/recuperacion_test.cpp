// The recovery copy's file: the format through and back, the version pinned by a fixture, the
// atomic write, the file names, and copies that cannot be used set aside (never deleted).
#include "varnel/declaration/recuperacion.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/persist_datos.h"

using namespace qvr;

namespace {

TablaRecuperada dividendos(int n) {
    TablaRecuperada t;
    t.tabla = "TMP_F0738DIVID";
    t.columnas = {"num_RUC", "des_entpagadora", "fec_retenida", "mto_distribuido", "mto_retenido"};
    for (int i = 0; i < n; ++i)
        t.filas.push_back({QString("20%1").arg(100000000 + i), QString("PAGADORA Ñandú %1 «S.A.»").arg(i),
                           QString("2003-%1-15").arg(1 + i % 12, 2, 10, QChar('0')),
                           qlonglong(999999999999LL - i),
                           i % 3 == 0 ? QVariant() : QVariant(qlonglong(41 + i))});
    return t;
}

CopiaRecuperacion copia(const QString& usuario, const QString& ruc) {
    CopiaRecuperacion c;
    c.usuario = usuario;
    c.clave.ruc = ruc;
    c.momento = QDateTime::fromString("2026-12-10T06:59:03.250-05:00", Qt::ISODateWithMs);
    return c;
}

// The pinned copy: every kind of control, and one row of each annex table (as version 1 held it,
// without the stored content it was taken from).
CopiaRecuperacion copiaFijada() {
    CopiaRecuperacion c = copia("ANA", "20100047218");
    c.guardada = {true, "09/12/2026", "123456"};
    Instantanea& s = c.datos;
    s.ruc = "20100047218";
    s.casillas = {
        {107, "12,345"}, {122, "(1,234)"}, {801, "PEÑA"}, {803, "JOSÉ ÁNGEL"}, {817, "COMPAÑÍA ANDINA"}};
    s.rectifica = Opcion::No;
    s.general = Opcion::Si;
    s.inmueble = Opcion::Si;
    s.listas = {{204, "06  -  REG. UNICO DE CONTRIBUYENTES"}, {205, ""}};
    s.profesion = "01     ABOGADO";
    s.telefono = "4567890";
    s.fechaNacimiento = "15/03/1970";
    s.pago = MedioPago{"C", "0018", "00012345", "12,345"};
    c.anexos = {dividendos(1)};
    TablaRecuperada e;
    e.tabla = "TMP_F0738EXTRA";
    e.columnas = {"ind_pais", "mto_inversion", "des_pais"};
    e.filas = {{"US", 1500.5, QVariant()}};
    c.anexos.push_back(e);
    return c;
}

// The same copy in version 2, with the stored content it was taken from.
CopiaRecuperacion copiaFijada2() {
    CopiaRecuperacion c = copiaFijada();
    c.base = QByteArray::fromHex("9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08");
    return c;
}

QString rutaFixture(int version) {
    return QString(QVR_FIXTURES) + QString("/recuperacion/version%1.json").arg(version);
}

QByteArray leeFixture(int version) {
    QFile f(rutaFixture(version));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

class Recuperacion : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(datos.isValid());
        qputenv("XDG_DATA_HOME", datos.path().toLocal8Bit());
    }
    QStringList archivos() const { return QDir(carpetaRecuperacion()).entryList(QDir::Files, QDir::Name); }
    QTemporaryDir datos;
};

}  // namespace

TEST_F(Recuperacion, LaCopiaVaYVuelveIdentica) {
    struct Caso {
        const char* nombre;
        CopiaRecuperacion c;
    };
    std::vector<Caso> casos;
    casos.push_back({"vacía, nueva", copia("ANA", "10455555551")});
    casos.back().c.nueva = true;
    casos.back().c.base = QByteArray();  // nothing stored yet
    {
        CopiaRecuperacion c = copia("JOSÉ", "20100047218");
        c.datos = prueba::declaracionCompleta("20100047218");
        c.datos.casillas[107] = "999,999,999,999";
        c.datos.casillas[122] = "(999,999,999,999)";
        c.datos.casillas.erase(108);
        c.datos.casillas[801] = "ÑAÑEZ";
        c.datos.casillas[803] = "MARÍA JOSÉ";
        c.datos.devolucion = Opcion::Ninguna;
        c.anexos = {dividendos(500), TablaRecuperada{"TMP_F0738EXTRA", {"a", "b"}, {}},
                    TablaRecuperada{"TMP_F0738FIDEI", {}, {}}};
        casos.push_back({"completa con 500 dividendos", c});
    }
    casos.push_back({"fijada, sin contenido guardado", copiaFijada()});
    casos.push_back({"fijada", copiaFijada2()});
    {
        CopiaRecuperacion c = copia("ana maria", "20100047218");
        c.datos.pago = MedioPago{"E", "XX", "", ""};
        c.datos.orden = "12345678";
        c.datos.verifica = "90";
        c.datos.fechaNacimiento = "__/__/____";
        c.datos.extranjero = Opcion::Si;
        c.datos.fideicomiso = Opcion::No;
        casos.push_back({"efectivo, sin montos", c});
    }
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nombre);
        const QByteArray json = aJson(k.c);
        QString error;
        const auto leida = deJson(json, &error);
        ASSERT_TRUE(leida) << error.toStdString();
        EXPECT_TRUE(*leida == k.c);
        EXPECT_EQ(leida->datos, k.c.datos);
        EXPECT_EQ(aJson(*leida), json);
        // And through the file.
        const QString archivo = archivoRecuperacion(k.c.usuario, k.c.clave);
        ASSERT_TRUE(escribeCopia(archivo, k.c, &error)) << error.toStdString();
        const LecturaCopia l = leeCopia(archivo, k.c.usuario, k.c.clave.ruc);
        ASSERT_EQ(l.estado, LecturaCopia::Leida) << l.mensaje.toStdString();
        EXPECT_TRUE(l.copia == k.c);
    }
}

TEST_F(Recuperacion, CadaVersionQuedaFijadaPorSuFixture) {
    if (qEnvironmentVariableIsSet("QVR_ACTUALIZA_GOLDEN")) {
        QFile f(rutaFixture(kVersionRecuperacion));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(aJson(copiaFijada2()));
        GTEST_SKIP() << "fixture written";
    }
    // Version 1, written by earlier programs, still reads: without the stored content.
    QString error;
    const auto c1 = deJson(leeFixture(1), &error);
    ASSERT_TRUE(c1) << error.toStdString();
    EXPECT_TRUE(*c1 == copiaFijada());
    EXPECT_FALSE(c1->base.has_value());
    EXPECT_EQ(c1->datos.casilla(803), "JOSÉ ÁNGEL");
    EXPECT_EQ(c1->anexos[0].filas[0][3].toLongLong(), 999999999999LL);

    const QByteArray fixture2 = leeFixture(2);
    const auto c2 = deJson(fixture2, &error);
    ASSERT_TRUE(c2) << error.toStdString();
    EXPECT_TRUE(*c2 == copiaFijada2());
    EXPECT_EQ(aJson(copiaFijada2()), fixture2);
    // Unknown content (null) and none stored ("") read as such; anything else is refused.
    QByteArray nulo = fixture2;
    nulo.replace("\"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08\"", "null");
    ASSERT_TRUE(deJson(nulo, &error)) << error.toStdString();
    EXPECT_FALSE(deJson(nulo, &error)->base.has_value());
    QByteArray vacio = fixture2;
    vacio.replace("9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08", "");
    ASSERT_TRUE(deJson(vacio, &error)) << error.toStdString();
    EXPECT_EQ(deJson(vacio, &error)->base, QByteArray());
    QByteArray malo = fixture2;
    malo.replace("9f86d0", "zz86d0");
    EXPECT_FALSE(deJson(malo, &error));
    EXPECT_EQ(error, "falta el contenido guardado de la copia");
}

TEST_F(Recuperacion, UnaCopiaPorUsuarioYContribuyenteSinSalirDeLaCarpeta) {
    ClaveDeclaracion k;
    k.ruc = "20100047218";
    const QString carpeta = QDir(datos.path()).filePath("qvr/recuperacion");
    EXPECT_EQ(carpetaRecuperacion(), carpeta);
    EXPECT_EQ(archivoRecuperacion("ANA", k), carpeta + "/ANA_20100047218_0738_2003.json");
    // Two users, or a user whose name looks like a path or holds the separator, never share a file.
    QStringList nombres;
    for (const QString u : {"ANA", "ana", "../ANA", "A_B", "JOSÉ"}) nombres << archivoRecuperacion(u, k);
    nombres.removeDuplicates();
    EXPECT_EQ(nombres.size(), 5);
    for (const QString& n : nombres) EXPECT_EQ(QFileInfo(n).absolutePath(), carpeta) << n.toStdString();
    ClaveDeclaracion otra = k;
    otra.ruc = "B_20100047218";
    EXPECT_NE(archivoRecuperacion("A", otra), archivoRecuperacion("A_B", k));
}

TEST_F(Recuperacion, ReescribirDejaUnaSolaCopiaEntera) {
    const CopiaRecuperacion c = copiaFijada();
    const QString archivo = archivoRecuperacion(c.usuario, c.clave);
    QString error;
    ASSERT_TRUE(escribeCopia(archivo, c, &error));
    CopiaRecuperacion segunda = c;
    segunda.datos.casillas[107] = "1";
    ASSERT_TRUE(escribeCopia(archivo, segunda, &error));
    EXPECT_EQ(archivos(), QStringList{QFileInfo(archivo).fileName()});
    EXPECT_EQ(leeCopia(archivo).copia.datos.casilla(107), "1");
    EXPECT_EQ(QFile(archivo).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);
    EXPECT_TRUE(eliminaCopia(archivo));
    EXPECT_TRUE(archivos().isEmpty());
    EXPECT_EQ(leeCopia(archivo).estado, LecturaCopia::Ninguna);
}

// A folder on a full disk: the write that cannot be completed leaves the previous copy as it was
// and no half-written file beside it. Before, a small copy was buffered, the failed flush went
// unnoticed and an empty file replaced the good copy.
TEST_F(Recuperacion, UnaEscrituraQueNoCabeConservaLaCopiaAnterior) {
    if (::geteuid() != 0) GTEST_SKIP() << "the full-folder case needs root to mount a small tmpfs";
    const QString carpeta = carpetaRecuperacion();
    ASSERT_TRUE(QDir().mkpath(carpeta));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", carpeta}) != 0)
        GTEST_SKIP() << "mount is not available here";
    struct Desmonta {
        QString c;
        ~Desmonta() { QProcess::execute("umount", {c}); }
    } desmonta{carpeta};

    CopiaRecuperacion grande = copiaFijada();
    grande.anexos = {dividendos(300)};  // more than a write buffer
    const struct {
        const char* nombre;
        CopiaRecuperacion nueva;
    } casos[] = {{"pequeña", copiaFijada()}, {"grande", grande}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        const CopiaRecuperacion buena = copia("ANA", "20100047218");
        const QString archivo = archivoRecuperacion(buena.usuario, buena.clave);
        QString error;
        ASSERT_TRUE(escribeCopia(archivo, buena, &error)) << error.toStdString();
        // Fill what is left of the folder.
        const QString relleno = carpeta + "/relleno";
        {
            QFile f(relleno);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray bloque(4096, 'x');
            while (f.write(bloque) > 0) {
            }
        }
        EXPECT_FALSE(escribeCopia(archivo, k.nueva, &error));
        EXPECT_TRUE(error.contains("no queda espacio")) << error.toStdString();
        const LecturaCopia l = leeCopia(archivo, buena.usuario, buena.clave.ruc);
        ASSERT_EQ(l.estado, LecturaCopia::Leida) << l.mensaje.toStdString();
        EXPECT_TRUE(l.copia == buena);
        EXPECT_EQ(archivos(), (QStringList{QFileInfo(archivo).fileName(), "relleno"}));
        ASSERT_TRUE(QFile::remove(relleno));
        ASSERT_TRUE(eliminaCopia(archivo));
    }
}

TEST_F(Recuperacion, UnaCopiaQueNoSirveSeApartaConUnaLinea) {
    const QByteArray buena = aJson(copiaFijada());
    QByteArray version3 = buena;
    version3.replace("\"version\": 2", "\"version\": 3");
    QByteArray filaCorta = buena;
    filaCorta.replace("\"US\",", "");
    QByteArray casilla = buena;
    casilla.replace("\"107\"", "\"999\"");
    QByteArray opcion = buena;
    opcion.replace("\"rectifica\": \"No\"", "\"rectifica\": \"Tal vez\"");
    // Names from the file reach the one-line reason without their line breaks, and not at any length.
    QByteArray casillaConSaltos = buena;
    casillaConSaltos.replace("\"107\"", "\"107\\n\\u2028" + QByteArray(100, 'x') + "\"");
    QByteArray tablaConSaltos = filaCorta;
    tablaConSaltos.replace("\"TMP_F0738EXTRA\"", "\"TMP_%1\\r\\nEXTRA\"");
    QByteArray sinPago = buena;
    sinPago.replace("\"pago\"", "\"pagos\"");
    const struct {
        const char* nombre;
        QByteArray contenido;
        const char* motivo;
        QString usuario = "ANA";
    } casos[] = {
        {"cortada a la mitad", buena.left(buena.size() / 2), "no es un texto JSON completo"},
        {"vacía", "", "no es un texto JSON completo"},
        {"otro formato", "{\"version\": 1}", "no es una copia de recuperación"},
        {"versión futura", version3, "versión 3 de la copia, que este programa no conoce"},
        {"fila sin sus columnas", filaCorta, "una fila de TMP_F0738EXTRA no tiene sus 3 columnas"},
        {"casilla ajena", casilla, "«999» no es una casilla del formulario"},
        {"casilla con saltos de línea", casillaConSaltos,
         "«107  xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…» no es una casilla del formulario"},
        {"tabla con saltos de línea", tablaConSaltos, "una fila de TMP_%1  EXTRA no tiene sus 3 columnas"},
        {"opción desconocida", opcion, "la opción «rectifica» no es Si, No ni Ninguna"},
        {"sin pago", sinPago, "falta el grupo «pago»"},
        {"de otro usuario", buena, "es de otro usuario o contribuyente", "LUIS"},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        ClaveDeclaracion clave;
        clave.ruc = "20100047218";
        const QString archivo = archivoRecuperacion(k.usuario, clave);
        QDir().mkpath(carpetaRecuperacion());
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(k.contenido);
        f.close();
        const LecturaCopia l = leeCopia(archivo, k.usuario, clave.ruc);
        EXPECT_EQ(l.estado, LecturaCopia::Danada);
        EXPECT_TRUE(l.mensaje.contains(k.motivo)) << l.mensaje.toStdString();
        EXPECT_FALSE(l.mensaje.contains('\n'));
        // Set aside with its content, not deleted; the next opening finds no copy.
        EXPECT_FALSE(QFileInfo::exists(archivo));
        QFile apartada(l.apartada);
        ASSERT_TRUE(apartada.open(QIODevice::ReadOnly)) << l.apartada.toStdString();
        EXPECT_EQ(apartada.readAll(), k.contenido);
        EXPECT_TRUE(l.mensaje.contains(QFileInfo(l.apartada).fileName()));
        EXPECT_EQ(leeCopia(archivo, k.usuario, clave.ruc).estado, LecturaCopia::Ninguna);
    }
    // Set-aside copies are not listed as copies.
    EXPECT_TRUE(listaCopias().empty());
}
