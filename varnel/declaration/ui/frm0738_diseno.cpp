#include "varnel/declaration/ui/frm0738_diseno.h"

#include <map>

namespace qvr::ui {

namespace {

const std::map<int, const char*> kEtiquetas = {
    {801, "Apellido Paterno :"},
    {802, "Apellido Materno :"},
    {803, "Nombres :"},
    {100, "Renta bruta por arrendamiento o cesión de bienes inmuebles"},
    {102, "Renta bruta por arrendamiento o cesión de bienes muebles"},
    {501, "Total renta bruta"},
    {502, "Deducción 20 %"},
    {503, "Total renta de primera categoría"},
    {105, "Intereses por colocación de capitales"},
    {106, "Otras rentas de segunda categoría"},
    {504, "Total renta bruta"},
    {505, "Deducción 10 %"},
    {506, "Total renta de segunda categoría"},
    {107, "Renta bruta por trabajo independiente"},
    {507, "Deducción 20 % (hasta S/. 74,400)"},
    {508, "Renta neta por trabajo independiente"},
    {108, "Otras rentas de cuarta categoría"},
    {110, "Impuesto extraordinario de solidaridad (IES)"},
    {509, "Total renta de cuarta categoría"},
    {111, "Total rentas de quinta categoría"},
    {510, "Total rentas de cuarta y quinta categoría"},
    {511, "Deducción de 7 UIT"},
    {512, "Renta neta de cuarta y quinta categoría"},
    {113, "Renta neta global de fuente peruana"},
    {519, "Donaciones"},
    {114, "Pérdidas extraordinarias de primera categoría"},
    {115, "Pérdidas de ejercicios anteriores"},
    {513, "Total renta neta de fuente peruana"},
    {116, "Total renta neta de fuente extranjera"},
    {514, "Subtotal"},
    {117, "Inversión en la Amazonía"},
    {515, "Total renta imponible"},
    {120, "Impuesto resultante"},
    {122, "Crédito renta extranjera"},
    {124, "Otros créditos sin devol."},
    {516, "Subtotal"},
    {125, "Saldo a favor del ejercicio anterior"},
    {133, "Pagos directos de primera categoría"},
    {127, "Pagos directos de cuarta categoría"},
    {128, "Otros pagos directos mensuales"},
    {129, "Retenciones de segunda categoría"},
    {130, "Retenciones de cuarta categoría"},
    {131, "Retenciones de quinta categoría"},
    {132, "Otros créditos con devolución"},
    {141, "Saldo a favor del contribuyente"},
    {140, "Devolución 1 / Aplicación 2"},
    {142, "Saldo a favor del fisco"},
    {144, "Pagos previos a la presentación"},
    {145, "Intereses moratorios"},
    {146, "Saldo de deuda tributaria"},
    {180, "IMPORTE A PAGAR"},
    {811, "Apellido Paterno :"},
    {812, "Apellido Materno :"},
    {813, "Nombres :"},
    {302, "Número de documento :"},
    {814, "Apellido Paterno :"},
    {815, "Apellido Materno :"},
    {890, "Nombres :"},
    {236, "Número de documento :"},
    {200, "Total rentas exoneradas"},
    {201, "Total rentas inafectas (incluye dividendos)"},
    {203, "Resultado de rentas de tercera categoría"},
    {518, "Total ingresos del ejercicio"},
    {840, "1. Dinero en efectivo"},
    {841, "2. Depósitos en cuentas"},
    {842, "3. Valores"},
    {843, "4. Acciones cotizadas en bolsa"},
    {844, "5. Acciones y participaciones no cotizadas"},
    {845, "6. Inmuebles"},
    {846, "7. Vehículos, naves y aeronaves"},
    {847, "8. Fondos colectivos"},
    {848, "9. Otros bienes de 3 UIT o más"},
    {849, "10. Créditos otorgados"},
    {850, "11. Inversiones, bienes y obligaciones en el exterior"},
    {851, "12. Deudas recibidas"},
    {852, "13. Deudas recibidas del exterior"},
    {853, "Otros ingresos recibidos"},
};

const std::map<QString, QString> kMarcos = {
    {"fraDeuda(1)", "Impuesto y créditos sin derecho a devolución"},
    {"fraDeuda(2)", "Créditos con derecho a devolución"},
    {"fraDeuda(3)", "Saldo y pago"},
    {"fraPatrimonial1", "Bienes al 31.12.2003"},
    {"fraPatrimonial2", "Otros bienes, deudas e ingresos al 31.12.2003"},
    {"Alquileres pagados", "A. Alquileres pagados"},
    {"Rentas de 4° categoría", "B. Rentas de 4° categoría: los cuatro principales pagadores"},
};

const std::vector<MarcoGrilla> kGrillas = {
    {"Inversión en la Amazonía", {"Nombre o razón social", "RUC", "Monto invertido"}},
    {"Alquileres pagados", {"Nombre o razón social", "Tipo doc.", "Número doc.", "Alquiler anual"}},
    {"Rentas de 4° categoría", {"Nombre o razón social", "Tipo doc.", "Número doc.", "Renta bruta"}},
};

}  // namespace

QString etiquetaCasilla(int n) {
    auto it = kEtiquetas.find(n);
    return it == kEtiquetas.end() ? QString() : QString::fromUtf8(it->second);
}

QString tituloMarco(const QString& marco) {
    auto it = kMarcos.find(marco);
    return it == kMarcos.end() ? marco : it->second;
}

const MarcoGrilla* marcoGrilla(const QString& marco) {
    for (const MarcoGrilla& g : kGrillas)
        if (marco == QString::fromUtf8(g.marco)) return &g;
    return nullptr;
}

int columnasMarco(const QString& marco) { return marco == "fraDeuda(1)" || marco == "fraDeuda(2)" ? 2 : 1; }

const std::vector<Pestana>& pestanasPrincipal() {
    static const std::vector<Pestana> p = {
        {"&Identificación", 1051},
        {"Determinación de la &Renta Imponible", 1066},
        {"Determinación de la &Deuda", 1043},
        {"Información &Complementaria", 1068},
        {"         Información Adicional         ", 1053},
    };
    return p;
}

const std::vector<Pestana>& pestanasSSTab2() {
    static const std::vector<Pestana> p = {
        {"Primera Categoría", 1066},
        {"Segunda Categoría", 1067},
        {"Cuarta y Quinta Categoría", 1065},
        {"Renta Imponible", 1064},
    };
    return p;
}

const std::vector<Pestana>& pestanasSSTab3() {
    static const std::vector<Pestana> p = {
        {"&Datos Contribuyente / Rep. Legal  / Cónyuge", 1068},
        {"&Inversión en la Amazonía / IES /   Otros ingresos", 1069},
        {"Alquileres pagados y rentas de 4° categoría", 1007},
        {"Dividendos Percibidos", 1047},
    };
    return p;
}

const std::vector<Pestana>& pestanasSSTab5() {
    static const std::vector<Pestana> p = {
        {"&Información General", 1053},
        {"Inversiones en el Extranjero", 1056},
        {"Inversiones en Fideicomisos", 1057},
    };
    return p;
}

}  // namespace qvr::ui
