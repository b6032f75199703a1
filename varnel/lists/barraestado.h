#pragma once
// Where the lists show the chosen declaration: the suite's status bar of the main window, through
// the interface the main window gives every window.
#include <QString>

#include "varnel/app/aplicacion.h"

namespace qvr {

// A status bar that only remembers its texts: for a list opened without a main window, and tests.
class BarraEstadoMemoria : public BarraEstado {
public:
    void setNumeroDocumento(const QString& t) override {
        ruc = t;
        ++escrituras;
    }
    void setNombre(const QString& t) override { nombre = t; }
    void setFormulario(const QString& t) override { formulario = t; }
    void setPeriodo(const QString& t) override { periodo = t; }
    void setValor(short v) override { valor = v; }

    QString ruc, nombre, formulario, periodo;
    short valor = 0;
    int escrituras = 0;
};

}  // namespace qvr
