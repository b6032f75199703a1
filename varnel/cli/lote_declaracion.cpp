#include "varnel/cli/lote_declaracion.h"

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
    r.avisos << aviso;
    return r;
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

LineasDeclarante separaRuc(const QStringList& lineas) {
    LineasDeclarante l;
    for (const QString& linea : lineas) {
        const int igual = linea.indexOf('=');
        if (igual > 0 && linea.left(igual).trimmed().toLower() == "ruc") {
            l.ruc = linea.mid(igual + 1).trimmed();
            l.resto << QString();
        } else {
            l.resto << linea;
        }
    }
    return l;
}

ResultadoGrabarLote grabaLote(BaseDatos& base, const QString& formulario, const QString& usuario,
                              const QStringList& lineas) {
    const LineasDeclarante entrada = separaRuc(lineas);
    const QString& ruc = entrada.ruc;
    if (ruc.isEmpty()) return falla(2, "no ruc= line: the declarant must be named");

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
    if (!existe && !s.eligeContribuyente(s.entradaDe(ruc)).ok) return falla(1, QString("RUC %1 cannot be chosen").arg(ruc));

    ResultadoGrabarLote r;
    const ResultadoLote lote = ejecutaLote(s.declaracion(), entrada.resto, false);
    r.avisos << lote.avisos;
    if (lote.estado != 0) {
        r.salida = lote.estado;
        return r;
    }
    if (!s.graba().grabado) {
        r.salida = 1;
        return r;
    }
    const std::optional<int> estado = estadoCabecera(base, clave);
    r.lineas << "estado=" + (estado ? QString::number(*estado) : QString());
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
