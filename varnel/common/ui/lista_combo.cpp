#include "varnel/common/ui/lista_combo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>

namespace qvr {

void ListaCombo::clear() { combo_->clear(); }
void ListaCombo::add(const QString& texto) { combo_->addItem(texto); }
int ListaCombo::count() const { return combo_->count(); }
QString ListaCombo::text(int i) const { return combo_->itemText(i); }

int anchoPromedioCaracter(QWidget* ventana) {
    static const QString letras = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics fm(ventana ? ventana->font() : QApplication::font());
    return fm.horizontalAdvance(letras) / 52;
}

int AnchoListaFijo(QWidget* ventana, QComboBox* combo, int caracteres) {
    const int ancho = std::max(0, anchoPromedioCaracter(ventana) * (caracteres - 2));
    combo->view()->setMinimumWidth(ancho);
    return ancho;
}

int AnchoLista(QWidget* ventana, QComboBox* combo) {
    int mayor = 0;
    for (int i = 0; i < combo->count(); ++i) mayor = std::max(mayor, int(combo->itemText(i).size()));
    return AnchoListaFijo(ventana, combo, mayor);
}

void ListaEntera(QComboBox* combo) {
    QAbstractItemView* v = combo->view();
    const int barra =
        combo->count() > combo->maxVisibleItems() ? v->verticalScrollBar()->sizeHint().width() : 0;
    const QFontMetrics fm(v->font());
    int texto = 0;
    for (int i = 0; i < combo->count(); ++i)
        texto = std::max(texto, fm.horizontalAdvance(combo->itemText(i)));
    // The entries' own margins beside the text, the frame and the scroll bar.
    const int ancho = texto + 24 + 2 * v->frameWidth() + barra;
    if (v->minimumWidth() < ancho) v->setMinimumWidth(ancho);
}

QStringList textosVisibles(const QStringList& entradas, int hasta) {
    QStringList t;
    t.reserve(entradas.size());
    for (const QString& e : entradas) {
        QString v = hasta > 0 ? e.left(hasta) : e;
        while (v.endsWith(' ')) v.chop(1);
        t << v;
    }
    return t;
}

void PasaSiguiente(const QString& texto, QWidget* desde) {
    if (texto != "TAB") return;
    QWidget* w = desde ? desde : QApplication::focusWidget();
    if (!w) return;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(w, &tab);
}

}  // namespace qvr
