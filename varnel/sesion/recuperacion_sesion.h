#pragma once
// The recovery copy of a declaration session: while the declaration is modified, a coalescing timer
// writes the copy (at most one write per period, never one per key); on opening, a copy newer than
// the stored declaration is offered once and, when accepted, put back exactly; saving, or choosing
// not to keep the changes at the closing question, removes it. Each session keeps its own copy
// (recuperacion_dueno.h): it never offers, overwrites or removes a copy of another open session.
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/recuperacion.h"
#include "varnel/declaration/recuperacion_dueno.h"

namespace qvr {

class SesionDeclaracion;

class RecuperacionSesion {
  public:
    // The time between the first change and the write: at most this much typing can be lost.
    static inline int retardoMs = 1000;
    // Off: the window keeps no copy (the baseline of the typing benchmark).
    static inline bool habilitada = true;

    explicit RecuperacionSesion(SesionDeclaracion& s);
    ~RecuperacionSesion();
    RecuperacionSesion(const RecuperacionSesion&) = delete;
    RecuperacionSesion& operator=(const RecuperacionSesion&) = delete;

    // A stored declaration was loaded: offer its copy. True when it was put back.
    bool alAbrir();
    // A new declaration's taxpayer was chosen: offer its copy. True when it was put back.
    bool alElegirContribuyente();
    // The declaration was saved: its copy is of no more use.
    void alGrabar();
    // "No" at the closing question: the changes are not kept, nor is their copy.
    void alDescartar();
    // Writes the copy now, when there is something to keep. The first failure of the session is
    // shown to the person (a later success shows the next one again); every failure goes to
    // standard error.
    void escribe();
    // This session's copy of the declaration shown.
    QString archivo() const;

  private:
    bool escribeCopiaActual(bool avisa);
    void cambio();
    bool ofrece();
    bool restaura(const CopiaRecuperacion& c);
    ClaveDeclaracion clave() const;

    SesionDeclaracion& s_;
    QTimer temporizador_;
    bool vigilando_ = false;  // hooked into the declaration's and the lists' changes
    bool activa_ = false;
    bool anexosCambiados_ = false;
    bool avisado_ = false;
    CabeceraGuardada guardada_;
    std::optional<QByteArray> base_;  // the stored content the typing began from
    DuenoCopias dueno_;
    std::function<void(int)> previoCasilla_;
    std::function<void(Control, int)> previoControl_;
    size_t indiceLista_ = size_t(-1);
};

}  // namespace qvr
