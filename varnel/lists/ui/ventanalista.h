#pragma once
// What the three list windows share: a grid over a list read in pages, its loading with the
// hourglass, reading it again on activation and after an action, and the "Error" message.
#include <QDialog>
#include <functional>
#include <memory>

#include "varnel/lists/modelolista.h"
#include "varnel/lists/ui/gridlista.h"

namespace qvr {
struct DatosSesion;
}

namespace qvr::ui {

class VentanaLista : public QDialog {
    Q_OBJECT
public:
    GridLista* grid() const { return grid_; }
    ModeloLista* modelo() const { return modelo_.get(); }

protected:
    VentanaLista(DatosSesion& s, QWidget* parent);
    ~VentanaLista() override;

    // Binds the list to the grid and reads its first rows; with no rows (or an error, which is
    // shown) the grid is disabled. Returns false on an error.
    bool cargaLista(DefinicionLista d);
    // Reads the list again and makes `fila` current (the last row when the list got shorter).
    // An error is shown and leaves the grid disabled.
    void releeLista(int fila);
    bool listaVacia() const { return !modelo_ || modelo_->vacia(); }
    // Opens the declaration window with this window disabled meanwhile; an error of its opening
    // is shown ("Error") instead of leaving the event loop.
    void abreDeclaracionSobreLista(const std::function<bool()>& abre);

    // Each time the window becomes active.
    virtual void alActivar() {}
    // Whether the list must be read again on activation: not the first time, right after loading,
    // when nothing can have changed yet (at 100,000 rows that would double the opening time).
    bool releerAlActivar();
    bool event(QEvent* e) override;

    DatosSesion& s_;
    GridLista* grid_;
    std::unique_ptr<ModeloLista> modelo_;

private:
    void ensanchaParaGrid();
    bool recienCargada_ = false;
};

// The hourglass while a list is read.
class CursorEspera {
public:
    CursorEspera();
    ~CursorEspera();
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};

}  // namespace qvr::ui
