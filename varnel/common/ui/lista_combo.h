#pragma once
// The combo-box side of the catalog lists: the adapter that the fillers write into, the drop-down
// width rule, and Enter moving on like Tab.
#include <QString>
#include <QStringList>

#include "common/combos.h"

class QComboBox;
class QWidget;

namespace qvr {

class ListaCombo : public ListaItems {
  public:
    explicit ListaCombo(QComboBox* combo) : combo_(combo) {}
    void clear() override;
    void add(const QString& texto) override;
    int count() const override;
    QString text(int i) const override;

  private:
    QComboBox* combo_;
};

// The average character width of the window's font: the 52 letters measured together, divided by 52.
int anchoPromedioCaracter(QWidget* ventana);
// Sets the drop-down width to the average character width x (longest item - 2); returns it.
int AnchoLista(QWidget* ventana, QComboBox* combo);
// The same for a given number of characters.
int AnchoListaFijo(QWidget* ventana, QComboBox* combo, int caracteres);

// Widens the drop-down, where it is narrower, to its longest entry (the widths above are the least).
void ListaEntera(QComboBox* combo);

// What a list shows of catalog entries: each entry up to `hasta` characters (all of it when 0),
// without its trailing blanks.
QStringList textosVisibles(const QStringList& entradas, int hasta = 0);

// With "TAB", moves the focus from `desde` (the focused widget when null) to the next control,
// as the Tab key does. Any other text does nothing.
void PasaSiguiente(const QString& texto, QWidget* desde = nullptr);

}  // namespace qvr
