#include "varnel/declaration/frm0738_lote.h"

#include "platform/database.h"
#include "varnel/annexes/listas_anexo.h"
#include "varnel/computation/recalculo.h"
#include "varnel/computation/validacion.h"
#include "varnel/declaration/carga.h"
#include "varnel/declaration/frm0738_ident.h"
#include "varnel/declaration/frm0738_tasas.h"
#include "varnel/declaration/instantanea_nucleo.h"
#include "varnel/declaration/lote.h"

namespace qvr {

namespace {

const QString kPeriodoDeclaracion = QStringLiteral("2003");

QString respuesta(const Declaracion& d, Pregunta p) {
    const ParOpciones& par = parOpciones(p);
    switch (d.controles.opciones[size_t(p)]) {
        case Opcion::Si: return QString::number(par.indiceSi);
        case Opcion::No: return QString::number(par.indiceNo);
        default: return QString();
    }
}

// The declaration window's loading steps without its widgets (Frm0738::carga): the lists, the
// stored values, then the annex lists, where a stored "No" of 874/875 with rows asks its question
// through the dialogs port.
void abreComoLaVentana(BaseDatos& base, Declaracion& d, const QString& formulario, const QString& usuario) {
    const Carga c = CargaDeclaracion(base, d.valores, formulario, usuario);
    llenaListas(d, base);
    aplicaCarga(d, c);
    d.Arregla(1);
    ListasAnexo listas(base, d);
    listas.cargaTodas();
    listas.aplicaPreguntasDeCarga();
}

QStringList lineasCasillas(const Declaracion& d) {
    QStringList l;
    for (int n = 0; n < 1000; ++n)
        if (d.existe(n) && !d.texto(n).isEmpty()) l << QString::number(n).rightJustified(3, '0') + "=" + d.texto(n);
    return l;
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
    ResultadoGrabarLote r;
    QString ruc;
    QStringList resto;
    for (const QString& linea : lineas) {
        const int igual = linea.indexOf('=');
        if (igual > 0 && linea.left(igual).trimmed().toLower() == "ruc")
            ruc = linea.mid(igual + 1).trimmed();
        else
            resto << linea;
    }
    if (ruc.isEmpty()) {
        r.avisos << "no ruc= line: the declarant must be named";
        r.salida = 2;
        return r;
    }
    // Only a taxpayer the list of the window would offer.
    QString entrada;
    for (const QString& e : entradasContribuyentes(base, formulario, usuario))
        if (e.left(11).trimmed() == ruc) entrada = e;
    if (entrada.isEmpty()) {
        r.avisos << QString("RUC %1 is not one of the taxpayers user %2 may choose").arg(ruc, usuario.trimmed());
        r.salida = 1;
        return r;
    }

    ValoresEjecucion v;
    const bool existe = existeCabecera(base, ruc, kPeriodoDeclaracion, formulario, 0);
    v.ModoDeclaracion = existe ? 2 : 1;
    v.RucDeclarante = existe ? ruc : QString();
    Declaracion d(v, leeTasasDeclaracion(base, kPeriodoDeclaracion));
    conectaCalculo(d);
    abreComoLaVentana(base, d, formulario, usuario);

    ContextoIdent c;
    c.base = &base;
    c.formulario = formulario;
    c.entradaRuc = entrada;
    c.titulo = d.Titulo;
    c.recargaTasas = [&] { d.tasas = leeTasasDeclaracion(base, kPeriodoDeclaracion); };
    if (!existe) eligeContribuyente(d, c, entrada);

    const ResultadoLote lote = ejecutaLote(d, resto, false);
    r.avisos << lote.avisos;
    if (lote.estado != 0) {
        r.salida = lote.estado;
        return r;
    }
    OpcionesGrabado o;
    o.titulo = d.Titulo;
    o.validaIdentificacion = [&] { return ValIdent("1", d, c).ok; };
    // The save's silent check, as in the window.
    o.validaSilenciosa = [&] {
        ContextoValidacion cv;
        cv.base = &base;
        return ValidaTodo(d, "2", cv);
    };
    const ResultadoGrabado g = grabaDeclaracion(base, d, formulario, o);
    if (!g.grabado) {
        r.salida = 1;
        return r;
    }
    const QVariant estado =
        base.escalar("SELECT estado FROM CAB WHERE DOC_ID_D=? AND PERIODO=? AND FORMULARIO=? AND SEMANA=? AND TIP_DOC_D=6",
                     {g.ruc, kPeriodoDeclaracion, formulario, 0});
    r.lineas << "estado=" + estado.toString();
    return r;
}

ResultadoGrabarLote muestraDeclaracion(BaseDatos& base, const QString& formulario, const QString& usuario,
                                       const QString& ruc, const QString& correl) {
    ResultadoGrabarLote r;
    ValoresEjecucion v;
    v.ModoDeclaracion = 2;
    v.RucDeclarante = ruc;
    const QString clave = "DOC_ID_D=? AND PERIODO=? AND FORMULARIO=? AND SEMANA=? AND TIP_DOC_D=6";
    QVariantList p = {ruc, kPeriodoDeclaracion, formulario, 0};
    if (correl.isEmpty()) {
        if (!existeCabecera(base, ruc, kPeriodoDeclaracion, formulario, 0)) {
            r.avisos << QString("no stored declaration of RUC %1").arg(ruc);
            r.salida = 1;
            return r;
        }
    } else {
        p << correl;
        const Registros h = base.consulta("SELECT norden, control FROM HCAB WHERE " + clave + " AND CORREL=?", p);
        if (h.vacio()) {
            r.avisos << QString("no sent declaration of RUC %1 with correl %2").arg(ruc, correl);
            r.salida = 1;
            return r;
        }
        v.DeclaracionEnviada = true;
        v.CorrelEnviada = correl;
        v.NumeroOrden = h.texto(0, "norden");
        v.NumeroControl = h.texto(0, "control");
    }
    Declaracion d(v, leeTasasDeclaracion(base, kPeriodoDeclaracion));
    conectaCalculo(d);
    abreComoLaVentana(base, d, formulario, usuario);
    r.lineas << lineasCasillas(d) << lineasControles(d);
    return r;
}

}  // namespace qvr
