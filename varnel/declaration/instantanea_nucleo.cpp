#include "varnel/declaration/instantanea_nucleo.h"

namespace qvr {

namespace {

Opcion opcion(const Declaracion& d, Pregunta p) { return d.controles.opciones[size_t(p)]; }

}  // namespace

Instantanea instantaneaDe(const Declaracion& d) {
    Instantanea s;
    for (const InfoCasilla& c : inventario())
        if (!d.texto(c.numero).isEmpty()) s.casillas[c.numero] = d.texto(c.numero);
    s.ruc = d.valores.RucDeclarante;
    s.rectifica = opcion(d, Pregunta::Rectifica);
    s.general = opcion(d, Pregunta::General);
    s.extranjero = opcion(d, Pregunta::Extranjero);
    s.fideicomiso = opcion(d, Pregunta::Fideicomiso);
    s.devolucion = opcion(d, Pregunta::Devolucion);
    s.inmueble = opcion(d, Pregunta::Inmueble);
    for (const auto& [n, lista] : d.controles.listasDocumento) s.listas[n] = lista.texto();
    s.profesion = d.controles.profesion.texto();
    s.telefono = d.controles.telefono;
    s.fechaNacimiento = d.controles.fechaNacimiento;
    const FormaPago& p = d.controles.pago;
    s.pago = MedioPago{p.codigo, p.banco, p.cheque, p.monto};
    s.orden = d.controles.txtOrden;
    s.verifica = d.controles.txtVerifica;
    return s;
}

void aplicaCarga(Declaracion& d, const Carga& c) {
    const Instantanea& s = c.datos;
    d.preparaNueva();
    SuspendeCalculo suspende(d.valores);
    if (d.valores.ModoDeclaracion != 1) d.valores.RucDeclarante = s.ruc;
    FormaPago pago = d.controles.pago;
    pago.codigo = s.pago.codigo;
    pago.banco = s.pago.banco;
    pago.cheque = s.pago.cheque;
    pago.monto = s.pago.monto;
    d.fijaPago(pago);
    for (const auto& [n, texto] : s.casillas)
        if (d.existe(n)) d.fijaTexto(n, texto);
    for (const auto& [n, codigo] : s.listas) d.eligeCodigoDocumento(n, codigo);
    if (!s.profesion.isEmpty()) d.eligeCodigoProfesion(s.profesion);
    d.fijaTelefono(s.telefono);
    d.fijaFechaNacimiento(s.fechaNacimiento);
    // The stored answers, as their boxes are saved: after the boxes and the lists.
    const std::pair<Pregunta, Opcion> respuestas[] = {
        {Pregunta::Rectifica, s.rectifica},   {Pregunta::General, s.general},
        {Pregunta::Extranjero, s.extranjero}, {Pregunta::Fideicomiso, s.fideicomiso},
        {Pregunta::Devolucion, s.devolucion}, {Pregunta::Inmueble, s.inmueble},
    };
    for (const auto& [p, o] : respuestas)
        if (o != Opcion::Ninguna) d.eligeOpcion(p, o);
    d.aplicaReglasDeCarga();
    if (d.valores.DeclaracionEnviada) {
        d.DesTodo();
        d.fijaOrden(s.orden, s.verifica);
    }
    d.Modificado = false;
}

ResultadoGrabado grabaDeclaracion(BaseDatos& base, Declaracion& d, const QString& formulario,
                                  OpcionesGrabado opciones) {
    ClaveDeclaracion clave;
    clave.formulario = formulario;
    if (opciones.titulo.isEmpty()) opciones.titulo = d.Titulo;
    const ResultadoGrabado r = GrabarForm(base, instantaneaDe(d), clave, opciones);
    if (r.grabado) {
        d.Modificado = false;
        d.valores.ModoDeclaracion = 2;
        d.valores.RucDeclarante = r.ruc;
    }
    return r;
}

}  // namespace qvr
