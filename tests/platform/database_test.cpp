#include <gtest/gtest.h>

#include "platform/database.h"
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

TEST(BaseDatos, ErroresDelMotorTraenSuNumeroJet) {
    prueba::Entorno env;
    auto& b = env.base();
    b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('ANA', '0')");
    EXPECT_EQ(numeroDe([&] { b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('ANA', '1')"); }), jet::ClaveDuplicada);
    EXPECT_EQ(numeroDe([&] { b.ejecuta("CREATE TABLE CLAVES (x TEXT)"); }), jet::TablaExiste);
    EXPECT_EQ(numeroDe([&] { b.consulta("SELECT * FROM NOEXISTE"); }), jet::TablaNoExiste);
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

TEST(BaseDatos, ValoresConApostrofeVanComoParametros) {
    prueba::Entorno env;
    auto& b = env.base();
    b.ejecuta("INSERT INTO CONT (tip_doc_d, doc_id_d, nombre) VALUES (6, ?, ?)", {"10000000001", "O'HIGGINS SAC"});
    Registros r = b.consulta("SELECT nombre FROM CONT WHERE nombre=?", {"O'HIGGINS SAC"});
    ASSERT_EQ(r.filas(), 1);
    EXPECT_EQ(r.texto(0, "NOMBRE"), "O'HIGGINS SAC");
}

TEST(BaseDatos, TiposDeColumnaSegunLoDeclarado) {
    prueba::Entorno env;
    auto cols = env.base().columnas("hCAB");
    ASSERT_FALSE(cols.empty());
    EXPECT_EQ(cols.front().tipo, TipoColumna::Entero);
    EXPECT_EQ(cols[1].tipo, TipoColumna::Texto);
    EXPECT_EQ(cols.back().nombre, "cNumero");
    Registros r = env.base().consulta("SELECT tip_doc_d, fec_env, doc_id_d, 1+1 AS dos FROM hCAB");
    EXPECT_EQ(r.columna(0).tipo, TipoColumna::Entero);
    EXPECT_EQ(r.columna(1).tipo, TipoColumna::Fecha);
    EXPECT_EQ(r.columna(2).tipo, TipoColumna::Texto);
    EXPECT_EQ(env.base().columnas("NOEXISTE").size(), 0u);
}

TEST(BaseDatos, DinamicoAgregaEditaYElimina) {
    prueba::Entorno env;
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

TEST(BaseDatos, TransaccionSinConfirmarSeDeshace) {
    prueba::Entorno env;
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
