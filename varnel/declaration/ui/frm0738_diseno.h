#pragma once
// What the declaration window shows around its boxes: the screen label of each box, the captions of
// the pages and frames, and the frames laid out as rows of a grid. The boxes themselves, their
// pages, frames and order come from the box inventory.
#include <QString>
#include <QStringList>
#include <vector>

namespace qvr::ui {

// The label shown beside box n; empty for the boxes of a grid (their column heading names them).
QString etiquetaCasilla(int n);

// Caption of a frame of the inventory ("fraDeuda(2)" → its title on screen).
QString tituloMarco(const QString& marco);

// A frame whose boxes form rows (Amazonía, rentals, fourth-category payers): a row begins with a
// name box; the document-type list of a document box goes before it.
struct MarcoGrilla {
    const char* marco;
    QStringList columnas;
};
const MarcoGrilla* marcoGrilla(const QString& marco);

// Frames laid out in two columns of label and box (short frames of the debt page).
int columnasMarco(const QString& marco);

struct Pestana {
    QString caption;
    int ayuda;  // help topic
};
const std::vector<Pestana>& pestanasPrincipal();
const std::vector<Pestana>& pestanasSSTab2();
const std::vector<Pestana>& pestanasSSTab3();
const std::vector<Pestana>& pestanasSSTab5();

}  // namespace qvr::ui
