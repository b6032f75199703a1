#pragma once
// The derivation rules of the computed boxes and the ripple of a box change through them.
#include <QString>

namespace qvr {

class Declaracion;

namespace calculo {

// The rules that write one box from others, each with the inputs whose emptiness it tests.
enum class Regla { A, B, C, D, E, F, G, H, I, J, K, L, R113, M, N, O, R120, P, R, R200, R201 };

// Runs a rule: when every tested input is empty the result box becomes empty text; otherwise the
// result is written as plain decimal text and reformatted for display.
void ejecuta(Declaracion& d, Regla r);
// Result box and tested inputs of a rule.
int casillaResultado(Regla r);

void Calcular141142(Declaracion& d);
void Calcular146(Declaracion& d);
void CalcularImporteTotal(Declaracion& d);
void Calcular_Patrimonial(Declaracion& d);

// The tax of taxable income v by the progressive scale, with u the UIT.
double impuestoEscala(double v, double u);

// The dispatch of a box change: the steps of box n, in order. `previo200` and `previo201` are the
// guard counters as they were before this change was counted.
void alCambiar(Declaracion& d, int n, short previo200, short previo201);

// The limit of box 122 for the validation: empty text or whole digits.
QString Calcular122(const Declaracion& d);
// The amount-to-pay message line, or empty text.
QString SaldoaPagar(const QString& deuda, const QString& pago, const QString& mensaje);

}  // namespace calculo
}  // namespace qvr
