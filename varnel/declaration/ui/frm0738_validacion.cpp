// The declaration window's validation: "V&alidar" runs the consistency rules in report mode and
// shows FrmConsist, whose chosen line takes the user to its box; a save checks them silently.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>

#include "common/conexion.h"
#include "platform/database.h"
#include "varnel/computation/ui/frm_consist.h"
#include "varnel/computation/validacion.h"
#include "varnel/declaration/ui/frm0738.h"

namespace qvr {

void Frm0738::instalaValidacion() {
    validaTodo = [](Frm0738& f) {
        ContextoValidacion c = f.sesion_->contextoValidacion();
        c.abreInconsistencias = [&f, &c](const std::vector<Inconsistencia>& lineas) {
            const int casilla = MuestraInconsistencias(rutaInconsistencias(c.rutaSistema), lineas, &f);
            if (casilla > 0) f.irACasilla(casilla);
        };
        try {
            ValidaTodo(*f.d_, "0", c);
        } catch (const ErrorBD& e) {
            // The catalogs could not be read: the window stays with everything typed.
            ErrorRegistro(e);
        }
    };
}

void Frm0738::irACasilla(int n) {
    QWidget* caja = TxtValor(n);
    if (!caja) return;
    // Every strip on the way up shows the page that holds the box.
    for (QWidget* w = caja; w && w != this; w = w->parentWidget()) {
        auto* pila = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (!pila) continue;
        if (auto* tira = qobject_cast<QTabWidget*>(pila->parentWidget())) tira->setCurrentWidget(w);
    }
    // On the debt page two of the three frames show at a time.
    if (hsDeuda_ && !caja->isVisibleTo(this)) {
        for (int v = hsDeuda_->minimum(); v <= hsDeuda_->maximum() && !caja->isVisibleTo(this); ++v)
            hsDeuda_->setValue(v);
    }
    caja->setFocus(Qt::OtherFocusReason);
}

}  // namespace qvr
