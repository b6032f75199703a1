#include "varnel/ventanas.h"

#include "varnel/declaration/ui/frm0738.h"
#include "varnel/lists/ui/registro_listas.h"
#include "varnel/reports/ui/frm_imprimir.h"

namespace qvr {

void registraVentanasVarnel(RegistroVentanas& r) {
    // The declaration window first: the lists open it through this registry.
    r.registra(Ventana::Frm0738, [](Aplicacion& a, QWidget* p) { return new Frm0738(a, p); });
    registraVentanasListas(r);
    r.registra(Ventana::frmImprimir, [](Aplicacion& a, QWidget* p) -> QDialog* {
        return new reporte::FrmImprimir(a.sesion, a.valores, barraActiva(a), p);
    });
}

}  // namespace qvr
