#pragma once
// Where the lists show the chosen declaration: the four texts of the suite's status bar of the
// main window. The main window connects its status bar; the lists only write to it.
#include <QString>

namespace qvr {

class BarraEstado {
public:
    virtual ~BarraEstado() = default;
    virtual void fija(const QString& ruc, const QString& nombre, const QString& formulario,
                      const QString& periodo) = 0;
    // Empties the four texts (when a list closes).
    virtual void limpia() = 0;
};

// A status bar that only remembers its texts: for a list opened without a main window, and tests.
class BarraEstadoMemoria : public BarraEstado {
public:
    void fija(const QString& r, const QString& n, const QString& f, const QString& p) override {
        ruc = r;
        nombre = n;
        formulario = f;
        periodo = p;
        ++escrituras;
    }
    void limpia() override { fija({}, {}, {}, {}); }

    QString ruc, nombre, formulario, periodo;
    int escrituras = 0;
};

}  // namespace qvr
