#include "varnel/lists/modelolista.h"

#include "platform/database.h"
#include "varnel/lists/formato.h"

namespace qvr {

ModeloLista::ModeloLista(BaseDatos& base, DefinicionLista definicion, QObject* parent)
    : QAbstractTableModel(parent), base_(base), def_(std::move(definicion)) {}

void ModeloLista::recarga() {
    beginResetModel();
    filas_.clear();
    campo_.clear();
    fin_ = false;
    try {
        leePagina();
    } catch (...) {
        filas_.clear();
        fin_ = true;
        endResetModel();
        throw;
    }
    endResetModel();
}

void ModeloLista::leePagina() {
    QVariantList p = def_.parametros;
    p << kPagina << qlonglong(filas_.size());
    const Registros r = base_.consulta(def_.sql + " LIMIT ? OFFSET ?", p);
    if (campo_.empty()) {
        for (const auto& c : def_.columnas) campo_.push_back(c.campo.isEmpty() ? -1 : r.indice(c.campo));
    }
    fin_ = r.filas() < kPagina;
    if (r.vacio()) return;
    const int desde = int(filas_.size());
    const bool avisa = desde > 0;  // the first page comes inside the reset
    if (avisa) beginInsertRows({}, desde, desde + r.filas() - 1);
    for (int f = 0; f < r.filas(); ++f) filas_.push_back(r.fila(f));
    if (avisa) endInsertRows();
}

bool ModeloLista::aseguraFila(int fila) {
    while (fila >= int(filas_.size()) && !fin_) leePagina();
    return fila < int(filas_.size());
}

QVariant ModeloLista::valor(int fila, int columna) const {
    if (fila < 0 || fila >= int(filas_.size()) || columna < 0 || columna >= int(campo_.size())) return {};
    const int c = campo_[size_t(columna)];
    const QVariantList& f = filas_[size_t(fila)];
    return c >= 0 && c < f.size() ? f[c] : QVariant();
}

QString ModeloLista::texto(int fila, int columna) const {
    const QVariant v = valor(fila, columna);
    return v.isNull() ? QString() : v.toString().trimmed();
}

QString ModeloLista::textoMostrado(int fila, int columna) const {
    const QVariant v = valor(fila, columna);
    if (v.isNull() || columna < 0 || columna >= int(def_.columnas.size())) return {};
    switch (def_.columnas[size_t(columna)].formato) {
        case FormatoColumna::Fecha: return formatoFecha(v);
        case FormatoColumna::Estado: return textoEstado(v);
        case FormatoColumna::DiaMesAnio: return formatoDiaMesAnio(v);
        case FormatoColumna::Miles: return formatoMiles(v);
        case FormatoColumna::Texto: break;
    }
    return v.toString();
}

int ModeloLista::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(filas_.size()); }

int ModeloLista::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(def_.columnas.size());
}

QVariant ModeloLista::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return textoMostrado(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const auto f = def_.columnas[size_t(index.column())].formato;
        if (f == FormatoColumna::Miles) return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant ModeloLista::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(def_.columnas.size()))
        return def_.columnas[size_t(section)].titulo;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ModeloLista::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool ModeloLista::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !fin_; }

void ModeloLista::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || fin_) return;
    try {
        leePagina();
    } catch (const ErrorBD& e) {
        // Called from the grid's painting: report and stop instead of letting the error out.
        fin_ = true;
        emit falloLectura(e.numero(), e.descripcion());
    }
}

}  // namespace qvr
