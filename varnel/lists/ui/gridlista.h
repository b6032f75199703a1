#pragma once
// The grid of a list window: one row at a time, read-only, with the list's columns (captions,
// widths, hidden ones). Enter and a double-click on a row ask for the window's action.
#include <QTableView>

#include "varnel/lists/modelolista.h"

namespace qvr::ui {

class GridLista : public QTableView {
    Q_OBJECT
public:
    explicit GridLista(QWidget* parent = nullptr);

    void fijaModelo(ModeloLista* modelo);
    ModeloLista* modelo() const { return modelo_; }

    // The current row; -1 when there is none.
    // Widens every shown column to its longest loaded text (never narrower than designed).
    void ajustaColumnas();
    int filaActual() const;
    // Makes `fila` current (reading pages up to it), or the last row when the list is shorter.
    // Throws ErrorBD.
    void vaAFila(int fila);

signals:
    void accion();
    void filaCambiada(int fila);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    // A screen reader hears the current cell numbered among the shown columns.
    void currentChanged(const QModelIndex& actual, const QModelIndex& previo) override;
    void selectionChanged(const QItemSelection& elegida, const QItemSelection& dejada) override;

  private:
    ModeloLista* modelo_ = nullptr;
};

}  // namespace qvr::ui
