#include "varnel/declaration/inventario.h"

#include <algorithm>
#include <array>

namespace qvr {

namespace {
using T = TipoCasilla;
constexpr bool C = true;   // computed
constexpr bool E = false;  // entered

// Design lengths: entered amounts 17, other amounts 15 (what the display form needs), names 15
// (30 for the names split over two rows), RUC 11, document numbers 12.
const std::vector<InfoCasilla> kInventario = {
    {801, T::Nombre, E, "0", "Datos  Básicos", "Apellido Paterno :", 15, true},
    {802, T::Nombre, E, "0", "Datos  Básicos", "Apellido Materno :", 15, true},
    {803, T::Nombre, E, "0", "Datos  Básicos", "Nombres :", 15, true},

    {100, T::MontoSimple, E, "1.0", "Primera Categoría", "leased or lent real estate", 17, true},
    {102, T::MontoSimple, E, "1.0", "Primera Categoría", "leased or lent movable property", 17, true},
    {501, T::OtroMonto, C, "1.0", "Primera Categoría", "total gross income, 100 + 102", 15, true},
    {502, T::OtroMonto, C, "1.0", "Primera Categoría", "deduction, 20 % of 501", 15, true},
    {503, T::OtroMonto, C, "1.0", "Primera Categoría", "total first-category income, 501 - 502", 15, true},

    {105, T::MontoSimple, E, "1.1", "Segunda Categoría", "interest on capital placements", 17, true},
    {106, T::MontoSimple, E, "1.1", "Segunda Categoría", "other second-category income", 17, true},
    {504, T::OtroMonto, C, "1.1", "Segunda Categoría", "total gross income, 105 + 106", 15, true},
    {505, T::OtroMonto, C, "1.1", "Segunda Categoría", "deduction, 10 % of 504", 15, true},
    {506, T::OtroMonto, C, "1.1", "Segunda Categoría", "total second-category income, 504 - 505", 15, true},

    {107, T::MontoSimple, E, "1.2", "Cuarta y Quinta Categoría", "gross income from independent work", 17,
     true},
    {507, T::OtroMonto, C, "1.2", "Cuarta y Quinta Categoría", "deduction, 20 % of 107, at most 24 UIT", 15,
     true},
    {508, T::OtroMonto, C, "1.2", "Cuarta y Quinta Categoría", "net income from independent work", 15, true},
    {108, T::MontoSimple, E, "1.2", "Cuarta y Quinta Categoría", "other fourth-category income", 17, true},
    {110, T::Deduccion, E, "1.2", "Cuarta y Quinta Categoría", "extraordinary solidarity tax (IES)", 17,
     true},
    {509, T::OtroMonto, C, "1.2", "Cuarta y Quinta Categoría", "total fourth-category income", 15, true},
    {111, T::MontoSimple, E, "1.2", "Cuarta y Quinta Categoría", "total fifth-category income", 17, true},
    {510, T::OtroMonto, C, "1.2", "Cuarta y Quinta Categoría", "total fourth and fifth category income", 15,
     true},
    {511, T::OtroMonto, C, "1.2", "Cuarta y Quinta Categoría", "deduction of 7 UIT, at most 510", 15, true},
    {512, T::OtroMonto, C, "1.2", "Cuarta y Quinta Categoría", "net fourth and fifth category income", 15,
     true},

    {113, T::OtroMonto, C, "1.3", "Renta Imponible", "global net income of Peruvian source", 15, true},
    {519, T::Deduccion, E, "1.3", "Renta Imponible", "donations", 17, true},
    {114, T::Deduccion, E, "1.3", "Renta Imponible", "extraordinary first-category losses", 17, true},
    {115, T::Deduccion, E, "1.3", "Renta Imponible", "losses of previous years", 17, true},
    {513, T::OtroMonto, C, "1.3", "Renta Imponible", "total net income of Peruvian source", 15, true},
    {116, T::MontoSimple, E, "1.3", "Renta Imponible", "total net income of foreign source", 17, true},
    {514, T::OtroMonto, C, "1.3", "Renta Imponible", "subtotal, 513 + 116", 15, true},
    {117, T::Deduccion, E, "1.3", "Renta Imponible", "investment in the Amazonía", 17, true},
    {515, T::OtroMonto, C, "1.3", "Renta Imponible", "total taxable income", 15, true},

    {120, T::OtroMonto, C, "2", "fraDeuda(1)", "tax by the scale", 15, true},
    {122, T::Deduccion, E, "2", "fraDeuda(1)", "credit for foreign-source income tax", 17, true},
    {124, T::Deduccion, E, "2", "fraDeuda(1)", "other credits without refund", 17, true},
    {516, T::OtroMonto, C, "2", "fraDeuda(1)", "subtotal", 15, true},
    {125, T::Deduccion, E, "2", "fraDeuda(2)", "balance in favour from the previous year", 17, true},
    {133, T::Deduccion, E, "2", "fraDeuda(2)", "direct payments of first-category tax", 17, true},
    {127, T::Deduccion, E, "2", "fraDeuda(2)", "direct payments of fourth-category tax", 17, true},
    {128, T::Deduccion, E, "2", "fraDeuda(2)", "other direct monthly payments", 17, true},
    {129, T::Deduccion, E, "2", "fraDeuda(2)", "tax withheld on second-category income", 17, true},
    {130, T::Deduccion, E, "2", "fraDeuda(2)", "tax withheld on fourth-category income", 17, true},
    {131, T::Deduccion, E, "2", "fraDeuda(2)", "tax withheld on fifth-category income", 17, true},
    {132, T::Deduccion, E, "2", "fraDeuda(2)", "other credits with refund", 17, true},
    {141, T::OtroMonto, C, "2", "fraDeuda(3)", "balance in favour of the taxpayer", 15, true},
    {140, T::Indicador, E, "2", "fraDeuda(3)", "use of the balance: 1 refund, 2 applied", 1, true},
    {142, T::OtroMonto, C, "2", "fraDeuda(3)", "balance in favour of the tax authority", 15, true},
    {144, T::Deduccion, E, "2", "fraDeuda(3)", "payments made before filing", 17, true},
    {145, T::MontoSimple, E, "2", "fraDeuda(3)", "late-payment interest", 17, true},
    {146, T::OtroMonto, C, "2", "fraDeuda(3)", "debt balance", 15, true},
    {180, T::OtroMonto, E, "2", "fraDeuda(3)", "IMPORTE A PAGAR", 15, true},

    {811, T::Nombre, E, "3.0", "Datos del Contribuyente / Representante Legal", "first surname", 15, true},
    {812, T::Nombre, E, "3.0", "Datos del Contribuyente / Representante Legal", "second surname", 15, true},
    {813, T::Nombre, E, "3.0", "Datos del Contribuyente / Representante Legal", "given names", 15, true},
    {302, T::Documento, E, "3.0", "Datos del Contribuyente / Representante Legal", "document number", 12,
     true},
    {814, T::Nombre, E, "3.0", "Datos del Cónyuge", "first surname", 15, true},
    {815, T::Nombre, E, "3.0", "Datos del Cónyuge", "second surname", 15, true},
    {890, T::Nombre, E, "3.0", "Datos del Cónyuge", "given names", 15, true},
    {236, T::Documento, E, "3.0", "Datos del Cónyuge", "document number", 12, true},

    {817, T::Nombre, E, "3.1", "Inversión en la Amazonía", "beneficiary 1: name", 30, true},
    {229, T::Ruc, E, "3.1", "Inversión en la Amazonía", "beneficiary 1: RUC", 11, true},
    {231, T::OtroMonto, E, "3.1", "Inversión en la Amazonía", "beneficiary 1: amount invested", 15, true},
    {818, T::Nombre, E, "3.1", "Inversión en la Amazonía", "beneficiary 2: name", 30, true},
    {230, T::Ruc, E, "3.1", "Inversión en la Amazonía", "beneficiary 2: RUC", 11, true},
    {232, T::OtroMonto, E, "3.1", "Inversión en la Amazonía", "beneficiary 2: amount invested", 15, true},
    {200, T::OtroMonto, E, "3.1", "Otros Ingresos", "total exempt income", 15, true},
    {201, T::OtroMonto, E, "3.1", "Otros Ingresos", "total non-taxable income", 15, true},
    {203, T::OtroMonto, E, "3.1", "Otros Ingresos", "result of third-category activities", 15, true},
    {518, T::OtroMonto, C, "3.1", "Otros Ingresos", "total income of the year", 15, true},

    {819, T::Nombre, E, "3.2", "Alquileres pagados", "lessor 1: name", 30, true},
    {208, T::Documento, E, "3.2", "Alquileres pagados", "lessor 1: document number", 12, true},
    {212, T::OtroMonto, E, "3.2", "Alquileres pagados", "lessor 1: annual rent", 15, true},
    {820, T::Nombre, E, "3.2", "Alquileres pagados", "lessor 2: name", 30, true},
    {209, T::Documento, E, "3.2", "Alquileres pagados", "lessor 2: document number", 12, true},
    {213, T::OtroMonto, E, "3.2", "Alquileres pagados", "lessor 2: annual rent", 15, true},
    {821, T::Nombre, E, "3.2", "Alquileres pagados", "lessor 3: name", 30, true},
    {211, T::Documento, E, "3.2", "Alquileres pagados", "lessor 3: document number", 12, true},
    {214, T::OtroMonto, E, "3.2", "Alquileres pagados", "lessor 3: annual rent", 15, true},
    {822, T::Nombre, E, "3.2", "Rentas de 4° categoría", "payer 1: name", 30, true},
    {215, T::Documento, E, "3.2", "Rentas de 4° categoría", "payer 1: document number", 12, true},
    {220, T::OtroMonto, E, "3.2", "Rentas de 4° categoría", "payer 1: gross income", 15, true},
    {823, T::Nombre, E, "3.2", "Rentas de 4° categoría", "payer 2: name", 30, true},
    {217, T::Documento, E, "3.2", "Rentas de 4° categoría", "payer 2: document number", 12, true},
    {221, T::OtroMonto, E, "3.2", "Rentas de 4° categoría", "payer 2: gross income", 15, true},
    {824, T::Nombre, E, "3.2", "Rentas de 4° categoría", "payer 3: name", 30, true},
    {218, T::Documento, E, "3.2", "Rentas de 4° categoría", "payer 3: document number", 12, true},
    {222, T::OtroMonto, E, "3.2", "Rentas de 4° categoría", "payer 3: gross income", 15, true},
    {825, T::Nombre, E, "3.2", "Rentas de 4° categoría", "payer 4: name", 30, true},
    {219, T::Documento, E, "3.2", "Rentas de 4° categoría", "payer 4: document number", 12, true},
    {223, T::OtroMonto, E, "3.2", "Rentas de 4° categoría", "payer 4: gross income", 15, true},

    {840, T::OtroMonto, E, "4.0", "fraPatrimonial1", "cash", 15, true},
    {841, T::OtroMonto, E, "4.0", "fraPatrimonial1", "deposits", 15, true},
    {842, T::OtroMonto, E, "4.0", "fraPatrimonial1", "securities", 15, true},
    {843, T::OtroMonto, E, "4.0", "fraPatrimonial1", "quoted shares", 15, true},
    {844, T::OtroMonto, E, "4.0", "fraPatrimonial1", "unquoted shares and participations", 15, true},
    {845, T::OtroMonto, E, "4.0", "fraPatrimonial1", "real estate", 15, true},
    {846, T::OtroMonto, E, "4.0", "fraPatrimonial1", "vehicles, vessels and aircraft", 15, true},
    {847, T::OtroMonto, E, "4.0", "fraPatrimonial2", "collective funds", 15, true},
    {848, T::OtroMonto, E, "4.0", "fraPatrimonial2", "other goods worth 3 UIT or more", 15, true},
    {849, T::OtroMonto, E, "4.0", "fraPatrimonial2", "credits granted", 15, true},
    {850, T::OtroMonto, E, "4.0", "fraPatrimonial2", "investments, goods and obligations abroad", 15, true},
    {851, T::OtroMonto, E, "4.0", "fraPatrimonial2", "debts received", 15, true},
    {852, T::OtroMonto, E, "4.0", "fraPatrimonial2", "debts received from abroad", 15, true},
    {853, T::OtroMonto, E, "4.0", "fraPatrimonial2", "other income received", 15, true},

    // Detail totals behind boxes 201 (530-534, 540) and 200 (535-539); no visible control.
    {530, T::OtroMonto, E, "4.0", "", "non-taxable a)", 15, false},
    {531, T::OtroMonto, E, "4.0", "", "non-taxable b)", 15, false},
    {532, T::OtroMonto, E, "4.0", "", "non-taxable c)", 15, false},
    {533, T::OtroMonto, E, "4.0", "", "non-taxable d)", 15, false},
    {534, T::OtroMonto, E, "4.0", "", "non-taxable e)", 15, false},
    {535, T::OtroMonto, E, "4.0", "", "exempt a)", 15, false},
    {536, T::OtroMonto, E, "4.0", "", "exempt b)", 15, false},
    {537, T::OtroMonto, E, "4.0", "", "exempt c)", 15, false},
    {538, T::OtroMonto, E, "4.0", "", "exempt d)", 15, false},
    {539, T::OtroMonto, E, "4.0", "", "exempt e)", 15, false},
    {540, T::OtroMonto, E, "4.0", "", "non-taxable f)", 15, false},

    // Elements invisible at design, never shown or saved.
    {541, T::OtroMonto, E, "", "", "", 15, false},
    {816, T::Nombre, E, "", "", "", 15, false},
    {886, T::OtroMonto, E, "", "", "", 15, false},
    {891, T::Nombre, E, "", "", "", 15, false},
    {892, T::Nombre, E, "", "", "", 15, false},
};

const std::vector<int> kOrden = {
    100, 102, 501, 502, 503, 105, 106, 504, 505, 506, 107, 507, 508, 108, 110, 509, 111, 510, 511, 512,
    113, 519, 114, 115, 513, 116, 514, 117, 515, 120, 122, 124, 516, 125, 127, 128, 129, 130, 131, 132,
    133, 140, 141, 142, 144, 145, 146, 180, 229, 230, 231, 232, 200, 201, 203, 518, 208, 209, 211, 212,
    213, 214, 215, 217, 218, 219, 220, 221, 222, 223, 302, 236, 801, 802, 803, 530, 531, 532, 533, 534,
    535, 536, 537, 538, 539, 540, 840, 841, 842, 843, 844, 845, 846, 847, 848, 849, 850, 851, 852, 853,
};

const std::vector<ParOpciones> kPares = {
    {Pregunta::Inmueble, "optInmueble", "027", 1, 2},
    {Pregunta::Rectifica, "OptRectifica", "871", 1, 0},
    {Pregunta::Devolucion, "optDevolucion", "260", 1, 0},
    {Pregunta::General, "OptGeneral", "873", 1, 0},
    {Pregunta::Extranjero, "OptExtranjero", "874", 1, 0},
    {Pregunta::Fideicomiso, "OptFideicomiso", "875", 1, 0},
};

const std::vector<std::pair<int, int>> kListas = {
    {204, 208}, {205, 209}, {206, 211}, {224, 215}, {225, 217},
    {226, 218}, {227, 219}, {235, 236}, {301, 302},
};

const std::vector<int> kAmazonia = {817, 818, 229, 230, 231, 232};
const std::vector<int> kCuarta = {822, 823, 824, 825, 215, 217, 218, 219, 220, 221, 222, 223};
const std::vector<int> kAlquiler = {819, 820, 821, 208, 209, 211, 212, 213, 214};
const std::vector<int> kListasCuarta = {224, 225, 226, 227};
const std::vector<int> kListasAlquiler = {204, 205, 206};

// Index by box number for the lookups the ripple makes on every change.
const std::array<const InfoCasilla*, 1000>& indice() {
    static const auto tabla = [] {
        std::array<const InfoCasilla*, 1000> t{};
        for (const auto& i : kInventario) t[size_t(i.numero)] = &i;
        return t;
    }();
    return tabla;
}
}  // namespace

const std::vector<InfoCasilla>& inventario() { return kInventario; }

const InfoCasilla* infoCasilla(int n) { return n >= 0 && n < 1000 ? indice()[size_t(n)] : nullptr; }

const std::vector<int>& OrdenCasillas() { return kOrden; }

bool leeComoMagnitud(int n) {
    switch (n) {
        case 110:
        case 114:
        case 115:
        case 117:
        case 122:
        case 124:
        case 125:
        case 127:
        case 128:
        case 129:
        case 130:
        case 131:
        case 132:
        case 133:
        case 141:
        case 144:
        case 502:
        case 505:
        case 507:
        case 511:
        case 519:
            return true;
        default:
            return false;
    }
}

bool deshabilitadaEnDiseno(int n) {
    const InfoCasilla* i = infoCasilla(n);
    return i && (i->calculada || n == 114 || n == 145);
}

const std::vector<ParOpciones>& paresOpciones() { return kPares; }
const ParOpciones& parOpciones(Pregunta p) { return kPares[size_t(p)]; }

const std::vector<std::pair<int, int>>& listasDocumento() { return kListas; }
int companeraDeLista(int lista) {
    for (auto [l, c] : kListas)
        if (l == lista) return c;
    return 0;
}
int listaDeDocumento(int casilla) {
    for (auto [l, c] : kListas)
        if (c == casilla) return l;
    return 0;
}

const std::vector<int>& grupoAmazonia() { return kAmazonia; }
const std::vector<int>& grupoCuarta() { return kCuarta; }
const std::vector<int>& grupoAlquiler() { return kAlquiler; }
const std::vector<int>& listasCuarta() { return kListasCuarta; }
const std::vector<int>& listasAlquiler() { return kListasAlquiler; }

}  // namespace qvr
