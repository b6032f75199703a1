#include "varnel/computation/recalculo.h"

#include "varnel/computation/calculo.h"
#include "varnel/declaration/declaracion.h"

namespace qvr {

namespace {

// The key of the ripple among the declaration's subscribers.
const char kClave = 0;

void recalcula(Declaracion& d, const Cambio& c) {
    switch (c.tipo) {
        case Cambio::Tipo::Casilla:
            calculo::alCambiar(d, c.casilla, c.previo200, c.previo201);
            return;
        case Cambio::Tipo::DetalleAceptado:
            calculo::ejecuta(d, c.casilla == 200 ? calculo::Regla::R200 : calculo::Regla::R201);
            calculo::ejecuta(d, calculo::Regla::R);
            return;
    }
}

}  // namespace

void conectaCalculo(Declaracion& d) { d.suscribe(&kClave, recalcula); }

bool calculoConectado(const Declaracion& d) { return d.suscrito(&kClave); }

}  // namespace qvr
