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

namespace {
// Values that a statement built by hand would get wrong: quotes, backslashes, accents, markers,
// line ends, nulls beside empty texts, long and large values, what an array's text is made of.
QVariantList filaDificil(int i) {
    static const QVariant textos[] = {QString("O'HIGGINS S.A.C."),
                                      QString::fromUtf8("CAFÉ D'ORO ÑANDÚ"),
                                      QString(""),
                                      QVariant(),
                                      QString("C:\\RUTA\\N\\x"),
                                      QString("UNA\nDOS\tTRES"),
                                      QString("? $1 :a @b"),
                                      QString("NULL"),
                                      QString("'); DELETE FROM CLAVES; --"),
                                      QString::fromUtf8("€ ¿½? 😀"),
                                      QString(60, QChar(0x00C1)),
                                      QString("{\"A\\\",NULL}, {}")};
    static const QVariant fechas[] = {QString("2003-12-31"), QString(""), QVariant(), QString("2003-01-01")};
    static const QVariant montos[] = {QString("999999999999"), QString("-1234.5"), QVariant(), QString("0")};
    static const QVariant reales[] = {QVariant(0.1), QVariant(-1e-7), QVariant(), QVariant(123456789.25)};
    const size_t t = sizeof(textos) / sizeof(textos[0]);
    return {i,
            i % 7 == 0 ? QVariant() : QVariant(i % 256),
            textos[size_t(i) % t],
            fechas[size_t(i) % 4],
            montos[size_t(i / 3) % 4],
            reales[size_t(i / 5) % 4],
            i % 9 == 0 ? QVariant(QString(2000, 'x') + "'") : textos[size_t(i + 3) % t]};
}

QStringList contenido(BaseDatos& b, const QString& tabla) {
    QStringList out;
    const Registros r = b.consulta(QString("SELECT * FROM %1 ORDER BY n").arg(tabla));
    for (int f = 0; f < r.filas(); ++f) {
        QStringList c;
        for (int i = 0; i < r.columnas(); ++i) c << (r.valor(f, i).isNull() ? "<null>" : "=" + r.texto(f, i));
        out << c.join('|');
    }
    return out;
}

const QStringList kColumnasDificiles = {"n", "tip", "texto", "fec", "monto", "d", "m"};
}  // namespace

// Rows written together store exactly what the same rows written one by one store, more rows than
// one statement of the server takes included.
TEST_P(BaseDatosMotor, LoteEscribeLoMismoQueFilaPorFila) {
    prueba::Entorno env(GetParam(), false);
    auto& b = env.base();
    for (const char* t : {"UNA", "LOTE"})
        b.ejecuta(
            QString("CREATE TABLE %1 ([n] LONG, [tip] BYTE, [texto] TEXT(60), [fec] DATE, [monto] CURRENCY, "
                    "[d] DOUBLE, [m] MEMO, PRIMARY KEY ([n]))")
                .arg(t));
    constexpr int kFilas = 2500;  // 17,500 values: more than one statement on the server
    {
        TransaccionEscritura t(b);
        Sentencia una(b, "INSERT INTO UNA (n, tip, texto, fec, monto, d, m) VALUES (?, ?, ?, ?, ?, ?, ?)");
        LoteFilas lote(b, "LOTE", kColumnasDificiles);
        for (int i = 0; i < kFilas; ++i) {
            una.ejecuta(filaDificil(i));
            lote.agrega(filaDificil(i));
        }
        EXPECT_EQ(lote.pendientes(), kFilas);
        EXPECT_EQ(lote.envia(), kFilas);
        EXPECT_EQ(lote.envia(), 0);  // nothing left to send
        lote.agrega(filaDificil(kFilas));
        EXPECT_EQ(lote.envia(), 1);
        una.ejecuta(filaDificil(kFilas));
        t.confirma();
    }
    const QStringList una = contenido(b, "UNA");
    ASSERT_EQ(una.size(), kFilas + 1);
    EXPECT_EQ(contenido(b, "LOTE"), una);
    // And both are what was given.
    for (int n : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 2500}) {
        const QVariant dado = filaDificil(n)[2];
        const QVariant leido = b.escalar("SELECT texto FROM LOTE WHERE n = ?", {n});
        EXPECT_EQ(leido.isNull(), dado.isNull()) << n;
        EXPECT_EQ(leido.toString(), dado.toString()) << n;
    }
}

// A row the engine refuses: the error comes with its Jet number, and the transaction undoes every
// row of the batch (on the server too, where the rows went in more than one statement); the
// connection goes on working. Without a transaction, or with a row of the wrong width, nothing is sent.
TEST_P(BaseDatosMotor, LoteRechazadoNoDejaNinguna) {
    prueba::Entorno env(GetParam());
    auto& b = env.base();
    b.ejecuta("INSERT INTO CLAVES (Usuario, Tipo) VALUES ('PREVIO', '0')");
    EXPECT_EQ(numeroDe([&] {
                  TransaccionEscritura t(b);
                  LoteFilas lote(b, "CLAVES", {"Usuario", "Tipo"});
                  for (int i = 0; i < 6000; ++i) lote.agrega({QString("U%1").arg(i), "1"});
                  lote.agrega({QString("U5999"), "1"});
                  lote.envia();
                  t.confirma();
              }),
              jet::ClaveDuplicada);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM CLAVES").toInt(), 1);

    EXPECT_EQ(numeroDe([&] { LoteFilas(b, "CLAVES", {"Usuario", "Tipo"}).envia(); }), jet::Reservado);
    EXPECT_EQ(numeroDe([&] {
                  LoteFilas(b, "CLAVES", {"Usuario", "Tipo"}).agrega({"SOLO"});
              }),
              jet::Reservado);
    EXPECT_EQ(numeroDe([&] {
                  TransaccionEscritura t(b);
                  LoteFilas lote(b, "NOEXISTE", {"a"});
                  lote.agrega({1});
                  lote.envia();
              }),
              jet::TablaNoExiste);

    TransaccionEscritura t(b);
    LoteFilas lote(b, "CLAVES", {"Usuario", "Tipo"});
    lote.agrega({"ANA", "1"});
    lote.agrega({"LUIS", QVariant()});
    EXPECT_EQ(lote.envia(), 2);
    t.confirma();
    EXPECT_EQ(b.escalar("SELECT count(*) FROM CLAVES").toInt(), 3);
}

// A rule of the office's own (a trigger) that drops a row: the batch says so and the transaction
// undoes the rest, instead of passing as written with a row missing.
TEST_P(BaseDatosMotor, LoteConUnaFilaDescartadaNoPasaPorEscrito) {
    prueba::Entorno env(GetParam(), false);
    auto& b = env.base();
    b.ejecuta("CREATE TABLE T ([n] LONG, [t] TEXT(10))");
    if (GetParam() == prueba::Motor::Sqlite) {
        b.ejecuta("CREATE TRIGGER descarta BEFORE INSERT ON T WHEN NEW.n = 3 BEGIN SELECT RAISE(IGNORE); END");
    } else {
        b.ejecuta(
            "CREATE FUNCTION descarta() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF NEW.n = 3 THEN "
            "RETURN NULL; END IF; RETURN NEW; END $$");
        b.ejecuta("CREATE TRIGGER descarta BEFORE INSERT ON T FOR EACH ROW EXECUTE FUNCTION descarta()");
    }
    QString mensaje;
    try {
        TransaccionEscritura t(b);
        LoteFilas lote(b, "T", {"n", "t"});
        for (int i = 0; i < 5; ++i) lote.agrega({i, QString("x")});
        lote.envia();
        t.confirma();
        ADD_FAILURE() << "a batch with a dropped row passed as written";
    } catch (const ErrorBD& e) {
        mensaje = e.descripcion();
    }
    EXPECT_TRUE(mensaje.contains("de las 5 filas enviadas a la tabla T")) << mensaje.toStdString();
    EXPECT_EQ(b.escalar("SELECT count(*) FROM T").toInt(), 0);
}

QVR_EN_AMBOS_MOTORES(BaseDatosMotor);
