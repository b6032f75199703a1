#include "varnel/lists/ui/gridlista.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "varnel/common/ui/tabla_accesible.h"
#include "platform/ui/teclas_grilla.h"
#include "varnel/lists/ui/twips.h"

namespace qvr::ui {

namespace {
constexpr int kAnchoColumnaTwips = 1200;  // a column without a designed width
constexpr int kAltoFilaTwips = 255;
}  // namespace

GridLista::GridLista(QWidget* parent) : QTableView(parent) {
    // Read without its hidden columns.
    marcaTablaAccesible(this);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab and Ctrl+Tab leave the grid; Enter stays with keyPressEvent (the window's action).
    preparaTeclasGrilla(this);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(px(this, kAltoFilaTwips));
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid()) emit accion();
    });
}

void GridLista::fijaModelo(ModeloLista* modelo) {
    modelo_ = modelo;
    setModel(modelo);
    const auto& columnas = modelo->definicion().columnas;
    for (int c = 0; c < int(columnas.size()); ++c) {
        const auto& col = columnas[size_t(c)];
        setColumnWidth(c, px(this, col.anchoTwips > 0 ? col.anchoTwips : kAnchoColumnaTwips));
        setColumnHidden(c, col.oculta);
    }
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                if (actual.isValid()) emit filaCambiada(actual.row());
            });
}

void GridLista::ajustaColumnas() {
    // The designed widths are the least: a longer name (a bank's, a taxpayer's) is shown whole.
    for (int c = 0; modelo_ && c < modelo_->columnCount(); ++c)
        if (!isColumnHidden(c))
            setColumnWidth(c, qMax(columnWidth(c), qMax(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c))));
}

int GridLista::filaActual() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void GridLista::vaAFila(int fila) {
    if (!modelo_ || fila < 0) return;
    modelo_->aseguraFila(fila);
    const int filas = modelo_->rowCount();
    if (filas == 0) return;
    const int f = std::min(fila, filas - 1);
    setCurrentIndex(modelo_->index(f, 0));
    scrollTo(modelo_->index(f, 0));
}

void GridLista::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        e->accept();
        if (currentIndex().isValid()) emit accion();
        return;
    }
    QTableView::keyPressEvent(e);
}

}  // namespace qvr::ui

namespace qvr::ui {

void GridLista::currentChanged(const QModelIndex& actual, const QModelIndex& previo) {
    QAbstractItemView::currentChanged(actual, previo);
    anunciaCelda(this, actual);
}

void GridLista::selectionChanged(const QItemSelection& elegida, const QItemSelection& dejada) {
    QAbstractItemView::selectionChanged(elegida, dejada);
}

}  // namespace qvr::ui
