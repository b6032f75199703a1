#include <gtest/gtest.h>

#include "support/entorno.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"

using namespace qvr;

namespace {

// Entries as the document-type lists show them: code, "  -  ", description in 60, length, data type
// at position 71, length rule.
QString entradaTipo(const QString& codigo, const QString& descripcion, const QString& longitud,
                    char tipoDato) {
    return codigo + "  -  " + descripcion.leftJustified(60, ' ') + longitud + " " + tipoDato + " 1";
}

class Entrada : public ::testing::Test {
  protected:
    Entrada() : d(valores, Tasas{3100, 0.015, 0}) {
        conectaCalculo(d);
        d.portapapeles = &portapapeles;
        for (auto& [l, lista] : d.controles.listasDocumento)
            lista.entradas = {QString(75, ' '), entradaTipo("01", "DOC. NACIONAL DE IDENTIDAD", "08", '5'),
                              entradaTipo("06", "REG. UNICO DE CONTRIBUYENTES", "11", '5'),
                              entradaTipo("07", "PASAPORTE", "15", '0')};
        d.preparaNueva();
    }
    QString teclea(int n, const QString& t) {
        tecleaCasilla(d, n, t);
        return d.texto(n);
    }

    prueba::Entorno env{false};  // scripted message boxes
    ValoresEjecucion valores;
    PortapapelesContador portapapeles;
    Declaracion d;
};

}  // namespace

TEST_F(Entrada, ReglaDeLectura) {
    struct Caso {
        int casilla;
        const char* texto;
        double valor;
    } casos[] = {
        {122, "", 0},           {122, "0", 0},           {122, "ABC", 0},
        {122, "(1,234)", 1234}, {180, "(1,234)", -1234}, {180, "1,234", 1234},
        {180, "12abc", 0},      {180, "1,234.5", 1235},  {180, "-0.5", -1},
        {141, "(6,598)", 6598}, {515, "(100)", -100},
    };
    SuspendeCalculo suspende(valores);
    for (const auto& c : casos) {
        d.fijaTexto(c.casilla, c.texto);
        EXPECT_EQ(d.Vale(c.casilla), c.valor) << c.casilla << " " << c.texto;
    }
    EXPECT_TRUE(d.vacio(180) == false);
    d.fijaTexto(180, "   ");
    EXPECT_TRUE(d.vacio(180));
}

TEST_F(Entrada, FormaDeVisualizacion) {
    struct Caso {
        const char *antes, *despues;
    } casos[] = {{"1234567", "1,234,567"},
                 {"-1234567", "(1,234,567)"},
                 {"12a3", ""},
                 {"0", "0"},
                 {"1851.75", "1,852"},
                 {"(5)", "(5)"}};
    SuspendeCalculo suspende(valores);
    for (const auto& c : casos) {
        d.fijaTexto(513, c.antes);
        d.Forma(513);
        EXPECT_EQ(d.texto(513), c.despues) << c.antes;
    }
}

TEST_F(Entrada, FormasDeEdicionYDeVisualizacionDeLosMontos) {
    // A deduction: grouped between parentheses on leaving, plain digits while editing, 0 stays 0.
    EXPECT_EQ(teclea(122, "1234567"), "(1,234,567)");
    d.entraFoco(122);
    EXPECT_EQ(d.texto(122), "1234567");
    d.saleFoco(122);
    EXPECT_EQ(teclea(122, "0"), "0");

    // Plain and other amounts: grouped without parentheses.
    EXPECT_EQ(teclea(100, "1234567"), "1,234,567");
    d.entraFoco(100);
    EXPECT_EQ(d.texto(100), "1234567");
    EXPECT_EQ(teclea(100, "0"), "0");
    d.entraFoco(100);
    EXPECT_EQ(d.texto(100), "0");  // zero stays "0" while editing
    EXPECT_EQ(teclea(180, "1234567"), "1,234,567");
    d.entraFoco(180);
    EXPECT_EQ(d.texto(180), "1234567");

    // At most 12 typed characters; letters never reach the box.
    EXPECT_EQ(teclea(203, "1234567890123"), "123,456,789,012");
    EXPECT_EQ(d.casilla(203).longitudMaxima, 15);
    EXPECT_EQ(teclea(100, "12a-3.4 5"), "12,345");
    EXPECT_EQ(d.casilla(100).longitudMaxima, 17);
}

TEST_F(Entrada, IndicadorSoloUnoODos) {
    ASSERT_TRUE(tecleaCasilla(d, 131, "999"));  // a balance in favour enables 140
    ASSERT_TRUE(d.casilla(140).habilitada);
    d.entraFoco(140);
    EXPECT_EQ(d.casilla(140).longitudMaxima, 1);
    for (int k : {int('0'), int('3'), int('A'), kTeclaRetroceso}) EXPECT_EQ(d.tecla(140, k).tecla, 0) << k;
    EXPECT_EQ(d.tecla(140, '1').tecla, '1');
    EXPECT_EQ(d.tecla(140, '2').tecla, '2');
    const ResultadoTecla enter = d.tecla(140, kTeclaEnter);
    EXPECT_EQ(enter.tecla, 0);
    EXPECT_EQ(enter.accion, AccionVista::Siguiente);
    EXPECT_EQ(teclea(140, "912"), "1");
}

TEST_F(Entrada, TeclasPorTipoDeCasilla) {
    EXPECT_EQ(d.tecla(100, kTeclaEnter).accion, AccionVista::Siguiente);
    EXPECT_EQ(d.tecla(302, kTeclaEnter).accion, AccionVista::Siguiente);
    EXPECT_EQ(d.tecla(811, kTeclaEnter).accion, AccionVista::Siguiente);
    EXPECT_EQ(d.tecla(200, kTeclaEnter).accion, AccionVista::AbreExoneradas);
    EXPECT_EQ(d.tecla(201, kTeclaEnter).accion, AccionVista::AbreInafectas);
    EXPECT_EQ(d.tecla(200, '5').tecla, 0);
    EXPECT_EQ(teclea(200, "123"), "");

    // Names: upper case, letters only, 15 characters (30 for the names stored over two rows).
    EXPECT_EQ(teclea(811, "pérez 3rd-o'neil"), "PÉREZ RD-O'NEIL");
    EXPECT_EQ(teclea(812, QString(20, 'a')), QString(15, 'A'));
    tecleaCasilla(d, 117, "1");  // opens the Amazonía group
    EXPECT_EQ(teclea(817, QString(31, 'b')), QString(30, 'B'));

    // A locked box takes no key and sends the focus to the tab strip.
    ASSERT_TRUE(d.casilla(501).bloqueada);
    EXPECT_EQ(d.entraFoco(501), AccionVista::FocoPestanas);
    EXPECT_EQ(d.tecla(501, '1').tecla, 0);
    EXPECT_FALSE(tecleaCasilla(d, 501, "5"));
    EXPECT_EQ(d.texto(501), "");
}

TEST_F(Entrada, TabNoEsUnaTeclaEscrita) {
    // Tab leaves every kind of box, those that take no typing included, and changes nothing.
    ASSERT_TRUE(tecleaCasilla(d, 131, "999"));
    d.Modificado = false;
    for (int n : {140, 200, 201, 100, 302, 811}) {
        const ResultadoTecla r = d.tecla(n, kTeclaTab);
        EXPECT_EQ(r.tecla, kTeclaTab) << n;
        EXPECT_EQ(r.accion, AccionVista::Ninguna) << n;
    }
    EXPECT_EQ(d.teclaOrden(kTeclaTab).tecla, kTeclaTab);
    EXPECT_EQ(d.teclaVerifica(kTeclaTab).tecla, kTeclaTab);
    EXPECT_FALSE(d.Modificado);
    EXPECT_FALSE(valores.OrdenModificada);
}

TEST_F(Entrada, ModificadoPorTeclaYPorCambio) {
    EXPECT_FALSE(d.Modificado);
    d.tecla(100, 'X');  // rejected, but typed
    EXPECT_TRUE(d.Modificado);
    d.Modificado = false;
    d.fijaTelefono("4445555");
    EXPECT_TRUE(d.Modificado);
}

TEST_F(Entrada, TipoDeDocumentoYSuCasillaCompanera) {
    d.eligeOpcion(Pregunta::Inmueble, Opcion::Si);
    // Passport (data type "0"): letters and digits, up to 15.
    d.eligeCodigoDocumento(204, "7");
    EXPECT_EQ(d.controles.listasDocumento[204].codigo(), "07");
    EXPECT_EQ(d.casilla(208).longitudMaxima, 15);
    EXPECT_EQ(teclea(208, "ab12-c"), "AB12C");
    // DNI: digits only, 8.
    d.eligeCodigoDocumento(204, "1");
    EXPECT_EQ(d.texto(208), "");  // choosing a type empties the number
    EXPECT_EQ(teclea(208, "ab1234567890"), "12345678");
    // The empty entry disables and empties the number.
    d.eligeTipoDocumento(204, 0);
    EXPECT_FALSE(d.casilla(208).habilitada);
    EXPECT_EQ(d.texto(208), "");

    // While loading, choosing a type keeps the number just loaded.
    SuspendeCalculo suspende(valores);
    d.fijaTexto(209, "12345678");
    d.eligeCodigoDocumento(205, "01");
    suspende.termina();
    EXPECT_EQ(d.texto(209), "12345678");
}

// The length an entry of the document-type lists carries after its 67 characters of code and
// description: the catalog's positions 46-47 trimmed, then a blank.
TEST(LongitudDocumento, DeLaEntradaDeLaLista) {
    const QString entrada = "01  -  " + QString("LIBRETA ELECTORAL O DNI").leftJustified(60);
    const struct {
        QString entrada;
        int longitud;
    } casos[] = {
        {entrada + "08 5 1", 8}, {entrada + "8 5 1", 8}, {entrada + "15 0 0", 15},
        {entrada + "1x 0 0", 1},  // a length that is not a number reads as its leading number
        {entrada + "xx 0 0", 0}, {entrada + " 0 0", 0},  // a blank length: 0, not the data type after it
        {QString(75, ' '), 8},                           // no type chosen
        {QString(), 8},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Declaracion::LongitudDocumento(c.entrada), c.longitud) << c.entrada.mid(67).toStdString();
}

TEST_F(Entrada, GruposDeCasillas) {
    // Fourth category: opened by a positive 107 or 108 on leaving the box.
    EXPECT_FALSE(d.casilla(822).habilitada);
    EXPECT_FALSE(d.controles.listasDocumento[224].habilitada);
    tecleaCasilla(d, 108, "1000");
    EXPECT_TRUE(d.casilla(822).habilitada);
    EXPECT_TRUE(d.controles.listasDocumento[224].habilitada);
    EXPECT_EQ(d.controles.listasDocumento[224].fondo, Fondo::Ventana);
    d.eligeCodigoDocumento(224, "6");
    tecleaCasilla(d, 215, "20100066603");
    tecleaCasilla(d, 220, "1000");
    tecleaCasilla(d, 108, "0");
    EXPECT_FALSE(d.casilla(822).habilitada);
    EXPECT_EQ(d.texto(215), "");
    EXPECT_EQ(d.texto(220), "");
    EXPECT_EQ(d.controles.listasDocumento[224].elegida, -1);
    EXPECT_EQ(d.controles.listasDocumento[224].fondo, Fondo::GrisClaro);

    // Rentals: HabAlquiler keeps the document types while loading and clears them afterwards.
    SuspendeCalculo suspende(valores);
    d.eligeCodigoDocumento(204, "6");
    d.HabAlquiler();
    EXPECT_EQ(d.controles.listasDocumento[204].codigo(), "06");
    suspende.termina();
    d.HabAlquiler();
    EXPECT_EQ(d.controles.listasDocumento[204].elegida, -1);
    d.eligeOpcion(Pregunta::Inmueble, Opcion::No);
    EXPECT_FALSE(d.casilla(819).habilitada);
    EXPECT_FALSE(d.controles.listasDocumento[204].habilitada);
}

TEST_F(Entrada, VistaDeSoloLecturaYMarcosDeDeuda) {
    d.DesTodo();
    for (int n : OrdenCasillas()) {
        EXPECT_FALSE(d.casilla(n).habilitada) << n;
        EXPECT_EQ(d.casilla(n).fondo, Fondo::GrisClaro) << n;
    }
    EXPECT_FALSE(d.casilla(811).habilitada);
    EXPECT_FALSE(d.casilla(890).habilitada);
    EXPECT_FALSE(d.controles.listasDocumento[301].habilitada);
    EXPECT_FALSE(d.controles.telefonoHabilitado);
    EXPECT_FALSE(d.controles.opcionHabilitada[size_t(Pregunta::Rectifica)]);
    EXPECT_TRUE(d.controles.marcoOrden);
    EXPECT_FALSE(d.controles.validarHabilitado);
    EXPECT_EQ(d.controles.pago.habilitado, "False");

    d.Arregla(2);
    EXPECT_FALSE(d.controles.fraDeuda[0].visible);
    EXPECT_TRUE(d.controles.fraDeuda[2].visible);
    EXPECT_EQ(d.controles.fraDeuda[2].arriba, 800);
    d.Arregla(3);  // any other position changes nothing
    EXPECT_TRUE(d.controles.fraDeuda[2].visible);
    d.Arregla(1);
    EXPECT_TRUE(d.controles.fraDeuda[1].visible);
    EXPECT_EQ(d.controles.fraDeuda[1].arriba, 1870);
    EXPECT_FALSE(d.controles.fraDeuda[2].visible);
}

TEST_F(Entrada, PortapapelesRectificacionFechaYProfesion) {
    d.clicDerecho();
    d.teclaAbajo(45, true);
    d.teclaAbajo(93, false);
    d.teclaAbajo(45, false);  // Insert without Shift
    EXPECT_EQ(portapapeles.vaciados, 3);
    EXPECT_TRUE(Declaracion::teclaListaRuc(112));
    EXPECT_FALSE(Declaracion::teclaListaRuc('2'));

    // The order number: digits and Backspace; Enter moves to the check digits.
    EXPECT_EQ(d.teclaOrden('7').tecla, '7');
    EXPECT_EQ(d.teclaOrden('A').tecla, 0);
    EXPECT_EQ(d.teclaOrden(kTeclaEnter).accion, AccionVista::FocoVerifica);
    EXPECT_TRUE(valores.OrdenModificada);
    EXPECT_EQ(d.teclaVerifica('-').tecla, 0);

    SuspendeCalculo suspende(valores);
    d.eligeOpcion(Pregunta::Rectifica, Opcion::Si);  // a stored answer: no reminder
    suspende.termina();
    EXPECT_TRUE(env.dialogos().mostrados.empty());
    d.eligeOpcion(Pregunta::Rectifica, Opcion::Si);
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    EXPECT_EQ(env.dialogos().mostrados[0].texto,
              "Recuerde que debe consignar información en todas las casillas inclusive aquellas que no está "
              "rectificando.");
    EXPECT_EQ(env.dialogos().mostrados[0].icono, Icono::Exclamacion);

    struct Caso {
        const char *fecha, *queda;
    } fechas[] = {{"15/06/1970", "15/06/1970"}, {"01/01/1850", "01/01/1850"}, {"01/01/2500", "01/01/2500"},
                  {"31/12/1849", "__/__/____"}, {"02/01/2500", "__/__/____"}, {"31/02/1970", "__/__/____"},
                  {"__/__/____", "__/__/____"}};
    for (const auto& f : fechas) {
        d.fijaFechaNacimiento(f.fecha);
        d.saleFechaNacimiento();
        EXPECT_EQ(d.controles.fechaNacimiento, f.queda) << f.fecha;
    }

    d.controles.profesion.entradas = {"", "01     ABOGADO", "99     NO ESPECIFICADO"};
    d.eligeCodigoProfesion("1");
    EXPECT_EQ(d.controles.descripcionProfesion, "ABOGADO");
}
