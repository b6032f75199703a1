#include "varnel/cli/lote_declaracion.h"

#include <QBuffer>
#include <algorithm>
#include <optional>

#include "varnel/cli/lote_cambio.h"

#include "common/cabeceras.h"
#include "platform/database.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"
#include "varnel/sesion/sesion_declaracion.h"

namespace qvr {

namespace {

QString respuesta(const Declaracion& d, Pregunta p) {
    const ParOpciones& par = parOpciones(p);
    switch (d.controles.opciones[size_t(p)]) {
        case Opcion::Si: return QString::number(par.indiceSi);
        case Opcion::No: return QString::number(par.indiceNo);
        default: return QString();
    }
}

QStringList lineasCasillas(const Declaracion& d) {
    QStringList l;
    for (int n = 0; n < 1000; ++n)
        if (d.existe(n) && !d.texto(n).isEmpty()) l << QString::number(n).rightJustified(3, '0') + "=" + d.texto(n);
    return l;
}

EntornoSesion entorno(BaseDatos& base, const QString& formulario, const QString& usuario) {
    EntornoSesion e;
    e.base = &base;
    e.formulario = formulario;
    e.usuario = usuario;
    return e;
}

ResultadoGrabarLote falla(int salida, const QString& aviso) {
    ResultadoGrabarLote r;
    r.salida = salida;
    if (!aviso.isEmpty()) r.avisos << aviso;
    return r;
}

struct PrimeraLinea {
    QString ruc;
    int numero = 0;  // its line
};

// The ruc= line that opens the input: only blank and comment lines (and lines that cannot be read,
// refused into *estado) before it. nullopt, with the reason told, when another line comes first or
// none names a declarant (the lines after are not read then: nothing can be typed).
std::optional<PrimeraLinea> leeDeclarante(LectorLineas& lector, const Avisa& avisa, int* estado) {
    LineaEntrada l;
    int primera = 0;  // the first line that is neither blank, a comment nor the ruc= line
    while (lector.siguiente(l)) {
        const QString t = l.texto.trimmed();
        if (l.falla != LineaEntrada::Falla::Ninguna) {
            const QString aviso = avisoDeFalla(l);
            if (!aviso.isEmpty()) {
                avisa(aviso);
                *estado = 2;
            }
            continue;
        }
        if (t.isEmpty() || t.startsWith(u'#')) continue;
        if (claveDeLinea(t) == "ruc") {
            const QString ruc = t.mid(t.indexOf(u'=') + 1).trimmed();
            if (primera == 0 && !ruc.isEmpty()) return PrimeraLinea{ruc, l.numero};
            if (primera != 0) {
                avisa(QString("línea %1: la línea ruc= debe ir primero, antes de la línea %2")
                          .arg(l.numero)
                          .arg(primera));
                return std::nullopt;
            }
        }
        if (primera == 0) primera = l.numero;
    }
    avisa(QStringLiteral("falta la línea ruc=: debe nombrarse al declarante"));
    return std::nullopt;
}

// A stored declaration, or the sending `correl`, of a taxpayer the user may choose, opened through
// the session; the refusal (exit 1) otherwise, with nothing read.
std::optional<ResultadoGrabarLote> abreGuardada(SesionDeclaracion& s, const QString& ruc, const QString& correl) {
    ValoresEjecucion& v = s.valores();
    v.ModoDeclaracion = 2;
    v.RucDeclarante = ruc;
    v.DeclaracionEnviada = !correl.isEmpty();
    v.CorrelEnviada = correl;
    const ResultadoApertura a = s.abre(true);
    if (!a.abierta) return falla(1, a.motivo);
    return std::nullopt;
}

// `lineas` as the input a LectorLineas reads: one line each.
QByteArray entradaDeLineas(const QStringList& lineas) {
    QByteArray b;
    for (const QString& l : lineas) b += l.toUtf8() + '\n';
    return b;
}

}  // namespace

QStringList lineasControles(const Declaracion& d) {
    const Controles& k = d.controles;
    QStringList l;
    l << "ruc=" + d.valores.RucDeclarante;
    l << "telefono=" + k.telefono;
    l << "profesion=" + k.profesion.codigo().trimmed();
    const std::pair<const char*, Pregunta> preguntas[] = {
        {"alquiler", Pregunta::Inmueble},   {"rectifica", Pregunta::Rectifica},   {"devolucion", Pregunta::Devolucion},
        {"general", Pregunta::General},     {"extranjero", Pregunta::Extranjero}, {"fideicomiso", Pregunta::Fideicomiso},
    };
    for (const auto& [clave, p] : preguntas) l << QString(clave) + "=" + respuesta(d, p);
    for (const auto& [n, lista] : k.listasDocumento) l << QString("tipodoc.%1=").arg(n) + lista.codigo().trimmed();
    l << "nacimiento=" + (k.fechaNacimiento == "__/__/____" ? QString() : k.fechaNacimiento);
    l << "pago.forma=" + k.pago.codigo << "pago.banco=" + k.pago.banco << "pago.cheque=" + k.pago.cheque
      << "pago.monto=" + k.pago.monto;
    if (d.valores.DeclaracionEnviada) l << "orden=" + k.txtOrden << "verifica=" + k.txtVerifica;
    return l;
}

ResultadoGrabarLote grabaLote(BaseDatos& base, const QString& formulario, const QString& usuario,
                              const QStringList& lineas) {
    QByteArray bytes = entradaDeLineas(lineas);
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    LectorLineas lector(b);
    QStringList avisos;
    ResultadoGrabarLote r = grabaLote(base, formulario, usuario, lector, [&](const QString& a) { avisos << a; });
    r.avisos = avisos + r.avisos;
    return r;
}

ResultadoGrabarLote grabaLote(BaseDatos& base, const QString& formulario, const QString& usuario,
                              LectorLineas& lector, const Avisa& avisa) {
    // The declarant comes first: the declaration is opened for it before any line is typed.
    int estado = 0;
    std::optional<PrimeraLinea> declarante = leeDeclarante(lector, avisa, &estado);
    if (!declarante) return falla(2, QString());
    const QString ruc = declarante->ruc;

    ClaveDeclaracion clave;
    clave.ruc = ruc;
    clave.formulario = formulario;
    const bool existe = existeCabecera(base, clave);
    // Only a taxpayer the list of the window would offer: the stored one's opening checks it, a new
    // one is checked before the opening empties the working rows.
    if (!existe) {
        const QString rechazo = rechazoContribuyente(base, formulario, usuario, ruc);
        if (!rechazo.isEmpty()) return falla(1, rechazo);
    }
    ValoresEjecucion v;
    v.ModoDeclaracion = existe ? 2 : 1;
    v.RucDeclarante = existe ? ruc : QString();
    SesionDeclaracion s(entorno(base, formulario, usuario), v);
    const ResultadoApertura a = s.abre();
    if (!a.abierta) return falla(1, a.motivo);
    if (!existe && !s.eligeContribuyente(s.entradaDe(ruc)).ok)
        return falla(1, QString("el RUC %1 no se puede elegir").arg(ruc));

    TecleoLineas tecleo(s.declaracion(), avisa);
    LineaEntrada l;
    while (lector.siguiente(l)) {
        if (l.falla == LineaEntrada::Falla::Ninguna && claveDeLinea(l.texto) == "ruc") {
            const QString otro = l.texto.mid(l.texto.indexOf(u'=') + 1).trimmed();
            if (otro != ruc)
                tecleo.rechaza(l.numero, QString("ruc: la declaración es la del RUC %1 (línea %2), no la de %3")
                                             .arg(ruc)
                                             .arg(declarante->numero)
                                             .arg(citaValor(otro)));
            continue;
        }
        tecleo.linea(l);
    }
    ResultadoGrabarLote r;
    r.salida = std::max(tecleo.termina(), estado);
    if (lector.error()) {
        avisa(QStringLiteral("la entrada no pudo leerse hasta el final"));
        r.salida = 2;
    }
    if (r.salida != 0) return r;
    if (!s.graba().grabado) {
        r.salida = 1;
        return r;
    }
    const std::optional<int> estadoCab = estadoCabecera(base, clave);
    r.lineas << "estado=" + (estadoCab ? QString::number(*estadoCab) : QString());
    return r;
}

ResultadoGrabarLote muestraDeclaracion(BaseDatos& base, const QString& formulario, const QString& usuario,
                                       const QString& ruc, const QString& correl) {
    ValoresEjecucion v;
    SesionDeclaracion s(entorno(base, formulario, usuario), v);
    if (auto rechazo = abreGuardada(s, ruc, correl)) return *rechazo;
    ResultadoGrabarLote r;
    r.lineas << lineasCasillas(s.declaracion()) << lineasControles(s.declaracion());
    return r;
}

ResultadoGrabarLote registraOrden(BaseDatos& base, const QString& formulario, const QString& usuario,
                                  const QString& ruc, const QString& correl, const QString& orden,
                                  const QString& digitos) {
    ValoresEjecucion v;
    SesionDeclaracion s(entorno(base, formulario, usuario), v);
    if (auto rechazo = abreGuardada(s, ruc, correl)) return *rechazo;
    ResultadoGrabarLote r;
    r.salida = s.graba(orden, digitos).grabado ? 0 : 1;
    return r;
}

}  // namespace qvr
