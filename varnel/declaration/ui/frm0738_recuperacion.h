#pragma once
// The declaration window's recovery copy: while the declaration is modified, a coalescing timer
// writes the copy (at most one write per period, never one per key); on opening, a copy newer than
// the stored declaration is offered once and, when accepted, put back exactly; saving, or choosing
// not to keep the changes at the closing question, removes it.
#include <QString>
#include <QTimer>
#include <functional>

#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/recuperacion.h"

namespace qvr {

class Frm0738;

class RecuperacionFrm0738 {
  public:
    // The time between the first change and the write: at most this much typing can be lost.
    static inline int retardoMs = 1000;
    // Off: the window keeps no copy (the baseline of the typing benchmark).
    static inline bool habilitada = true;

    explicit RecuperacionFrm0738(Frm0738& w);
    ~RecuperacionFrm0738();
    RecuperacionFrm0738(const RecuperacionFrm0738&) = delete;
    RecuperacionFrm0738& operator=(const RecuperacionFrm0738&) = delete;

    // A stored declaration was loaded: offer its copy.
    void alAbrir();
    // A new declaration's taxpayer was chosen: offer its copy.
    void alElegirContribuyente();
    // The declaration was saved: its copy is of no more use.
    void alGrabar();
    // "No" at the closing question: the changes are not kept, nor is their copy.
    void alDescartar();
    // Writes the copy now, when there is something to keep.
    void escribe();

  private:
    void cambio();
    void ofrece();
    void restaura(const CopiaRecuperacion& c);
    ClaveDeclaracion clave() const;

    Frm0738& w_;
    QTimer temporizador_;
    bool activa_ = false;
    bool anexosCambiados_ = false;
    bool avisado_ = false;
    CabeceraGuardada guardada_;
    std::function<void(int)> previoCasilla_;
    std::function<void(Control, int)> previoControl_;
    size_t indiceLista_ = size_t(-1);
};

}  // namespace qvr
