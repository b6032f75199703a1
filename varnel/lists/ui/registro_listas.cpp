#include "varnel/lists/ui/registro_listas.h"

#include <QPointer>
#include <memory>

#include "varnel/lists/ui/frmabrirenv.h"
#include "varnel/lists/ui/frmbancos.h"
#include "varnel/lists/ui/frmmodfor.h"

namespace qvr {

namespace {

// Opens the declaration window modally over the list; empty while the registry has none.
std::function<bool()> abreDeclaracion(const RegistroVentanas& r, Aplicacion& a,
                                      const std::shared_ptr<QPointer<QWidget>>& lista) {
    if (!r.existe(Ventana::Frm0738)) return {};
    return [&r, &a, lista] {
        QPointer<QDialog> d = r.crea(Ventana::Frm0738, a, lista->data());
        if (!d) return false;
        d->setWindowModality(Qt::ApplicationModal);
        d->exec();
        delete d.data();
        return true;
    };
}

template <class Lista>
QDialog* creaLista(const RegistroVentanas& r, Aplicacion& a, QWidget* principal) {
    auto lista = std::make_shared<QPointer<QWidget>>();
    auto* w = new Lista(a.sesion, a.valores, barraActiva(a), abreDeclaracion(r, a, lista), principal);
    *lista = w;
    return w;
}

}  // namespace

void registraVentanasListas(RegistroVentanas& r) {
    const RegistroVentanas& registro = r;
    r.registra(Ventana::frmModFor, [&registro](Aplicacion& a, QWidget* p) -> QDialog* {
        return creaLista<ui::FrmModFor>(registro, a, p);
    });
    r.registra(Ventana::frmAbrirEnv, [&registro](Aplicacion& a, QWidget* p) -> QDialog* {
        return creaLista<ui::FrmAbrirEnv>(registro, a, p);
    });
    r.registra(Ventana::frmBancos,
               [](Aplicacion& a, QWidget* p) -> QDialog* { return new ui::FrmBancos(a.sesion, a.valores, p); });
}

}  // namespace qvr
