#include "varnel/computation/validacion.h"

#include <gtest/gtest.h>

#include <QFile>

#include "common/schema.h"
#include "platform/database.h"
#include "support/entorno.h"
#include "support/validacion_declaracion.h"
#include "varnel/computation/recalculo.h"
#include "varnel/computation/validacion_reglas.h"

using namespace qvr;

namespace {

// The location texts as the system writes them.
const QString AMZ = " (casilla ubicada en el rubro Información Complementaria  - Inversión en la Amazonia...)";
const QString ALQ = " (casilla ubicada en el rubro Información Complementaria  - Detalle de alquileres pagados..)";
const QString ALQ3 = " (casilla ubicada en el rubro Información Complementaria  - Detalle de alquileres pagados...)";
const QString DAT = " (datos ubicados en el rubro Información Complementaria  - Detalle de alquileres pagados..)";
const QString RNI = " ( casilla ubicada en el rubro Determinación de la Renta imponible - Renta Neta Imponible ) ";
const QString CQC = " ( casilla ubicada en el rubro Determinación de la Renta imponible - Cuarta y Quinta categoria ) ";
const QString DEU = " ( casilla ubicada en el rubro Determinación de la deuda ) ";
const QString REP = " ( casilla ubicada en el rubro Información Complementaria  - Datos del Representante legal / Conyuge...)";
const QString IDE = "( dato ubicado en el rubro Identificación )";
const QString PAG = "( dato ubicado en el rubro Determinación de la deuda )";
const QString CAS = "( casillas ubicadas en el rubro Determinación de la Renta imponible )";

const QString kRuc = "20100047218";  // the declarant
const QString kRucA = "20500000008";
const QString kRucB = "20600000013";

// A consistent declaration: first-category income, rent question and rectification answered,
// amount to pay and payment form given.
const QStringList kBase = {"ruc=" + kRuc, "rectifica=0", "alquiler=2", "100=5,000", "180=0", "pago.forma=E"};

class Validacion : public ::testing::Test {
protected:
    void SetUp() override {
        prueba::catalogosValidacion(env);
        if (!env.base().existeTabla("TMP_F0738EXTRA")) creaTablasAnexo(env.base());
        valores.ModoDeclaracion = 2;
        c.base = &env.base();
        c.hoy = QDate(2004, 3, 15);
        c.rutaSistema = env.sistema();
        c.abreInconsistencias = [this](const std::vector<Inconsistencia>& l) { abiertas = l; };
    }

    std::unique_ptr<Declaracion> declaracion(const QStringList& lineas, bool conBase = true) {
        auto d = std::make_unique<Declaracion>(valores, Tasas{3100, 0.015, 0});
        conectaCalculo(*d);
        d->preparaNueva();
        prueba::aplicaLineas(*d, (conBase ? kBase : QStringList{}) + lineas);
        return d;
    }

    QStringList lineas(const QStringList& entrada, bool conBase = true) {
        const auto d = declaracion(entrada, conBase);
        QStringList r;
        for (const Inconsistencia& i : ValidaTodoDetalle(*d, "0", c).lineas) r << i.texto;
        return r;
    }

    QByteArray archivo() {
        QFile f(rutaInconsistencias(env.sistema()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }

    prueba::Entorno env;
    ValoresEjecucion valores;
    ContextoValidacion c;
    std::vector<Inconsistencia> abiertas;
};

TEST_F(Validacion, DeclaracionConsistenteConfirmaYDejaElArchivoVacio) {
    QFile viejo(rutaInconsistencias(env.sistema()));
    ASSERT_TRUE(viejo.open(QIODevice::WriteOnly));
    viejo.write("old report\r\n");
    viejo.close();

    const auto d = declaracion({});
    EXPECT_TRUE(ValidaTodo(*d, "0", c));
    EXPECT_EQ(archivo(), QByteArray());  // replaced, not appended to
    ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
    const Mensaje& m = env.dialogos().mostrados[0];
    EXPECT_EQ(m.texto, "La información de la declaración no presenta inconsistencias.");
    EXPECT_EQ(m.titulo, "Mensaje");
    EXPECT_EQ(m.icono, Icono::Exclamacion);
    EXPECT_TRUE(abiertas.empty());
}

TEST_F(Validacion, DeclaracionVaciaListaIdentificacionYLuegoLasReglasEnOrden) {
    const auto d = declaracion({"ruc=" + kRuc}, false);
    EXPECT_FALSE(ValidaTodo(*d, "0", c));
    const QStringList esperadas = {
        "Indique si es rectificatoria",
        "Señale si el inmueble donde realiza sus actividades es alquilado o propio ",
        "Ingrese el importe a pagar" + DEU,
        "Ingrese información por lo menos en una de estas casillas 100, 102, 105, 106, 107 y 108" + CAS,
        "Ingrese la Forma de pago" + PAG,
    };
    QByteArray contenido;
    for (const QString& l : esperadas) contenido += l.toUtf8() + "\r\n";
    EXPECT_EQ(archivo(), contenido);
    // The window gets the same lines with their boxes; R11 is about box 180.
    ASSERT_EQ(abiertas.size(), 5u);
    EXPECT_EQ(abiertas[2].casilla, 180);
    EXPECT_EQ(abiertas[0].casilla, 0);
    EXPECT_TRUE(valores.HayInconsistencias);
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

TEST_F(Validacion, ModoDeGrabadoSeDetieneEnLaPrimeraReglaSinTocarElArchivo) {
    QFile viejo(rutaInconsistencias(env.sistema()));
    ASSERT_TRUE(viejo.open(QIODevice::WriteOnly));
    viejo.write("old report\r\n");
    viejo.close();
    // Two broken rules (R1 and R33) and a rectification left unanswered, which only the report checks.
    const auto d = declaracion({"alquiler=", "pago.forma=XX", "rectifica="});
    const ResultadoValidacion r = ValidaTodoDetalle(*d, "2", c);
    EXPECT_FALSE(r.consistente);
    EXPECT_TRUE(r.lineas.empty());
    EXPECT_EQ(archivo(), QByteArray("old report\r\n"));
    EXPECT_TRUE(env.dialogos().mostrados.empty());
    EXPECT_TRUE(abiertas.empty());

    // Without a file behind it either.
    QFile::remove(rutaInconsistencias(env.sistema()));
    EXPECT_TRUE(ValidaTodo(*declaracion({"rectifica="}), "2", c));
    EXPECT_FALSE(QFile::exists(rutaInconsistencias(env.sistema())));
}

TEST_F(Validacion, AvisosPreliminaresEnAmbosModos) {
    // More debt than paid, and a spouse of ten: two notices with the window's caption, then the rules.
    const QStringList entrada = {"146=1,000", "180=500", "814=ROJAS", "815=DIAZ", "890=ANA", "tipodoc.235=01",
                                 "236=12345678", "nacimiento=01/01/1994"};
    for (const char* modo : {"0", "2"}) {
        env.dialogos().mostrados.clear();
        const auto d = declaracion(entrada);
        EXPECT_TRUE(ValidaTodo(*d, modo, c)) << modo;
        const QStringList textos = env.dialogos().textos();
        ASSERT_GE(textos.size(), 2) << modo;
        EXPECT_EQ(textos[0], "ZORVA generará una orden de pago por impuesto a la renta \n");
        EXPECT_EQ(textos[1], "Verifique la fecha de nacimiento de su conyuge");
        EXPECT_EQ(env.dialogos().mostrados[0].titulo, d->Titulo);
        EXPECT_EQ(env.dialogos().mostrados[1].icono, Icono::Informacion);
    }
    // A spouse of twenty raises nothing.
    env.dialogos().mostrados.clear();
    QStringList mayor = entrada;
    mayor[0] = "146=500";
    mayor.last() = "nacimiento=01/01/1984";
    EXPECT_TRUE(ValidaTodo(*declaracion(mayor), "2", c));
    EXPECT_TRUE(env.dialogos().mostrados.empty());
}

struct CasoRegla {
    const char* nombre;
    QStringList entrada;
    QStringList esperadas;  // empty: passes
};

void PrintTo(const CasoRegla& c, std::ostream* os) { *os << c.nombre; }

class Reglas : public Validacion, public ::testing::WithParamInterface<CasoRegla> {};

TEST_P(Reglas, LineasExactas) {
    const CasoRegla& caso = GetParam();
    EXPECT_EQ(lineas(caso.entrada), caso.esperadas);
}

const QString kAmz = "Ingrese información en la sección de Inversión en la Amazonía";
const QStringList kCuartaOk = {"107=10,000", "profesion=01", "822=ESTUDIO SAC", "tipodoc.224=06", "215=" + kRucA,
                               "220=4,000"};

INSTANTIATE_TEST_SUITE_P(
    Validacion, Reglas,
    ::testing::Values(
        // R5: 20% of box 514; box 117 within it lets the box-122 limit be examined.
        CasoRegla{"R5_limite117", {"514=100,000", "117=20,001", "120=1000", "116=500", "515=1000", "122=600"},
                  {"El valor ingresado en la casilla 117 no puede ser mayor al 20% del valor consignado en la casilla 514 : 20000" + RNI,
                   kAmz}},
        CasoRegla{"R5_limite122", {"514=100,000", "117=20,000", "120=1000", "116=500", "515=1000", "122=600"},
                  {"El valor de la casilla 122 no puede ser mayor a S/.500" + DEU, kAmz}},
        CasoRegla{"R5_pasa", {"514=100,000", "117=20,000", "120=1000", "116=500", "515=1000", "122=500"}, {kAmz}},
        // R10: 10% of box 113, halves to the even whole number.
        CasoRegla{"R10_2_5_a_2", {"113=25", "519=3", "515=1"},
                  {"El valor ingresado en la casilla 519 no puede ser mayor al 10% del valor consignado en la casilla 113 --> 2" + RNI}},
        CasoRegla{"R10_3_5_a_4", {"113=35", "519=4", "515=1"}, {}},
        CasoRegla{"R6_R7_R8", {"122=5", "519=1", "113=100", "141=10"},
                  {"Si ha ingresado crédito por fuente extranjera debe ingresar un valor en la casilla 116" + RNI,
                   "Si ha ingresado gastos por donaciones debe ingresar un valor en la casilla 515" + RNI,
                   "Seleccione Indicador de Utilización de Saldo a Favor casilla 140" + DEU}},
        // R9: (107 + 108) × 0.015.
        CasoRegla{"R9", kCuartaOk + QStringList{"110=151"},
                  {"La casilla 110 no puede ser mayor a la (Casilla 107 + Casilla 108)* 0.015-->150" + CQC}},
        CasoRegla{"R9_pasa", kCuartaOk + QStringList{"110=150"}, {}},
        CasoRegla{"R4", {"108=1"}, {"Ingrese la ocupación del declarante " + IDE,
                                    "Ingrese información complementaria de rentas de cuarta categoría" + DAT}},
        // R2: each Amazonía line.
        CasoRegla{"R2", {"117=1", "818=SELVA SA", "230=2050000000", "232=0"},
                  {"El monto invertido de la casilla 232 debe ser mayor a cero" + AMZ,
                   "La longitud del  RUC ingresado en la casilla 230 no es valida" + AMZ}},
        CasoRegla{"R2_faltan", {"117=1", "231=100", "229=20500000009"},
                  {"Consigne los apellidos y nombres, denominación o razón social en la Amazonía",
                   "El RUC ingresado en la casilla 229 no es valido" + AMZ}},
        CasoRegla{"R2_pasa", {"117=1", "817=SELVA SA", "229=" + kRucA, "231=100"}, {}},
        // R3: the four principal payers.
        CasoRegla{"R3_monto_cero", {"107=10,000", "profesion=01", "822=ESTUDIO SAC", "tipodoc.224=06", "215=" + kRucA, "220=0"},
                  {"El ingreso bruto percibido de la casilla 220 debe ser mayor a cero" + ALQ}},
        CasoRegla{"R3_faltan", {"107=10,000", "profesion=01", "823=X", "217=1234567", "221=5"},
                  {"Ingrese el tipo de documento en la casilla 225" + ALQ3,
                   "El número de documento de la casilla 217 no es valido" + ALQ3}},
        CasoRegla{"R3_ruc", kCuartaOk + QStringList{"824=Y", "tipodoc.226=06", "218=20500000009", "222=1"},
                  {"El RUC ingresado en la casilla 218 no es valido" + ALQ3}},
        CasoRegla{"R3_sin_nombre", kCuartaOk + QStringList{"tipodoc.227=01", "223=5"},
                  {"Ingrese la razón social en rentas de cuarta categoría " + ALQ,
                   "Ingrese el número de documento en la casilla 219" + ALQ}},
        CasoRegla{"R3_pasa", kCuartaOk, {}},
        // R12: the legal representative.
        CasoRegla{"R12", {"812=PEREZ", "tipodoc.301=06", "302=12345678901"},
                  {"Ingrese Apellido Paterno del Representante Legal" + REP,
                   "Ingrese Nombres del Representante Legal" + REP,
                   "El número de RUC del Representante Legal no es valido" + REP}},
        CasoRegla{"R12_dni", {"811=PEREZ", "813=LUIS", "tipodoc.301=01", "302=1234567"},
                  {"El número de documento del Representante Legal no es valido" + REP}},
        CasoRegla{"R12_pasa", {"811=PEREZ", "813=LUIS", "tipodoc.301=06", "302=" + kRucA}, {}},
        // R13 to R20: exact text comparisons.
        CasoRegla{"R13", {"117=1", "817=A", "818=B", "231=1", "232=1", "229=" + kRuc, "230=" + kRuc},
                  {"Los números de RUC de la casilla 229 y la casilla 230 no pueden ser iguales" + AMZ,
                   "El número de RUC de la casilla 229 no puede ser igual al del declarante" + AMZ,
                   "El número de RUC de la casilla 230 no puede ser igual al del declarante" + AMZ}},
        CasoRegla{"R14_tipos_distintos", kCuartaOk + QStringList{"tipodoc.224=04", "215=AB123", "823=B", "tipodoc.225=01",
                                                                  "217=12345678", "824=C", "tipodoc.226=04", "218=AB123 ", "221=1", "222=1"},
                  {}},
        CasoRegla{"R14_R15", kCuartaOk + QStringList{"tipodoc.224=04", "215=AB123", "823=B", "tipodoc.225=04", "217=AB123",
                                                      "824=C", "tipodoc.226=04", "218=AB123", "221=1", "222=1"},
                  {"Los números de documentos de la casilla 215 y la casilla 217 no pueden ser iguales" + ALQ,
                   "Los números de documentos de la casilla 217 y la casilla 218 no pueden ser iguales" + ALQ}},
        CasoRegla{"R14_declarante", {"107=10,000", "profesion=01", "822=A", "tipodoc.224=06", "215=" + kRuc, "220=1",
                                     "825=D", "tipodoc.227=06", "219=" + kRuc, "223=1"},
                  {"El número de RUC de la casilla 215 no puede ser igual al del declarante" + ALQ3,
                   "Los números de documentos de la casilla 215 y la casilla 219 no pueden ser iguales" + ALQ,
                   "El número de RUC de la casilla 219 no puede ser igual al del declarante" + ALQ}},
        CasoRegla{"R18_R19_R20", {"alquiler=1", "819=A", "tipodoc.204=06", "208=" + kRuc, "212=1", "820=B", "tipodoc.205=06",
                                  "209=" + kRuc, "213=1", "821=C", "tipodoc.206=06", "211=" + kRuc, "214=1"},
                  {"Los números de documento de la casilla 208 y la casilla 209 no pueden ser iguales" + ALQ,
                   "El número de RUC de la casilla 208 no puede ser igual al del declarante" + ALQ,
                   "Los números de documento de la casilla 209 y la casilla 211 no pueden ser iguales" + ALQ,
                   "El número de RUC de la casilla 209 no puede ser igual al del declarante" + ALQ,
                   "El número de RUC de la casilla 211 no puede ser igual al del declarante" + ALQ}},
        // R21: the spouse, birth date included.
        CasoRegla{"R21", {"nacimiento=31/02/1970", "tipodoc.235=01", "236=1234"},
                  {"Ingrese Apellido Paterno del Cónyuge" + REP, "Ingrese Apellido Materno del Cónyuge" + REP,
                   "Ingrese Nombres del cónyuge" + REP, "El número de documento del conyuge no es valido" + REP,
                   "La fecha de nacimiento del Cónyuge no es valida" + REP}},
        CasoRegla{"R21_ruc", {"814=A", "815=B", "890=C", "tipodoc.235=06", "236=20500000009", "nacimiento=01/01/1970"},
                  {"El número de RUC del Cónyuge no es valido" + REP}},
        CasoRegla{"R21_pasa", {"814=A", "815=B", "890=C", "tipodoc.235=01", "236=12345678", "nacimiento=01/01/1970"}, {}},
        CasoRegla{"R22", kCuartaOk + QStringList{"221=7,000", "823=B", "tipodoc.225=01", "217=12345678"},
                  {"La suma de los importes que se informan en las casillas 220,221,222,223 no pueden ser mayores a las rentas de cuarta categoría declaradas casilla 107 y 108" + ALQ}},
        // R23, R27, R29: the three rental lines and their different texts.
        CasoRegla{"R23_R27_R29", {"alquiler=1", "tipodoc.204=06", "208=20500000009", "212=0", "209=12", "213=5",
                                  "821=C", "211=", "214="},
                  {"Ingrese el nombre o razón social en detalle de alquileres" + ALQ,
                   "El número de RUC de la casilla 208  no es valido" + ALQ,
                   "El Monto anual del alquiler de la casilla 212 debe ser mayor a cero" + ALQ,
                   "Ingrese el nombre o razón social en detalle de alquileres",
                   "Ingrese el tipo de documento casilla 205" + ALQ,
                   "El número de documento de la casilla 209 no es valido" + ALQ,
                   "Ingrese el tipo de documento casilla 206",
                   "Ingrese el número de docuemento casilla 211" + ALQ,
                   "Ingrese el monto anual del alquiler casilla 214" + ALQ}},
        CasoRegla{"R23_pasa", {"alquiler=1", "819=A", "tipodoc.204=01", "208=12345678", "212=1,200"}, {}},
        // R24 to R26: sections left empty.
        CasoRegla{"R24_R25_R26", {"alquiler=1", "117=5", "107=1", "profesion=01"},
                  {kAmz, "Ingrese detalle de Alquileres de Bienes Inmuebles " + ALQ,
                   "Ingrese información complementaria de rentas de cuarta categoría" + DAT}},
        CasoRegla{"R24_R26_pasan", {"117=0", "107=0", "profesion=01"}, {}},
        // R30 to R32: annex answers stored as Si with nothing behind them.
        CasoRegla{"R30_R31_R32", {"general=1", "total= ", "extranjero=1", "fideicomiso=1"},
                  {"Debe registrar información en el rubro de información general - (Información Adicional - Información general )",
                   "Debe registrar información en el rubro de Inversión en el extranjero - (Información Adicional - Inversión - Extranjero )",
                   "Debe registrar información en el rubro de inversión en Fideicomisos - (Información Adicional - Inversión - Fideicomiso)"}},
        CasoRegla{"R30_pasa", {"general=1", "total=1,500"}, {}},
        // R33 and R34: payment form and cheque.
        CasoRegla{"E_sin_banco", {"pago.forma=E", "pago.banco=XX"}, {}},
        CasoRegla{"C_vacio", {"pago.forma=C", "pago.banco=XX", "pago.cheque=", "pago.monto="},
                  {"Ingrese el banco" + PAG, "Ingrese el Número del cheque" + PAG,
                   "No puede girar un cheque con monto cero" + PAG}},
        CasoRegla{"C_cheque_cero", {"pago.forma=C", "pago.banco=01", "pago.cheque=000", "pago.monto=0"},
                  {"No puede girar un cheque con monto cero" + PAG, "El número de cheque no puede ser cero" + PAG}},
        CasoRegla{"C_pasa", {"pago.forma=C", "pago.banco=01", "pago.cheque=12345", "pago.monto=1,000"}, {}}),
    [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(Validacion, LasFilasDeLosAnexosSeCuentanEnLasTablasDeTrabajo) {
    const QStringList entrada = {"extranjero=1", "fideicomiso=1"};
    EXPECT_EQ(lineas(entrada).size(), 2);
    env.base().ejecuta("INSERT INTO TMP_F0738EXTRA (des_emp_ext, ind_pais, ind_cargo, ind_operacion) VALUES (?, ?, ?, ?)",
                       {"ACME", "US", "01", "1"});
    EXPECT_EQ(lineas(entrada), QStringList{"Debe registrar información en el rubro de inversión en Fideicomisos - "
                                           "(Información Adicional - Inversión - Fideicomiso)"});
}

TEST_F(Validacion, IdentificacionDeUnaDeclaracionNueva) {
    valores.ModoDeclaracion = 1;
    // No taxpayer chosen and a short telephone: both are lines before the rules.
    c.identificacion.entradaRuc = "";
    EXPECT_EQ(lineas({"telefono=123"}).mid(0, 2),
              (QStringList{"Debe seleccionar un declarante", "Ingrese correctamente el teléfono"}));

    // The chosen taxpayer becomes the declarant.
    int identificado = 0;
    c.identificacion.recargaTasas = [&] { ++identificado; };
    c.identificacion.entradaRuc = kRucA + "  PEREZ GOMEZ JUAN          050504";
    EXPECT_TRUE(lineas({"telefono=4567890"}).isEmpty());
    EXPECT_EQ(valores.RucDeclarante, kRucA);
    EXPECT_EQ(identificado, 1);

    // One that already has a declaration of the form is refused with a message, in every mode.
    env.base().ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana) VALUES (6, ?, '2003', '0738', 0)",
                       {kRucA});
    const auto d = declaracion({});
    ContextoIdent ci = c.identificacion;
    ci.base = &env.base();
    const ResultadoIdent r = ValIdent("0", *d, ci);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(env.dialogos().textos().last(),
              "El formulario que desea ingresar ya existe, elija la opción Modificar formularios o elija otro RUC");
    EXPECT_FALSE(ValidaTodo(*d, "0", c));
}

TEST(ValIdentInteractivo, TelefonosDetienenConSuMensaje) {
    prueba::Entorno env;
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    Declaracion d(v);
    conectaCalculo(d);
    ContextoIdent c;
    struct Caso { const char* telefono; const char* mensaje; };
    for (const Caso& k : {Caso{"12345", "Ingrese correctamente el teléfono"},
                          Caso{"12345678", "Identificación-Datos Generales : El número ingresado debe ser de 7 digitos, o un celular de 8 o 7 digitos"},
                          Caso{"912345", "Identificación-Datos Generales : El celular debe ser de 8 o 7 digitos"},
                          Caso{"123456", nullptr}, Caso{"", nullptr}, Caso{"91234567", nullptr}}) {
        env.dialogos().mostrados.clear();
        d.controles.opciones[size_t(Pregunta::Rectifica)] = Opcion::No;
        d.controles.telefono = k.telefono;
        const ResultadoIdent r = ValIdent("1", d, c);
        EXPECT_EQ(r.ok, k.mensaje == nullptr) << k.telefono;
        if (!k.mensaje) continue;
        EXPECT_EQ(r.foco, FocoIdent::Telefono);
        EXPECT_TRUE(r.pagina0);
        ASSERT_EQ(env.dialogos().mostrados.size(), 1u);
        EXPECT_EQ(env.dialogos().mostrados[0].texto, k.mensaje);
        EXPECT_EQ(env.dialogos().mostrados[0].icono, Icono::Error);
    }
}

// The location texts, byte for byte as the rule list gives them.
TEST(UbicacionesDeReglas, TextosExactos) {
    const struct {
        const QString& texto;
        const char* esperado;
    } casos[] = {
        {ubicacion::AMZ, " (casilla ubicada en el rubro Información Complementaria  - Inversión en la Amazonia...)"},
        {ubicacion::ALQ, " (casilla ubicada en el rubro Información Complementaria  - Detalle de alquileres pagados..)"},
        {ubicacion::ALQ3, " (casilla ubicada en el rubro Información Complementaria  - Detalle de alquileres pagados...)"},
        {ubicacion::DAT, " (datos ubicados en el rubro Información Complementaria  - Detalle de alquileres pagados..)"},
        {ubicacion::RNI, " ( casilla ubicada en el rubro Determinación de la Renta imponible - Renta Neta Imponible ) "},
        {ubicacion::CQC, " ( casilla ubicada en el rubro Determinación de la Renta imponible - Cuarta y Quinta categoria ) "},
        {ubicacion::DEU, " ( casilla ubicada en el rubro Determinación de la deuda ) "},
        {ubicacion::REP, " ( casilla ubicada en el rubro Información Complementaria  - Datos del Representante legal / Conyuge...)"},
        {ubicacion::IDE, "( dato ubicado en el rubro Identificación )"},
        {ubicacion::PAG, "( dato ubicado en el rubro Determinación de la deuda )"},
        {ubicacion::CAS, "( casillas ubicadas en el rubro Determinación de la Renta imponible )"},
    };
    for (const auto& c : casos) EXPECT_EQ(c.texto.toUtf8(), QByteArray(c.esperado)) << c.esperado;
}

// The messages of the rule list that the cases above do not reach, with their location texts.
INSTANTIATE_TEST_SUITE_P(
    Mensajes, Reglas,
    ::testing::Values(
        CasoRegla{"R12_tipo_y_numero", {"811=PEREZ", "813=LUIS"},
                  {"Ingrese el tipo de documento del Representante Legal" + REP,
                   "Ingrese número de documento del Representante Legal" + REP}},
        CasoRegla{"R12_ruc_corto", {"811=PEREZ", "813=LUIS", "tipodoc.301=06", "302=123"},
                  {"El número de RUC del Representante Legal no es valido" + REP}},
        CasoRegla{"R21_tipo_y_numero", {"814=A", "815=B", "890=C", "nacimiento=01/01/1970"},
                  {"Ingrese el tipo de documento del cónyuge" + REP, "Ingrese número de documento del cónyuge" + REP}},
        CasoRegla{"R21_ruc_corto", {"814=A", "815=B", "890=C", "tipodoc.235=06", "236=123", "nacimiento=01/01/1970"},
                  {"El número de RUC del cónyuge no es valido" + REP}},
        CasoRegla{"R2_ruc_y_monto", {"117=1", "817=SELVA SA"},
                  {"Ingrese el RUC en la casilla 229" + AMZ, "Ingrese el monto invertido casilla 231" + AMZ, kAmz}},
        CasoRegla{"R3_monto", {"107=10,000", "profesion=01", "822=ESTUDIO SAC", "tipodoc.224=06", "215=" + kRucA},
                  {"Ingrese el ingreso bruto percibido casilla 220" + ALQ}},
        CasoRegla{"R14_215_218", kCuartaOk + QStringList{"824=C", "tipodoc.226=06", "218=" + kRucA, "222=1"},
                  {"Los números de documentos de la casilla 215 y la casilla 218 no pueden ser iguales" + ALQ}},
        CasoRegla{"R15_R16", kCuartaOk + QStringList{"823=B", "tipodoc.225=06", "217=" + kRuc, "221=1", "824=C",
                                                      "tipodoc.226=06", "218=" + kRuc, "222=1"},
                  {"El número de RUC de la casilla 217 no puede ser igual al del declarante" + ALQ,
                   "Los números de documentos de la casilla 217 y la casilla 218 no pueden ser iguales" + ALQ,
                   "El número de RUC de la casilla 218 no puede ser igual al del declarante" + ALQ}},
        CasoRegla{"R16_218_219", kCuartaOk + QStringList{"824=C", "tipodoc.226=01", "218=12345678", "222=1", "825=D",
                                                          "tipodoc.227=01", "219=12345678", "223=1"},
                  {"Los números de documentos de la casilla 218 y la casilla 219 no pueden ser iguales" + ALQ}},
        CasoRegla{"R23_R27_tipo_y_numero", {"alquiler=1", "819=A", "212=100", "820=B", "tipodoc.205=01", "213=5"},
                  {"Ingrese el tipo de documento casilla 204" + ALQ, "Ingrese el número de documento casilla 208" + ALQ,
                   "Ingrese el número de documento casilla 209" + ALQ}},
        CasoRegla{"R23_R27_montos", {"alquiler=1", "819=A", "tipodoc.204=01", "208=12345678", "820=B", "tipodoc.205=01",
                                     "209=87654321"},
                  {"Ingrese el monto anual del alquiler casilla 212" + ALQ,
                   "Ingrese el monto anual del alquiler casilla 213" + ALQ}}),
    [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace
