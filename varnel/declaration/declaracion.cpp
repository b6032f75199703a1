#include "varnel/declaration/declaracion.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "common/formato.h"

namespace qvr {

Declaracion::Declaracion(ValoresEjecucion& v, Tasas t) : valores(v), tasas(t) {
    for (const InfoCasilla& i : inventario()) {
        EstadoCasilla& e = casillas_[size_t(i.numero)];
        e.visible = i.visible;
        e.longitudMaxima = i.longitud;
        if (deshabilitadaEnDiseno(i.numero)) {
            e.habilitada = false;
            e.bloqueada = true;
            e.fondo = Fondo::BotonCara;
        }
    }
    casillas_[200].fondo = casillas_[201].fondo = Fondo::Cian;
    for (auto [lista, companera] : listasDocumento()) controles.listasDocumento[lista];
    controles.opciones.fill(Opcion::Ninguna);
}

void Declaracion::fijaTexto(int n, const QString& texto) {
    if (!existe(n)) return;
    EstadoCasilla& e = casillas_[size_t(n)];
    if (e.texto == texto) return;  // no change, as with a text control
    e.texto = texto;
    notificaCasilla(n);

    Modificado = true;
    const short previo200 = Cambios200, previo201 = Cambios201;
    // The counters are only ever compared with 0; they stop growing instead of wrapping.
    if (Cambios200 < std::numeric_limits<short>::max()) ++Cambios200;
    if (Cambios201 < std::numeric_limits<short>::max()) ++Cambios201;
    if (valores.SuspendeCalculo) return;
    anuncia({Cambio::Tipo::Casilla, n, previo200, previo201});
}

void Declaracion::suscribe(const void* clave, Suscriptor s) {
    for (auto& [k, existente] : suscriptores_)
        if (k == clave) {
            existente = std::move(s);
            return;
        }
    suscriptores_.emplace_back(clave, std::move(s));
}

void Declaracion::retira(const void* clave) {
    std::erase_if(suscriptores_, [clave](const auto& e) { return e.first == clave; });
}

bool Declaracion::suscrito(const void* clave) const {
    for (const auto& e : suscriptores_)
        if (e.first == clave) return true;
    return false;
}

void Declaracion::anuncia(const Cambio& c) {
    if (suscriptores_.empty())
        throw std::logic_error("Declaracion: a change of box " + std::to_string(c.casilla) +
                               " with no recalculation attached (conectaCalculo)");
    // A subscriber may subscribe or leave while it runs: each one is called from its own copy.
    for (size_t i = 0; i < suscriptores_.size(); ++i) {
        const Suscriptor s = suscriptores_[i].second;
        s(*this, c);
    }
}

void Declaracion::fijaLongitud(int n, int longitud) {
    if (!existe(n) || casillas_[size_t(n)].longitudMaxima == longitud) return;
    casillas_[size_t(n)].longitudMaxima = longitud;
    notificaCasilla(n);
}

void Declaracion::fijaEstado(int n, bool habilitada, bool bloqueada, Fondo fondo) {
    if (!existe(n)) return;
    EstadoCasilla& e = casillas_[size_t(n)];
    e.habilitada = habilitada;
    e.bloqueada = bloqueada;
    e.fondo = fondo;
    notificaCasilla(n);
}

bool Declaracion::vacio(int n) const { return texto(n).trimmed().isEmpty(); }

double Declaracion::Vale(int n) const {
    if (vacio(n)) return 0;
    const auto v = numeroDeTexto(texto(n));
    if (!v) return 0;
    const double r = redondea(*v);
    return leeComoMagnitud(n) ? std::abs(r) : r;
}

void Declaracion::Habcasilla(int n) { fijaEstado(n, true, false, Fondo::Blanco); }

void Declaracion::Descasilla(int n) {
    // The clearing is a change of the box and runs its recalculation while it is still enabled.
    fijaTexto(n, QString());
    fijaEstado(n, false, true, Fondo::BotonCara);
}

void Declaracion::Forma(int n) { fijaTexto(n, formatoMonto(texto(n))); }

void Declaracion::HabAmazonia() {
    for (int n : grupoAmazonia()) Habcasilla(n);
    controles.marcoAmazonia = true;
    notificaControl(Control::Marcos);
}

void Declaracion::DesAmazonia() {
    for (int n : grupoAmazonia()) Descasilla(n);
    controles.marcoAmazonia = false;
    notificaControl(Control::Marcos);
}

void Declaracion::HabCuarta() {
    for (int n : grupoCuarta()) Habcasilla(n);
    for (int l : listasCuarta()) {
        Lista& lista = controles.listasDocumento[l];
        lista.habilitada = true;
        lista.fondo = Fondo::Ventana;
        notificaControl(Control::ListaDocumento, l);
    }
}

void Declaracion::DesCuarta() {
    for (int n : grupoCuarta()) Descasilla(n);
    for (int l : listasCuarta()) {
        limpiaLista(l);
        Lista& lista = controles.listasDocumento[l];
        lista.habilitada = false;
        lista.fondo = Fondo::GrisClaro;
        notificaControl(Control::ListaDocumento, l);
    }
}

void Declaracion::HabAlquiler() {
    for (int n : grupoAlquiler()) Habcasilla(n);
    for (int l : listasAlquiler()) {
        Lista& lista = controles.listasDocumento[l];
        lista.habilitada = true;
        lista.fondo = Fondo::Ventana;
        notificaControl(Control::ListaDocumento, l);
        // While loading, the document types just read stay chosen.
        if (!valores.SuspendeCalculo) limpiaLista(l);
    }
}

void Declaracion::DesAlquiler() {
    for (int n : grupoAlquiler()) Descasilla(n);
    for (int l : listasAlquiler()) {
        limpiaLista(l);
        Lista& lista = controles.listasDocumento[l];
        lista.habilitada = false;
        lista.fondo = Fondo::GrisClaro;
        notificaControl(Control::ListaDocumento, l);
    }
}

void Declaracion::limpiaLista(int l) {
    // Clearing a list's selection is a choice of no entry, with the behaviour of that choice.
    if (controles.listasDocumento[l].elegida != -1) eligeTipoDocumento(l, -1);
}

void Declaracion::DesTodo() {
    for (int n : OrdenCasillas()) {
        casillas_[size_t(n)].habilitada = false;
        casillas_[size_t(n)].fondo = Fondo::GrisClaro;
        notificaCasilla(n);
    }
    Controles& c = controles;
    c.profesion.habilitada = false;
    for (int n = 811; n <= 825; ++n)
        if (existe(n)) {
            casillas_[size_t(n)].habilitada = false;
            casillas_[size_t(n)].fondo = Fondo::GrisClaro;
            notificaCasilla(n);
        }
    casillas_[890].habilitada = false;
    casillas_[890].fondo = Fondo::GrisClaro;
    notificaCasilla(890);
    for (auto& [l, lista] : c.listasDocumento) {
        lista.habilitada = false;
        lista.fondo = Fondo::GrisClaro;
        notificaControl(Control::ListaDocumento, l);
    }
    c.fechaHabilitada = false;
    c.fondoFecha = Fondo::GrisClaro;
    notificaControl(Control::FechaNacimiento);
    c.telefonoHabilitado = false;
    c.fondoTelefono = Fondo::GrisClaro;
    notificaControl(Control::Telefono);
    for (Pregunta p : {Pregunta::Inmueble, Pregunta::Devolucion, Pregunta::Rectifica, Pregunta::General,
                       Pregunta::Extranjero, Pregunta::Fideicomiso}) {
        c.opcionHabilitada[size_t(p)] = false;
        notificaControl(Control::Opcion, int(p));
    }
    c.marcoOrden = true;
    c.fondoRuc = Fondo::GrisClaro;
    c.fondoDescripcionProfesion = Fondo::GrisClaro;
    c.profesion.fondo = Fondo::GrisClaro;
    notificaControl(Control::Profesion);
    notificaControl(Control::Marcos);
    c.validarHabilitado = false;
    c.comandosAnexo.fill(false);
    notificaControl(Control::Comandos);
    c.pago.habilitado = QStringLiteral("False");
    notificaControl(Control::FormaPago);
}

void Declaracion::Arregla(int posicion) {
    auto& f = controles.fraDeuda;
    if (posicion == 1) {
        f[0] = {true, 120, 480};
        f[1] = {true, 120, 1870};
        f[2].visible = false;
    } else if (posicion == 2) {
        f[0].visible = false;
        f[1].visible = false;
        f[2] = {true, 120, 800};
    } else {
        return;
    }
    notificaControl(Control::Marcos);
}

void Declaracion::aplicaReglasDeCarga() {
    if (Vale(117) > 0)
        HabAmazonia();
    else
        DesAmazonia();
    if (vacio(141) || Vale(141) <= 0)
        Descasilla(140);
    else
        Habcasilla(140);
    if (vacio(100) && vacio(102))
        Descasilla(114);
    else
        Habcasilla(114);
    if (Vale(107) > 0 || Vale(108) > 0)
        HabCuarta();
    else
        DesCuarta();
    if (Vale(141) > 0) Descasilla(145);
    if (Vale(142) > 0) Habcasilla(145);
    if (controles.opciones[size_t(Pregunta::Inmueble)] == Opcion::Ninguna) DesAlquiler();
}

void Declaracion::preparaNueva() {
    SuspendeCalculo suspende(valores);
    for (Pregunta p : {Pregunta::General, Pregunta::Extranjero, Pregunta::Fideicomiso})
        eligeOpcion(p, Opcion::No);
    for (int n = 840; n <= 853; ++n) {
        fijaTexto(n, QString());
        fijaEstado(n, false, casillas_[size_t(n)].bloqueada, Fondo::GrisClaro);
    }
    controles.comandosAnexo[1] = controles.comandosAnexo[2] = false;
    notificaControl(Control::Comandos);
    controles.pago.codigo = QStringLiteral("XX");
    notificaControl(Control::FormaPago);
    for (int n : {801, 802, 803})
        fijaEstado(n, false, casillas_[size_t(n)].bloqueada, casillas_[size_t(n)].fondo);
    aplicaReglasDeCarga();
    Modificado = false;
}

}  // namespace qvr
