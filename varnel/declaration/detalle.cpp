#include "varnel/declaration/detalle.h"

#include "common/formato.h"

namespace qvr {

namespace {
const DetalleRentas::Diseno kExoneradas = {
    "Casilla 200 - Rentas exoneradas",
    "Detalle de Rentas Exoneradas",
    "Monto",
    "Total Rentas Exoneradas:",
    {
        {535,
         {"a) Las remuneraciones que perciban, por el ejercicio de su cargo en el país, los funcionarios y "
          "empleados considerados",
          "como tales dentro de la estructura organizacional de los gobiernos extranjeros, instituciones "
          "oficiales extranjeras y",
          "organismos internacionales"}},
        {536,
         {"b) Las rentas a que se refiere el inciso g) del Artículo 24º de la presente Ley ( T.U.O. de la "
          "Ley "
          "del Impuesto a la Renta",
          "aprobado por D. S. N° 054-99-EF )"}},
        {537,
         {"c) Cualquier tipo de interés de tasa fija o variable, en moneda nacional o extranjera, que se "
          "pague "
          "con ocasión de un depósito",
          "conforme a la Ley General del Sistema Financiero"}},
        {538,
         {"d ) La ganancia de capital proveniente de:",
          "- La venta de valores mobiliarios inscritos en el Registro Público del Mercado de Valores a "
          "través de "
          "mecanismos",
          "centralizados de negociación a los que se refiere la Ley del Mercado de Valores;",
          "- La venta de valores efectuada en la Bolsa de Productos autorizados por la CONASEV;",
          "- La redención o rescate de valores mobiliarios, nominativos o a la orden, representativos de "
          "deudas, "
          "emitidos mediante",
          "oferta pública de conformidad con la Ley del Mercado de Valores"}},
        {539, {"e) Otras rentas exoneradas"}},
    },
};

const DetalleRentas::Diseno kInafectas = {
    "Casilla 201 - Rentas Inafectas",
    "Detalle de Rentas Inafectas",
    "Monto",
    "Total Rentas Inafectas:",
    {
        {530, {"a) Las indemnizaciones previstas por las disposiciones laborales vigentes"}},
        {531,
         {"b) Las indemnizaciones que se reciban por causa de muerte o incapacidad producidas por acidentes "
          "o "
          "enfermedades"}},
        {532,
         {"c) Las compensaciones por tiempo de servicios, previstas por las disposiciones laborales "
          "vigentes"}},
        {533,
         {"d ) Las rentas vitalicias y las pensiones que tengan su origen en el trabajo personal, tales como "
          "jubilación, montepío e",
          "invalidez"}},
        {534, {"e) El resultado de la venta no habitual de un bien inmueble"}},
        {540, {"f) Otras rentas inafectas"}},
    },
};

// A field's amount: the whole number of its text, separators allowed; empty counts 0.
double montoDe(const QString& texto) {
    const auto n = numeroDeTexto(texto);
    return n ? redondea(*n) : numeroInicial(texto);
}
}  // namespace

const DetalleRentas::Diseno& DetalleRentas::diseno(Tipo t) {
    return t == Tipo::Exoneradas ? kExoneradas : kInafectas;
}

DetalleRentas::DetalleRentas(Declaracion& d, Tipo t) : d_(d), tipo_(t) {
    const auto& lineas = diseno(t).lineas;
    textos_.resize(lineas.size());
    longitudes_.assign(lineas.size(), 13);
    calculaTotal();
    for (size_t i = 0; i < lineas.size(); ++i) fijaTexto(int(i), d.texto(lineas[i].casilla));
}

void DetalleRentas::calculaTotal() {
    double suma = 0;
    for (const QString& t : textos_) suma += montoDe(t);
    total_ = formatoNumero(suma, patron::MontoCorto);
}

void DetalleRentas::fijaTexto(int i, const QString& texto) {
    if (i < 0 || i >= campos()) return;
    textos_[size_t(i)] = texto;
    calculaTotal();
    if (alCambiar) alCambiar();
}

void DetalleRentas::entraCampo(int i) {
    if (i < 0 || i >= campos()) return;
    longitudes_[size_t(i)] = 10;
    fijaTexto(i, formatoTexto(textos_[size_t(i)], patron::Detalle));
}

void DetalleRentas::saleCampo(int i) {
    if (i < 0 || i >= campos()) return;
    longitudes_[size_t(i)] = 13;
    fijaTexto(i, formatoTexto(textos_[size_t(i)], patron::MontoCorto));
}

ResultadoTecla DetalleRentas::tecla(int i, int codigo) {
    if (i < 0 || i >= campos()) return {0};
    if (codigo == kTeclaEnter) return {0, AccionVista::Siguiente};
    return {d_.filtros->FiltraNumero(codigo)};
}

AccionVista DetalleRentas::escribe(int i, int codigo) {
    const ResultadoTecla r = tecla(i, codigo);
    if (i < 0 || i >= campos()) return r.accion;
    const QString t = textos_[size_t(i)];
    if (r.tecla == kTeclaRetroceso) {
        if (!t.isEmpty()) fijaTexto(i, t.chopped(1));
    } else if (r.tecla != 0 && t.size() < longitudes_[size_t(i)]) {
        fijaTexto(i, t + QChar(r.tecla));
    }
    return r.accion;
}

void DetalleRentas::Aceptar() {
    const auto& lineas = diseno(tipo_).lineas;
    // Accepted with Alt+A the field being edited still shows its plain digits: every field is written as
    // it shows once left, so the hidden boxes carry the declaration's format whichever way one accepts.
    for (size_t i = 0; i < lineas.size(); ++i) {
        textos_[i] = formatoTexto(textos_[i], patron::MontoCorto);
        d_.fijaTexto(lineas[i].casilla, textos_[i]);
    }
    d_.anuncia({Cambio::Tipo::DetalleAceptado, tipo_ == Tipo::Exoneradas ? 200 : 201});
    cerrada_ = true;
}

}  // namespace qvr
