#include "varnel/common/ui/tabla_accesible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace qvr {

namespace {

constexpr const char* kMarca = "qvr_tablaAccesible";

class TablaAccesible;

// One cell; row -1 is the heading. It reads the model each time it is asked.
class CeldaTabla : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    CeldaTabla(TablaAccesible* t, int fila, int columna) : tabla_(t), fila(fila), columna(columna) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override {
        return fila < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override { return fila; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    QTableView* vista() const;
    TablaAccesible* tabla_;

  public:
    const int fila, columna;  // columna: the model's column
};

class TablaAccesible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit TablaAccesible(QTableView* v) : QAccessibleWidget(v, QAccessible::Table) {}
    ~TablaAccesible() override { olvida(); }

    QTableView* vista() const { return static_cast<QTableView*>(widget()); }
    QAbstractItemModel* modelo() const { return vista()->model(); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The model's columns that the grid shows, in the order it shows them.
    QList<int> columnas() const {
        QList<int> c;
        const QHeaderView* h = vista()->horizontalHeader();
        if (!modelo()) return c;
        for (int v = 0; v < h->count(); ++v)
            if (const int l = h->logicalIndex(v); !h->isSectionHidden(l)) c << l;
        return c;
    }
    int filas() const { return modelo() ? modelo()->rowCount(vista()->rootIndex()) : 0; }
    bool conCabecera() const { return !vista()->horizontalHeader()->isHidden(); }
    // Child number of a cell (row -1: heading); -1 for a hidden column.
    int indice(int fila, int columna) const {
        const QList<int> c = columnas();
        const int k = int(c.indexOf(columna));
        if (k < 0) return -1;
        return (fila + (conCabecera() ? 1 : 0)) * int(c.size()) + k;
    }
    QAccessibleInterface* celda(int fila, int columna) const {
        const quint64 clave = (quint64(quint32(fila + 1)) << 32) | quint32(columna);
        if (auto it = celdas_.constFind(clave); it != celdas_.constEnd())
            if (QAccessibleInterface* i = QAccessible::accessibleInterface(*it)) return i;
        auto* i = new CeldaTabla(const_cast<TablaAccesible*>(this), fila, columna);
        celdas_.insert(clave, QAccessible::registerAccessibleInterface(i));
        return i;
    }
    void olvida() {
        for (QAccessible::Id id : std::as_const(celdas_)) QAccessible::deleteAccessibleInterface(id);
        celdas_.clear();
    }

    int childCount() const override { return int(columnas().size()) * (filas() + (conCabecera() ? 1 : 0)); }
    QAccessibleInterface* child(int i) const override {
        const QList<int> c = columnas();
        if (c.isEmpty() || i < 0) return nullptr;
        const int fila = i / int(c.size()) - (conCabecera() ? 1 : 0);
        if (fila >= filas()) return nullptr;
        return celda(fila, c[i % c.size()]);
    }
    int indexOfChild(const QAccessibleInterface* hijo) const override {
        const auto* c = dynamic_cast<const CeldaTabla*>(hijo);
        return c ? indice(c->fila, c->columna) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex i = vista()->indexAt(vista()->viewport()->mapFromGlobal(QPoint(x, y)));
        return i.isValid() && !vista()->isColumnHidden(i.column()) ? celda(i.row(), i.column()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex i = vista()->currentIndex();
        return i.isValid() && !vista()->isColumnHidden(i.column()) ? celda(i.row(), i.column()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int fila, int columna) const override {
        const QList<int> c = columnas();
        if (fila < 0 || fila >= filas() || columna < 0 || columna >= c.size()) return nullptr;
        return celda(fila, c[columna]);
    }
    int columnCount() const override { return int(columnas().size()); }
    int rowCount() const override { return filas(); }
    QString columnDescription(int columna) const override {
        const QList<int> c = columnas();
        return columna >= 0 && columna < c.size()
                   ? modelo()->headerData(c[columna], Qt::Horizontal).toString()
                   : QString();
    }
    QString rowDescription(int) const override { return {}; }
    QList<int> selectedRows() const override {
        QList<int> f;
        if (const QItemSelectionModel* s = vista()->selectionModel())
            for (const QModelIndex& i : s->selectedRows()) f << i.row();
        return f;
    }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> c;
        const QList<int> columnas = this->columnas();
        for (int f : selectedRows())
            for (int k : columnas) c << celda(f, k);
        return c;
    }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<int> selectedColumns() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int fila) const override {
        const QItemSelectionModel* s = vista()->selectionModel();
        return s && s->isRowSelected(fila, vista()->rootIndex());
    }
    bool selectRow(int fila) override {
        if (fila < 0 || fila >= filas()) return false;
        vista()->selectRow(fila);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // Cells are found again after the rows change.
    void modelChange(QAccessibleTableModelChangeEvent*) override { olvida(); }

  private:
    mutable QHash<quint64, QAccessible::Id> celdas_;
};

QTableView* CeldaTabla::vista() const { return tabla_->vista(); }

bool CeldaTabla::isValid() const {
    return tabla_->modelo() && fila < tabla_->filas() && columna < tabla_->modelo()->columnCount() &&
           !vista()->isColumnHidden(columna);
}
QWindow* CeldaTabla::window() const { return tabla_->window(); }
QAccessibleInterface* CeldaTabla::parent() const { return tabla_; }
QAccessibleInterface* CeldaTabla::table() const { return tabla_; }

QString CeldaTabla::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !isValid()) return {};
    if (fila < 0) return tabla_->modelo()->headerData(columna, Qt::Horizontal).toString();
    const QModelIndex i = tabla_->modelo()->index(fila, columna, vista()->rootIndex());
    const QVariant a = i.data(Qt::AccessibleTextRole);
    return (a.isValid() ? a.toString() : i.data(Qt::DisplayRole).toString()).trimmed();
}

QRect CeldaTabla::rect() const {
    if (!isValid()) return {};
    if (fila < 0) {
        const QHeaderView* h = vista()->horizontalHeader();
        return QRect(h->mapToGlobal(QPoint(h->sectionViewportPosition(columna), 0)),
                     QSize(h->sectionSize(columna), h->height()));
    }
    const QRect r = vista()->visualRect(tabla_->modelo()->index(fila, columna, vista()->rootIndex()));
    return QRect(vista()->viewport()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::State CeldaTabla::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    if (fila >= 0) {
        s.selectable = true;
        s.selected = isSelected();
        const QModelIndex i = vista()->currentIndex();
        s.focused = vista()->hasFocus() && i.row() == fila && i.column() == columna;
        const QRect r = vista()->visualRect(tabla_->modelo()->index(fila, columna, vista()->rootIndex()));
        s.invisible = !vista()->viewport()->rect().intersects(r);
        s.offscreen = s.invisible;
    }
    return s;
}

bool CeldaTabla::isSelected() const { return fila >= 0 && tabla_->isRowSelected(fila); }

QList<QAccessibleInterface*> CeldaTabla::columnHeaderCells() const {
    if (fila < 0 || !tabla_->conCabecera()) return {};
    return {tabla_->celda(-1, columna)};
}

int CeldaTabla::columnIndex() const { return int(tabla_->columnas().indexOf(columna)); }

QAccessibleInterface* fabrica(const QString& clase, QObject* o) {
    if (clase != QLatin1String("QTableView")) return nullptr;
    auto* v = qobject_cast<QTableView*>(o);
    return v && v->property(kMarca).toBool() ? new TablaAccesible(v) : nullptr;
}

}  // namespace

void marcaTablaAccesible(QTableView* tabla) {
    static const bool instalada = [] {
        QAccessible::installFactory(fabrica);
        return true;
    }();
    (void)instalada;
    tabla->setProperty(kMarca, true);
}

int indiceAccesible(QTableView* tabla, const QModelIndex& i) {
    auto* t = dynamic_cast<TablaAccesible*>(QAccessible::queryAccessibleInterface(tabla));
    return t && i.isValid() ? t->indice(i.row(), i.column()) : -1;
}

void anunciaCelda(QTableView* tabla, const QModelIndex& actual) {
    if (!QAccessible::isActive()) return;
    const int hijo = indiceAccesible(tabla, actual);
    if (hijo < 0) return;
    QAccessibleEvent e(tabla, QAccessible::Focus);
    e.setChild(hijo);
    QAccessible::updateAccessibility(&e);
}

}  // namespace qvr
