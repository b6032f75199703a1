#include "varnel/app/ui/ventanas.h"

#include <QPointer>

#include "varnel/declaration/ui/frm0738.h"
#include "varnel/lists/ui/registro_listas.h"
#include "varnel/reports/ui/frm_imprimir.h"

namespace qvr {

QDialog* RegistroVentanas::crea(Ventana v, Aplicacion& app, QWidget* principal) const {
    auto it = fabricas_.find(v);
    return it == fabricas_.end() ? nullptr : it->second(app, principal);
}

bool RegistroVentanas::abreModal(Ventana v, Aplicacion& app, QWidget* padre) const {
    QPointer<QDialog> ventana = crea(v, app, padre);
    if (!ventana) return false;
    ventana->setWindowModality(Qt::ApplicationModal);
    ventana->exec();
    if (ventana) delete ventana.data();
    return true;
}

void registraVentanasVarnel(RegistroVentanas& r) {
    // The declaration window first: the lists open it through this registry.
    r.registra(Ventana::Frm0738, [](Aplicacion& a, QWidget* p) { return new Frm0738(a, p); });
    registraVentanasListas(r);
    r.registra(Ventana::frmImprimir, [](Aplicacion& a, QWidget* p) -> QDialog* {
        return new reporte::FrmImprimir(a.sesion, a.valores, barraActiva(a), p);
    });
}

}  // namespace qvr
