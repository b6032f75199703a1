// An office on one server: the login is the suite's user, the owner registers the clerks' logins,
// and the server itself keeps each clerk to his rights (tested with real logins on the test server).
#include <gtest/gtest.h>

#include <QProcess>

#include "common/conexion.h"
#include "common/contribuyentes.h"
#include "common/oficina.h"
#include "common/sesion.h"
#include "lotmira/instalador.h"
#include "platform/descripciones_jet.h"
#include "support/entorno.h"
#include "support/lotmira_instalacion.h"
#include "support/oficina_prueba.h"

namespace qvr {
namespace {

const QString kRucAna = "20100066603";
const QString kRucLuis = "10087654321";

class Oficina : public ::testing::Test {
  protected:
    void SetUp() override {
        QVR_REQUIERE_SERVIDOR();
        env_ = std::make_unique<prueba::Entorno>(prueba::Motor::Postgres);
        esquema_ = env_->base().escalar("SELECT current_schema()").toString();
        logins_ = std::make_unique<prueba::LoginsPrueba>(esquema_, env_->servidor());
        env_->agregaContribuyente(kRucAna, "PEREZ", "ROJAS", "ANA", "nadie");
        env_->agregaContribuyente(kRucLuis, "QUISPE", "MAMANI", "LUIS", "nadie");
        registraDueno(env_->base());
        preparaDerechos(env_->base());
    }
    void TearDown() override {
        logins_.reset();
        env_.reset();
    }
    // A clerk's login made as createuser makes it, registered by the owner, with his taxpayer.
    QString clerk(const QString& nombre, const QString& tipo, const QString& ruc = {}) {
        const QString rol = logins_->crea(nombre);
        registraUsuario(env_->base(), rol, tipo);
        // CONT spells the login in capitals: the comparison ignores case.
        if (!ruc.isEmpty()) env_->base().ejecuta("UPDATE CONT SET usuario = UPPER(?) WHERE doc_id_d = ?", {rol, ruc});
        return rol;
    }
    std::unique_ptr<BaseDatos> como(const QString& rol) {
        return BaseDatos::abreServidor(logins_->conexionDe(rol), opcionesConexion());
    }
    void guardaCab(BaseDatos& b, const QString& ruc, int semana = 0) {
        b.ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado) VALUES (6, ?, '2003', "
                  "'0738', ?, 0)",
                  {ruc, semana});
    }
    // The error number of a statement run as a clerk; 0 when it ran.
    static int numeroDe(const std::function<void()>& f) {
        try {
            f();
            return 0;
        } catch (const ErrorBD& e) {
            return e.numero();
        }
    }

    std::unique_ptr<prueba::Entorno> env_;
    std::unique_ptr<prueba::LoginsPrueba> logins_;
    QString esquema_;
};

// SysUser names another user: with DBServer the suite's user is the login all the same, spelt as
// CLAVES spells it, and his taxpayers are those of that login.
TEST_F(Oficina, ElUsuarioEsElLoginDelServidor) {
    env_->escribeIni("SysUser", "ADMIN");
    env_->agregaUsuario("ADMIN", "0");
    const QString ana = clerk("ana", "1", kRucAna);
    env_->escribeIni("DBServer", logins_->conexionDe(ana));

    DatosSesion s;
    LeeConfiguracion(s);
    ASSERT_TRUE(AbreBaseDatos(s));
    EXPECT_EQ(s.Usuario, ana);
    const QStringList entradas = entradasContribuyentes(*s.Base, kFormulario, s.Usuario);
    ASSERT_EQ(entradas.size(), 1);
    EXPECT_TRUE(entradas[0].startsWith(kRucAna));

    // The owner who set the server up is a Tipo "0" user; no row of CLAVES keeps a password.
    env_->escribeIni("DBServer", env_->servidor());
    DatosSesion dueno;
    LeeConfiguracion(dueno);
    ASSERT_TRUE(AbreBaseDatos(dueno));
    EXPECT_EQ(TipoUsuarioRegistrado(*dueno.Base, dueno.Usuario), "0");
    EXPECT_EQ(dueno.Usuario, loginSesion(env_->base()));
    EXPECT_EQ(env_->base().escalar("SELECT COUNT(*) FROM CLAVES WHERE Usuario = ? AND Clave IS NOT NULL", {ana}).toInt(),
              0);
}

TEST_F(Oficina, RegistrarUsuarios) {
    const QString ana = clerk("ana", "1");
    EXPECT_EQ(TipoUsuarioRegistrado(env_->base(), ana), "1");
    registraUsuario(env_->base(), ana, "0");  // again: the type changes, one row stays
    EXPECT_EQ(TipoUsuarioRegistrado(env_->base(), ana.toUpper()), "0");
    EXPECT_EQ(env_->base().escalar("SELECT COUNT(*) FROM CLAVES WHERE UPPER(Usuario) = UPPER(?)", {ana}).toInt(), 1);

    try {
        registraUsuario(env_->base(), esquema_ + "_nadie", "1");
        ADD_FAILURE() << "a login that does not exist was registered";
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(e.descripcion().contains("createuser")) << e.descripcion().toStdString();
    }
    EXPECT_THROW(registraUsuario(env_->base(), ana, "2"), ErrorBD);

    // The program: only the owner registers; a clerk's try changes nothing.
    const QString luis = logins_->crea("luis");
    auto orvelane = [&](const QString& conexion, QByteArray* err) {
        QProcess p;
        p.start(QStringLiteral(QVR_BIN_DIR "/orvelane"), {"--add-user", luis, "--type", "1", "--server", conexion});
        EXPECT_TRUE(p.waitForFinished(60000));
        *err = p.readAllStandardError();
        return p.exitCode();
    };
    QByteArray err;
    EXPECT_EQ(orvelane(logins_->conexionDe(ana), &err), 1);
    EXPECT_TRUE(err.contains("solo el due")) << err.toStdString();
    EXPECT_EQ(TipoUsuarioRegistrado(env_->base(), luis), "");
    EXPECT_EQ(orvelane(env_->servidor(), &err), 0) << err.toStdString();
    EXPECT_EQ(TipoUsuarioRegistrado(env_->base(), luis), "1");
}

// A DIGITADOR's login reads and writes only his taxpayers' declarations; a Tipo "0" login all of
// them; neither changes the users, the taxpayers or the catalogs; a refusal reads as one.
TEST_F(Oficina, ElServidorHaceCumplirLosDerechos) {
    const QString ana = clerk("ana", "1", kRucAna);
    const QString jefe = clerk("jefe", "0");
    guardaCab(env_->base(), kRucAna);
    guardaCab(env_->base(), kRucLuis);
    env_->base().ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor) "
                         "VALUES (6, ?, '2003', '0738', 0, '107', '1'), (6, ?, '2003', '0738', 0, '107', '2')",
                         {kRucAna, kRucLuis});

    auto a = como(ana);
    EXPECT_EQ(a->escalar("SELECT COUNT(*) FROM CAB").toInt(), 1);
    EXPECT_EQ(a->escalar("SELECT doc_id_d FROM DET").toString(), kRucAna);
    EXPECT_EQ(a->ejecuta("UPDATE CAB SET estado = 9"), 1);
    EXPECT_EQ(numeroDe([&] { guardaCab(*a, kRucAna, 1); }), 0);
    EXPECT_EQ(numeroDe([&] { guardaCab(*a, kRucLuis, 1); }), jet::SinPermiso);
    EXPECT_EQ(a->ejecuta("DELETE FROM DET WHERE doc_id_d = ?", {kRucLuis}), 0);
    for (const char* sql : {"UPDATE CLAVES SET Tipo = '0'", "UPDATE CONT SET usuario = 'x'",
                            "INSERT INTO PARAM (numero, argumento, funcion) VALUES ('404', '2099', '1')",
                            "DELETE FROM reportes"})
        EXPECT_EQ(numeroDe([&] { a->ejecuta(sql); }), jet::SinPermiso) << sql;
    try {
        a->ejecuta("UPDATE CLAVES SET Tipo = '0'");
    } catch (const ErrorBD& e) {
        EXPECT_TRUE(textoErrorBD(e).startsWith("No tiene permiso")) << textoErrorBD(e).toStdString();
        EXPECT_FALSE(textoErrorBD(e).contains("solo lectura"));
    }
    EXPECT_EQ(como(jefe)->escalar("SELECT COUNT(*) FROM CAB").toInt(), 3);
    EXPECT_EQ(env_->base().escalar("SELECT COUNT(*) FROM DET").toInt(), 2);
}

// The installer is the owner's: it keeps the clerks' rights on what it re-creates and gives the
// annex rows the same row security; a clerk running it gets one line and changes nothing.
TEST_F(Oficina, LotmiraEsDelDueno) {
    ASSERT_EQ(prueba::instalaConLotmira(*env_), InstalacionCompleta) << env_->dialogos().textos().join('\n').toStdString();
    ASSERT_EQ(prueba::instalaConLotmira(*env_), InstalacionCompleta);  // re-creates the working tables
    const QString ana = clerk("ana", "1", kRucAna);
    const QString dividendo =
        "INSERT INTO F0738DIVIDEND (tip_doc_d, doc_id_d, periodo, formulario, num_RUC, fec_retenida) "
        "VALUES (6, ?, '2003', '0738', '20100066603', '2003-01-01')";
    env_->escribeIni("DBServer", logins_->conexionDe(ana));
    {
        DatosSesion s;
        LeeConfiguracion(s);
        ASSERT_TRUE(AbreBaseDatos(s)) << env_->dialogos().textos().join('\n').toStdString();
        EXPECT_EQ(s.Base->ejecuta("INSERT INTO TMP_F0738DIVID (num_RUC, fec_retenida) VALUES ('20100066603', '2003-01-01')"), 1);
        EXPECT_EQ(numeroDe([&] { s.Base->ejecuta(dividendo, {kRucAna}); }), 0);
        EXPECT_EQ(numeroDe([&] { s.Base->ejecuta(dividendo, {kRucLuis}); }), jet::SinPermiso);
    }

    env_->dialogos().mostrados.clear();
    EXPECT_EQ(InstalaTablas(), NoEsDueno);
    ASSERT_EQ(env_->dialogos().mostrados.size(), 1u);
    EXPECT_TRUE(env_->dialogos().textos().join("").contains(ana));
    EXPECT_EQ(env_->base().escalar("SELECT COUNT(*) FROM F0738DIVIDEND").toInt(), 1);
}

}  // namespace
}  // namespace qvr
