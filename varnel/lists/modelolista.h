#pragma once
// The rows of a list for its grid, read a page at a time: the first page when the list opens,
// the next ones as the grid scrolls down to them. Each page is a snapshot query of its own
// (LIMIT/OFFSET over the list's total order), so nothing stays open between pages and a list of
// 100,000 declarations opens as fast as a list of 100.
#include <QAbstractTableModel>
#include <vector>

#include "varnel/lists/listas.h"

namespace qvr {

class BaseDatos;

class ModeloLista : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPagina = 100;

    ModeloLista(BaseDatos& base, DefinicionLista definicion, QObject* parent = nullptr);

    const DefinicionLista& definicion() const { return def_; }

    // Reads the list again from its first page. Throws ErrorBD; the list is then empty.
    void recarga();
    // Reads pages until row `fila` is in or the list ends; false when the list is shorter.
    // Throws ErrorBD.
    bool aseguraFila(int fila);
    bool vacia() const { return filas_.empty(); }
    bool completa() const { return fin_; }

    // The value of a grid column in a row as the query gave it (null for a column without field).
    QVariant valor(int fila, int columna) const;
    // The value as text, trimmed; "" for null.
    QString texto(int fila, int columna) const;
    // The value as the grid shows it.
    QString textoMostrado(int fila, int columna) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;

signals:
    // A page asked for by the grid could not be read; the list stops where it is.
    void falloLectura(int numero, const QString& descripcion);

private:
    // Reads the next page and appends it. Throws ErrorBD.
    void leePagina();

    BaseDatos& base_;
    DefinicionLista def_;
    std::vector<int> campo_;  // the query's column of each grid column; -1 when it has none
    std::vector<QVariantList> filas_;
    bool fin_ = true;
};

}  // namespace qvr
