#include "varnel/app/ui/ventanas.h"

#include "varnel/declaration/ui/frm0738.h"
#include "varnel/lists/ui/registro_listas.h"

namespace qvr {

QDialog* RegistroVentanas::crea(Ventana v, Aplicacion& app, QWidget* principal) const {
    auto it = fabricas_.find(v);
    return it == fabricas_.end() ? nullptr : it->second(app, principal);
}

void registraVentanasVarnel(RegistroVentanas& r) {
    // The declaration window first: the lists open it through this registry.
    r.registra(Ventana::Frm0738, [](Aplicacion& a, QWidget* p) { return new Frm0738(a, p); });
    registraVentanasListas(r);
}

}  // namespace qvr
