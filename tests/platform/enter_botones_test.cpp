// Enter on a focused push or tool button presses that button in every window, never the dialog's
// default one; other controls keep their own Enter.
#include "platform/ui/interfaz.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <map>

using namespace qvr;

TEST(EnterEnBotones, PulsaElBotonConElFocoYNoElPredeterminado) {
    instalaEnterEnBotones(*qApp);
    instalaEnterEnBotones(*qApp);  // a second start-up step must not press twice

    // Built after the installation, as every window is.
    QDialog d;
    auto* l = new QVBoxLayout(&d);
    auto* campo = new QLineEdit(&d);
    auto* opcion = new QRadioButton("Opción", &d);
    auto* aceptar = new QPushButton("&Aceptar", &d);
    auto* cancelar = new QPushButton("&Cancelar", &d);
    auto* herramienta = new QToolButton(&d);
    auto* apagado = new QToolButton(&d);
    aceptar->setDefault(true);
    cancelar->setAutoDefault(false);
    herramienta->setFocusPolicy(Qt::StrongFocus);
    apagado->setFocusPolicy(Qt::StrongFocus);
    for (QWidget* w : std::initializer_list<QWidget*>{campo, opcion, aceptar, cancelar, herramienta, apagado})
        l->addWidget(w);
    std::map<QAbstractButton*, int> pulsados;
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{opcion, aceptar, cancelar, herramienta, apagado})
        QObject::connect(b, &QAbstractButton::clicked, [&pulsados, b] { ++pulsados[b]; });
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));

    struct Caso {
        const char* nombre;
        QWidget* foco;
        Qt::Key tecla;
        Qt::KeyboardModifiers mod;
        QAbstractButton* pulsado;  // nullptr: no button but the default one
    } casos[] = {
        {"boton sin autodefault", cancelar, Qt::Key_Return, Qt::NoModifier, cancelar},
        {"enter del teclado numerico", cancelar, Qt::Key_Enter, Qt::KeypadModifier, cancelar},
        {"boton de herramienta", herramienta, Qt::Key_Return, Qt::NoModifier, herramienta},
        {"el predeterminado", aceptar, Qt::Key_Return, Qt::NoModifier, aceptar},
        {"opcion", opcion, Qt::Key_Return, Qt::NoModifier, nullptr},
        {"campo", campo, Qt::Key_Return, Qt::NoModifier, nullptr},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        pulsados.clear();
        d.show();
        c.foco->setFocus();
        QTest::keyClick(c.foco, c.tecla, c.mod);
        std::map<QAbstractButton*, int> esperados;
        // What the filter leaves alone goes to the dialog, which presses its default button.
        esperados[c.pulsado ? c.pulsado : aceptar] = 1;
        EXPECT_EQ(pulsados, esperados);
    }

    // A button that cannot be pressed takes its Enter all the same: the default is not pressed.
    pulsados.clear();
    d.show();
    apagado->setFocus();
    apagado->setEnabled(false);
    QTest::keyClick(apagado, Qt::Key_Return);
    EXPECT_TRUE(pulsados.empty());
}
