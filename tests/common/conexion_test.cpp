#include <gtest/gtest.h>

#include <QFile>

#include "common/conexion.h"
#include "common/contribuyentes.h"
#include "platform/descripciones_jet.h"
#include "platform/profile.h"
#include "support/entorno.h"

using namespace qvr;

TEST(Conexion, AbreEscribeSystemDBYLeeLaConfiguracion) {
    prueba::Entorno env;
    env.escribeIni("DBPath", "  " + env.sistema());
    env.escribeIni("DBName", " NEMDAL.MDB ");
    DatosSesion s;
    LeeConfiguracion(s);
    EXPECT_EQ(s.RutaBaseDatos, env.sistema() + "NEMDAL.MDB");
    EXPECT_EQ(s.RutaReportes, env.sistema() + "RPT");
    EXPECT_EQ(s.Usuario, "DEMO");
    ASSERT_TRUE(AbreBaseDatos(s));
    EXPECT_TRUE(s.Base->abierta());
    EXPECT_EQ(Perfil::lee("Options", "SystemDB", "", "NEMDAL.INI"), env.sistema() + "NEMDAL.MDW");
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

TEST(Conexion, SinSeparadorFinalSeConcatenaIgual) {
    prueba::Entorno env;
    env.escribeIni("SysPath", "/no/existe/qvr");
    DatosSesion s;
    LeeConfiguracion(s);
    EXPECT_EQ(s.RutaReportes, "/no/existe/qvrRPT");
}

TEST(Conexion, FallasAlAbrirMuestranSuMensaje) {
    prueba::Entorno env;
    DatosSesion s;
    LeeConfiguracion(s);
    {  // locked exclusively by another program
        env.cierraBase();
        auto otro = BaseDatos::crea(env.rutaBase());
        otro->escalar("PRAGMA locking_mode=EXCLUSIVE");
        otro->ejecuta("BEGIN EXCLUSIVE");
        otro->ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('X', '0')");
        qputenv("QVR_ESPERA_MS", "50");
        EXPECT_FALSE(AbreBaseDatos(s));
        qunsetenv("QVR_ESPERA_MS");
        otro->ejecuta("ROLLBACK");
    }
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto, " 3051- Base esta bloqueda");
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, "Error de Conección");

    env.escribeIni("DBName", "OTRA.MDB");
    LeeConfiguracion(s);
    EXPECT_FALSE(AbreBaseDatos(s));
    EXPECT_TRUE(env.dialogos().mostrados.back().texto.endsWith("\n 3024"));

    QFile::remove(env.sistema() + "NEMDAL.MDW");
    env.escribeIni("DBName", "NEMDAL.MDB");
    LeeConfiguracion(s);
    EXPECT_FALSE(AbreBaseDatos(s));
    EXPECT_TRUE(env.dialogos().mostrados.back().texto.endsWith("\n 3028"));
}

TEST(Conexion, MensajesDeErrorDeRegistro) {
    prueba::Entorno env;
    struct Caso { int numero; const char* texto; } casos[] = {
        {3020, "Registro ha sido eliminado por otro usuario"},
        {3022, "Registro ya existe lo ingresaron en ese momento"},
        {3167, "Registro ha sido modificado o eliminado por otro usuario"},
        {3186, "No puede grabarlo. Actualmente bloqueado"},
        {3197, "La data ha cambiado"},
        {3260, "Registro bloqueado. Intente luego"},
        // The Spanish description of the number first, the engine's text on its own line.
        {3043, "Error tecnico:  3043\nError en el disco o en la red al leer o escribir la base de datos.\nDisco\n"
               "Intente nuevamente por favor."},
    };
    for (const auto& c : casos) {
        bool ok = true;
        ErrorRegistro(ErrorBD(c.numero, "Disco"), &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(env.dialogos().mostrados.back().texto, QString::fromUtf8(c.texto));
        EXPECT_EQ(env.dialogos().mostrados.back().titulo, "Mensaje");
        EXPECT_EQ(env.dialogos().mostrados.back().icono, Icono::Informacion);
    }
}

TEST(Conexion, ErrorRealDeClaveDuplicadaDaSuMensaje) {
    prueba::Entorno env;
    env.agregaUsuario("ANA", "0");
    bool ok = true;
    try {
        env.agregaUsuario("ANA", "0");
    } catch (const ErrorBD& e) {
        ErrorRegistro(e, &ok);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(env.dialogos().mostrados.back().texto, "Registro ya existe lo ingresaron en ese momento");
}

TEST(Conexion, TipoDeUsuario) {
    prueba::Entorno env;
    env.agregaUsuario("ANA", "0");
    env.agregaUsuario("LUIS", "2");
    EXPECT_EQ(TipoUsuario(env.base(), "ANA"), "0");
    EXPECT_EQ(TipoUsuario(env.base(), "LUIS"), "2");
    EXPECT_EQ(TipoUsuario(env.base(), "NADIE"), "1");
}

class ConexionMotor : public prueba::PorMotor {};

TEST_P(ConexionMotor, AbreLaBaseQueNombraElIni) {
    prueba::Entorno env(GetParam());
    env.agregaUsuario("DEMO", "0");
    DatosSesion s;
    LeeConfiguracion(s);
    // On the server the INI's connection logs in as DEMO (support/entorno).
    EXPECT_TRUE(s.ServidorBD.startsWith(env.servidor())) << s.ServidorBD.toStdString();
    ASSERT_TRUE(AbreBaseDatos(s));
    EXPECT_EQ(s.Usuario, "DEMO");
    EXPECT_EQ(TipoUsuario(*s.Base, "DEMO"), "0");
    EXPECT_EQ(TipoUsuario(*s.Base, "OTRO"), "1");
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

// User names compare without regard to case on both engines, accented letters included; a name
// spelled with other letters is another user.
TEST_P(ConexionMotor, UsuariosSinDistinguirMayusculasNiEnLasLetrasConTilde) {
    prueba::Entorno env(GetParam());
    env.agregaUsuario("NÚÑEZ", "0");
    env.agregaUsuario("Peña", "1");
    env.agregaContribuyente("10000000001", "ROJAS", "DIAZ", "ANA", "peña");
    env.agregaContribuyente("10000000002", "SOTO", "LUNA", "LUIS", "Pena");
    struct Caso {
        const char* usuario;
        const char* tipo;
        QStringList rucs;  // the taxpayers the user may choose (Tipo other than "0")
    } casos[] = {
        {"núñez", "0", {}},
        {"NúÑeZ", "0", {}},
        {"NUNEZ", "1", {}},
        {"PEÑA", "1", {"10000000001"}},
        {"peña", "1", {"10000000001"}},
        {"PENA", "1", {"10000000002"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.usuario);
        EXPECT_EQ(TipoUsuario(env.base(), c.usuario), c.tipo);
        if (QString(c.tipo) == "0") continue;
        QStringList rucs;
        for (const QString& e : entradasContribuyentes(env.base(), "0738", c.usuario)) rucs << e.left(11);
        EXPECT_EQ(rucs, c.rucs);
    }
}

QVR_EN_AMBOS_MOTORES(ConexionMotor);

// A server that is not there, a login it refuses and a password written into the INI each give a
// clear message at start-up, and nothing is opened.
TEST(ConexionServidor, FallasDelServidorTienenMensajeClaro) {
    QVR_REQUIERE_SERVIDOR();
    prueba::Entorno env;
    struct Caso {
        QString servidor;
        int numero;
        const char* texto;
    } casos[] = {
        {"host=/no/existe port=5999 dbname=qvr", jet::ConexionFallida,
         "No se puede conectar con el servidor de base de datos (host=/no/existe port=5999 dbname=qvr)"},
        {prueba::conexionServidor() + " user=nadie", jet::CuentaNoValida,
         "El servidor de base de datos rechazó el ingreso"},
        {prueba::conexionServidor() + " dbname=no_hay", jet::ArchivoNoEncontrado,
         "No existe la base de datos indicada en DBServer"},
        {prueba::conexionServidor() + " password=secreta", jet::CuentaNoValida,
         "La clave del servidor de base de datos no se escribe en NEMDAL.INI"},
        {"host='x", jet::ConexionFallida, "La conexión al servidor de base de datos (DBServer) no es válida"},
    };
    for (const auto& c : casos) {
        env.escribeIni("DBServer", c.servidor);
        DatosSesion s;
        LeeConfiguracion(s);
        EXPECT_FALSE(AbreBaseDatos(s)) << c.servidor.toStdString();
        EXPECT_FALSE(s.Base);
        const QString texto = env.dialogos().mostrados.back().texto;
        // The Spanish description of the number comes first, then the suite's own account of it.
        EXPECT_TRUE(texto.startsWith(descripcionJet(c.numero) + "\n" + QString::fromUtf8(c.texto)))
            << texto.toStdString();
        EXPECT_TRUE(texto.endsWith("\n " + QString::number(c.numero))) << texto.toStdString();
        EXPECT_FALSE(texto.contains("secreta"));
        EXPECT_EQ(env.dialogos().mostrados.back().titulo, "Error de Conección");
    }
}
