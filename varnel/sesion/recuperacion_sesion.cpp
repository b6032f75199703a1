#include "varnel/sesion/recuperacion_sesion.h"

#include <QDir>

#include "common/cabeceras.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/annexes/listas_anexo.h"
#include "varnel/declaration/recuperacion_nucleo.h"
#include "common/version_declaracion.h"
#include "varnel/sesion/sesion_declaracion.h"

namespace qvr {

RecuperacionSesion::RecuperacionSesion(SesionDeclaracion& s) : s_(s) {
    const ValoresEjecucion& v = s_.valores();
    // A sent declaration takes nothing but its order number.
    if (!habilitada || v.DeclaracionEnviada) return;
    temporizador_.setSingleShot(true);
    temporizador_.setInterval(retardoMs);
    QObject::connect(&temporizador_, &QTimer::timeout, [this] { escribe(); });
    Declaracion& d = s_.declaracion();
    previoCasilla_ = d.alCambiarCasilla;
    previoControl_ = d.alCambiarControl;
    d.alCambiarCasilla = [this](int n) {
        if (previoCasilla_) previoCasilla_(n);
        cambio();
    };
    d.alCambiarControl = [this](Control c, int i) {
        if (previoControl_) previoControl_(c, i);
        cambio();
    };
    indiceLista_ = s_.listas().alCambiarLista.size();
    s_.listas().alCambiarLista.push_back([this](ListaAnexo) {
        if (!s_.declaracion().valores.SuspendeCalculo) anexosCambiados_ = true;
        cambio();
    });
    activa_ = true;
    vigilando_ = true;
}

RecuperacionSesion::~RecuperacionSesion() {
    if (!vigilando_) return;
    // What was typed in the last moment before the window went away is kept too; the window is
    // gone, so a failure is only written down.
    if (temporizador_.isActive()) escribeCopiaActual(false);
    Declaracion& d = s_.declaracion();
    d.alCambiarCasilla = previoCasilla_;
    d.alCambiarControl = previoControl_;
    if (indiceLista_ < s_.listas().alCambiarLista.size())
        s_.listas().alCambiarLista[indiceLista_] = [](ListaAnexo) {};
}

ClaveDeclaracion RecuperacionSesion::clave() const {
    ClaveDeclaracion c;
    c.ruc = s_.valores().RucDeclarante.trimmed();
    c.formulario = s_.entorno().formulario;
    return c;
}

void RecuperacionSesion::cambio() {
    // Restarted only once it has fired: steady typing still gets written every period.
    if (activa_ && !temporizador_.isActive()) temporizador_.start();
}

QString RecuperacionSesion::archivo() const {
    return archivoRecuperacion(s_.entorno().usuario, clave(), dueno_.id());
}

void RecuperacionSesion::escribe() { escribeCopiaActual(true); }

bool RecuperacionSesion::escribeCopiaActual(bool avisa) {
    temporizador_.stop();
    const Declaracion& d = s_.declaracion();
    const ClaveDeclaracion k = clave();
    if (!activa_ || k.ruc.isEmpty() || d.valores.SuspendeCalculo || !(d.Modificado || anexosCambiados_))
        return false;
    QString error;
    try {
        CopiaRecuperacion c = tomaCopia(s_.base(), d, s_.entorno().usuario, k.formulario, guardada_);
        c.base = base_;
        const bool bloqueada = dueno_.asegura();
        if (escribeCopia(archivo(), c, &error)) {
            if (!bloqueada)
                qWarning("Varnel: la copia de recuperación se escribió sin el bloqueo de su sesión");
            avisado_ = false;
            return true;
        }
    } catch (const ErrorBD& e) {
        error = QString::fromUtf8(e.what());
    }
    qWarning("Varnel: no se pudo escribir la copia de recuperación: %s", qPrintable(error));
    // Once until a write works again: the typing goes on, and a message per period would hinder it.
    if (avisa && !avisado_) {
        avisado_ = true;
        dialogos().muestra(
            QStringLiteral("No se pudo guardar la copia de recuperación en '%1': %2. Lo escrito "
                           "sigue en la ventana; grabe la declaración.")
                .arg(QDir::toNativeSeparators(carpetaRecuperacion()), error),
            d.Titulo, Icono::Exclamacion, Botones::Ok);
    }
    return false;
}

bool RecuperacionSesion::alAbrir() {
    if (!activa_ || s_.valores().ModoDeclaracion == 1) return false;
    return ofrece();
}

bool RecuperacionSesion::alElegirContribuyente() {
    if (!vigilando_) return false;
    temporizador_.stop();
    activa_ = true;
    const bool restaurada = ofrece();
    // A taxpayer that already has this declaration cannot be entered as a new one: nothing to keep.
    if (s_.valores().ModoDeclaracion == 1 && guardada_.existe) activa_ = false;
    return restaurada;
}

bool RecuperacionSesion::ofrece() {
    const ClaveDeclaracion k = clave();
    if (k.ruc.isEmpty()) return false;
    try {
        guardada_ = selloCabecera(s_.base(), k);
        base_ = versionDeclaracion(s_.base(), k, false);
        if (s_.valores().ModoDeclaracion == 1 && guardada_.existe) return false;
        const QString titulo = s_.declaracion().Titulo;
        // Every copy that sessions ended without saving left, newest first, until one is put back.
        for (const BusquedaCopia& b : buscaCopias(s_.base(), s_.entorno().usuario, k, dueno_.id())) {
            if (b.oferta == Oferta::Danada || b.oferta == Oferta::Superada) {
                dialogos().muestra(b.mensaje, titulo, Icono::Exclamacion, Botones::Ok);
            } else if (b.oferta == Oferta::Ofrecer) {
                if (dialogos().muestra(preguntaRecuperacion(b.copia), titulo, Icono::Pregunta, Botones::SiNo,
                                       Respuesta::Si) != Respuesta::Si) {
                    eliminaCopia(b.archivo);
                    continue;
                }
                if (!restaura(b.copia)) return false;
                // The copy becomes this session's: a crash now still finds it; the next write replaces it.
                dueno_.asegura();
                if (!mueveCopia(b.archivo, archivo()) && escribeCopiaActual(true)) eliminaCopia(b.archivo);
                return true;
            }
        }
    } catch (const ErrorBD& e) {
        // The window opens as it would without a copy; the copies stay for the next opening.
        qWarning("Varnel: no se pudo revisar la copia de recuperación: %s", e.what());
    }
    return false;
}

bool RecuperacionSesion::restaura(const CopiaRecuperacion& c) {
    try {
        restauraAnexosTrabajo(s_.base(), c.anexos);
    } catch (const ErrorBD& e) {
        // Nothing was put back (one transaction): the window stays as opened, the copy as it was.
        dialogos().muestra(
            QStringLiteral("No se pudieron recuperar los cambios no grabados: %1. La copia se conserva.")
                .arg(QString::fromUtf8(e.what())),
            s_.declaracion().Titulo, Icono::Error, Botones::Ok);
        return false;
    }
    Declaracion& d = s_.declaracion();
    restauraInstantanea(d, c.datos);
    s_.listas().cargaTodas();
    d.Modificado = true;
    anexosCambiados_ = true;
    return true;
}

void RecuperacionSesion::alGrabar() {
    if (!vigilando_) return;
    temporizador_.stop();
    const ClaveDeclaracion k = clave();
    eliminaCopia(archivo());
    anexosCambiados_ = false;
    activa_ = true;
    try {
        guardada_ = selloCabecera(s_.base(), k);
        base_ = versionDeclaracion(s_.base(), k, false);
    } catch (const ErrorBD&) {
        guardada_ = CabeceraGuardada{};
        base_.reset();
    }
}

void RecuperacionSesion::alDescartar() {
    temporizador_.stop();
    activa_ = false;
    eliminaCopia(archivo());
}

}  // namespace qvr
