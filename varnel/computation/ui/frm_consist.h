#pragma once
// FrmConsist: the inconsistencies found by the validation, one per line as the inconsistency file
// holds them, with printing. Double-clicking a line (or Enter on it) closes the window and tells
// which box the line is about, so that the declaration window can show that box.
#include <QDialog>
#include <functional>
#include <vector>

#include "varnel/computation/validacion.h"

class QPlainTextEdit;
class QPushButton;
class QLabel;

namespace qvr {

class FrmConsist : public QDialog {
public:
    // `ruta`: the inconsistency file; `lineas`: the same lines with their boxes (shown instead when
    // the file can not be read).
    FrmConsist(const QString& ruta, std::vector<Inconsistencia> lineas, QWidget* padre = nullptr);

    // The box of the line chosen by double-click or Enter; 0 when the window was closed otherwise.
    int casillaElegida() const { return elegida_; }
    // The box of line `i` (0-based) of the text; 0 when the line names none.
    int casillaDeLinea(int i) const;

    QPlainTextEdit* TxtPreliminar = nullptr;
    QPushButton* cmdImprimir = nullptr;
    QPushButton* CmdGrabar = nullptr;

    // Called with the chosen box just before the window closes.
    std::function<void(int casilla)> alElegirCasilla;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    // Tab stays in this window (it shares the focus chain of the window it was opened over).
    bool focusNextPrevChild(bool siguiente) override;

private:
    void eligeLinea(int i);
    void ajustaAncho();

    QString ruta_;
    std::vector<Inconsistencia> lineas_;
    int elegida_ = 0;
};

// Shows FrmConsist modally (a fresh instance each time) and returns the chosen box, 0 for none.
int MuestraInconsistencias(const QString& ruta, const std::vector<Inconsistencia>& lineas, QWidget* padre = nullptr);

}  // namespace qvr
