#pragma once
// The grid side of one annex list, as the declaration window places it on its page: for the
// dividends the grid Grid_Dividendos, "&Nuevo" / "&Modificar" / "&Eliminar", the count and the two
// totals; for investments abroad and in trusts also their yes/no question.
#include <QDate>
#include <QWidget>
#include <array>
#include <functional>

#include "varnel/annexes/listas_anexo.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace qvr {

class PanelAnexo : public QWidget {
    Q_OBJECT
  public:
    PanelAnexo(ListasAnexo& listas, ListaAnexo lista, QWidget* padre = nullptr);

    ListaAnexo lista() const { return lista_; }
    QTableWidget* grilla() const { return grilla_; }
    QPushButton* comando(int i) const { return comandos_[size_t(i)]; }
    QLabel* cantidad() const { return cantidad_; }
    QLabel* total(int i) const { return totales_[size_t(i)]; }
    // The question's option: index 0 "No", 1 "Si" (null for the dividends).
    QRadioButton* opcion(int i) const { return opciones_[size_t(i)]; }

    // Today's date for the dividends edit window; the clock when empty.
    std::function<QDate()> hoy;
    // The edit window of investments abroad and trusts, given ModoAnexo and the current row. Their
    // "&Nuevo" and "&Modificar" stay disabled while it is not given.
    std::function<void(int fila)> abreEdicion;

    // Mirrors the list's rows, summary, question and enabling.
    void espeja();

    void Nuevo();
    void Modificar();
    void Eliminar();

  private:
    void edita(const QString& modo, int fila);
    ListasAnexo& listas_;
    ListaAnexo lista_;
    QTableWidget* grilla_;
    std::array<QPushButton*, 3> comandos_{};
    QLabel* cantidad_;
    std::vector<QLabel*> totales_;
    std::array<QRadioButton*, 2> opciones_{};
    bool espejando_ = false;
};

}  // namespace qvr
