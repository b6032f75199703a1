#pragma once
// The report viewer window: one page picture at a time on a white panel, two vertical scroll bars
// that move together, a horizontal one, and the toolbar (previous, next, print, close).
#include <QDialog>
#include <QTimer>

#include "varnel/reports/visor_reporte.h"

class QScrollBar;
class QToolBar;
class QAction;

namespace qvr::reporte {

class PanelPagina;

class frmPreview : public QDialog {
    Q_OBJECT
  public:
    frmPreview(QString rutaReportes, RangoHojas rango, QWidget* padre = nullptr);
    ~frmPreview() override;

    VisorReporte& visor() { return visor_; }
    // Form_Load: reads the report in preview mode and shows its first page. False when the
    // viewer closed itself (a damaged file).
    bool carga();
    // tlbPrevia_ButtonClick by the button's index (2 to 5).
    void pulsaBoton(int indice);
    QAction* accion(int indice) const;

    QScrollBar* vsbPic(int i) const { return vsb_[i]; }
    QScrollBar* hScroll1() const { return hsb_; }
    // The top-left corner of the shown picture within the panel (pixels; 0 or negative).
    QPoint posicionPagina() const;
    // The size of the shown picture in the panel (pixels), and its scale: 1 at the printed size.
    QSize tamanoPagina() const;
    double escala() const;
    QWidget* pagina() const;
    // "Ajustar al ancho": the page fitted to the window's width.
    QAction* ajusteAncho() const { return ajusteAncho_; }

    // The mouse wheel over the page: scrolls it, and at its bottom (top) goes on to the next
    // (previous) page. `pasos`: wheel notches, positive upwards.
    void rueda(double pasos);

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    friend class PanelPagina;
    void pMostrar(int n);
    void teclas();
    void ultima();
    void desplaza(QScrollBar* barra, int pasos);
    void vsbPic_Change(int i);
    void HScroll1_Change();
    void ajustaBarras();
    void continuaIndice();
    void anunciaPagina();

    VisorReporte visor_;
    QToolBar* tlbPrevia_ = nullptr;
    QAction* botones_[4] = {};
    QAction* ajusteAncho_ = nullptr;
    int hojaAnunciada_ = -1;
    PanelPagina* picFondo_ = nullptr;
    QScrollBar* vsb_[2] = {};
    QScrollBar* hsb_ = nullptr;
    QTimer indexa_;
    bool moviendo_ = false;
};

// Opens the viewer on a report of the report folder: "Vprevia" previews it in a modal window,
// any other mode prints it without showing anything.
void VerReporte(const QString& archivo, const QString& modo, const QString& rutaReportes, RangoHojas rango,
                QWidget* padre = nullptr);

}  // namespace qvr::reporte
