// How the user types into the declaration: focus in, keys, focus out, and the choices of the
// other controls.
#include <cmath>

#include "common/formato.h"
#include "platform/dialogs.h"
#include "varnel/declaration/declaracion.h"

namespace qvr {

namespace {

TipoCasilla tipoDe(int n) { return infoCasilla(n)->tipo; }

// Boxes whose maximum length is fixed and not set to 12 when they receive the focus.
bool longitudFija(int n) {
    const TipoCasilla t = tipoDe(n);
    return n == 140 || n == 200 || n == 201 || t == TipoCasilla::Ruc || t == TipoCasilla::Documento ||
           (t == TipoCasilla::Nombre && n >= 811);
}

int mayuscula(int codigo) {
    if (codigo < 32) return codigo;
    const QString s = QString(QChar(codigo)).toUpper();
    return s.size() == 1 ? s[0].unicode() : codigo;
}

// The number a box text shows: the whole number when the text is numeric, else its leading number.
double numeroDe(const QString& texto) {
    const auto n = numeroDeTexto(texto);
    return n ? *n : numeroInicial(texto);
}

}  // namespace

AccionVista Declaracion::entraFoco(int n) {
    Cambios200 = 0;
    Cambios201 = 0;
    if (!existe(n)) return AccionVista::Ninguna;
    const EstadoCasilla& e = casilla(n);
    if (e.bloqueada || !e.habilitada) return AccionVista::FocoPestanas;
    if (!longitudFija(n)) fijaLongitud(n, 12);
    const QString t = e.texto;
    switch (tipoDe(n)) {
        case TipoCasilla::MontoSimple:
            // The digits without separators; zero stays "0".
            if (!t.trimmed().isEmpty())
                fijaTexto(n, textoDecimal(numeroInicial(formatoTexto(t, patron::Digitos))));
            break;
        case TipoCasilla::Deduccion:
            if (const auto v = numeroDeTexto(t)) fijaTexto(n, formatoNumero(std::fabs(*v), patron::Entero));
            break;
        case TipoCasilla::Indicador:
            fijaLongitud(n, 1);
            break;
        case TipoCasilla::Ruc:
            fijaLongitud(n, 11);
            break;
        case TipoCasilla::Documento:
        case TipoCasilla::Nombre:
            break;
        case TipoCasilla::OtroMonto:
            if (!t.trimmed().isEmpty()) fijaTexto(n, formatoTexto(t, patron::Entero));
            break;
    }
    return AccionVista::Ninguna;
}

ResultadoTecla Declaracion::tecla(int n, int codigo) {
    if (!existe(n)) return {0};
    const EstadoCasilla& e = casilla(n);
    if (e.bloqueada || !e.habilitada) return {0};
    // Leaving the box with Tab types nothing and changes nothing.
    if (codigo == kTeclaTab) return {kTeclaTab};
    codigo = mayuscula(codigo);
    const FiltrosTeclado& f = *filtros;
    ResultadoTecla r{0};
    const bool enter = codigo == kTeclaEnter;
    switch (tipoDe(n)) {
        case TipoCasilla::Indicador:
            if (enter)
                r.accion = AccionVista::Siguiente;
            else if (const int k = f.FiltraNumero(codigo); k == '1' || k == '2')
                r.tecla = k;
            break;
        case TipoCasilla::Documento:
            if (enter) {
                r.accion = AccionVista::Siguiente;
            } else {
                // Character 71 of the chosen document type is its data type: "0" letters and digits.
                const QString entrada = controles.listasDocumento[listaDeDocumento(n)].texto();
                r.tecla = entrada.mid(70, 1) == "0" ? f.FiltraAlfanumerico(codigo) : f.FiltraNumero(codigo);
            }
            break;
        case TipoCasilla::Ruc:
            if (enter)
                r.accion = AccionVista::Siguiente;
            else
                r.tecla = f.FiltraNumero(codigo);
            break;
        case TipoCasilla::Nombre:
            if (enter)
                r.accion = AccionVista::Siguiente;
            else
                r.tecla = f.FiltraLetra(codigo) ? codigo : 0;
            break;
        default:
            if (n == 200 || n == 201) {
                // Typed only through its detail window.
                if (enter) r.accion = n == 200 ? AccionVista::AbreExoneradas : AccionVista::AbreInafectas;
            } else if (enter) {
                r.accion = AccionVista::Siguiente;
            } else {
                r.tecla = f.FiltraNumero(codigo);
            }
            break;
    }
    Modificado = true;
    return r;
}

void Declaracion::saleFoco(int n) {
    if (!existe(n)) return;
    const EstadoCasilla& e = casilla(n);
    if (e.bloqueada || !e.habilitada) return;
    const QString t = e.texto;
    const bool vacia = t.trimmed().isEmpty();
    switch (tipoDe(n)) {
        case TipoCasilla::MontoSimple:
            fijaLongitud(n, 17);
            if (!vacia) fijaTexto(n, formatoNumero(std::fabs(numeroDe(t)), patron::MontoCorto));
            if (n == 107 || n == 108) {
                if (Vale(107) > 0 || Vale(108) > 0)
                    HabCuarta();
                else
                    DesCuarta();
            }
            break;
        case TipoCasilla::Deduccion:
            fijaLongitud(n, 17);
            if (!vacia && t != "0") fijaTexto(n, formatoTexto(t, patron::MontoParentesis));
            break;
        case TipoCasilla::Indicador:
            fijaLongitud(n, 1);
            break;
        case TipoCasilla::Ruc:
            fijaLongitud(n, 11);
            break;
        case TipoCasilla::Documento:
        case TipoCasilla::Nombre:
            break;
        case TipoCasilla::OtroMonto:
            fijaLongitud(n, 15);
            // The whole number of the text, separators allowed: a total written with separators
            // while the box had the focus keeps its value.
            if (!vacia) fijaTexto(n, formatoNumero(numeroDe(t), patron::Monto));
            break;
    }
}

void Declaracion::clicDerecho() {
    if (portapapeles) portapapeles->vacia();
}

void Declaracion::teclaAbajo(int codigoTecla, bool shift) {
    if ((codigoTecla == 45 && shift) || codigoTecla == 93) clicDerecho();
}

AccionVista Declaracion::escribe(int n, int codigo) {
    const ResultadoTecla r = tecla(n, codigo);
    const QString t = texto(n);
    if (r.tecla == kTeclaRetroceso) {
        if (!t.isEmpty()) fijaTexto(n, t.chopped(1));
    } else if (r.tecla != 0 && r.tecla != kTeclaEnter) {
        const int maximo = casilla(n).longitudMaxima;
        if (maximo <= 0 || t.size() < maximo) fijaTexto(n, t + QChar(r.tecla));
    }
    return r.accion;
}

void Declaracion::marcaModificadoPorControl() {
    // Choices outside the box array count as changes too, so that closing asks to save them.
    if (!valores.SuspendeCalculo) Modificado = true;
}

int Declaracion::LongitudDocumento(const QString& entrada) {
    if (entrada.trimmed().isEmpty()) return 8;  // no type chosen
    // The entry carries the catalog's length trimmed, then a blank: read it as its leading number.
    return int(numeroInicial(entrada.mid(67).section(' ', 0, 0)));
}

void Declaracion::eligeTipoDocumento(int l, int indice) {
    const int companera = companeraDeLista(l);
    if (!companera) return;
    Lista& lista = controles.listasDocumento[l];
    lista.elegida = indice >= 0 && indice < lista.entradas.size() ? indice : -1;
    notificaControl(Control::ListaDocumento, l);
    fijaLongitud(companera, LongitudDocumento(lista.texto()));
    if (valores.SuspendeCalculo) return;
    EstadoCasilla& e = casillas_[size_t(companera)];
    e.habilitada = !lista.codigo().trimmed().isEmpty();
    notificaCasilla(companera);
    fijaTexto(companera, QString());
    marcaModificadoPorControl();
}

void Declaracion::eligeCodigoDocumento(int l, const QString& codigo) {
    const QString buscado = formatoTexto(codigo.trimmed(), patron::Codigo);
    const Lista& lista = controles.listasDocumento[l];
    int indice = -1;
    for (int i = 0; i < lista.entradas.size() && !buscado.isEmpty(); ++i)
        if (lista.entradas[i].left(2) == buscado) {
            indice = i;
            break;
        }
    eligeTipoDocumento(l, indice);
}

void Declaracion::eligeProfesion(int indice) {
    Lista& p = controles.profesion;
    p.elegida = indice >= 0 && indice < p.entradas.size() ? indice : -1;
    controles.descripcionProfesion = p.texto().mid(6, 60).trimmed();
    notificaControl(Control::Profesion);
    marcaModificadoPorControl();
}

void Declaracion::eligeCodigoProfesion(const QString& codigo) {
    const QString buscado = formatoTexto(codigo.trimmed(), patron::DosCifras);
    const Lista& p = controles.profesion;
    int indice = -1;
    for (int i = 0; i < p.entradas.size() && !buscado.isEmpty(); ++i)
        if (p.entradas[i].left(2) == buscado) {
            indice = i;
            break;
        }
    eligeProfesion(indice);
}

void Declaracion::eligeOpcion(Pregunta p, Opcion o) {
    controles.opciones[size_t(p)] = o;
    notificaControl(Control::Opcion, int(p));
    switch (p) {
        case Pregunta::Inmueble:
            if (o == Opcion::Si) HabAlquiler();
            if (o == Opcion::No) DesAlquiler();
            marcaModificadoPorControl();
            break;
        case Pregunta::Rectifica:
            Modificado = true;
            if (o == Opcion::Si && !valores.SuspendeCalculo)
                dialogos().muestra(
                    "Recuerde que debe consignar información en todas las casillas inclusive aquellas que no "
                    "está rectificando.",
                    Titulo, Icono::Exclamacion, Botones::Ok);
            break;
        case Pregunta::Devolucion:
            marcaModificadoPorControl();
            break;
        case Pregunta::General: {
            marcaModificadoPorControl();
            const auto habilita = [this](bool si) {
                for (int n = 840; n <= 853; ++n) {
                    if (!si) fijaTexto(n, QString());  // each clearing runs the total
                    fijaEstado(n, si, false, si ? Fondo::Ventana : Fondo::GrisClaro);
                }
            };
            if (o == Opcion::Si) {
                habilita(true);
            } else if (o == Opcion::No) {
                if (!(numeroDe(controles.TxtTotal) > 0)) {
                    habilita(false);
                } else if (dialogos().muestra("¿Existen Datos en información general. "
                                              "Si selecciona NO estas serán eliminadas. "
                                              "¿Confirma que va a eliminar los datos de información general?",
                                              Titulo, Icono::Pregunta, Botones::SiNo,
                                              Respuesta::No) == Respuesta::Si) {
                    habilita(false);
                } else {
                    habilita(true);
                    controles.opciones[size_t(p)] = Opcion::Si;
                    notificaControl(Control::Opcion, int(p));
                }
            }
            break;
        }
        case Pregunta::Extranjero:
        case Pregunta::Fideicomiso:
            // The grid side (and emptying its working table) belongs to the annex lists.
            marcaModificadoPorControl();
            controles.comandosAnexo[p == Pregunta::Extranjero ? 1 : 2] = o == Opcion::Si;
            notificaControl(Control::Comandos);
            break;
    }
}

ResultadoTecla Declaracion::teclaTelefono(int codigo) {
    if (codigo == kTeclaEnter) return {0, AccionVista::Siguiente};
    return {filtros->FiltraNumero(codigo)};
}

void Declaracion::fijaTelefono(const QString& texto) {
    if (controles.telefono == texto) return;
    controles.telefono = texto;
    notificaControl(Control::Telefono);
    marcaModificadoPorControl();
}

void Declaracion::fijaFechaNacimiento(const QString& texto) {
    if (controles.fechaNacimiento == texto) return;
    controles.fechaNacimiento = texto;
    notificaControl(Control::FechaNacimiento);
    marcaModificadoPorControl();
}

void Declaracion::saleFechaNacimiento() {
    if (!filtros->ValidaFecha(controles.fechaNacimiento, "01/01/1850", "01/01/2500"))
        fijaFechaNacimiento(QStringLiteral("__/__/____"));
}

void Declaracion::fijaPago(const FormaPago& pago) {
    controles.pago = pago;
    notificaControl(Control::FormaPago);
    marcaModificadoPorControl();
}

ResultadoTecla Declaracion::teclaOrden(int codigo) {
    if (codigo == kTeclaTab) return {kTeclaTab};
    valores.OrdenModificada = true;
    if (codigo == kTeclaEnter) return {0, AccionVista::FocoVerifica};
    return {(codigo >= '0' && codigo <= '9') || codigo == kTeclaRetroceso ? codigo : 0};
}

ResultadoTecla Declaracion::teclaVerifica(int codigo) {
    if (codigo == kTeclaTab) return {kTeclaTab};
    return {(codigo >= '0' && codigo <= '9') || codigo == kTeclaRetroceso ? codigo : 0};
}

void Declaracion::fijaOrden(const QString& orden, const QString& verifica) {
    controles.txtOrden = orden;
    controles.txtVerifica = verifica;
    notificaControl(Control::Orden);
}

}  // namespace qvr
