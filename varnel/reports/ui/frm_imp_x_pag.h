#pragma once
// frmImpxPag: asks for a range of pages of a generated report and opens the viewer on it.
#include <QDialog>
#include <QStringList>
#include <functional>

#include "varnel/reports/indice_reporte.h"

class QLineEdit;
class QPushButton;

namespace qvr::reporte {

// The notice around the page total, line by line (the total shows in the gap of the first line).
const QStringList& avisoImpxPag();

class FrmImpxPag : public QDialog {
    Q_OBJECT
  public:
    // Opens the viewer on a report file of the report folder with a range.
    using AbreVisor = std::function<void(const QString& archivo, RangoHojas rango)>;

    FrmImpxPag(int totalPaginas, const QString& archivo, AbreVisor abre, QWidget* padre = nullptr);

    QLineEdit* txtPagDesde() const { return desde_; }
    QLineEdit* txtPagHasta() const { return hasta_; }
    QLineEdit* txtTotPaginas() const { return total_; }
    QPushButton* cmdAccion(int i) const { return botones_[i]; }
    const QString& tag() const { return tag_; }

    // cmdAccion_Click.
    void accion(int indice);

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void error(const QString& texto);

    int totalPaginas_;
    QString tag_;
    AbreVisor abre_;
    QLineEdit* desde_;
    QLineEdit* hasta_;
    QLineEdit* total_;
    QPushButton* botones_[2];
};

}  // namespace qvr::reporte
