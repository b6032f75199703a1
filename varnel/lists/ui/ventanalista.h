#pragma once
// What the list windows share: a grid over a list read in pages, its loading with the hourglass,
// whether the user sees only his own taxpayers, the buttons (the action that a row's Enter or
// double-click also runs, "&Salir"), reading the list again on activation and after an action, and
// the "Error" message.
#include <QDialog>
#include <functional>
#include <memory>

#include "varnel/lists/modelolista.h"
#include "varnel/lists/ui/gridlista.h"

class QPushButton;

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

    // Whether the user sees only his own taxpayers; an error reading it is shown ("Error") and
    // restricts him, as does a closed database.
    bool usuarioRestringido() const;

    // A button of the window, never auto-default: Enter presses the focused button.
    QPushButton* creaBoton(const QString& texto, const QString& nombre);
    // The action button: pressing it, or Enter or a double-click on a row while it is enabled,
    // runs `accion`.
    void conectaAccion(QPushButton* boton, std::function<void()> accion);
    // "&Salir" closes the window, accepted.
    void conectaSalir(QPushButton* boton);
    // An action that needs the declaration window while there is none: the button says so.
    static void sinVentanaDeclaracion(QPushButton* boton);
    // Sets the window's designed size (twips) and puts `botones` in a row at its bottom right, in
    // order. Returns the buttons' top within the client area, in twips.
    int colocaBotones(int ancho, int alto, std::initializer_list<QPushButton*> botones);

    // Each time the window becomes active: the list is read again (but right after loading), and
    // the grid takes the focus and shows its current row (muestraFila).
    virtual void alActivar();
    virtual void muestraFila(int /*fila*/) {}
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
