#pragma once
// The host's list of generated reports (table SPOOL), newest first; a report opens in the module's
// report viewer.
#include <QDialog>

class QTableWidget;
class QPushButton;

namespace qvr::host {

class VentanaSpool : public QDialog {
    Q_OBJECT
  public:
    // `carpetaProgramas`: where varnel-cli is looked for.
    explicit VentanaSpool(const QString& carpetaProgramas, QWidget* parent = nullptr);

    QTableWidget* tabla() const { return tabla_; }
    // Reads SPOOL again; false (with a message in the table's place) when the database can't be read.
    bool carga();
    // The report file of a row: the report folder of the program that wrote it, then the other one.
    QString rutaReporte(int fila) const;
    void verSeleccionado();

  private:
    QString carpeta_;
    QTableWidget* tabla_ = nullptr;
    QPushButton* ver_ = nullptr;
};

}  // namespace qvr::host
