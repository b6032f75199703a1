#include "varnel/sesion/sesion_declaracion.h"

#include "common/cabeceras.h"
#include "common/conexion.h"
#include "common/contribuyentes.h"
#include "common/schema.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/annexes/listas_anexo.h"
#include "varnel/computation/recalculo.h"
#include "varnel/computation/validacion.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/frm0738_tasas.h"
#include "varnel/declaration/instantanea_nucleo.h"
#include "varnel/declaration/lote.h"
#include "varnel/declaration/orden.h"
#include "common/version_declaracion.h"
#include "varnel/sesion/recuperacion_sesion.h"

namespace qvr {

QString rechazoContribuyente(BaseDatos& base, const QString& formulario, const QString& usuario, const QString& ruc) {
    if (!entradaContribuyente(base, formulario, usuario, ruc).isEmpty()) return QString();
    return QString("El contribuyente %1 no está entre los que el usuario %2 puede elegir")
        .arg(ruc.trimmed(), usuario.trimmed());
}

SesionDeclaracion::SesionDeclaracion(const EntornoSesion& entorno, ValoresEjecucion& valores)
    : entorno_(entorno),
      valores_(valores),
      d_(std::make_unique<Declaracion>(valores)),
      listas_(std::make_unique<ListasAnexo>(*entorno.base, *d_)) {
    // Every face of the session types into a declaration that computes as it is typed.
    conectaCalculo(*d_);
}

SesionDeclaracion::~SesionDeclaracion() {
    // The copy goes first: it writes what was typed last and unhooks from the declaration.
    recuperacion_.reset();
}

void SesionDeclaracion::terminaCopia() { recuperacion_.reset(); }

QString SesionDeclaracion::entradaDe(const QString& ruc) const {
    // A new declaration's opening has read the user's list already.
    for (const QString& e : carga_.contribuyentes)
        if (e.left(13).trimmed() == ruc.trimmed()) return e;
    if (!carga_.contribuyentes.isEmpty()) return QString();
    return entradaContribuyente(*entorno_.base, entorno_.formulario, entorno_.usuario, ruc);
}

ResultadoApertura SesionDeclaracion::abre(bool exigeExistente) {
    ResultadoApertura r;
    ValoresEjecucion& v = valores_;
    BaseDatos& base = *entorno_.base;
    if (v.ModoDeclaracion == 1) {
        v.RucDeclarante.clear();
    } else {
        // Whoever opens it (a list, the command line), only a taxpayer the user may choose.
        const ClaveDeclaracion k = clave();
        r.motivo = rechazoContribuyente(base, entorno_.formulario, entorno_.usuario, k.ruc);
        if (!r.motivo.isEmpty()) return r;
        if (v.DeclaracionEnviada) {
            const std::optional<DatosEnvio> envio = leeEnvio(base, k);
            r.existe = envio.has_value();
            // The lists give both numbers; another caller may name the sending only.
            if (envio && v.NumeroControl.isEmpty()) {
                v.NumeroOrden = envio->norden;
                v.NumeroControl = envio->control;
            }
        } else {
            r.existe = existeCabecera(base, k);
        }
        if (exigeExistente && !r.existe) {
            r.motivo = v.DeclaracionEnviada
                           ? QString("No existe el envío %2 de la declaración del RUC %1").arg(k.ruc, k.correl)
                           : QString("No existe una declaración guardada del RUC %1").arg(k.ruc);
            return r;
        }
    }
    // Whoever opens it, the annex working rows are this program's own.
    base.tablasDeTrabajo(tablasTrabajoAnexo());
    if (!reconexion_) reconexion_ = base.alReconectar([this] { reponeTrabajo(); });
    // Taken before the reading: a change that lands in between is taken for another's, never lost.
    if (v.ModoDeclaracion != 1) tomaVersion();
    d_->tasas = leeTasasDeclaracion(base, kPeriodoDeclaracion);
    {
        SuspendeCalculo suspende(v);
        carga_ = CargaDeclaracion(base, v, entorno_.formulario, entorno_.usuario);
        llenaListas(*d_, base);
        aplicaCarga(*d_, carga_);
        d_->Arregla(1);
        d_->Modificado = false;
    }
    // The dividends list, its count and totals; a stored "No" with rows asks now.
    listas_->cargaTodas();
    listas_->aplicaPreguntasDeCarga();
    r.abierta = true;
    if (entorno_.copiaRecuperacion) {
        recuperacion_ = std::make_unique<RecuperacionSesion>(*this);
        r.restaurada = recuperacion_->alAbrir();
    }
    return r;
}

SesionDeclaracion::Eleccion SesionDeclaracion::eligeContribuyente(const QString& entrada) {
    Eleccion e;
    if (entrada.trimmed().isEmpty() || !carga_.contribuyentes.contains(entrada)) return e;
    entradaRuc_ = entrada;
    try {
        e.existe = qvr::eligeContribuyente(*d_, contextoIdent(), entrada);
    } catch (const ErrorBD& x) {
        ErrorRegistro(x);
        return e;
    }
    e.ok = true;
    if (recuperacion_) e.restaurada = recuperacion_->alElegirContribuyente();
    return e;
}

ContextoIdent SesionDeclaracion::contextoIdent() const {
    ContextoIdent c;
    c.base = entorno_.base;
    c.periodo = kPeriodoDeclaracion;
    c.formulario = entorno_.formulario;
    c.semana = kSemana;
    c.entradaRuc = entradaRuc_;
    c.titulo = d_->Titulo;
    c.barra = entorno_.barra;
    Declaracion* d = d_.get();
    BaseDatos* base = entorno_.base;
    c.recargaTasas = [d, base] { d->tasas = leeTasasDeclaracion(*base, kPeriodoDeclaracion); };
    return c;
}

ContextoValidacion SesionDeclaracion::contextoValidacion() const {
    ContextoValidacion c;
    c.base = entorno_.base;
    c.rutaSistema = entorno_.rutaSistema;
    c.identificacion = contextoIdent();
    return c;
}

ResultadoIdent SesionDeclaracion::ValIdent(const QString& modo, const std::function<void(const QString&)>& linea) {
    ContextoIdent c = contextoIdent();
    c.linea = linea;
    try {
        return qvr::ValIdent(modo, *d_, c);
    } catch (const ErrorBD& e) {
        ErrorRegistro(e);
        ResultadoIdent r;
        r.ok = false;
        return r;
    }
}

bool SesionDeclaracion::validaSilenciosa() {
    ContextoValidacion c;
    c.base = entorno_.base;
    c.rutaSistema = entorno_.rutaSistema;
    return ValidaTodo(*d_, "2", c);
}

SesionDeclaracion::Guardado SesionDeclaracion::graba(const QString& orden, const QString& verifica,
                                                     const std::function<bool()>& identificacion) {
    Guardado g;
    ValoresEjecucion& v = valores_;
    if (v.DeclaracionEnviada) {
        const ResultadoOrden r = GrabarOrden(
            base(), clave(), v.NumeroControl, orden, verifica, d_->Titulo, [this] { compruebaVersion(); },
            [this] { tomaVersion(); });
        g.focoVerifica = r.focoVerifica;
        g.grabado = r.grabado;
        if (g.grabado) v.OrdenModificada = false;
        avisaCambioAjeno(r.errorBD);
        return g;
    }
    if (!trabajoListo()) return g;
    OpcionesGrabado o;
    o.titulo = d_->Titulo;
    o.validaIdentificacion = identificacion ? identificacion : [this] { return ValIdent("1").ok; };
    o.validaSilenciosa = [this] { return validaSilenciosa(); };
    o.compruebaVersion = [this] { compruebaVersion(); };
    o.trasEscribir = [this] { tomaVersion(); };
    const ResultadoGrabado r = grabaDeclaracion(base(), *d_, entorno_.formulario, o);
    g.grabado = r.grabado;
    avisaCambioAjeno(r.errorBD);
    if (!g.grabado) return g;  // the caller keeps everything typed, for another try
    if (recuperacion_) recuperacion_->alGrabar();
    d_->Modificado = false;
    return g;
}

ClaveDeclaracion SesionDeclaracion::clave() const {
    ClaveDeclaracion c;
    c.ruc = valores_.RucDeclarante.trimmed();
    c.formulario = entorno_.formulario;
    if (valores_.DeclaracionEnviada) c.correl = valores_.CorrelEnviada;
    return c;
}

void SesionDeclaracion::reponeTrabajo() {
    trabajoPendiente_ = true;
    listas_->reponeTrabajo();
    trabajoPendiente_ = false;
}

bool SesionDeclaracion::trabajoListo() {
    try {
        if (trabajoPendiente_) reponeTrabajo();
        if (listas_->trabajoCoincide()) return true;
    } catch (const ErrorBD& e) {
        ErrorRegistro(e);
        return false;
    }
    // Never store rows the window does not show (nor drop the ones it shows).
    dialogos().muestra(QStringLiteral("Los anexos de esta ventana no coinciden con los de la conexión a la base de "
                                      "datos: no se grabó nada. Cierre la declaración y vuelva a abrirla."),
                       d_->Titulo, Icono::Exclamacion, Botones::Ok);
    return false;
}

void SesionDeclaracion::tomaVersion() {
    // The mark first: a change committed between the two is in the content read, and it moves the
    // mark, so the next check reads the rows again and finds them as read.
    marcaVersion_ = entorno_.base->marcaCambios();
    version_ = versionDeclaracion(*entorno_.base, clave(), valores_.DeclaracionEnviada);
    conVersion_ = true;
}

void SesionDeclaracion::compruebaVersion() const {
    if (!conVersion_) return;
    // Runs under the save's lock: nobody else can commit until the save ends. Nothing written by
    // anyone since the version was taken: the stored declaration is the one read.
    if (!marcaVersion_.isEmpty() && entorno_.base->marcaCambios() == marcaVersion_) return;
    const QByteArray ahora = versionDeclaracion(*entorno_.base, clave(), valores_.DeclaracionEnviada);
    if (ahora == version_) return;
    if (ahora.isEmpty() && !version_.isEmpty())
        throw ErrorBD(jet::RegistroCambiado, "la declaración fue eliminada después de leerla");
    throw ErrorBD(jet::DataCambio, "la declaración fue grabada por otro después de leerla");
}

void SesionDeclaracion::avisaCambioAjeno(int errorBD) const {
    if (errorBD != jet::DataCambio && errorBD != jet::RegistroCambiado) return;
    dialogos().muestra(
        errorBD == jet::DataCambio
            ? QStringLiteral("Otro usuario grabó esta declaración después de que usted la abrió: no se grabó nada "
                             "y lo que escribió sigue en la ventana. Para ver el otro cambio, cierre la declaración "
                             "y vuelva a abrirla.")
            : QStringLiteral("Otro usuario eliminó esta declaración después de que usted la abrió: no se grabó "
                             "nada y lo que escribió sigue en la ventana."),
        d_->Titulo, Icono::Exclamacion, Botones::Ok);
}

DecisionCierre SesionDeclaracion::decideCierre(const QString& orden, const QString& verifica) {
    const ValoresEjecucion& v = valores_;
    const QString titulo = d_->Titulo;
    if (v.DeclaracionEnviada) {
        if (!v.OrdenModificada) return DecisionCierre::Cerrar;
        if (dialogos().muestra(" El número de orden ha cambiado. ¿Desea guardar los cambios?", titulo,
                               Icono::Pregunta, Botones::SiNo) != Respuesta::Si)
            return DecisionCierre::Cerrar;
        if (orden.size() != 8) {
            dialogos().muestra("El número de orden es incorrecto", titulo, Icono::Error, Botones::Ok);
            return DecisionCierre::Quedarse;
        }
        if (DigitoVerificador(v.NumeroControl, orden) != verifica) {
            dialogos().muestra("Digito verificador incorrecto", titulo, Icono::Error, Botones::Ok);
            return DecisionCierre::Quedarse;
        }
        return DecisionCierre::Grabar;
    }
    if (!d_->Modificado) return DecisionCierre::Cerrar;
    const Respuesta r = dialogos().muestra("¿El formulario ha sido modificado, desea guardar los cambios?",
                                           titulo, Icono::Pregunta, Botones::SiNoCancelar);
    if (r == Respuesta::Cancelar) return DecisionCierre::Quedarse;
    if (r == Respuesta::No) {
        if (recuperacion_) recuperacion_->alDescartar();
        return DecisionCierre::Cerrar;
    }
    return DecisionCierre::Grabar;
}

}  // namespace qvr
