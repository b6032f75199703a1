#pragma once
// The about window.
#include <QDialog>

class QLabel;

namespace qvr {

class frmAcercaDe : public QDialog {
    Q_OBJECT
public:
    explicit frmAcercaDe(QWidget* padre = nullptr);

private:
    QLabel* lblVersion_;
};

}  // namespace qvr
