#include "varnel/common/ui/lista_combo.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "common/catalogos.h"
#include "lotmira/instalador.h"
#include "support/entorno.h"
#include "support/lotmira_instalacion.h"

using namespace qvr;

TEST(ListaCombo, LosFillersEscribenEnElComboYElAnchoSigueLaFuente) {
    prueba::Entorno env;
    ASSERT_EQ(prueba::instalaConLotmira(env), InstalacionCompleta);
    QWidget ventana;
    QFont f = ventana.font();
    f.setPointSize(11);
    ventana.setFont(f);
    auto* combo = new QComboBox(&ventana);
    ListaCombo lista(combo);
    combo->addItem("previo");
    LlenaTiposDocumento(lista, env.base(), FuncionDocumento::kContextoFormulario, true);
    ListaTextos textos;
    LlenaTiposDocumento(textos, env.base(), FuncionDocumento::kContextoFormulario, true);
    ASSERT_EQ(lista.count(), textos.count());
    for (int i = 0; i < textos.count(); ++i) EXPECT_EQ(lista.text(i), textos.text(i));

    const int promedio =
        QFontMetrics(f).horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    ASSERT_GT(promedio, 0);
    EXPECT_EQ(anchoPromedioCaracter(&ventana), promedio);
    EXPECT_EQ(AnchoLista(&ventana, combo), promedio * (75 - 2));  // the blank item is the longest
    EXPECT_EQ(combo->view()->minimumWidth(), promedio * 73);
    EXPECT_EQ(AnchoListaFijo(&ventana, combo, 40), promedio * 38);
    EXPECT_EQ(combo->view()->minimumWidth(), promedio * 38);
}

TEST(PasaSiguiente, TabMueveElFoco) {
    QWidget ventana;
    auto* capa = new QVBoxLayout(&ventana);
    auto* a = new QLineEdit;
    auto* b = new QLineEdit;
    capa->addWidget(a);
    capa->addWidget(b);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    a->setFocus();
    ASSERT_TRUE(a->hasFocus());
    PasaSiguiente("ENTER");
    EXPECT_TRUE(a->hasFocus());
    PasaSiguiente("TAB");
    EXPECT_TRUE(b->hasFocus());
}
