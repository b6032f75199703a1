#include "platform/ui/dialogos_qt.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace qvr {

namespace {
QMessageBox::StandardButton botonQt(Respuesta r) {
    switch (r) {
        case Respuesta::Ok:
            return QMessageBox::Ok;
        case Respuesta::Cancelar:
            return QMessageBox::Cancel;
        case Respuesta::Si:
            return QMessageBox::Yes;
        case Respuesta::No:
            return QMessageBox::No;
        case Respuesta::Reintentar:
            return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}
}  // namespace

int anchoParaTitulo(const QString& titulo) {
    // The title bar's font is the window system's; the application's bold font is a fair measure.
    QFont f = QApplication::font("QMdiSubWindowTitleBar");
    f.setBold(true);
    // Room for the window menu, minimize/maximize/close buttons and the frame.
    return QFontMetrics(f).horizontalAdvance(titulo) + 140;
}

Respuesta DialogosQt::muestra(const Mensaje& m, Respuesta defecto) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(m.titulo);
    box.setText(m.texto);
    switch (m.icono) {
        case Icono::Ninguno:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icono::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icono::Pregunta:
            box.setIcon(QMessageBox::Question);
            break;
        case Icono::Exclamacion:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icono::Informacion:
            box.setIcon(QMessageBox::Information);
            break;
    }
    QList<Respuesta> botones;
    switch (m.botones) {
        case Botones::Ok:
            botones = {Respuesta::Ok};
            break;
        case Botones::OkCancelar:
            botones = {Respuesta::Ok, Respuesta::Cancelar};
            break;
        case Botones::SiNo:
            botones = {Respuesta::Si, Respuesta::No};
            break;
        case Botones::SiNoCancelar:
            botones = {Respuesta::Si, Respuesta::No, Respuesta::Cancelar};
            break;
        case Botones::ReintentarCancelar:
            botones = {Respuesta::Reintentar, Respuesta::Cancelar};
            break;
    }
    QMessageBox::StandardButtons set;
    for (Respuesta r : botones) set |= botonQt(r);
    box.setStandardButtons(set);
    // The Spanish captions of the suite's message boxes, each with its own Alt letter.
    if (auto* b = box.button(QMessageBox::Yes)) b->setText("&Sí");
    if (auto* b = box.button(QMessageBox::No)) b->setText("&No");
    if (auto* b = box.button(QMessageBox::Ok)) b->setText("&Aceptar");
    if (auto* b = box.button(QMessageBox::Cancel)) b->setText("&Cancelar");
    if (auto* b = box.button(QMessageBox::Retry)) b->setText("&Reintentar");
    box.setDefaultButton(botonQt(defecto));
    // A message box is as wide as its text, never as its title: the title bar would cut it.
    if (auto* g = qobject_cast<QGridLayout*>(box.layout()))
        g->addItem(new QSpacerItem(anchoParaTitulo(m.titulo), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                   g->rowCount(), 0, 1, g->columnCount());
    const int r = box.exec();
    for (Respuesta x : botones)
        if (r == botonQt(x)) return x;
    return botones.contains(Respuesta::Cancelar)
               ? Respuesta::Cancelar
               : (botones.contains(Respuesta::No) ? Respuesta::No : defecto);
}

}  // namespace qvr
