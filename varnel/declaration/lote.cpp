#include "varnel/declaration/lote.h"

#include "common/combos.h"

#include <optional>

#include "common/formato.h"
#include "platform/database.h"
#include "varnel/declaration/codificacion.h"
#include "varnel/declaration/detalle.h"

namespace qvr {

namespace {

bool esOculta(int n) { return n >= 530 && n <= 540; }

struct Linea {
    int numero;
    QString clave;
    QString valor;
};

const QStringList kPreguntas = {"alquiler", "rectifica",  "devolucion",
                                "general",  "extranjero", "fideicomiso"};

std::optional<Pregunta> preguntaDe(const QString& clave) {
    static const Pregunta p[] = {Pregunta::Inmueble, Pregunta::Rectifica,  Pregunta::Devolucion,
                                 Pregunta::General,  Pregunta::Extranjero, Pregunta::Fideicomiso};
    const int i = kPreguntas.indexOf(clave);
    return i < 0 ? std::nullopt : std::optional<Pregunta>(p[i]);
}

std::optional<Opcion> opcionDe(Pregunta p, const QString& valor) {
    const ParOpciones& par = parOpciones(p);
    if (valor == QString::number(par.indiceSi)) return Opcion::Si;
    if (valor == QString::number(par.indiceNo)) return Opcion::No;
    return std::nullopt;
}

int numeroCasilla(const QString& clave) {
    if (clave.isEmpty() || clave.size() > 3) return -1;
    for (QChar c : clave)
        if (!c.isDigit()) return -1;
    return clave.toInt();
}

// The reason a line cannot be applied, or empty text.
QString revisa(const Linea& l) {
    if (l.clave.isEmpty()) return "falta '=' o la clave";
    const int n = numeroCasilla(l.clave);
    if (n >= 0)
        return existeCasilla(n) ? QString() : QString("%1 no es una casilla del formulario").arg(l.clave);
    if (l.clave == "ruc" || l.clave == "telefono" || l.clave == "profesion" || l.clave == "nacimiento" ||
        l.clave == "pago.forma" || l.clave == "pago.banco" || l.clave == "pago.cheque" ||
        l.clave == "pago.monto")
        return QString();
    if (const auto p = preguntaDe(l.clave)) {
        const ParOpciones& par = parOpciones(*p);
        return opcionDe(*p, l.valor)
                   ? QString()
                   : QString("%1 admite %2 (Si) o %3 (No)").arg(l.clave).arg(par.indiceSi).arg(par.indiceNo);
    }
    if (l.clave.startsWith("tipodoc.")) {
        const int lista = numeroCasilla(l.clave.mid(8));
        return companeraDeLista(lista)
                   ? QString()
                   : QString("%1 no es una lista de tipos de documento").arg(l.clave.mid(8));
    }
    return QString("clave desconocida '%1'").arg(l.clave);
}

// A list entry for a code the lists do not offer (no catalog at hand): letters and digits, up to 12.
QString entradaSinCatalogo(const QString& codigo, bool documento) {
    const QString c = formatoTexto(codigo.trimmed(), documento ? patron::Codigo : patron::DosCifras);
    if (!documento) return c.leftJustified(7, ' ');
    return (c + "  -  ").leftJustified(67, ' ') + "12 0 0";
}

void aplica(Declaracion& d, const Linea& l, ResultadoLote& r) {
    const int n = numeroCasilla(l.clave);
    if (n >= 0) {
        const bool ok = esOculta(n) ? tecleaDetalle(d, n, l.valor) : tecleaCasilla(d, n, l.valor);
        if (!ok)
            r.avisos << QString("línea %1: la casilla %2 está bloqueada; no se tecleó nada")
                            .arg(l.numero)
                            .arg(l.clave);
        return;
    }
    FormaPago pago = d.controles.pago;
    if (l.clave == "ruc") {
        d.valores.RucDeclarante = l.valor.trimmed();
    } else if (l.clave == "telefono") {
        QString t;
        for (QChar c : l.valor) {
            const int k = d.teclaTelefono(c.unicode()).tecla;
            if (k == kTeclaRetroceso)
                t.chop(1);
            else if (k != 0 && t.size() < 8)
                t += QChar(k);
        }
        d.fijaTelefono(t);
    } else if (l.clave == "profesion") {
        d.eligeCodigoProfesion(l.valor);
        if (d.controles.profesion.elegida < 0 && !l.valor.trimmed().isEmpty()) {
            d.controles.profesion.entradas << entradaSinCatalogo(l.valor, false);
            d.eligeProfesion(int(d.controles.profesion.entradas.size()) - 1);
        }
    } else if (l.clave == "nacimiento") {
        d.fijaFechaNacimiento(l.valor.trimmed());
        d.saleFechaNacimiento();
    } else if (l.clave.startsWith("pago.")) {
        if (l.clave == "pago.forma") pago.codigo = l.valor.trimmed();
        if (l.clave == "pago.banco") pago.banco = l.valor.trimmed();
        if (l.clave == "pago.cheque") pago.cheque = l.valor.trimmed();
        if (l.clave == "pago.monto") pago.monto = l.valor.trimmed();
        d.fijaPago(pago);
    } else if (const auto p = preguntaDe(l.clave)) {
        d.eligeOpcion(*p, *opcionDe(*p, l.valor));
    } else if (l.clave.startsWith("tipodoc.")) {
        const int lista = numeroCasilla(l.clave.mid(8));
        d.eligeCodigoDocumento(lista, l.valor);
        Lista& lst = d.controles.listasDocumento[lista];
        if (lst.elegida < 0 && !l.valor.trimmed().isEmpty()) {
            lst.entradas << entradaSinCatalogo(l.valor, true);
            d.eligeTipoDocumento(lista, int(lst.entradas.size()) - 1);
        }
    }
}

}  // namespace

bool tecleaCasilla(Declaracion& d, int n, const QString& texto) {
    if (d.entraFoco(n) == AccionVista::FocoPestanas) return false;
    d.borra(n);
    for (QChar c : texto) d.escribe(n, c.unicode());
    d.saleFoco(n);
    return true;
}

bool tecleaDetalle(Declaracion& d, int oculta, const QString& texto) {
    const bool exoneradas = oculta >= 535 && oculta <= 539;
    const int total = exoneradas ? 200 : 201;
    if (d.entraFoco(total) == AccionVista::FocoPestanas) return false;
    const AccionVista a = d.tecla(total, kTeclaEnter).accion;
    if (a != AccionVista::AbreExoneradas && a != AccionVista::AbreInafectas) return false;
    DetalleRentas w(d, exoneradas ? DetalleRentas::Tipo::Exoneradas : DetalleRentas::Tipo::Inafectas);
    const auto& lineas = DetalleRentas::diseno(w.tipo()).lineas;
    for (int i = 0; i < int(lineas.size()); ++i) {
        if (lineas[size_t(i)].casilla != oculta) continue;
        w.entraCampo(i);
        w.fijaTexto(i, QString());
        for (QChar c : texto) w.escribe(i, c.unicode());
        w.saleCampo(i);
    }
    w.Aceptar();
    d.saleFoco(total);
    return true;
}

std::optional<TextoTecleado> tecleaYLee(Declaracion& d, int n, const QString& texto) {
    TextoTecleado t;
    if (!esOculta(n)) {
        if (d.entraFoco(n) == AccionVista::FocoPestanas) return std::nullopt;
        d.borra(n);
        for (QChar c : texto) d.escribe(n, c.unicode());
        t.tecleado = d.texto(n);
        t.longitud = d.casilla(n).longitudMaxima;
        d.saleFoco(n);
        t.mostrado = d.texto(n);
        return t;
    }
    const bool exoneradas = n >= 535 && n <= 539;
    const int total = exoneradas ? 200 : 201;
    if (d.entraFoco(total) == AccionVista::FocoPestanas) return std::nullopt;
    const AccionVista a = d.tecla(total, kTeclaEnter).accion;
    if (a != AccionVista::AbreExoneradas && a != AccionVista::AbreInafectas) return std::nullopt;
    DetalleRentas w(d, exoneradas ? DetalleRentas::Tipo::Exoneradas : DetalleRentas::Tipo::Inafectas);
    const auto& lineas = DetalleRentas::diseno(w.tipo()).lineas;
    for (int i = 0; i < int(lineas.size()); ++i) {
        if (lineas[size_t(i)].casilla != n) continue;
        w.entraCampo(i);
        w.fijaTexto(i, QString());
        for (QChar c : texto) w.escribe(i, c.unicode());
        t.tecleado = w.texto(i);
        t.longitud = w.longitudMaxima(i);
        w.saleCampo(i);
        t.mostrado = w.texto(i);
    }
    w.Aceptar();
    d.saleFoco(total);
    return t;
}

// The profession list and the document-type lists of the form, filled as the window fills them.
void llenaListas(Declaracion& d, BaseDatos& base) {
    ListaTextos profesion;
    LlenaComboCorto(profesion, base, "979", Filas::Todas, 60, 1);
    d.controles.profesion.entradas = profesion.items;
    ListaTextos tipos;
    LlenaTiposDocumento(tipos, base, 81, true);
    for (auto& [n, lista] : d.controles.listasDocumento) lista.entradas = tipos.items;
}

ResultadoLote ejecutaLote(Declaracion& d, const QStringList& lineas, bool det) {
    ResultadoLote r;
    std::vector<Linea> aplicables;
    for (int i = 0; i < lineas.size(); ++i) {
        QString t = lineas[i];
        if (t.endsWith('\r')) t.chop(1);
        if (t.trimmed().isEmpty() || t.trimmed().startsWith('#')) continue;
        const int igual = t.indexOf('=');
        Linea l{i + 1, igual < 0 ? QString() : t.left(igual).trimmed().toLower(),
                igual < 0 ? QString() : t.mid(igual + 1)};
        const QString problema = revisa(l);
        if (!problema.isEmpty()) {
            r.avisos << QString("línea %1: %2: %3").arg(l.numero).arg(problema, t);
            r.estado = 2;
        }
        aplicables.push_back(l);
    }
    if (r.estado != 0) return r;
    for (const Linea& l : aplicables) aplica(d, l, r);

    if (det) {
        for (int n : OrdenCasillas()) {
            const QString casilla = QString::number(n).rightJustified(3, '0');
            if (const auto v = valorAlmacenado(casilla, d.texto(n).trimmed())) r.salida << casilla + "=" + *v;
        }
    } else {
        for (int n = 0; n < 1000; ++n)
            if (d.existe(n) && !d.texto(n).isEmpty())
                r.salida << QString::number(n).rightJustified(3, '0') + "=" + d.texto(n);
    }
    return r;
}

}  // namespace qvr
