// The list queries over fixture databases, the paged grid model and the display formats.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "common/schema.h"
#include "support/entorno.h"
#include "support/lists_fixture.h"
#include "varnel/lists/formato.h"
#include "varnel/lists/listas.h"
#include "varnel/lists/modelolista.h"

using namespace qvr;
using namespace qvr::prueba;

namespace {

// Every row of a list, read through the model the grid uses.
QStringList columna(BaseDatos& b, const DefinicionLista& d, int c, bool mostrado = false) {
    ModeloLista m(b, d);
    m.recarga();
    m.aseguraFila(1 << 30);
    QStringList out;
    for (int f = 0; f < m.rowCount(); ++f) out << (mostrado ? m.textoMostrado(f, c) : m.texto(f, c));
    return out;
}

class Listas : public PorMotor {
protected:
    void SetUp() override {
        PorMotor::SetUp();
        if (IsSkipped() || HasFailure()) return;
        e.agregaUsuario("ANA", "1");
        e.agregaUsuario("JEFE", "0");
        e.agregaContribuyente("10000000001", "ALVA", "ROJAS", "ANA", "ANA");
        e.agregaContribuyente("10000000002", "BRAVO", "SOTO", "BETO", "BETO");
        e.agregaContribuyente("10000000003", "CANO", "DIAZ", "CARLA", "ANA");
        for (const char* ruc : {"10000000001", "10000000002", "10000000003"}) agregaGuardada(e.base(), ruc);
        agregaEnviada(e.base(), "10000000001", "001", 1);
        agregaEnviada(e.base(), "10000000002", "001", 1);
        agregaEnviada(e.base(), "10000000003", "001", 1);
        agregaEnviada(e.base(), "10000000003", "002", 0);  // sent, not yet accepted
    }
    Entorno e{motorPara(GetParam())};
};

TEST_P(Listas, UsuarioRestringidoVeSoloSusContribuyentes) {
    struct Caso {
        QString usuario;
        QStringList guardadas, enviadas, registro;
    };
    const QStringList todos = {"10000000001", "10000000002", "10000000003"};
    const QStringList deAna = {"10000000001", "10000000003"};
    const std::vector<Caso> casos = {
        {"JEFE", todos, todos, {"10000000001", "10000000002", "10000000003", "10000000003"}},
        {"ANA", deAna, deAna, {"10000000001", "10000000003", "10000000003"}},
        // Not in CLAVES: restricted, and nobody registered taxpayers under this name.
        {"BETO", {"10000000002"}, {"10000000002"}, {"10000000002"}},
        {"NADIE", {}, {}, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.usuario.toStdString());
        DatosSesion s;
        s.Usuario = c.usuario;
        const bool r = usuarioRestringido(e.base(), c.usuario);
        EXPECT_EQ(r, c.usuario != "JEFE");
        EXPECT_EQ(columna(e.base(), listaDeclaraciones(s, false, r), col::Ruc), c.guardadas);
        // The sent list shows only the sendings the host accepted (estado 1)...
        EXPECT_EQ(columna(e.base(), listaDeclaraciones(s, true, r), col::Ruc), c.enviadas);
        // ...the order-number list every sending.
        EXPECT_EQ(columna(e.base(), listaRegistroOrden(s, r), colEnv::Ruc), c.registro);
    }
}

TEST_P(Listas, ColumnasDeLasListasDeDeclaraciones) {
    DatosSesion s;
    s.Usuario = "JEFE";
    const auto guardadas = listaDeclaraciones(s, false, false);
    const auto enviadas = listaDeclaraciones(s, true, false);
    ASSERT_EQ(guardadas.columnas.size(), 12u);
    QStringList titulos, ocultasG, ocultasE;
    for (int c = 0; c < 12; ++c) {
        titulos << guardadas.columnas[size_t(c)].titulo;
        if (guardadas.columnas[size_t(c)].oculta) ocultasG << QString::number(c);
        if (enviadas.columnas[size_t(c)].oculta) ocultasE << QString::number(c);
    }
    EXPECT_EQ(titulos, QStringList({"Ruc", "Razón social", "Ejercicio", "Formulario", "Estado", "Nro. Orden",
                                    "Fec. de Envio", "Nro. Control", "Correlativo", "Rectifica", "Orden", "Semana"}));
    EXPECT_EQ(ocultasG, QStringList({"5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(ocultasE, QStringList({"4", "10"}));

    // What a sent row shows in its columns.
    ModeloLista m(e.base(), enviadas);
    m.recarga();
    ASSERT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.textoMostrado(0, col::Nombre), "ALVA ROJAS ANA");
    EXPECT_EQ(m.textoMostrado(0, col::Ejercicio), "2003");
    EXPECT_EQ(m.textoMostrado(0, col::Formulario), "0738");
    EXPECT_EQ(m.textoMostrado(0, col::NroOrden), "12345678");
    EXPECT_EQ(m.textoMostrado(0, col::FecEnvio), "15/03/2004");
    EXPECT_EQ(m.textoMostrado(0, col::NroControl), "87654321");
    EXPECT_EQ(m.textoMostrado(0, col::Correlativo), "001");
    EXPECT_EQ(m.textoMostrado(0, col::Semana), "0");
    // A stored row has nothing in the sending's columns.
    ModeloLista g(e.base(), guardadas);
    g.recarga();
    EXPECT_EQ(g.textoMostrado(0, col::Estado), "Consistente");
    EXPECT_TRUE(g.valor(0, col::Correlativo).isNull());
}

TEST_P(Listas, GuardadasDelMismoContribuyentePorPeriodoDescendente) {
    agregaGuardada(e.base(), "10000000002", 0, 9, "2002");
    DatosSesion s;
    const auto d = listaDeclaraciones(s, false, false);
    EXPECT_EQ(columna(e.base(), d, col::Ruc),
              QStringList({"10000000001", "10000000002", "10000000002", "10000000003"}));
    EXPECT_EQ(columna(e.base(), d, col::Ejercicio), QStringList({"2003", "2003", "2002", "2003"}));
    EXPECT_EQ(columna(e.base(), d, col::Estado, true),
              QStringList({"Consistente", "Consistente", "Inconsistente", "Consistente"}));
}

TEST_P(Listas, CatalogosDeConsulta) {
    e.agregaParam("979", "00", "NO DEBE LISTARSE");
    e.agregaParam("979", "01", "ABOGADO");
    e.agregaParam("979", "02", QString("ARQUITECTO").leftJustified(40, 'X'));
    e.agregaParam("004", "00", "NINGUNO");
    e.agregaParam("004", "11", QString("BANCO UNO").leftJustified(37) + "BCO1");
    e.agregaParam("404", "20010101", "3000");
    e.agregaParam("404", "20030101", " 3100 ");
    e.agregaParam("404", "20020101", "3100");

    auto prof = consultaCatalogo(1);
    ASSERT_TRUE(prof);
    EXPECT_EQ(prof->titulo, "Consulta de Profesiones");
    EXPECT_EQ(columna(e.base(), prof->lista, 0), QStringList({"01", "02"}));
    // The whole description (a profession's runs up to 40 characters and more), not its first 36.
    EXPECT_EQ(columna(e.base(), prof->lista, 1)[1], QString("ARQUITECTO").leftJustified(40, 'X'));

    auto bancos = consultaCatalogo(2);
    ASSERT_TRUE(bancos);
    EXPECT_EQ(bancos->titulo, "Consulta de Bancos");
    EXPECT_EQ(columna(e.base(), bancos->lista, 0), QStringList({"11"}));
    EXPECT_EQ(columna(e.base(), bancos->lista, 1), QStringList({"BANCO UNO"}));

    auto uit = consultaCatalogo(3);
    ASSERT_TRUE(uit);
    EXPECT_EQ(uit->titulo, "Consulta de UIT");
    EXPECT_EQ(uit->lista.columnas[0].titulo, "Fecha");
    EXPECT_EQ(uit->lista.columnas[1].titulo, "Valor");
    EXPECT_EQ(uit->lista.columnas[0].anchoTwips, 1500);
    EXPECT_EQ(columna(e.base(), uit->lista, 0, true), QStringList({"01/01/2003", "01/01/2002", "01/01/2001"}));
    EXPECT_EQ(columna(e.base(), uit->lista, 1, true), QStringList({"3,100", "3,100", "3,000"}));

    EXPECT_FALSE(consultaCatalogo(0));
    EXPECT_FALSE(consultaCatalogo(4));
}

// SysUser as typed in NEMDAL.INI: the user and his taxpayers are found whatever the case.
TEST_P(Listas, UsuarioSinDistinguirMayusculas) {
    for (const char* usuario : {"ana", "Ana"}) {
        SCOPED_TRACE(usuario);
        DatosSesion s;
        s.Usuario = usuario;
        const bool r = usuarioRestringido(e.base(), usuario);
        EXPECT_TRUE(r);
        EXPECT_EQ(columna(e.base(), listaDeclaraciones(s, false, r), col::Ruc),
                  QStringList({"10000000001", "10000000003"}));
        EXPECT_EQ(columna(e.base(), listaDeclaraciones(s, true, r), col::Ruc),
                  QStringList({"10000000001", "10000000003"}));
        EXPECT_EQ(columna(e.base(), listaRegistroOrden(s, r), colEnv::Ruc).size(), 3);
    }
    EXPECT_FALSE(usuarioRestringido(e.base(), "jefe"));
}

// A value with quotes goes in as a bound value: the list neither breaks nor widens.
TEST_P(Listas, UsuarioConComillas) {
    e.agregaContribuyente("10000000009", "O'NEIL", "X", "Y", "O'NEIL");
    agregaGuardada(e.base(), "10000000009");
    DatosSesion s;
    s.Usuario = "O'NEIL";
    EXPECT_EQ(columna(e.base(), listaDeclaraciones(s, false, true), col::Ruc), QStringList({"10000000009"}));
    s.Usuario = "x' OR '1'='1";
    EXPECT_TRUE(columna(e.base(), listaDeclaraciones(s, false, true), col::Ruc).isEmpty());
}

class ModeloListaMotor : public PorMotor {};

TEST_P(ModeloListaMotor, LeePorPaginasSinRepetirNiSaltarFilas) {
    Entorno e(GetParam());
    const int total = 2 * ModeloLista::kPagina + 37;
    {
        TransaccionEscritura t(e.base());
        for (int i = 0; i < total; ++i) {
            const QString ruc = QString("10%1").arg(i, 9, 10, QChar('0'));
            e.agregaContribuyente(ruc, "A", "B", "C", "U");
            agregaGuardada(e.base(), ruc);
        }
        t.confirma();
    }
    DatosSesion s;
    ModeloLista m(e.base(), listaDeclaraciones(s, false, false));
    m.recarga();
    EXPECT_EQ(m.rowCount(), ModeloLista::kPagina);
    EXPECT_TRUE(m.canFetchMore());
    m.fetchMore();
    EXPECT_EQ(m.rowCount(), 2 * ModeloLista::kPagina);
    EXPECT_TRUE(m.aseguraFila(total - 1));
    EXPECT_EQ(m.rowCount(), total);
    EXPECT_FALSE(m.canFetchMore());
    EXPECT_FALSE(m.aseguraFila(total));
    for (int f = 0; f < total; ++f) ASSERT_EQ(m.texto(f, col::Ruc), QString("10%1").arg(f, 9, 10, QChar('0')));

    // A page that cannot be read when the grid scrolls to it is reported, not thrown.
    m.recarga();
    QSignalSpy fallo(&m, &ModeloLista::falloLectura);
    e.base().ejecuta("DROP TABLE CONT");
    m.fetchMore();
    EXPECT_EQ(fallo.count(), 1);
    EXPECT_EQ(m.rowCount(), ModeloLista::kPagina);
    EXPECT_FALSE(m.canFetchMore());
    EXPECT_THROW(m.recarga(), ErrorBD);
    EXPECT_EQ(m.rowCount(), 0);
}

TEST(Formatos, ComoLosMuestraLaGrilla) {
    struct Caso {
        QVariant valor;
        QString diaMesAnio, miles;
    };
    const std::vector<Caso> casos = {
        {"01012003", "01/01/2003", "1,012,003"},
        {"31122002", "31/12/2002", "31,122,002"},
        {" 3100 ", "00/00/3100", "3,100"},
        {"3100.5", "00/00/3101", "3,101"},
        {"-1500", "-00/00/1500", "-1,500"},
        {"0", "00/00/0000", ""},
        {"ABC", "00/00/0000", ""},
        {QVariant(), "", ""},
        {123456789, "123/45/6789", "123,456,789"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor.toString().toStdString());
        EXPECT_EQ(formatoDiaMesAnio(c.valor), c.diaMesAnio);
        EXPECT_EQ(formatoMiles(c.valor), c.miles);
    }
    EXPECT_EQ(formatoFecha(QVariant("2004-03-15")), "15/03/2004");
    EXPECT_EQ(formatoFecha(QVariant("2004-03-15 10:20:00")), "15/03/2004");
    EXPECT_EQ(formatoFecha(QVariant("no es fecha")), "no es fecha");
    EXPECT_EQ(formatoFecha(QVariant()), "");
}

}  // namespace

QVR_EN_AMBOS_MOTORES(Listas);

QVR_EN_AMBOS_MOTORES(ModeloListaMotor);
