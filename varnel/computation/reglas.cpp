// The rule table: result box, tested inputs and formula of every rule that writes one box.
#include <vector>

#include "common/formato.h"
#include "varnel/computation/calculo.h"
#include "varnel/declaration/declaracion.h"

namespace qvr::calculo {

namespace {

using Formula = double (*)(const Declaracion&);

struct ReglaCasilla {
    Regla regla;
    int resultado;
    std::vector<int> probadas;
    Formula formula;
    bool sinNegativo;  // a negative result is written as "0"
};

double U(const Declaracion& d) { return d.tasas.ValorUIT; }

const std::vector<ReglaCasilla> kReglas = {
    {Regla::A, 501, {100, 102}, [](const Declaracion& d) { return d.Vale(100) + d.Vale(102); }, false},
    {Regla::B, 502, {501}, [](const Declaracion& d) { return -(0.2 * d.Vale(501)); }, false},
    {Regla::C, 503, {501, 502}, [](const Declaracion& d) { return d.Vale(501) - d.Vale(502); }, false},
    {Regla::D, 504, {105, 106}, [](const Declaracion& d) { return d.Vale(105) + d.Vale(106); }, false},
    {Regla::E, 505, {504}, [](const Declaracion& d) { return -(0.1 * d.Vale(504)); }, false},
    {Regla::F, 506, {504, 505}, [](const Declaracion& d) { return d.Vale(504) - d.Vale(505); }, false},
    {Regla::G,
     507,
     {107},
     [](const Declaracion& d) {
         // 20 % of box 107, at most 24 UIT.
         return 24 * U(d) >= 0.2 * d.Vale(107) ? -(0.2 * d.Vale(107)) : -(24 * U(d));
     },
     false},
    {Regla::H, 508, {107, 507}, [](const Declaracion& d) { return d.Vale(107) - d.Vale(507); }, false},
    {Regla::I,
     509,
     {508, 108, 110},
     [](const Declaracion& d) { return d.Vale(508) + d.Vale(108) - d.Vale(110); },
     false},
    {Regla::J, 510, {509, 111}, [](const Declaracion& d) { return d.Vale(509) + d.Vale(111); }, false},
    {Regla::K,
     511,
     {510},
     [](const Declaracion& d) {
         // 7 UIT, at most box 510.
         return 7 * U(d) > d.Vale(510) ? -d.Vale(510) : -(7 * U(d));
     },
     false},
    {Regla::L, 512, {510, 511}, [](const Declaracion& d) { return d.Vale(510) - d.Vale(511); }, false},
    {Regla::R113,
     113,
     {503, 506, 512},
     [](const Declaracion& d) { return d.Vale(503) + d.Vale(506) + d.Vale(512); },
     false},
    {Regla::M,
     513,
     {113, 519, 114, 115},
     [](const Declaracion& d) { return d.Vale(113) - d.Vale(519) - d.Vale(114) - d.Vale(115); },
     true},
    {Regla::N, 514, {513, 116}, [](const Declaracion& d) { return d.Vale(513) + d.Vale(116); }, false},
    {Regla::O, 515, {514, 117}, [](const Declaracion& d) { return d.Vale(514) - d.Vale(117); }, false},
    {Regla::R120, 120, {515}, [](const Declaracion& d) { return impuestoEscala(d.Vale(515), U(d)); }, false},
    {Regla::P,
     516,
     {120, 122, 124},
     [](const Declaracion& d) { return d.Vale(120) - d.Vale(122) - d.Vale(124); },
     true},
    {Regla::R,
     518,
     {113, 116, 200, 201, 203},
     [](const Declaracion& d) { return d.Vale(113) + d.Vale(116) + d.Vale(200) + d.Vale(201) + d.Vale(203); },
     false},
    {Regla::R200,
     200,
     {535, 536, 537, 538, 539},
     [](const Declaracion& d) { return d.Vale(535) + d.Vale(536) + d.Vale(537) + d.Vale(538) + d.Vale(539); },
     true},
    {Regla::R201,
     201,
     {530, 531, 532, 533, 534, 540},
     [](const Declaracion& d) {
         return d.Vale(530) + d.Vale(531) + d.Vale(532) + d.Vale(533) + d.Vale(534) + d.Vale(540);
     },
     true},
};

bool todasVacias(const Declaracion& d, const std::vector<int>& casillas) {
    for (int n : casillas)
        if (!d.vacio(n)) return false;
    return true;
}

// A result is written as plain decimal text, then reformatted: two changes of the box, the second
// with the rounded value that every later reading sees.
void escribe(Declaracion& d, int n, double valor) {
    d.fijaTexto(n, textoDecimal(valor));
    d.Forma(n);
}

}  // namespace

int casillaResultado(Regla r) { return kReglas[size_t(r)].resultado; }

void ejecuta(Declaracion& d, Regla r) {
    const ReglaCasilla& regla = kReglas[size_t(r)];
    if (todasVacias(d, regla.probadas)) {
        d.fijaTexto(regla.resultado, QString());
        return;
    }
    double v = regla.formula(d);
    if (regla.sinNegativo && v < 0) v = 0;
    escribe(d, regla.resultado, v);
}

double impuestoEscala(double v, double u) {
    if (27 * u >= v) return 0.15 * v;
    if (v > 54 * u) return 0.15 * (27 * u) + 0.21 * (27 * u) + 0.30 * (v - 54 * u);
    return 0.15 * (27 * u) + 0.21 * (v - 27 * u);
}

void Calcular141142(Declaracion& d) {
    if (todasVacias(d, {516, 125, 127, 128, 129, 130, 131, 132, 133})) {
        d.fijaTexto(141, QString());
        d.fijaTexto(142, QString());
        return;
    }
    double creditos = 0;
    for (int n : {125, 127, 128, 129, 130, 131, 132, 133}) creditos += d.Vale(n);
    const double diferencia = d.Vale(516) - creditos;
    if (diferencia >= 0) {
        d.fijaTexto(141, "0");
        d.fijaTexto(142, textoDecimal(diferencia));
        d.Descasilla(140);
    } else {
        d.fijaTexto(141, textoDecimal(diferencia));
        d.fijaTexto(142, "0");
        d.Habcasilla(140);
    }
    d.Forma(141);
    d.Forma(142);
}

void Calcular146(Declaracion& d) {
    if (d.vacio(142) && d.vacio(144)) {
        d.fijaTexto(146, QString());
        return;
    }
    d.fijaTexto(146, textoDecimal(d.Vale(142) - d.Vale(144) + d.Vale(145)));
    const auto leido = numeroDeTexto(d.texto(146));
    if (leido && *leido < 0) d.fijaTexto(146, "0");
    d.Forma(146);
}

void CalcularImporteTotal(Declaracion& d) {
    FormaPago& pago = d.controles.pago;
    if (d.vacio(180)) {
        pago.monto.clear();
    } else {
        pago.monto = textoDecimal(d.Vale(180));
        pago.monto = formatoMonto(pago.monto);
    }
    d.notificaControl(Control::FormaPago);
}

void Calcular_Patrimonial(Declaracion& d) {
    QString& total = d.controles.TxtTotal;
    bool vacias = true;
    double suma = 0;
    for (int n = 840; n <= 852; ++n) {
        vacias = vacias && d.vacio(n);
        suma += d.Vale(n);
    }
    if (vacias) {
        total.clear();
    } else {
        total = textoDecimal(suma);
        // A negative total stays as plain text.
        if (suma >= 0) total = formatoNumero(suma, patron::Monto);
    }
    d.notificaControl(Control::TotalPatrimonial);
}

}  // namespace qvr::calculo
