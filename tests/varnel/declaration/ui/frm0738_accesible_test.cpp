// What a screen reader hears in the declaration window: on every page each entry field, list and
// grid has a name of its own (an amount box its label and box number), a computed box says it is
// read-only, buttons keep their captions, every control has a name, the tab strips are named after
// the page they show, and the page kept from the user is kept from the screen reader too.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>

#include "support/accesible.h"
#include "varnel/app/ui/forma_pago.h"
#include "varnel/declaration/ui/ventana_prueba.h"

using namespace qvr;
using namespace qvr::prueba;

namespace {

QString nombre(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

QString descripcion(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Description) : QString();
}

// The fields a person reaches on the page shown: no name is empty, none repeats.
void revisaPagina(Frm0738& w, const std::string& pagina) {
    QApplication::processEvents();
    QSet<QString> vistos;
    int campos = 0;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        const bool campo =
            qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c) || qobject_cast<QAbstractItemView*>(c);
        if (!campo || !c->isVisible() || qobject_cast<QAbstractItemView*>(c->parentWidget())) continue;
        if (c->window() != &w) continue;  // a combo's drop-down
        ++campos;
        const QString n = nombre(c);
        EXPECT_FALSE(n.trimmed().isEmpty()) << pagina << ": " << c->objectName().toStdString();
        EXPECT_FALSE(vistos.contains(n)) << pagina << ": " << n.toStdString();
        vistos.insert(n);
    }
    EXPECT_GT(campos, 0) << pagina;
    // Buttons, options and tab strips too.
    EXPECT_EQ(sinNombre(&w), QStringList()) << pagina;
}

}  // namespace

TEST(Accesible, CadaCampoDeCadaPaginaTieneSuNombre) {
    VentanaDeclaracion v;
    auto w = v.abre(2);
    w->tabPrincipal()->setCurrentIndex(0);
    revisaPagina(*w, "0");
    w->tabPrincipal()->setCurrentIndex(1);
    for (int i = 0; i < w->SSTab2()->count(); ++i) {
        w->SSTab2()->setCurrentIndex(i);
        revisaPagina(*w, "1." + std::to_string(i));
    }
    w->tabPrincipal()->setCurrentIndex(2);
    for (int p : {1, 2}) {
        w->hsDeuda()->setValue(p);
        revisaPagina(*w, "2 frame " + std::to_string(p));
    }
    w->tabPrincipal()->setCurrentIndex(3);
    for (int i = 0; i < w->SSTab3()->count(); ++i) {
        w->SSTab3()->setCurrentIndex(i);
        revisaPagina(*w, "3." + std::to_string(i));
    }
}

TEST(Accesible, LaCasillaDiceSuEtiquetaSuNumeroYSiEsDeSoloLectura) {
    VentanaDeclaracion v;
    auto w = v.abre(1);
    EXPECT_EQ(nombre(w->TxtValor(100)),
              "Renta bruta por arrendamiento o cesión de bienes inmuebles, casilla 100");
    EXPECT_EQ(nombre(w->TxtValor(501)), "Total renta bruta, casilla 501");
    EXPECT_EQ(descripcion(w->TxtValor(501)), "solo lectura");
    EXPECT_EQ(descripcion(w->TxtValor(100)), "");
    // A name of the declarant and of the spouse differ by their box.
    EXPECT_EQ(nombre(w->TxtValor(801)), "Apellido Paterno, casilla 801");
    EXPECT_EQ(nombre(w->TxtValor(814)), "Apellido Paterno, casilla 814");
    // In the rows of a grid frame the row and the column heading name the box.
    EXPECT_EQ(nombre(w->TxtValor(820)), "Alquileres pagados, fila 2: Nombre o razón social, casilla 820");
    EXPECT_EQ(nombre(w->cmbtipdoc(205)), "Alquileres pagados, fila 2: Tipo doc., casilla 205");
    EXPECT_EQ(nombre(w->Cmdgeneral(1)), "Grabar");
    auto* monto = w->formaPago()->findChild<QLineEdit*>("txtMonto");
    ASSERT_NE(monto, nullptr);
    EXPECT_EQ(nombre(monto), "Monto pagado, casilla 598");
    EXPECT_EQ(descripcion(monto), "solo lectura");
    EXPECT_TRUE(monto->isReadOnly());
    // Drawn read-only: the computed boxes' colour, not the white of a box one types into.
    EXPECT_EQ(monto->palette().color(QPalette::Base), w->TxtValor(501)->palette().color(QPalette::Base));
    EXPECT_NE(monto->palette().color(QPalette::Base), w->TxtValor(100)->palette().color(QPalette::Base));
}

TEST(Accesible, CadaTiraSeLlamaComoLaPestanaQueMuestra) {
    VentanaDeclaracion v;
    auto w = v.abre(2);
    for (QTabWidget* t : {w->SSTab2(), w->SSTab3(), w->tabPrincipal()}) {
        for (int i = t->count() - 1; i >= 0; --i) {
            t->setCurrentIndex(i);
            ASSERT_EQ(t->currentIndex(), i);
            const QString pestana = QString(t->tabText(i)).remove('&');
            EXPECT_EQ(nombreAccesible(t->tabBar()), pestana);
            EXPECT_EQ(nombreAccesible(t), pestana.simplified());
            // Naming the bar anew is what tells a screen reader that its name changed.
            EXPECT_EQ(t->tabBar()->accessibleName(), pestana.simplified());
        }
    }
    // A page change made with the strip's signals held back (the identification checks do so).
    w->tabPrincipal()->setCurrentIndex(3);
    w->tabPrincipal()->blockSignals(true);
    w->tabPrincipal()->setCurrentIndex(0);
    w->tabPrincipal()->blockSignals(false);
    EXPECT_EQ(nombreAccesible(w->tabPrincipal()), "Identificación");
    EXPECT_EQ(w->tabPrincipal()->tabBar()->accessibleName(), "Identificación");
}

TEST(Accesible, LaPaginaOcultaNoSeOfreceYLasOpcionesDeLaFormaDePagoSeDescribenBien) {
    VentanaDeclaracion v;
    auto w = v.abre(2);
    // "Información Adicional" is no page of the strip, and nothing of it is exposed.
    EXPECT_EQ(w->tabPrincipal()->count(), 4);
    QStringList expuestos;
    recorreVisibles(QAccessible::queryAccessibleInterface(w.get()),
                    [&](QAccessibleInterface* i) { expuestos << i->text(QAccessible::Name); });
    EXPECT_TRUE(expuestos.contains("Determinación de la Deuda"));
    for (const char* oculto : {"Información Adicional", "Información General", "Inversiones en el Extranjero",
                               "Inversiones en Fideicomisos", "Inversiones en el extranjero"})
        EXPECT_FALSE(expuestos.join('|').contains(QString::fromUtf8(oculto))) << oculto;
    EXPECT_FALSE(w->SSTab5()->isVisible());
    EXPECT_EQ(w->SSTab5()->count(), 3);  // its values still load and save

    w->tabPrincipal()->setCurrentIndex(2);
    w->hsDeuda()->setValue(2);
    for (const char* n : {"optEfectivo", "optCheque"}) {
        auto* b = w->formaPago()->findChild<QRadioButton*>(n);
        ASSERT_TRUE(b) << n;
        EXPECT_EQ(nombreAccesible(b), QString(n) == "optEfectivo" ? "Efectivo" : "Cheque");
        EXPECT_EQ(descripcionAccesible(b), "Forma de Pago") << n;
    }
    // The question options keep their question as description.
    EXPECT_EQ(descripcionAccesible(w->opcion(Pregunta::Rectifica, Opcion::Si)),
              "¿La presente declaración rectifica o sustituye a otra?");
}
