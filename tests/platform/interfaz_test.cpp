// What every program with windows sets up at start-up: Qt's own texts in Spanish, Enter on a
// focused push button, message boxes as wide as their titles, engine errors described in Spanish.
#include "platform/ui/interfaz.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "common/conexion.h"
#include "platform/database.h"
#include "platform/descripciones_jet.h"
#include "platform/ui/dialogos_qt.h"

using namespace qvr;

namespace {

QStringList textosDeBotones(QWidget& w) {
    QStringList t;
    for (QPushButton* b : w.findChildren<QPushButton*>()) t << b->text().remove('&');
    return t;
}

}  // namespace

TEST(Interfaz, LosTextosDeQtEnCastellano) {
    ASSERT_TRUE(preparaInterfaz(*QCoreApplication::instance()));
    QDialogButtonBox caja(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Close);
    EXPECT_EQ(caja.button(QDialogButtonBox::Cancel)->text().remove('&'), "Cancelar");
    EXPECT_EQ(caja.button(QDialogButtonBox::Close)->text().remove('&'), "Cerrar");

    QPrintDialog impresion;
    const QStringList botones = textosDeBotones(impresion);
    EXPECT_TRUE(botones.contains("Imprimir")) << botones.join(", ").toStdString();
    EXPECT_FALSE(botones.contains("Print"));
    EXPECT_FALSE(botones.contains("Cancel"));
}

TEST(Interfaz, EnterPulsaElBotonQueTieneElFoco) {
    instalaEnterEnBotones(*QCoreApplication::instance());
    QWidget w;
    auto* l = new QVBoxLayout(&w);
    auto* campo = new QLineEdit(&w);
    auto* boton = new QPushButton("&Aceptar", &w);
    boton->setAutoDefault(false);
    l->addWidget(campo);
    l->addWidget(boton);
    int pulsado = 0;
    QObject::connect(boton, &QPushButton::clicked, [&] { ++pulsado; });
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_Return);
    EXPECT_EQ(pulsado, 0);  // Enter in an entry field is the field's
    boton->setFocus();
    QTest::keyClick(boton, Qt::Key_Return);
    QTest::keyClick(boton, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(pulsado, 2);
    boton->setEnabled(false);
    QTest::keyClick(boton, Qt::Key_Return);
    EXPECT_EQ(pulsado, 2);
}

TEST(Interfaz, ElMensajeEsTanAnchoComoSuTitulo) {
    const QString titulo = "Formulario 0738 - Renta Anual 2003: Confirma la eliminación de la declaración";
    int ancho = 0;
    QTimer::singleShot(0, [&] {
        auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(m, nullptr);
        ancho = m->width();
        m->done(QMessageBox::Ok);
    });
    DialogosQt().muestra("Listo.", titulo, Icono::Informacion, Botones::Ok);
    EXPECT_GE(ancho, anchoParaTitulo(titulo));
    EXPECT_GT(anchoParaTitulo(titulo), QFontMetrics(QApplication::font()).horizontalAdvance(titulo));
}

// Every button of every kind of question has an Alt letter of its own, and the letter answers it:
// "Se eliminarán todos los registros..." is answered with Alt+C as well as with the mouse.
TEST(Interfaz, LosBotonesDeLosMensajesTienenSuLetraAlt) {
    const struct {
        Botones botones;
        Qt::Key letra;
        Respuesta esperada;
    } casos[] = {
        {Botones::Ok, Qt::Key_A, Respuesta::Ok},
        {Botones::OkCancelar, Qt::Key_C, Respuesta::Cancelar},
        {Botones::OkCancelar, Qt::Key_A, Respuesta::Ok},
        {Botones::SiNo, Qt::Key_N, Respuesta::No},
        {Botones::SiNoCancelar, Qt::Key_S, Respuesta::Si},
        {Botones::ReintentarCancelar, Qt::Key_R, Respuesta::Reintentar},
    };
    for (const auto& c : casos) {
        QStringList letras, textos;
        QTimer::singleShot(0, [&] {
            auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(m, nullptr);
            for (QAbstractButton* b : m->buttons()) {
                textos << b->text();
                letras << QKeySequence::mnemonic(b->text()).toString();
            }
            m->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(m));
            QTest::keyClick(m, c.letra, Qt::AltModifier);
            // The letter presses its button as a click does (animated: it is released a moment later).
            (void)QTest::qWaitFor([m] { return !m->isVisible(); }, 2000);
            if (m->isVisible()) m->reject();
        });
        const Respuesta r =
            DialogosQt().muestra("Se eliminarán todos los registros de la declaración ", "Eliminar",
                                 Icono::Exclamacion, c.botones, Respuesta::Cancelar);
        const std::string cuales = textos.join(", ").toStdString();
        EXPECT_FALSE(letras.contains(QString())) << cuales;
        EXPECT_EQ(QSet<QString>(letras.begin(), letras.end()).size(), letras.size()) << cuales;
        EXPECT_EQ(r, c.esperada) << cuales;
    }
}

TEST(DescripcionesJet, UnErrorDelMotorSeDescribeEnCastellano) {
    EXPECT_EQ(descripcionJet(3260), "No se pudo actualizar; el registro está bloqueado por otro usuario.");
    for (int n : {3000, 3010, 3022, 3024, 3027, 3028, 3043, 3051, 3061, 3075, 3078, 3167, 3186, 3197, 3283,
                  3314, 3343})
        EXPECT_FALSE(descripcionJet(n).contains("Error de la base de datos número")) << n;
    EXPECT_EQ(descripcionJet(9999), "Error de la base de datos número 9999.");
    // The library's text follows on its own line, for support; the same text is not repeated.
    EXPECT_EQ(textoErrorBD(3260, "database is locked"), descripcionJet(3260) + "\ndatabase is locked");
    EXPECT_EQ(textoErrorBD(3260, ""), descripcionJet(3260));
    EXPECT_EQ(textoErrorBD(ErrorBD(3078, descripcionJet(3078))), descripcionJet(3078));
    // The messages that reach a person start in Spanish.
    EXPECT_TRUE(
        mensajeErrorRegistro(3078, "no such table: X").startsWith("Error tecnico:  3078\nNo se encuentra"));
    EXPECT_TRUE(mensajeConexion(ErrorBD(3343, "file is not a database"), "- Base esta bloqueda")
                    .startsWith("Formato de base de datos no reconocido.\nfile is not a database\n"));
}

TEST(DescripcionesJet, UnaBaseBloqueadaDeVerdad) {
    // Two connections, one holding a write: the second's error is 3260 and reads in Spanish.
    QTemporaryDir dir;
    const QString ruta = dir.filePath("b.db");
    QFile(ruta).open(QIODevice::WriteOnly);
    BaseDatos::Opciones o;
    o.esperaMs = 50;
    auto a = BaseDatos::abre(ruta, o);
    a->ejecuta("CREATE TABLE T (x INTEGER)");
    auto b = BaseDatos::abre(ruta, o);
    TransaccionEscritura t(*a);
    a->ejecuta("INSERT INTO T VALUES (1)");
    try {
        b->ejecuta("INSERT INTO T VALUES (2)");
        ADD_FAILURE() << "no lock";
    } catch (const ErrorBD& e) {
        EXPECT_EQ(e.numero(), 3260);
        const QString t = textoErrorBD(e);
        EXPECT_TRUE(t.startsWith(descripcionJet(3260))) << t.toStdString();
        EXPECT_FALSE(t.section('\n', 0, 0).contains("locked"));
    }
}
