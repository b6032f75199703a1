#pragma once
// A status bar that only remembers what the windows wrote to it.
#include "varnel/app/aplicacion.h"

namespace qvr::prueba {

class BarraEstadoMemoria : public BarraEstado {
public:
    void setNumeroDocumento(const QString& t) override { ruc = t; }
    void setNombre(const QString& t) override { nombre = t; }
    void setFormulario(const QString& t) override { formulario = t; }
    void setPeriodo(const QString& t) override { periodo = t; }
    void setValor(short v) override { valor = v; }

    QString ruc, nombre, formulario, periodo;
    short valor = 0;
};

}  // namespace qvr::prueba
