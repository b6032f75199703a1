#include "varnel/declaration/grabado.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <cstdio>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/persist_datos.h"
#include "varnel/app/valores.h"
#include "varnel/declaration/anexos_copia.h"
#include "varnel/declaration/carga.h"
#include "varnel/declaration/codificacion.h"

using namespace qvr;

namespace {

const QString kRuc = "20100047218";
const QString kEntrada = "20100047218  PEREZ GOMEZ JUAN          050504";
const QString kTitulo = "Formulario 0738 - 2003";

class GrabadoTest : public prueba::PorMotor {
  protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        creaTablasAnexo(env.base());
    }

    OpcionesGrabado opciones(bool consistente = true) {
        OpcionesGrabado o;
        o.titulo = kTitulo;
        o.hoy = QDate(2004, 1, 5);
        o.validaSilenciosa = [consistente] { return consistente; };
        return o;
    }
    Registros cab() { return env.base().consulta("SELECT * FROM CAB WHERE doc_id_d=?", {kRuc}); }
    // Everything stored for the declaration, row by row, to compare two moments.
    QStringList todo(BaseDatos& base) {
        QStringList out;
        for (const char* t : {"CAB", "DET", "F0738DIVIDEND", "F0738EXTRANJ", "F0738FIDEICOM"}) {
            const Registros r =
                base.consulta(QString("SELECT * FROM %1 ORDER BY 1, 2, 3, 4, 5, 6, 7").arg(t));
            for (int f = 0; f < r.filas(); ++f) {
                QStringList c;
                for (int i = 0; i < r.columnas(); ++i) c << r.texto(f, i);
                out << QString(t) + ":" + c.join("|");
            }
        }
        return out;
    }

    prueba::Entorno env{prueba::motorPara(GetParam())};
};

// A declaration with one case of each encoding.
Instantanea casos() {
    Instantanea d;
    d.ruc = kEntrada;
    d.casillas = {{100, "1,500"},           {114, ""},
                  {122, "(1,234)"},         {180, "1,234"},
                  {229, "01234567890"},     {140, "1"},
                  {302, "00123456"},        {801, "PEREZ"},
                  {802, "GOMEZ"},           {803, "JUAN CARLOS"},
                  {817, "ABCDEFGHIJKLMNO"}, {822, "ABCDEFGHIJKLMNOPQRSTUV"}};
    d.listas = {{204, "01  -  DOC. NACIONAL DE IDENTIDAD"}, {235, ""}};
    d.profesion = "01     ABOGADO";
    d.telefono = "4567890";
    d.fechaNacimiento = "__/__/____";
    d.rectifica = Opcion::Si;
    d.devolucion = Opcion::No;
    d.pago = MedioPago{"E", "", "", ""};
    return d;
}

}  // namespace

TEST_P(GrabadoTest, GrabaLasFilasDeCadaCasilla) {
    const ResultadoGrabado r = GrabarForm(env.base(), casos(), ClaveDeclaracion{}, opciones());
    ASSERT_TRUE(r.grabado);
    EXPECT_EQ(r.ruc, kRuc);
    std::map<QString, QString> id;
    const std::map<QString, QString> esperado = {{"100", "1500"},
                                                 {"122", "-1234"},
                                                 {"180", "1234"},
                                                 {"229", "01234567890"},
                                                 {"140", "1"},
                                                 {"302", "00123456"},
                                                 {"801", "PEREZ"},
                                                 {"802", "GOMEZ"},
                                                 {"803", "JUAN CARLOS"},
                                                 {"599", "E"},
                                                 {"002", kRuc},
                                                 {"007", "2003"},
                                                 {"721", "1.0"},
                                                 {"028", "4567890"},
                                                 {"817", "ABCDEFGHIJKLMNO"},
                                                 {"822", "ABCDEFGHIJKLMNO"},
                                                 {"832", "PQRSTUV"},
                                                 {"204", "1"},
                                                 {"025", "01"},
                                                 {"871", "1"},
                                                 {"005", "1"},
                                                 {"873", "0"},
                                                 {"874", "0"},
                                                 {"875", "0"},
                                                 {"260", "0"}};
    EXPECT_EQ(prueba::filasDet(env.base(), kRuc, &id), esperado);
    for (const auto& [casilla, idc] : id)
        EXPECT_EQ(idc, casilla == "180" ? "05" : "01") << casilla.toStdString();

    const Registros c = cab();
    ASSERT_EQ(c.filas(), 1);
    EXPECT_EQ(c.valor(0, "efectivo"), QVariant(QString("")));  // cash without amount: empty, not " "
    EXPECT_EQ(c.texto(0, "cheque"), " ");
    EXPECT_EQ(c.texto(0, "bcolibrad"), " ");
    EXPECT_EQ(c.texto(0, "rectifica"), "1");
    EXPECT_EQ(c.texto(0, "fec_pro"), "05/01/2004");
    EXPECT_EQ(c.valor(0, "estado").toInt(), 0);
    // Worked by hand: keys 6 + 20100047218 + 2003 + 738 + 0 → ...965; estado "0" 48, rectifica "1" 49,
    // fec_pro "05/01/2004" 2700 → ...797.
    EXPECT_EQ(c.texto(0, "cNumero"), "965797");
    // Box 180: keys ... + 180 → ...145; "1234" 510 + "05" 154 + estado "0" 48 → 712.
    EXPECT_EQ(env.base().escalar("SELECT cNumero FROM DET WHERE casilla='180'").toString(), "145712");

    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto,
              "Toda la información del formulario fue grabada satisfactoriamente.");
    EXPECT_EQ(env.dialogos().mostrados[0].titulo, kTitulo);
    EXPECT_EQ(env.dialogos().mostrados[0].icono, Icono::Exclamacion);
}

TEST_P(GrabadoTest, RegrabarReemplazaLaDeclaracion) {
    ASSERT_TRUE(GrabarForm(env.base(), casos(), ClaveDeclaracion{}, opciones()).grabado);
    Instantanea d = casos();
    d.ruc = kRuc;  // now from the read-only RUC field
    d.casillas[100] = "";
    d.rectifica = Opcion::Ninguna;
    d.inmueble = Opcion::No;
    d.pago = MedioPago{"C", "0018", "00012345", "2,500"};
    const ResultadoGrabado r = GrabarForm(env.base(), d, ClaveDeclaracion{}, opciones(false));
    ASSERT_TRUE(r.grabado);
    EXPECT_FALSE(r.consistente);

    const auto det = prueba::filasDet(env.base(), kRuc);
    EXPECT_EQ(det.count("100"), 0u);  // cleared: its row is gone
    EXPECT_EQ(det.at("015"), "18");
    EXPECT_EQ(det.at("012"), "00012345");
    EXPECT_EQ(det.at("598"), "2500");
    EXPECT_EQ(det.at("599"), "C");
    EXPECT_EQ(det.at("027"), "2");
    EXPECT_EQ(det.at("871"), "0");
    const Registros c = cab();
    ASSERT_EQ(c.filas(), 1);
    EXPECT_EQ(c.texto(0, "bcolibrad"), "0018");
    EXPECT_EQ(c.texto(0, "nrocheque"), "00012345");
    EXPECT_EQ(c.texto(0, "cheque"), "2500");
    EXPECT_EQ(c.valor(0, "efectivo"), QVariant(QString("")));
    // Unanswered rectification: header and boxes agree that it is none.
    EXPECT_EQ(c.texto(0, "rectifica"), "0");
    EXPECT_EQ(c.valor(0, "estado").toInt(), 9);
    EXPECT_EQ(env.dialogos().mostrados.back().texto,
              "La información del formulario fue grabada con inconsistencias.\n"
              "En estas condiciones no podrá ser enviado a ZORVA.");
}

TEST_P(GrabadoTest, ValoresQueNoEscribenFilaYGrabarCasilla) {
    struct Caso {
        const char* casilla;
        const char* valor;
        const char* guardado;  // nullptr: no row
    } casos[] = {
        {"100", "   ", nullptr},
        {"234", "__/__/____", nullptr},
        {"235", "________", nullptr},
        {"224", "06", "6"},
        {"146", "(0)", "0"},
        {"813", "12AB", "12AB"},
        {"234", "15/03/1970", "15/03/1970"},
        {"015", "08", "08"},
    };
    for (const Caso& c : casos) {
        const auto v = valorAlmacenado(c.casilla, c.valor);
        if (!c.guardado) {
            EXPECT_FALSE(v.has_value()) << c.casilla << " " << c.valor;
        } else {
            ASSERT_TRUE(v.has_value()) << c.casilla;
            EXPECT_EQ(*v, c.guardado) << c.casilla;
        }
    }
    ClaveDeclaracion clave;
    clave.ruc = kRuc;
    EXPECT_TRUE(GrabarCasilla(env.base(), clave, "122", "(5)"));
    EXPECT_TRUE(GrabarCasilla(env.base(), clave, "122", "(7)"));
    EXPECT_FALSE(GrabarCasilla(env.base(), clave, "234", "__/__/____"));
    EXPECT_EQ(prueba::filasDet(env.base(), kRuc), (std::map<QString, QString>{{"122", "-7"}}));
}

TEST_P(GrabadoTest, SinIdentificacionNoSeEscribeNada) {
    OpcionesGrabado o = opciones();
    o.validaIdentificacion = [] { return false; };
    EXPECT_TRUE(GrabarForm(env.base(), casos(), ClaveDeclaracion{}, o).detenido);
    EXPECT_TRUE(env.dialogos().mostrados.empty());
    Instantanea d = casos();
    d.ruc = "   ";
    EXPECT_TRUE(GrabarForm(env.base(), d, ClaveDeclaracion{}, opciones()).detenido);
    EXPECT_EQ(env.dialogos().textos(), QStringList{"Debe seleccionar un declarante"});
    EXPECT_TRUE(todo(env.base()).isEmpty());
}

TEST_P(GrabadoTest, AnexosSeCopianBajoLaClave) {
    BaseDatos& b = env.base();
    b.ejecuta("INSERT INTO TMP_F0738DIVID VALUES ('20000000001', 'ACME SA', '2003-03-15', '100', '4')");
    b.ejecuta("INSERT INTO TMP_F0738DIVID VALUES ('20000000001', 'ACME SA', '2003-06-15', '200', '8')");
    b.ejecuta(
        "INSERT INTO TMP_F0738EXTRA VALUES ('FOREIGN CO', '0604', '01', '02', '5000', 'PERU', 'X', 'Y')");
    const QString larga = "COMPANIA FIDUCIARIA DE INVERSIONES DEL SUR SOCIEDAD ANONIMA";  // 59 characters
    b.ejecuta(
        "INSERT INTO TMP_F0738FIDEI VALUES (1, '07654321', 'ANA', 'ROJAS', 'DIAZ', 'ROJAS DIAZ ANA', '01', "
        "'FIDUCIARIA', 6, '20100047218', '', '', '', ?, '03', '7000', 'a', 'b', 'c', 'd')",
        {larga});
    // Rows stored earlier for this declaration go; another declaration's stay.
    b.ejecuta(
        "INSERT INTO F0738FIDEICOM (tip_doc_d, doc_id_d, periodo, formulario, tip_doc_fde, num_doc_fde, "
        "tip_empre_fdu, des_empre_fdu, tip_doc_ben, num_doc_ben, tip_patri_fdei) "
        "VALUES (6, ?, '2003', '0738', 1, 'VIEJO', '', '', 0, '', '')",
        {kRuc});
    b.ejecuta(
        "INSERT INTO F0738FIDEICOM (tip_doc_d, doc_id_d, periodo, formulario, tip_doc_fde, num_doc_fde, "
        "tip_empre_fdu, des_empre_fdu, tip_doc_ben, num_doc_ben, tip_patri_fdei) "
        "VALUES (6, '10401234567', '2003', '0738', 1, 'AJENO', '', '', 0, '', '')");
    ASSERT_TRUE(GrabarForm(b, casos(), ClaveDeclaracion{}, opciones()).grabado);

    const Registros div = b.consulta("SELECT * FROM F0738DIVIDEND ORDER BY fec_retenida");
    ASSERT_EQ(div.filas(), 2);
    EXPECT_EQ(div.texto(0, "doc_id_d"), kRuc);
    EXPECT_EQ(div.texto(1, "mto_distribuido"), "200");
    // Worked by hand, 6 key columns: 6 + 20100047218 + 2003 + 738 + 20000000001 + 0 → ...966;
    // "20030315" 1807 + "100" 289 + "4" 52 → 2148.
    EXPECT_EQ(div.texto(0, "cnumero"), "966148");
    EXPECT_EQ(b.consulta("SELECT * FROM F0738EXTRANJ").texto(0, "mto_saldo"), "5000");

    const Registros fi = b.consulta("SELECT * FROM F0738FIDEICOM WHERE doc_id_d=?", {kRuc});
    ASSERT_EQ(fi.filas(), 1);
    EXPECT_TRUE(fi.valor(0, "des_razon_fde").isNull());  // a person: name parts only
    EXPECT_EQ(fi.texto(0, "des_razon_ben"), larga.left(40).trimmed());
    EXPECT_EQ(fi.texto(0, "mto_saldo"), "7000");

    // An empty working list leaves the declaration without rows in that table.
    b.ejecuta("DELETE FROM TMP_F0738FIDEI");
    ASSERT_TRUE(GrabarForm(b, casos(), ClaveDeclaracion{}, opciones()).grabado);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM F0738FIDEICOM WHERE doc_id_d=?", {kRuc}).toInt(), 0);
    EXPECT_EQ(b.escalar("SELECT count(*) FROM F0738FIDEICOM").toInt(), 1);
}

TEST_P(GrabadoTest, UnFalloAMitadDejaLaVersionAnterior) {
    BaseDatos& b = env.base();
    prueba::llenaDividendos(b, 20);
    ASSERT_TRUE(GrabarForm(b, prueba::declaracionCompleta(kRuc), ClaveDeclaracion{}, opciones()).grabado);
    const QStringList antes = todo(b);
    // The last annex copy fails after the header, every box and the dividends were rewritten.
    b.ejecuta("ALTER TABLE F0738FIDEICOM RENAME TO OTRA_FIDEICOM");
    Instantanea d = casos();
    d.ruc = kRuc;
    const ResultadoGrabado r = GrabarForm(b, d, ClaveDeclaracion{}, opciones(false));
    EXPECT_FALSE(r.grabado);
    EXPECT_EQ(r.errorBD, jet::TablaNoExiste);
    EXPECT_EQ(env.dialogos().mostrados.back().titulo, "Mensaje");
    b.ejecuta("ALTER TABLE OTRA_FIDEICOM RENAME TO F0738FIDEICOM");
    EXPECT_EQ(todo(b), antes);
}

// The annex rows go in one batch per table: a row the database refuses in the middle of it (here
// a stored table that takes each amount withheld once) undoes the whole save, header and boxes
// included, on either engine.
TEST_P(GrabadoTest, UnaFilaRechazadaEnElLoteDejaLaVersionAnterior) {
    BaseDatos& b = env.base();
    QString estricta = tablaEsquema("F0738DIVIDEND")->crear;
    ASSERT_TRUE(estricta.contains(", CONSTRAINT PK_"));
    estricta.replace(", CONSTRAINT PK_", ", UNIQUE (mto_retenido), CONSTRAINT PK_");
    b.ejecuta("DROP TABLE F0738DIVIDEND");
    b.ejecuta(estricta);
    prueba::llenaDividendos(b, 300);
    ASSERT_TRUE(GrabarForm(b, prueba::declaracionCompleta(kRuc), ClaveDeclaracion{}, opciones()).grabado);
    const QStringList antes = todo(b);
    ASSERT_EQ(b.escalar("SELECT count(*) FROM F0738DIVIDEND").toInt(), 300);

    b.ejecuta("UPDATE TMP_F0738DIVID SET mto_retenido = '190' WHERE mto_distribuido = '1299'");
    Instantanea d = prueba::declaracionCompleta(kRuc);
    d.casillas[100] = "4,321";
    const ResultadoGrabado r = GrabarForm(b, d, ClaveDeclaracion{}, opciones(false));
    EXPECT_FALSE(r.grabado);
    EXPECT_EQ(r.errorBD, jet::ClaveDuplicada);
    EXPECT_EQ(todo(b), antes);

    b.ejecuta("UPDATE TMP_F0738DIVID SET mto_retenido = 'X' WHERE mto_distribuido = '1299'");
    ASSERT_TRUE(GrabarForm(b, d, ClaveDeclaracion{}, opciones()).grabado);
    EXPECT_EQ(prueba::filasDet(b, kRuc).at("100"), "4321");
    EXPECT_EQ(b.escalar("SELECT mto_retenido FROM F0738DIVIDEND WHERE mto_distribuido = '1299'").toString(),
              "X");
}

TEST_P(GrabadoTest, BloqueoDeOtroProgramaNoPierdeNada) {
    ASSERT_TRUE(GrabarForm(env.base(), casos(), ClaveDeclaracion{}, opciones()).grabado);
    const QStringList antes = todo(env.base());
    BaseDatos::Opciones corta;
    corta.esperaMs = 50;
    auto programa = env.abreBase(corta);

    // Another workstation is saving the same declaration.
    auto otra = std::make_unique<TransaccionEscritura>(env.base());
    env.base().reserva(reservaDeclaracion(kRuc, kPeriodo, kFormulario, kSemana));
    Instantanea d = casos();
    d.casillas[100] = "9,999";
    const ResultadoGrabado r = GrabarForm(*programa, d, ClaveDeclaracion{}, opciones());
    EXPECT_FALSE(r.grabado);
    EXPECT_EQ(r.errorBD, jet::RegistroBloqueado);
    EXPECT_EQ(env.dialogos().mostrados.back().texto, "Registro bloqueado. Intente luego");
    otra.reset();
    EXPECT_EQ(todo(env.base()), antes);

    // The caller kept the snapshot: the retry goes through.
    EXPECT_TRUE(GrabarForm(*programa, d, ClaveDeclaracion{}, opciones()).grabado);
    EXPECT_EQ(prueba::filasDet(env.base(), kRuc).at("100"), "9999");
}

// The child side of the crash test: saves a second version and is killed half-way.
TEST(GrabadoHijo, GrabaYEsInterrumpido) {
    const QString ruta = qEnvironmentVariable("QVR_PRUEBA_BASE");
    if (ruta.isEmpty()) GTEST_SKIP() << "only run by GrabadoTest.ProcesoMatadoAMitad";
    auto base = BaseDatos::conecta(qEnvironmentVariable("QVR_PRUEBA_SERVIDOR"), ruta, {});
    Instantanea d = prueba::declaracionCompleta(kRuc);
    for (auto& [n, t] : d.casillas) t = "7" + t;
    OpcionesGrabado o;
    // Stops the save for good once the header and the boxes are written (the annex rows not yet),
    // so that the parent kills it half-way.
    o.trasDetalle = [](int filas) {
        if (filas == 0) return;
        std::fputs("PAUSA\n", stderr);
        std::fflush(stderr);
        QThread::sleep(600);
    };
    GrabarForm(*base, d, ClaveDeclaracion{}, o);
    ADD_FAILURE() << "the save should have been stopped";
}

TEST_P(GrabadoTest, ProcesoMatadoAMitadDejaLaVersionAnterior) {
    prueba::llenaDividendos(env.base(), 500);
    ASSERT_TRUE(
        GrabarForm(env.base(), prueba::declaracionCompleta(kRuc), ClaveDeclaracion{}, opciones()).grabado);
    env.base().ejecuta("DELETE FROM TMP_F0738DIVID WHERE fec_retenida < '2003-06-01'");
    const QStringList antes = todo(env.base());

    QProcess hijo;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QVR_PRUEBA_BASE", env.rutaBase());
    e.insert("QVR_PRUEBA_SERVIDOR", env.servidor());
    e.insert("QT_QPA_PLATFORM", "offscreen");
    hijo.setProcessEnvironment(e);
    hijo.setReadChannel(QProcess::StandardError);
    hijo.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=GrabadoHijo.*"});
    ASSERT_TRUE(hijo.waitForStarted());
    QByteArray salida;
    while (!salida.contains("PAUSA") && hijo.state() == QProcess::Running && hijo.waitForReadyRead(60000))
        salida += hijo.readAllStandardError();
    ASSERT_TRUE(salida.contains("PAUSA")) << salida.toStdString();
    hijo.kill();
    ASSERT_TRUE(hijo.waitForFinished());

    env.cierraBase();
    auto despues = env.abreBase();
    if (GetParam() == prueba::Motor::Sqlite) {
        EXPECT_EQ(despues->escalar("PRAGMA integrity_check").toString(), "ok");
    }
    EXPECT_EQ(todo(*despues), antes);
    // Nothing is left locked: the next save goes through.
    EXPECT_TRUE(
        GrabarForm(*despues, prueba::declaracionCompleta(kRuc), ClaveDeclaracion{}, opciones()).grabado);
}

QVR_EN_AMBOS_MOTORES(GrabadoTest);

namespace {
QStringList filasGuardadas(BaseDatos& base) {
    QStringList out;
    for (const char* t : {"CAB", "DET", "F0738DIVIDEND"}) {
        const Registros r = base.consulta(QString("SELECT * FROM %1 ORDER BY 1, 2, 3, 4, 5, 6, 7").arg(t));
        for (int f = 0; f < r.filas(); ++f) {
            QStringList c;
            for (int i = 0; i < r.columnas(); ++i) c << (r.valor(f, i).isNull() ? "<null>" : r.texto(f, i));
            out << QString(t) + ":" + c.join("|");
        }
    }
    return out;
}
}  // namespace

// The same declaration saved on either engine leaves the same rows, value for value, with the same
// control numbers: accents, apostrophes, dates, 12-digit amounts and nulls included.
TEST(GrabadoEnAmbosMotores, MismasFilasYMismoCNumero) {
    QVR_REQUIERE_SERVIDOR();
    auto graba = [](prueba::Motor motor) {
        prueba::Entorno env(motor);
        creaTablasAnexo(env.base());
        prueba::llenaDividendos(env.base(), 5);
        env.base().ejecuta("INSERT INTO TMP_F0738DIVID VALUES (?, ?, ?, ?, ?)",
                           {"20100000001", QString::fromUtf8("CAFÉ D'ORO ÑANDÚ S.A."), "2003-12-31",
                            "999999999999", QVariant()});
        Instantanea d = prueba::declaracionCompleta(kRuc);
        d.casillas[801] = QString::fromUtf8("MUÑOZ");
        d.casillas[803] = QString::fromUtf8("JOSÉ D'ANGELO");
        d.casillas[100] = "999,999,999,999";
        OpcionesGrabado o;
        o.hoy = QDate(2004, 1, 5);
        EXPECT_TRUE(GrabarForm(env.base(), d, ClaveDeclaracion{}, o).grabado);
        return filasGuardadas(env.base());
    };
    const QStringList archivo = graba(prueba::Motor::Sqlite);
    const QStringList servidor = graba(prueba::Motor::Postgres);
    ASSERT_GT(archivo.size(), 100);
    EXPECT_TRUE(archivo.filter(QString::fromUtf8("CAFÉ D'ORO")).size() == 1);
    EXPECT_EQ(archivo, servidor);
}

namespace {
// `n` dividends whose texts a statement built by hand would get wrong (quotes, accents, markers,
// backslashes), with empty and null amounts, written into the working table one by one.
QStringList llenaDividendosDificiles(BaseDatos& base, int n) {
    const QVariant nombres[] = {QString::fromUtf8("CAFÉ D'ORO ÑANDÚ S.A."),
                                QString("O''NEIL \\ HNOS"),
                                QString(""),
                                QVariant(),
                                QString("? $1 'X'"),
                                QString::fromUtf8("ÁÉÍÓÚ ÜÑ € ¿?")};
    const QVariant montos[] = {QString("1000"), QString(""), QVariant(), QString("999999999999")};
    TransaccionEscritura t(base);
    Sentencia s(base,
                "INSERT INTO TMP_F0738DIVID (num_RUC, des_entpagadora, fec_retenida, mto_distribuido, "
                "mto_retenido) VALUES (?, ?, ?, ?, ?)");
    for (int i = 0; i < n; ++i)
        s.ejecuta({QString("20%1").arg(100000000 + i / 10), nombres[i % 6],
                   QDate(2003, 1 + i % 10, 1 + i % 28).toString("yyyy-MM-dd"), montos[i % 4],
                   montos[(i / 4) % 4]});
    t.confirma();
    QStringList filas;
    const Registros r = base.consulta("SELECT * FROM TMP_F0738DIVID ORDER BY num_RUC, fec_retenida");
    for (int f = 0; f < r.filas(); ++f) {
        QStringList c;
        for (int i = 0; i < r.columnas(); ++i) c << (r.valor(f, i).isNull() ? "<null>" : "=" + r.texto(f, i));
        filas << c.join('|');
    }
    return filas;
}
}  // namespace

// 500 dividends with awkward texts: the save writes them in one go on the server and one by one on
// the file, and both store the same rows with the same control numbers; opening the declaration
// again puts back into the working table exactly what was typed.
TEST(GrabadoEnAmbosMotores, QuinientosDividendosDificilesIgualesEnAmbos) {
    QVR_REQUIERE_SERVIDOR();
    auto graba = [](prueba::Motor motor) {
        prueba::Entorno env(motor);
        creaTablasAnexo(env.base());
        const QStringList tecleados = llenaDividendosDificiles(env.base(), 500);
        EXPECT_EQ(tecleados.size(), 500);
        OpcionesGrabado o;
        o.hoy = QDate(2004, 1, 5);
        EXPECT_TRUE(GrabarForm(env.base(), prueba::declaracionCompleta(kRuc), ClaveDeclaracion{}, o).grabado);
        // Compared as sets: the engines sort a null name on different sides.
        QStringList guardadas = filasGuardadas(env.base());
        guardadas.sort();

        VaciaTemporales(env.base());
        ValoresEjecucion v;
        v.ModoDeclaracion = 2;
        v.RucDeclarante = kRuc;
        CargaDeclaracion(env.base(), v, "0738", "ANA");
        QStringList vueltos;
        const Registros r =
            env.base().consulta("SELECT * FROM TMP_F0738DIVID ORDER BY num_RUC, fec_retenida");
        for (int f = 0; f < r.filas(); ++f) {
            QStringList c;
            for (int i = 0; i < r.columnas(); ++i)
                c << (r.valor(f, i).isNull() ? "<null>" : "=" + r.texto(f, i));
            vueltos << c.join('|');
        }
        EXPECT_EQ(vueltos, tecleados);
        return guardadas;
    };
    const QStringList archivo = graba(prueba::Motor::Sqlite);
    const QStringList servidor = graba(prueba::Motor::Postgres);
    EXPECT_EQ(archivo.filter("F0738DIVIDEND:").size(), 500);
    EXPECT_EQ(archivo.filter(QString::fromUtf8("CAFÉ D'ORO ÑANDÚ")).size(), 84);
    EXPECT_EQ(archivo, servidor);
}
