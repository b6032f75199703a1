#include "varnel/declaration/ui/frm0738_recuperacion.h"

#include <QTableWidget>

#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/annexes/listas_anexo.h"
#include "varnel/annexes/ui/panel_anexo.h"
#include "varnel/declaration/frm0738_ident.h"
#include "varnel/declaration/recuperacion_nucleo.h"
#include "varnel/declaration/ui/frm0738.h"

namespace qvr {

RecuperacionFrm0738::RecuperacionFrm0738(Frm0738& w) : w_(w) {
    const ValoresEjecucion& v = w_.app_.valores;
    // A sent declaration takes nothing but its order number.
    if (!habilitada || v.DeclaracionEnviada) return;
    temporizador_.setSingleShot(true);
    temporizador_.setInterval(retardoMs);
    QObject::connect(&temporizador_, &QTimer::timeout, [this] { escribe(); });
    Declaracion& d = *w_.d_;
    previoCasilla_ = d.alCambiarCasilla;
    previoControl_ = d.alCambiarControl;
    d.alCambiarCasilla = [this](int n) {
        previoCasilla_(n);
        cambio();
    };
    d.alCambiarControl = [this](Control c, int i) {
        previoControl_(c, i);
        cambio();
    };
    indiceLista_ = w_.listas_->alCambiarLista.size();
    w_.listas_->alCambiarLista.push_back([this](ListaAnexo) {
        if (!w_.d_->valores.SuspendeCalculo) anexosCambiados_ = true;
        cambio();
    });
    activa_ = true;
}

RecuperacionFrm0738::~RecuperacionFrm0738() {
    if (previoCasilla_ == nullptr && previoControl_ == nullptr) return;
    // What was typed in the last moment before the window went away is kept too.
    if (temporizador_.isActive()) escribe();
    Declaracion& d = *w_.d_;
    d.alCambiarCasilla = previoCasilla_;
    d.alCambiarControl = previoControl_;
    if (indiceLista_ < w_.listas_->alCambiarLista.size())
        w_.listas_->alCambiarLista[indiceLista_] = [](ListaAnexo) {};
}

ClaveDeclaracion RecuperacionFrm0738::clave() const {
    ClaveDeclaracion c;
    c.ruc = w_.app_.valores.RucDeclarante.trimmed();
    c.formulario = w_.app_.sesion.Formulario;
    return c;
}

void RecuperacionFrm0738::cambio() {
    // Restarted only once it has fired: steady typing still gets written every period.
    if (activa_ && !temporizador_.isActive()) temporizador_.start();
}

void RecuperacionFrm0738::escribe() {
    temporizador_.stop();
    const Declaracion& d = *w_.d_;
    const ClaveDeclaracion k = clave();
    if (!activa_ || k.ruc.isEmpty() || d.valores.SuspendeCalculo || !(d.Modificado || anexosCambiados_))
        return;
    QString error;
    try {
        const CopiaRecuperacion c = tomaCopia(w_.base_, d, w_.app_.sesion.Usuario, k.formulario, guardada_);
        if (escribeCopia(archivoRecuperacion(c.usuario, k), c, &error)) return;
    } catch (const ErrorBD& e) {
        error = QString::fromUtf8(e.what());
    }
    // Once per window: the typing goes on, and a message per period would only hinder it.
    if (!avisado_) qWarning("Varnel: no se pudo escribir la copia de recuperación: %s", qPrintable(error));
    avisado_ = true;
}

void RecuperacionFrm0738::alAbrir() {
    if (!activa_ || w_.app_.valores.ModoDeclaracion == 1) return;
    ofrece();
}

void RecuperacionFrm0738::alElegirContribuyente() {
    if (previoCasilla_ == nullptr) return;
    temporizador_.stop();
    activa_ = true;
    ofrece();
    // A taxpayer that already has this declaration cannot be entered as a new one: nothing to keep.
    if (w_.app_.valores.ModoDeclaracion == 1 && guardada_.existe) activa_ = false;
}

void RecuperacionFrm0738::ofrece() {
    const ClaveDeclaracion k = clave();
    if (k.ruc.isEmpty()) return;
    try {
        guardada_ = cabeceraGuardada(w_.base_, k);
        if (w_.app_.valores.ModoDeclaracion == 1 && guardada_.existe) return;
        const BusquedaCopia b = buscaCopia(w_.base_, w_.app_.sesion.Usuario, k);
        const QString titulo = w_.d_->Titulo;
        if (b.oferta == Oferta::Danada) {
            dialogos().muestra(b.mensaje, titulo, Icono::Exclamacion, Botones::Ok);
        } else if (b.oferta == Oferta::Ofrecer) {
            if (dialogos().muestra(preguntaRecuperacion(b.copia), titulo, Icono::Pregunta, Botones::SiNo,
                                   Respuesta::Si) == Respuesta::Si)
                restaura(b.copia);
            else
                eliminaCopia(b.archivo);
        }
    } catch (const ErrorBD& e) {
        // The window opens as it would without a copy; the copy stays for the next opening.
        qWarning("Varnel: no se pudo revisar la copia de recuperación: %s", e.what());
    }
}

void RecuperacionFrm0738::restaura(const CopiaRecuperacion& c) {
    try {
        restauraAnexosTrabajo(w_.base_, c.anexos);
    } catch (const ErrorBD& e) {
        // Nothing was put back (one transaction): the window stays as opened, the copy as it was.
        dialogos().muestra(
            QStringLiteral("No se pudieron recuperar los cambios no grabados: %1. La copia se conserva.")
                .arg(QString::fromUtf8(e.what())),
            w_.d_->Titulo, Icono::Error, Botones::Ok);
        return;
    }
    Declaracion& d = *w_.d_;
    restauraInstantanea(d, c.datos);
    w_.espejaTodo();
    w_.cargaGrilla(w_.Grid_Extranjero_, "TMP_F0738EXTRA");
    w_.cargaGrilla(w_.Grid_Fideicomiso_, "TMP_F0738FIDEI");
    w_.listas_->cargaTodas();
    if (w_.panelDividendos_) w_.panelDividendos_->espeja();
    d.Modificado = true;
    anexosCambiados_ = true;
}

void RecuperacionFrm0738::alGrabar() {
    if (previoCasilla_ == nullptr) return;
    temporizador_.stop();
    const ClaveDeclaracion k = clave();
    eliminaCopia(archivoRecuperacion(w_.app_.sesion.Usuario, k));
    anexosCambiados_ = false;
    activa_ = true;
    try {
        guardada_ = cabeceraGuardada(w_.base_, k);
    } catch (const ErrorBD&) {
        guardada_ = CabeceraGuardada{};
    }
}

void RecuperacionFrm0738::alDescartar() {
    temporizador_.stop();
    activa_ = false;
    eliminaCopia(archivoRecuperacion(w_.app_.sesion.Usuario, clave()));
}

}  // namespace qvr
