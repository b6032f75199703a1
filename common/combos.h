#pragma once
// Filling code lists from the catalogs. Each item carries its code in a fixed-width column, so the
// windows read the code back by position. The fillers work on a small list interface that the
// combo-box adapter of the windows implements, which keeps the item texts testable without widgets.
#include <QString>
#include <QStringList>

namespace qvr {

class BaseDatos;

class ListaItems {
  public:
    virtual ~ListaItems() = default;
    virtual void clear() = 0;
    virtual void add(const QString& texto) = 0;
    virtual int count() const = 0;
    virtual QString text(int i) const = 0;
};

// A list held in memory (the cores and the tests).
class ListaTextos : public ListaItems {
  public:
    void clear() override { items.clear(); }
    void add(const QString& texto) override { items.append(texto); }
    int count() const override { return int(items.size()); }
    QString text(int i) const override { return items.value(i); }
    QStringList items;
};

// The item that stands for "nothing chosen" at the head of a list filled with a blank.
inline const QString kItemEnBlanco = QString(75, ' ');

// Which rows of a catalog are listed: all of them, or only those offered in the lists
// (position 70 of funcion is "1", catalogs '919' and '926').
enum class Filas { Todas, Ofrecidas };

// Code in 2 columns, 5 blanks, description; does not clear the list; an empty item first;
// ordered by description.
void LlenaComboCorto(ListaItems& lista, BaseDatos& base, const QString& catalogo, Filas filas, int longitud,
                     int inicio);
// Code in 12 columns, 5 blanks, description; clears the list first; ordered by code.
void LlenaComboPorCodigo(ListaItems& lista, BaseDatos& base, const QString& catalogo, Filas filas,
                         int longitud, int inicio, bool blanco);
// As LlenaComboPorCodigo, ordered by description.
void LlenaComboPorNombre(ListaItems& lista, BaseDatos& base, const QString& catalogo, Filas filas,
                         int longitud, int inicio, bool blanco);
// The document types of catalog '044' offered in the context `posicion` (59-89), in their display
// order: code "00", "  -  ", description in 60 columns, length (68-69), blank, data type (71),
// blank, length rule (73).
void LlenaTiposDocumento(ListaItems& lista, BaseDatos& base, int posicion, bool blanco);

// Positions within a document-type item.
inline constexpr int kItemTipoLongitud = 68;  // two characters
inline constexpr int kItemTipoDato = 71;
inline constexpr int kItemTipoRegla = 73;

// The texts of one item: the code column (trimmed) of a catalog item of the given code width.
QString codigoDeItem(const QString& item, int anchoCodigo);

}  // namespace qvr
