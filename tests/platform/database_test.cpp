#include "platform/database.h"

#include <gtest/gtest.h>

#include "support/entorno.h"

using namespace qvr;

namespace {
int numeroDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorBD& e) {
        return e.numero();
    }
    return 0;
}
}  // namespace

class BaseDatosMotor : public prueba::PorMotor {};

TEST_P(BaseDatosMotor, ErroresDelMotorTraenSuNumeroJet) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('ANA', '0')");
    EXPECT_EQ(numeroDe([&] { b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('ANA', '1')"); }),
              jet::ClaveDuplicada);
    EXPECT_EQ(numeroDe([&] { b.ejecuta("CREATE TABLE CLAVES (x TEXT)"); }), jet::TablaExiste);
    EXPECT_EQ(numeroDe([&] { b.consulta("SELECT * FROM NOEXISTE"); }), jet::TablaNoExiste);
    EXPECT_EQ(numeroDe([&] { b.ejecuta("DELETE FROM NOEXISTE"); }), jet::TablaNoExiste);
    // The connection is still usable after every error (a server aborts nothing outside a transaction).
    EXPECT_EQ(b.escalar("SELECT count(*) FROM CLAVES").toInt(), 1);
}

TEST(BaseDatos, ArchivoQueFalta) {
    prueba::Entorno env;
    EXPECT_EQ(numeroDe([&] { BaseDatos::abre(env.sistema() + "falta.mdb"); }), jet::ArchivoNoEncontrado);
}

TEST(BaseDatos, EscrituraBloqueadaPorOtroProgramaDa3260) {
    prueba::Entorno env;
    auto otro = BaseDatos::crea(env.rutaBase());
    otro->ejecuta("BEGIN IMMEDIATE");
    otro->ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('X', '0')");
    BaseDatos::Opciones o;
    o.esperaMs = 50;
    auto yo = BaseDatos::abre(env.rutaBase(), o);
    EXPECT_EQ(numeroDe([&] { yo->ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('Y', '0')"); }),
              jet::RegistroBloqueado);
    EXPECT_EQ(numeroDe([&] { TransaccionEscritura t(*yo); }), jet::RegistroBloqueado);
    otro->ejecuta("COMMIT");
    yo->ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('Y', '0')");
    EXPECT_EQ(yo->escalar("SELECT count(*) FROM CLAVES").toInt(), 2);
}

TEST(BaseDatos, ArchivoBloqueadoEnExclusivaAlAbrirDa3051) {
    prueba::Entorno env;
    env.cierraBase();
    auto otro = BaseDatos::crea(env.rutaBase());
    otro->escalar("PRAGMA locking_mode=EXCLUSIVE");
    otro->ejecuta("BEGIN EXCLUSIVE");
    otro->ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('X', '0')");
    BaseDatos::Opciones o;
    o.esperaMs = 50;
    EXPECT_EQ(numeroDe([&] { BaseDatos::abre(env.rutaBase(), o); }), jet::BaseBloqueada);
    otro->ejecuta("ROLLBACK");
}

TEST(BaseDatos, ArchivoQueNoEsBaseDeDatos) {
    prueba::Entorno env;
    QFile f(env.sistema() + "basura.mdb");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'z'));
    f.close();
    EXPECT_EQ(numeroDe([&] { BaseDatos::abre(env.sistema() + "basura.mdb"); }), jet::FormatoNoReconocido);
}

TEST_P(BaseDatosMotor, ValoresConApostrofeVanComoParametros) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    b.ejecuta("INSERT INTO CONT (tip_doc_d, doc_id_d, nombre) VALUES (6, ?, ?)",
              {"10000000001", "O'HIGGINS SAC"});
    Registros r = b.consulta("SELECT nombre FROM CONT WHERE nombre=?", {"O'HIGGINS SAC"});
    ASSERT_EQ(r.filas(), 1);
    EXPECT_EQ(r.texto(0, "NOMBRE"), "O'HIGGINS SAC");
}

TEST_P(BaseDatosMotor, TiposDeColumnaSegunLoDeclarado) {
    prueba::Entorno env(GetParam());
    auto cols = env.base().columnas("hCAB");
    ASSERT_FALSE(cols.empty());
    EXPECT_EQ(cols.front().tipo, TipoColumna::Entero);
    EXPECT_EQ(cols[1].tipo, TipoColumna::Texto);
    EXPECT_EQ(cols.back().nombre.toLower(), "cnumero");
    env.base().ejecuta(
        "INSERT INTO hCAB (tip_doc_d, doc_id_d, periodo, formulario, semana, correl, fec_env) "
        "VALUES (6, '1', '2003', '0738', 0, '1', '2003-04-05')");
    Registros r = env.base().consulta(
        "SELECT tip_doc_d, fec_env, doc_id_d, 1+1 AS dos, max(fec_env) AS m FROM hCAB GROUP BY tip_doc_d, "
        "fec_env, doc_id_d");
    EXPECT_EQ(r.columna(0).tipo, TipoColumna::Entero);
    EXPECT_EQ(r.columna(1).tipo, TipoColumna::Fecha);
    EXPECT_EQ(r.columna(2).tipo, TipoColumna::Texto);
    EXPECT_EQ(r.columna(3).tipo, TipoColumna::Entero);
    EXPECT_EQ(r.texto(0, 1), "2003-04-05");  // dates come back as stored, on both engines
    EXPECT_EQ(env.base().columnas("NOEXISTE").size(), 0u);
    EXPECT_TRUE(env.base().existeTabla("hcab"));
    EXPECT_TRUE(env.base().tablas().contains("hcab", Qt::CaseInsensitive));
}

// The installer's statements declare the suite's own types; each engine reports the same kinds.
TEST_P(BaseDatosMotor, DefinicionConTiposDelSistema) {
    prueba::Entorno env(GetParam(), false);
    auto& b = env.base();
    b.ejecuta(
        "CREATE TABLE T1( [tip] Byte, [nombre] text(15), [fec] DATE, [monto] CURRENCY, [n] LONG, "
        "[d] DOUBLE, [m] MEMO, PRIMARY KEY ([tip],[nombre]))");
    const auto cols = b.columnas("T1");
    ASSERT_EQ(cols.size(), 7u);
    const TipoColumna esperados[] = {TipoColumna::Entero, TipoColumna::Texto,  TipoColumna::Fecha,
                                     TipoColumna::Moneda, TipoColumna::Entero, TipoColumna::Flotante,
                                     TipoColumna::Texto};
    for (size_t i = 0; i < cols.size(); ++i)
        EXPECT_EQ(cols[i].tipo, esperados[i]) << cols[i].nombre.toStdString();
    b.ejecuta("INSERT INTO T1 (tip, nombre, fec) VALUES (1, 'A', '')");
    EXPECT_EQ(numeroDe([&] { b.ejecuta("INSERT INTO T1 (tip, nombre) VALUES (1, 'A')"); }),
              jet::ClaveDuplicada);
    EXPECT_EQ(b.escalar("SELECT fec FROM T1").toString(), "");
}

TEST_P(BaseDatosMotor, DinamicoAgregaEditaYElimina) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    {
        Dinamico d(b, "CLAVES");
        d.agregaNuevo();
        d.fija("Usuario", "ANA");
        d.fija("tipo", "0");
        d.actualiza();
        d.agregaNuevo();
        d.fija("Usuario", "LUIS");
        d.fija("Tipo", "1");
        d.actualiza();
    }
    Dinamico d(b, "CLAVES", "Usuario=?", {"LUIS"});
    ASSERT_EQ(d.filas(), 1);
    d.edita();
    d.fija("Tipo", "0");
    d.actualiza();
    EXPECT_EQ(b.escalar("SELECT Tipo FROM CLAVES WHERE Usuario='LUIS'").toString(), "0");
    d.elimina();
    EXPECT_EQ(b.escalar("SELECT count(*) FROM CLAVES").toInt(), 1);
}

TEST_P(BaseDatosMotor, TransaccionSinConfirmarSeDeshace) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    {
        TransaccionEscritura t(b);
        b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('A', '0')");
        {
            TransaccionEscritura interna(b);
            b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('B', '0')");
        }  // the savepoint is undone, the outer transaction goes on
        t.confirma();
    }
    EXPECT_EQ(b.escalar("SELECT count(*) FROM CLAVES").toInt(), 1);
    try {
        TransaccionEscritura t(b);
        b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('C', '0')");
        b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('C', '0')");
        t.confirma();
    } catch (const ErrorBD& e) {
        EXPECT_EQ(e.numero(), jet::ClaveDuplicada);
    }
    EXPECT_EQ(b.escalar("SELECT count(*) FROM CLAVES").toInt(), 1);
}

// An edit of the updatable set finds its row again after another workstation changed another row
// and after its own key changed.
TEST_P(BaseDatosMotor, DinamicoSigueSuFilaTrasCambios) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('ANA', '0')");
    b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('LUIS', '1')");
    Dinamico d(b, "CLAVES", {}, {}, "Usuario");
    ASSERT_EQ(d.filas(), 2);
    auto otro = env.abreBase();
    otro->ejecuta("UPDATE CLAVES SET Tipo='5' WHERE Usuario='LUIS'");
    d.edita();
    d.fija("Usuario", "ANITA");
    d.actualiza();
    d.edita();
    d.fija("Tipo", "7");
    d.actualiza();
    EXPECT_EQ(b.escalar("SELECT Tipo FROM CLAVES WHERE Usuario='ANITA'").toString(), "7");
    EXPECT_EQ(b.escalar("SELECT Tipo FROM CLAVES WHERE Usuario='LUIS'").toString(), "5");
    otro->ejecuta("DELETE FROM CLAVES WHERE Usuario='ANITA'");
    d.edita();
    d.fija("Tipo", "8");
    EXPECT_EQ(numeroDe([&] { d.actualiza(); }), jet::RegistroEliminado);
}

// A row locked by another workstation is waited for QVR_ESPERA_MS, then reported as locked; the
// same statement goes through once the other transaction ended.
TEST_P(BaseDatosMotor, FilaBloqueadaPorOtraEstacionDa3260) {
    prueba::Entorno env(GetParam());
    env.base().ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('ANA', '0')");
    auto otro = env.abreBase();
    BaseDatos::Opciones o;
    o.esperaMs = 100;
    auto yo = env.abreBase(o);
    auto t = std::make_unique<TransaccionEscritura>(*otro);
    otro->ejecuta("UPDATE CLAVES SET Tipo='1' WHERE Usuario='ANA'");
    EXPECT_EQ(numeroDe([&] {
                  TransaccionEscritura mia(*yo);
                  yo->ejecuta("UPDATE CLAVES SET Tipo='2' WHERE Usuario='ANA'");
              }),
              jet::RegistroBloqueado);
    EXPECT_EQ(yo->escalar("SELECT Tipo FROM CLAVES WHERE Usuario='ANA'").toString(), "0");  // readers go on
    t->confirma();
    t.reset();
    yo->ejecuta("UPDATE CLAVES SET Tipo='2' WHERE Usuario='ANA'");
    EXPECT_EQ(otro->escalar("SELECT Tipo FROM CLAVES WHERE Usuario='ANA'").toString(), "2");
}

// A reserved name (a declaration being saved) makes a second writer wait, then fail as locked.
TEST_P(BaseDatosMotor, ReservaYBloqueoDeTablaHacenEsperar) {
    prueba::Entorno env(GetParam());
    auto otro = env.abreBase();
    BaseDatos::Opciones o;
    o.esperaMs = 100;
    auto yo = env.abreBase(o);
    {
        TransaccionEscritura t(*otro);
        otro->reserva("CAB/20100066603");
        otro->bloqueaTabla("SPOOL");
        EXPECT_EQ(numeroDe([&] {
                      TransaccionEscritura mia(*yo);
                      yo->reserva("CAB/20100066603");
                  }),
                  jet::RegistroBloqueado);
        EXPECT_EQ(numeroDe([&] {
                      TransaccionEscritura mia(*yo);
                      yo->bloqueaTabla("SPOOL");
                  }),
                  jet::RegistroBloqueado);
        if (GetParam() == prueba::Motor::Postgres) {  // on the server, other names and tables go on
            TransaccionEscritura mia(*yo);
            yo->reserva("CAB/20100066604");
            yo->bloqueaTabla("CAB");
        }
    }
    TransaccionEscritura mia(*yo);
    yo->reserva("CAB/20100066603");
    yo->bloqueaTabla("SPOOL");
    mia.confirma();
}

QVR_EN_AMBOS_MOTORES(BaseDatosMotor);
