#include "varnel/computation/validacion_reglas.h"


#include "common/formato.h"
#include "common/valores_comunes.h"
#include "platform/database.h"
#include "platform/utilitario.h"
#include "varnel/computation/calculo.h"
#include "varnel/declaration/declaracion.h"

namespace qvr {

namespace ubicacion {
// Their blanks, double blanks and dots are the system's texts.
const QString AMZ = QStringLiteral(" (casilla ubicada en el rubro Información Complementaria  - Inversión en la Amazonia...)");
const QString ALQ = QStringLiteral(" (casilla ubicada en el rubro Información Complementaria  - Detalle de alquileres pagados..)");
const QString ALQ3 = QStringLiteral(" (casilla ubicada en el rubro Información Complementaria  - Detalle de alquileres pagados...)");
const QString DAT = QStringLiteral(" (datos ubicados en el rubro Información Complementaria  - Detalle de alquileres pagados..)");
const QString RNI = QStringLiteral(" ( casilla ubicada en el rubro Determinación de la Renta imponible - Renta Neta Imponible ) ");
const QString CQC = QStringLiteral(" ( casilla ubicada en el rubro Determinación de la Renta imponible - Cuarta y Quinta categoria ) ");
const QString DEU = QStringLiteral(" ( casilla ubicada en el rubro Determinación de la deuda ) ");
const QString REP = QStringLiteral(" ( casilla ubicada en el rubro Información Complementaria  - Datos del Representante legal / Conyuge...)");
const QString IDE = QStringLiteral("( dato ubicado en el rubro Identificación )");
const QString PAG = QStringLiteral("( dato ubicado en el rubro Determinación de la deuda )");
const QString CAS = QStringLiteral("( casillas ubicadas en el rubro Determinación de la Renta imponible )");
}  // namespace ubicacion

double Evaluador::V(int n) const { return d_.Vale(n); }
bool Evaluador::vacio(int n) const { return d_.vacio(n); }
QString Evaluador::texto(int n) const { return d_.texto(n); }

QString Evaluador::selector(int lista) const {
    const auto it = d_.controles.listasDocumento.find(lista);
    return it == d_.controles.listasDocumento.end() ? QString() : it->second.texto();
}

QString Evaluador::tipo(int lista) const { return selector(lista).left(2).trimmed(); }

bool Evaluador::documentoValido(const QString& tipo, const QString& numero) const {
    if (c_.validaDocumento) return c_.validaDocumento(tipo, numero);
    return c_.base && ValidaDocumento(*c_.base, tipo, numero);
}

bool Evaluador::rucValido(const QString& ruc) const { return Utilitario::ValidaRuc(ruc); }
const QString& Evaluador::rucDeclarante() const { return d_.valores.RucDeclarante; }

void Evaluador::linea(const QString& texto, int casilla) {
    roto = true;
    if (!informe_) throw Detenida{};
    lineas.push_back({texto, casilla});
}

namespace {

using namespace ubicacion;

QString num(int n) { return QString::number(n).rightJustified(3, '0'); }
bool algunoLleno(const Evaluador& e, std::initializer_list<int> cajas) {
    for (int n : cajas)
        if (!e.vacio(n)) return true;
    return false;
}
bool todosVacios(const Evaluador& e, std::initializer_list<int> cajas) { return !algunoLleno(e, cajas); }
bool seleccionada(const Evaluador& e, Pregunta p, Opcion o) {
    return e.declaracion().controles.opciones[size_t(p)] == o;
}
// Ties to even, as the conversion to a whole number does.
QString digitos(double v) { return QString::number(qint64(v)); }

void r1Alquiler(Evaluador& e) {
    if (seleccionada(e, Pregunta::Inmueble, Opcion::Ninguna))
        e.linea("Señale si el inmueble donde realiza sus actividades es alquilado o propio ", 0);
}

void r2Amazonia(Evaluador& e) {
    struct L { int nombre, ruc, monto; };
    for (const L l : {L{817, 229, 231}, L{818, 230, 232}}) {
        if (todosVacios(e, {l.nombre, l.ruc, l.monto})) continue;
        if (e.vacio(l.nombre))
            e.linea("Consigne los apellidos y nombres, denominación o razón social en la Amazonía", l.nombre);
        if (e.vacio(l.ruc)) e.linea("Ingrese el RUC en la casilla " + num(l.ruc) + AMZ, l.ruc);
        if (e.vacio(l.monto))
            e.linea("Ingrese el monto invertido casilla " + num(l.monto) + AMZ, l.monto);
        else if (e.V(l.monto) == 0)
            e.linea("El monto invertido de la casilla " + num(l.monto) + " debe ser mayor a cero" + AMZ, l.monto);
        const QString ruc = e.texto(l.ruc).trimmed();
        if (ruc.isEmpty()) continue;
        if (!e.documentoValido("06", ruc))
            e.linea("La longitud del  RUC ingresado en la casilla " + num(l.ruc) + " no es valida" + AMZ, l.ruc);
        else if (!e.rucValido(ruc))
            e.linea("El RUC ingresado en la casilla " + num(l.ruc) + " no es valido" + AMZ, l.ruc);
    }
}

void r3Cuarta(Evaluador& e) {
    struct L { int nombre, lista, numero, monto; };
    for (const L l : {L{822, 224, 215, 220}, L{823, 225, 217, 221}, L{824, 226, 218, 222}, L{825, 227, 219, 223}}) {
        if (e.selectorVacio(l.lista) && todosVacios(e, {l.nombre, l.numero, l.monto})) continue;
        if (e.vacio(l.nombre)) e.linea("Ingrese la razón social en rentas de cuarta categoría " + ALQ, l.nombre);
        if (e.selectorVacio(l.lista))
            e.linea("Ingrese el tipo de documento en la casilla " + num(l.lista) + ALQ3, l.lista);
        if (e.vacio(l.numero))
            e.linea("Ingrese el número de documento en la casilla " + num(l.numero) + ALQ, l.numero);
        if (e.vacio(l.monto))
            e.linea("Ingrese el ingreso bruto percibido casilla " + num(l.monto) + ALQ, l.monto);
        else if (e.V(l.monto) == 0)
            e.linea("El ingreso bruto percibido de la casilla " + num(l.monto) + " debe ser mayor a cero" + ALQ,
                    l.monto);
        const QString numero = e.texto(l.numero).trimmed();
        if (numero.isEmpty()) continue;
        const QString t = e.tipo(l.lista);
        if (t == "06") {
            if (!e.documentoValido("06", e.texto(l.numero)))
                e.linea("La longitud del  RUC ingresado en la casilla " + num(l.numero) + " no es valida" + ALQ3,
                        l.numero);
            else if (!e.rucValido(numero))
                e.linea("El RUC ingresado en la casilla " + num(l.numero) + " no es valido" + ALQ3, l.numero);
        } else if (!e.documentoValido(t, e.texto(l.numero))) {
            e.linea("El número de documento de la casilla " + num(l.numero) + " no es valido" + ALQ3, l.numero);
        }
    }
}

void r4Ocupacion(Evaluador& e) {
    if (algunoLleno(e, {107, 108, 110}) && e.declaracion().controles.profesion.texto().trimmed().isEmpty())
        e.linea("Ingrese la ocupación del declarante " + IDE, 0);
}

void r5Amazonia117(Evaluador& e) {
    if (e.vacio(514) || e.vacio(117)) return;
    const double lim = redondea(e.V(514) * 0.2, Redondeo::AlPar);
    if (lim < e.V(117)) {
        e.linea("El valor ingresado en la casilla 117 no puede ser mayor al 20% del valor consignado en la casilla "
                "514 : " + digitos(lim) + RNI,
                117);
        return;
    }
    // The limit of box 122 is examined only here, with box 117 within its own.
    if (!e.vacio(515) && e.V(515) >= 0 && !e.vacio(122) && !e.vacio(116)) {
        const QString s = calculo::Calcular122(e.declaracion());
        const auto valor = numeroDeTexto(s);
        if (!s.trimmed().isEmpty() && valor && *valor < e.V(122))
            e.linea("El valor de la casilla 122 no puede ser mayor a S/." + s + DEU, 122);
    }
}

void r6Credito(Evaluador& e) {
    if (!e.vacio(122) && e.vacio(116))
        e.linea("Si ha ingresado crédito por fuente extranjera debe ingresar un valor en la casilla 116" + RNI, 116);
}

void r7Donaciones(Evaluador& e) {
    if (!e.vacio(519) && e.vacio(515))
        e.linea("Si ha ingresado gastos por donaciones debe ingresar un valor en la casilla 515" + RNI, 515);
}

void r8Indicador(Evaluador& e) {
    if (!e.vacio(141) && e.vacio(140) && e.V(141) > 0)
        e.linea("Seleccione Indicador de Utilización de Saldo a Favor casilla 140" + DEU, 140);
}

void r9Solidaridad(Evaluador& e) {
    if (e.vacio(110)) return;
    const double tasa = e.declaracion().tasas.TasaCasilla110;
    const QString tope = formatoTexto(textoDecimal((e.V(107) + e.V(108)) * tasa), patron::Monto);
    const auto valor = numeroDeTexto(tope);
    if (valor && *valor < e.V(110))
        e.linea("La casilla 110 no puede ser mayor a la (Casilla 107 + Casilla 108)* " + textoDecimal(tasa) + "-->" +
                    tope + CQC,
                110);
}

void r10Donaciones(Evaluador& e) {
    if (e.vacio(113) || e.vacio(519)) return;
    const double lim = redondea(e.V(113) * 0.1, Redondeo::AlPar);
    if (lim < e.V(519))
        e.linea("El valor ingresado en la casilla 519 no puede ser mayor al 10% del valor consignado en la casilla "
                "113 --> " + digitos(lim) + RNI,
                519);
}

void r11Importe(Evaluador& e) {
    if (e.vacio(180)) e.linea("Ingrese el importe a pagar" + DEU, 180);
}

// The document check shared by the representative and the spouse.
void documentoPersona(Evaluador& e, int lista, int caja, const QString& rucMal, const QString& docMal,
                      const QString& rucMal2) {
    const QString t = e.tipo(lista);
    if (!e.documentoValido(t, e.texto(caja)))
        e.linea((t == "06" ? rucMal : docMal) + REP, caja);
    else if (t == "06" && !e.rucValido(e.texto(caja)))
        e.linea(rucMal2 + REP, caja);
}

void r12Representante(Evaluador& e) {
    if (todosVacios(e, {811, 812, 813, 302}) && e.selectorVacio(301)) return;
    if (e.vacio(811)) e.linea("Ingrese Apellido Paterno del Representante Legal" + REP, 811);
    if (e.vacio(813)) e.linea("Ingrese Nombres del Representante Legal" + REP, 813);
    if (e.selectorVacio(301)) e.linea("Ingrese el tipo de documento del Representante Legal" + REP, 301);
    if (e.vacio(302))
        e.linea("Ingrese número de documento del Representante Legal" + REP, 302);
    else
        documentoPersona(e, 301, 302, "El número de RUC del Representante Legal no es valido",
                         "El número de documento del Representante Legal no es valido",
                         "El número de RUC del Representante Legal no es valido");
}

// R13 to R20 compare texts exactly: case-sensitive and untrimmed.
void r13RucAmazonia(Evaluador& e) {
    if (e.vacio(229) || e.vacio(230)) return;
    if (e.texto(229) == e.texto(230))
        e.linea("Los números de RUC de la casilla 229 y la casilla 230 no pueden ser iguales" + AMZ, 230);
    if (e.texto(229) == e.rucDeclarante())
        e.linea("El número de RUC de la casilla 229 no puede ser igual al del declarante" + AMZ, 229);
    if (e.texto(230) == e.rucDeclarante())
        e.linea("El número de RUC de la casilla 230 no puede ser igual al del declarante" + AMZ, 230);
}

// Box `caja` (governed by `lista`) holding the declarant's RUC.
void igualDeclarante(Evaluador& e, int caja, int lista, const QString& lugar) {
    if (e.tipo(lista) == "06" && e.texto(caja) == e.rucDeclarante())
        e.linea("El número de RUC de la casilla " + num(caja) + " no puede ser igual al del declarante" + lugar, caja);
}

// The first of the later (box, list) pairs that repeats both the number and the selector.
void primerDuplicado(Evaluador& e, int caja, int lista, std::initializer_list<std::pair<int, int>> otros,
                     const QString& documentos) {
    for (const auto& [otra, otraLista] : otros) {
        if (e.texto(caja) == e.texto(otra) && e.selector(lista) == e.selector(otraLista)) {
            e.linea("Los números de " + documentos + " de la casilla " + num(caja) + " y la casilla " + num(otra) +
                        " no pueden ser iguales" + ALQ,
                    otra);
            return;
        }
    }
}

void r14Documento215(Evaluador& e) {
    if (e.vacio(215)) return;
    igualDeclarante(e, 215, 224, ALQ3);
    primerDuplicado(e, 215, 224, {{217, 225}, {218, 226}, {219, 227}}, "documentos");
}

void r15Documento217(Evaluador& e) {
    if (e.vacio(217)) return;
    igualDeclarante(e, 217, 225, ALQ);
    primerDuplicado(e, 217, 225, {{218, 226}, {219, 227}}, "documentos");
}

void r16Documento218(Evaluador& e) {
    if (e.vacio(218)) return;
    igualDeclarante(e, 218, 226, ALQ);
    primerDuplicado(e, 218, 226, {{219, 227}}, "documentos");
}

void r17Documento219(Evaluador& e) {
    if (!e.vacio(219)) igualDeclarante(e, 219, 227, ALQ);
}

void r18Documento208(Evaluador& e) {
    if (e.vacio(208)) return;
    primerDuplicado(e, 208, 204, {{209, 205}, {211, 206}}, "documento");
    igualDeclarante(e, 208, 204, ALQ);
}

void r19Documento209(Evaluador& e) {
    if (e.vacio(209)) return;
    primerDuplicado(e, 209, 205, {{211, 206}}, "documento");
    igualDeclarante(e, 209, 205, ALQ);
}

void r20Documento211(Evaluador& e) {
    if (!e.vacio(211)) igualDeclarante(e, 211, 206, ALQ);
}

void r21Conyuge(Evaluador& e) {
    const QString nacimiento = e.declaracion().controles.fechaNacimiento;
    if (todosVacios(e, {814, 815, 890, 236}) && e.selectorVacio(235) && nacimiento == "__/__/____") return;
    if (e.vacio(814)) e.linea("Ingrese Apellido Paterno del Cónyuge" + REP, 814);
    if (e.vacio(815)) e.linea("Ingrese Apellido Materno del Cónyuge" + REP, 815);
    if (e.vacio(890)) e.linea("Ingrese Nombres del cónyuge" + REP, 890);
    if (e.selectorVacio(235)) e.linea("Ingrese el tipo de documento del cónyuge" + REP, 235);
    if (e.vacio(236))
        e.linea("Ingrese número de documento del cónyuge" + REP, 236);
    else
        documentoPersona(e, 235, 236, "El número de RUC del cónyuge no es valido",
                         "El número de documento del conyuge no es valido", "El número de RUC del Cónyuge no es valido");
    const QString hoy = e.contexto().hoy.toString("dd/MM/yyyy");
    if (!Utilitario::ValidaFecha(nacimiento, "01/01/1850", hoy))
        e.linea("La fecha de nacimiento del Cónyuge no es valida" + REP, 0);
}

void r22TotalCuarta(Evaluador& e) {
    if (e.V(220) + e.V(221) + e.V(222) + e.V(223) > e.V(107) + e.V(108))
        e.linea("La suma de los importes que se informan en las casillas 220,221,222,223 no pueden ser mayores a las "
                "rentas de cuarta categoría declaradas casilla 107 y 108" + ALQ,
                220);
}

// One rental line. The three lines differ in which messages carry a location text, and the third
// one's number message is the system's own text with its typo.
struct LineaAlquiler {
    int nombre, lista, numero, monto;
    bool lugarNombre, lugarTipo;
    const char* pideNumero;
};

void alquiler(Evaluador& e, const LineaAlquiler& l) {
    if (e.selectorVacio(l.lista) && todosVacios(e, {l.numero, l.monto, l.nombre})) return;
    if (e.vacio(l.nombre))
        e.linea(QString("Ingrese el nombre o razón social en detalle de alquileres") + (l.lugarNombre ? ALQ : ""),
                l.nombre);
    if (e.selectorVacio(l.lista))
        e.linea("Ingrese el tipo de documento casilla " + num(l.lista) + (l.lugarTipo ? ALQ : ""), l.lista);
    if (e.vacio(l.numero)) {
        e.linea(QString(l.pideNumero) + num(l.numero) + ALQ, l.numero);
    } else {
        const QString t = e.tipo(l.lista);
        if (!e.documentoValido(t, e.texto(l.numero)))
            e.linea("El número de documento de la casilla " + num(l.numero) + " no es valido" + ALQ, l.numero);
        else if (t == "06" && !e.rucValido(e.texto(l.numero)))
            e.linea("El número de RUC de la casilla " + num(l.numero) + "  no es valido" + ALQ, l.numero);
    }
    if (e.vacio(l.monto))
        e.linea("Ingrese el monto anual del alquiler casilla " + num(l.monto) + ALQ, l.monto);
    else if (e.V(l.monto) == 0)
        e.linea("El Monto anual del alquiler de la casilla " + num(l.monto) + " debe ser mayor a cero" + ALQ, l.monto);
}

void r23Alquiler1(Evaluador& e) {
    alquiler(e, {819, 204, 208, 212, true, true, "Ingrese el número de documento casilla "});
}

void r24Amazonia(Evaluador& e) {
    if (!e.vacio(117) && e.V(117) > 0 && todosVacios(e, {229, 230, 231, 232}))
        e.linea("Ingrese información en la sección de Inversión en la Amazonía", 0);
}

void r25Alquileres(Evaluador& e) {
    if (seleccionada(e, Pregunta::Inmueble, Opcion::Si) &&
        todosVacios(e, {819, 820, 821, 208, 209, 211, 212, 213, 214}) && e.selectorVacio(204) &&
        e.selectorVacio(205) && e.selectorVacio(206))
        e.linea("Ingrese detalle de Alquileres de Bienes Inmuebles " + ALQ, 819);
}

void r26Cuarta(Evaluador& e) {
    if (algunoLleno(e, {107, 108}) && (e.V(107) > 0 || e.V(108) > 0) &&
        todosVacios(e, {822, 823, 824, 825, 215, 217, 218, 219, 220, 221, 222, 223}))
        e.linea("Ingrese información complementaria de rentas de cuarta categoría" + DAT, 822);
}

void r27Alquiler2(Evaluador& e) {
    alquiler(e, {820, 205, 209, 213, false, true, "Ingrese el número de documento casilla "});
}

void r28Rentas(Evaluador& e) {
    if (todosVacios(e, {100, 102, 105, 106, 107, 108}))
        e.linea("Ingrese información por lo menos en una de estas casillas 100, 102, 105, 106, 107 y 108" + CAS, 100);
}

void r29Alquiler3(Evaluador& e) {
    alquiler(e, {821, 206, 211, 214, false, false, "Ingrese el número de docuemento casilla "});
}

void r30General(Evaluador& e) {
    if (seleccionada(e, Pregunta::General, Opcion::Si) && e.declaracion().controles.TxtTotal.trimmed().isEmpty())
        e.linea("Debe registrar información en el rubro de información general - (Información Adicional - "
                "Información general )",
                0);
}

// Whether an annex grid shows rows: the window answers, else its working table is counted.
bool hayFilas(Evaluador& e, const std::function<bool()>& f, const char* tabla) {
    if (f) return f();
    BaseDatos* base = e.contexto().base;
    return base && base->escalar(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toLongLong() > 0;
}

void r31Extranjero(Evaluador& e) {
    if (seleccionada(e, Pregunta::Extranjero, Opcion::Si) && !hayFilas(e, e.contexto().hayExtranjero, "TMP_F0738EXTRA"))
        e.linea("Debe registrar información en el rubro de Inversión en el extranjero - (Información Adicional - "
                "Inversión - Extranjero )",
                0);
}

void r32Fideicomiso(Evaluador& e) {
    if (seleccionada(e, Pregunta::Fideicomiso, Opcion::Si) &&
        !hayFilas(e, e.contexto().hayFideicomisos, "TMP_F0738FIDEI"))
        e.linea("Debe registrar información en el rubro de inversión en Fideicomisos - (Información Adicional - "
                "Inversión - Fideicomiso)",
                0);
}

void r33FormaPago(Evaluador& e) {
    const QString forma = e.declaracion().controles.pago.codigo;
    if (forma != "E" && forma != "C") e.linea("Ingrese la Forma de pago" + PAG, 0);
}

// Runs after R33 only when a payment form was chosen, so the two never report together.
void r34Cheque(Evaluador& e) {
    const FormaPago& p = e.declaracion().controles.pago;
    if (p.codigo != "C") return;
    if (p.banco.trimmed() == "XX") e.linea("Ingrese el banco" + PAG, 0);
    if (p.cheque.trimmed().isEmpty()) e.linea("Ingrese el Número del cheque" + PAG, 0);
    if (p.monto.trimmed() == "0" || p.monto.trimmed().isEmpty()) e.linea("No puede girar un cheque con monto cero" + PAG, 0);
    const auto cheque = numeroDeTexto(p.cheque);
    if (cheque && *cheque == 0) e.linea("El número de cheque no puede ser cero" + PAG, 0);
}

}  // namespace

const std::vector<ReglaValidacion>& reglasValidacion() {
    static const std::vector<ReglaValidacion> reglas = {
        {"R1", r1Alquiler},         {"R2", r2Amazonia},      {"R3", r3Cuarta},         {"R4", r4Ocupacion},
        {"R5", r5Amazonia117},      {"R6", r6Credito},       {"R7", r7Donaciones},     {"R8", r8Indicador},
        {"R9", r9Solidaridad},      {"R10", r10Donaciones},  {"R11", r11Importe},      {"R12", r12Representante},
        {"R13", r13RucAmazonia},    {"R14", r14Documento215}, {"R15", r15Documento217}, {"R16", r16Documento218},
        {"R17", r17Documento219},   {"R18", r18Documento208}, {"R19", r19Documento209}, {"R20", r20Documento211},
        {"R21", r21Conyuge},        {"R22", r22TotalCuarta}, {"R23", r23Alquiler1},    {"R24", r24Amazonia},
        {"R25", r25Alquileres},     {"R26", r26Cuarta},      {"R27", r27Alquiler2},    {"R28", r28Rentas},
        {"R29", r29Alquiler3},      {"R30", r30General},     {"R31", r31Extranjero},   {"R32", r32Fideicomiso},
        {"R33", r33FormaPago},      {"R34", r34Cheque},
    };
    return reglas;
}

}  // namespace qvr
