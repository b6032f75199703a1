#pragma once
// The windows that the main window's commands open, by factory. A window of a later part of the
// module plugs its factory in here; until it does, the commands that open it are disabled. Which
// windows there are is decided beside main.cpp (varnel/ventanas.h), above every window.
#include <QDialog>
#include <functional>
#include <map>

#include "varnel/app/aplicacion.h"
#include "varnel/app/comandos.h"

namespace qvr {

// Creates a fresh instance of a window (its load step runs here), owned by `principal`.
using FabricaVentana = std::function<QDialog*(Aplicacion& app, QWidget* principal)>;

class RegistroVentanas {
public:
    void registra(Ventana v, FabricaVentana fabrica) { fabricas_[v] = std::move(fabrica); }
    bool existe(Ventana v) const { return fabricas_.count(v) > 0; }
    QDialog* crea(Ventana v, Aplicacion& app, QWidget* principal) const;
    // A fresh instance shown modally and unloaded when it closes; false when the window does not exist.
    bool abreModal(Ventana v, Aplicacion& app, QWidget* padre) const;

private:
    std::map<Ventana, FabricaVentana> fabricas_;
};

}  // namespace qvr
