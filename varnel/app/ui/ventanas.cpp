#include "varnel/app/ui/ventanas.h"

#include <QPointer>

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

}  // namespace qvr
