#include "varnel/app/ui/ventanas.h"

namespace qvr {

QDialog* RegistroVentanas::crea(Ventana v, Aplicacion& app, QWidget* principal) const {
    auto it = fabricas_.find(v);
    return it == fabricas_.end() ? nullptr : it->second(app, principal);
}

void registraVentanasVarnel(RegistroVentanas& r) {
    // The declaration window, the declaration lists, the query list and the print selection
    // register here as they are built.
    (void)r;
}

}  // namespace qvr
