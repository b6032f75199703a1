// The annex windows and the dividends panel driven as a person does: keys, Enter, buttons.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "common/schema.h"
#include "common/valores_comunes.h"
#include "support/accesible.h"
#include "support/entorno.h"
#include "support/foco_prueba.h"
#include "varnel/annexes/ui/frm_exoneradas.h"
#include "varnel/annexes/ui/frm_retenciones.h"
#include "varnel/annexes/ui/panel_anexo.h"
#include "varnel/computation/recalculo.h"

using namespace qvr;

namespace {

const QString kRucA = "20100047218";
const QString kPregunta = "La información ha sido modificada. ¿Desea guardar los cambios?";

// Screenshots for a person to look at, when QVR_CAPTURAS names a folder.
void captura(QWidget& w, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("QVR_CAPTURAS");
    if (carpeta.isEmpty()) return;
    QDir().mkpath(carpeta);
    w.grab().save(carpeta + "/" + nombre + ".png");
}

class VentanasAnexo : public ::testing::Test {
  protected:
    VentanasAnexo() : d(valores, tasas()), listas(env.base(), d) {
        conectaCalculo(d);
        d.portapapeles = &portapapeles;
        d.preparaNueva();
    }
    // One trust investment of 7,000 in the working table, loaded into the lists.
    void conUnFideicomiso() {
        env.base().ejecuta(
            "INSERT INTO TMP_F0738FIDEI (tip_doc_fde, num_doc_fde, tip_empre_fdu, des_empre_fdu, "
            "tip_doc_ben, num_doc_ben, tip_patri_fdei, mto_saldo) VALUES (1, '07654321', '01', "
            "'FIDU', 6, '20100047218', '03', '7000')");
        listas.cargaTodas();
    }
    static Tasas tasas() {
        Tasas t;
        t.TasaRetencionDividendos = 0.041;
        return t;
    }
    void SetUp() override {
        creaTablasAnexo(env.base());
        env.agregaParam("044", "6", kFuncionRucIncorporada);
    }
    int filas() { return env.base().escalar("SELECT count(*) FROM TMP_F0738DIVID").toInt(); }
    static void muestra(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    std::unique_ptr<FrmRetenciones> retenciones(const QString& modo = "NUEVO", int fila = -1) {
        listas.ModoAnexo = modo;
        auto w = std::make_unique<FrmRetenciones>(listas, fila, [] { return QDate(2004, 3, 1); });
        muestra(*w);
        return w;
    }
    // Types a row field by field, moving on with Enter.
    void tecleaFila(FrmRetenciones& w, const QString& ruc, const QString& nombre, const QString& fecha,
                    const QString& monto) {
        EXPECT_EQ(QApplication::focusWidget(), w.TxtNumRUC());
        QTest::keyClicks(QApplication::focusWidget(), ruc);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w.TxtEntidad());
        QTest::keyClicks(QApplication::focusWidget(), nombre);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w.MskFec_Retencion());
        QTest::keyClicks(QApplication::focusWidget(), fecha);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w.TxtMontoDistribuido());
        QTest::keyClicks(QApplication::focusWidget(), monto);
    }

    prueba::Entorno env;
    ValoresEjecucion valores;
    Declaracion d;
    PortapapelesContador portapapeles;
    ListasAnexo listas;
};

}  // namespace

TEST_F(VentanasAnexo, RetencionesTecleaUnaFilaYSigueAbierta) {
    auto w = retenciones();
    EXPECT_EQ(w->windowTitle(), "Dividendos Percibidos");
    EXPECT_FALSE(w->TxtMontoRetenido()->isEnabled());
    EXPECT_EQ(w->MskFec_Retencion()->displayText(), "__/__/____");
    tecleaFila(*w, "20a100047218", "acme s.a.", "15032003", "10000");
    EXPECT_EQ(w->TxtNumRUC()->text(), kRucA);
    EXPECT_EQ(w->TxtEntidad()->text(), "ACME S.A.");
    EXPECT_EQ(w->TxtMontoRetenido()->text(), "410");
    // Leaving the dividend formats it.
    QTest::keyClick(w->TxtMontoDistribuido(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->CmdRetenciones(0));
    EXPECT_EQ(w->TxtMontoDistribuido()->text(), "10,000");
    // Paste keys empty the clipboard instead.
    QTest::keyClick(w->TxtEntidad(), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(w->TxtNumRUC(), Qt::RightButton);
    EXPECT_EQ(portapapeles.vaciados, 2);

    QTest::mouseClick(w->CmdRetenciones(0), Qt::LeftButton);
    EXPECT_EQ(env.dialogos().textos(), QStringList{"La información fue grabada satisfactoriamente. "});
    EXPECT_EQ(filas(), 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->TxtNumRUC()->text(), "");
    EXPECT_EQ(w->MskFec_Retencion()->displayText(), "__/__/____");
    EXPECT_EQ(QApplication::focusWidget(), w->TxtNumRUC());
    const auto r = env.base().consulta("SELECT * FROM TMP_F0738DIVID");
    EXPECT_EQ(r.texto(0, "fec_retenida"), "2003-03-15");
    EXPECT_EQ(r.texto(0, "mto_retenido"), "410");

    // A bad date: Enter shows the message and keeps the focus there.
    env.dialogos().mostrados.clear();
    w->MskFec_Retencion()->setFocus();
    QTest::keyClick(w->MskFec_Retencion(), Qt::Key_Home);
    QTest::keyClicks(w->MskFec_Retencion(), "01012004");
    QTest::keyClick(w->MskFec_Retencion(), Qt::Key_Return);
    EXPECT_EQ(env.dialogos().textos(), QStringList{"La Fecha de Pago del Dividendo no es válida"});
    EXPECT_EQ(QApplication::focusWidget(), w->MskFec_Retencion());
}

TEST_F(VentanasAnexo, RetencionesPreguntaAlCerrar) {
    struct Caso {
        Respuesta respuesta;
        QString ruc;  // a RUC that fails the checks keeps the window open after Yes
        bool cerrada;
        int filas;
    } casos[] = {
        {Respuesta::Cancelar, kRucA, false, 0},
        {Respuesta::No, kRucA, true, 0},
        {Respuesta::Si, "10401234567", false, 0},
        {Respuesta::Si, kRucA, true, 1},
    };
    for (const Caso& c : casos) {
        env.base().ejecuta("DELETE FROM TMP_F0738DIVID");
        env.dialogos().mostrados.clear();
        auto w = retenciones();
        tecleaFila(*w, c.ruc, "ACME", "15032003", "10000");
        env.dialogos().responde(c.respuesta);
        QTest::mouseClick(w->CmdRetenciones(1), Qt::LeftButton);
        ASSERT_FALSE(env.dialogos().mostrados.empty());
        EXPECT_EQ(env.dialogos().mostrados[0].texto, kPregunta);
        EXPECT_EQ(w->isVisible(), !c.cerrada) << int(c.respuesta);
        EXPECT_EQ(filas(), c.filas) << int(c.respuesta);
        if (!c.cerrada) {
            EXPECT_EQ(w->TxtNumRUC()->text(), c.ruc);
        }
    }
}

TEST_F(VentanasAnexo, RetencionesModificaBloqueaLaClave) {
    env.base().ejecuta("INSERT INTO TMP_F0738DIVID VALUES (?, 'ACME', '2003-03-15', '10000', '410')",
                       {kRucA});
    listas.Get_Dividendos();
    auto w = retenciones("MODIFICA", 0);
    EXPECT_FALSE(w->TxtNumRUC()->isEnabled());
    EXPECT_FALSE(w->MskFec_Retencion()->isEnabled());
    EXPECT_EQ(w->MskFec_Retencion()->displayText(), "15/03/2003");
    EXPECT_EQ(QApplication::focusWidget(), w->TxtEntidad());
    captura(*w, "frm_retenciones_modifica");
    w->TxtMontoDistribuido()->setFocus();
    EXPECT_EQ(w->TxtMontoDistribuido()->text(), "10000");
    QTest::keyClick(w->TxtMontoDistribuido(), Qt::Key_End);
    QTest::keyClick(w->TxtMontoDistribuido(), Qt::Key_Backspace);
    QTest::keyClicks(w->TxtMontoDistribuido(), "12345");
    EXPECT_EQ(w->TxtMontoRetenido()->text(), "4,100,506");  // 100,012,345 x 0.041 = 4,100,506.145
    QTest::mouseClick(w->CmdRetenciones(0), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(env.base().escalar("SELECT mto_distribuido FROM TMP_F0738DIVID").toString(), "100012345");
}

TEST_F(VentanasAnexo, ExoneradasSumaYAceptar) {
    FrmExoneradas w(d);
    muestra(w);
    EXPECT_EQ(w.windowTitle(), "Casilla 200 - Rentas exoneradas");
    EXPECT_EQ(w.TxtTotal()->text(), "0");
    EXPECT_FALSE(w.TxtTotal()->isEnabled());
    // Item d) stands three times as high as the others.
    EXPECT_EQ(w.TxtMonto(3)->height(), 3 * w.TxtMonto(0)->height());
    EXPECT_GT(w.etiqueta(3)->sizeHint().height(), 2 * w.etiqueta(1)->sizeHint().height());
    EXPECT_TRUE(w.etiqueta(0)->text().startsWith(
        "a) Las remuneraciones que perciban, por el ejercicio de su cargo "
        "en el país, los funcionarios y empleados considerados\ncomo tales"));

    w.TxtMonto(0)->setFocus();
    QTest::keyClicks(w.TxtMonto(0), "15x00");
    EXPECT_EQ(w.TxtTotal()->text(), "1,500");
    QTest::keyClick(w.TxtMonto(0), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.TxtMonto(1));
    EXPECT_EQ(w.TxtMonto(0)->text(), "1,500");
    // Back into the field: plain digits, not selected, so a key adds to them.
    QTest::keyClick(w.TxtMonto(1), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.TxtMonto(0)->text(), "1500");
    EXPECT_FALSE(w.TxtMonto(0)->hasSelectedText());
    QTest::keyClick(w.TxtMonto(0), Qt::Key_Backspace);
    QTest::keyClick(w.TxtMonto(0), '0');
    EXPECT_EQ(w.TxtMonto(0)->text(), "1500");
    w.TxtMonto(4)->setFocus();
    QTest::keyClicks(w.TxtMonto(4), "2500");
    EXPECT_EQ(w.TxtTotal()->text(), "4,000");
    captura(w, "frm_exoneradas");
    QTest::mouseClick(w.CmdGrabar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(d.texto(535), "1,500");
    EXPECT_EQ(d.texto(539), "2,500");
    EXPECT_EQ(d.texto(200), "4,000");
}

TEST_F(VentanasAnexo, InafectasCancelarNoCambiaNada) {
    d.fijaTexto(530, "700");
    d.Modificado = false;
    const QString antes200 = d.texto(201);
    FrmInafectas w(d);
    muestra(w);
    EXPECT_EQ(w.windowTitle(), "Casilla 201 - Rentas Inafectas");
    EXPECT_EQ(w.etiqueta(1)->text(),
              "b) Las indemnizaciones que se reciban por causa de muerte o incapacidad "
              "producidas por acidentes o enfermedades");
    EXPECT_EQ(w.TxtTotal()->text(), "700");
    w.TxtMonto(5)->setFocus();
    QTest::keyClicks(w.TxtMonto(5), "9000");
    EXPECT_EQ(w.TxtTotal()->text(), "9,700");
    captura(w, "frm_inafectas");
    QTest::mouseClick(w.cmdCancelar(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(d.texto(540), "");
    EXPECT_EQ(d.texto(201), antes200);
    EXPECT_FALSE(d.Modificado);
}

TEST_F(VentanasAnexo, PanelDeDividendos) {
    BaseDatos& b = env.base();
    b.ejecuta("INSERT INTO TMP_F0738DIVID VALUES (?, 'ACME SA', '2003-03-15', '10000', '410')", {kRucA});
    b.ejecuta("INSERT INTO TMP_F0738DIVID VALUES ('20131312955', 'BETA SAC', '2003-07-01', '12345', '506')");
    listas.cargaTodas();
    PanelAnexo p(listas, ListaAnexo::Dividendos);
    p.hoy = [] { return QDate(2004, 3, 1); };
    p.resize(640, 300);
    muestra(p);
    EXPECT_EQ(p.grilla()->objectName(), "Grid_Dividendos");
    EXPECT_EQ(p.grilla()->rowCount(), 2);
    EXPECT_EQ(p.grilla()->item(1, 2)->text(), "01/07/2003");
    EXPECT_EQ(p.grilla()->item(1, 3)->text(), "12,345");
    EXPECT_EQ(p.cantidad()->text(), "Cantidad de Retenciones: 2");
    EXPECT_EQ(p.total(0)->text(), "22,345");
    EXPECT_EQ(p.total(1)->text(), "916");
    captura(p, "panel_dividendos");

    // "&Modificar" on the second row opens the edit window on it; a changed dividend is kept.
    p.grilla()->setCurrentCell(1, 0);
    QTimer::singleShot(0, [] {
        auto* w = qobject_cast<FrmRetenciones*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->TxtNumRUC()->text(), "20131312955");
        w->TxtMontoDistribuido()->setText("20000");
        w->CmdRetenciones(0)->click();
    });
    p.comando(1)->click();
    EXPECT_EQ(listas.ModoAnexo, "MODIFICA");
    EXPECT_TRUE(d.Modificado);
    EXPECT_EQ(p.grilla()->currentRow(), 1);
    EXPECT_EQ(p.total(1)->text(), "1,230");

    // "&Eliminar" down to the empty list: the labels go empty; then the empty-list message.
    for (int i = 0; i < 2; ++i) {
        env.dialogos().responde(Respuesta::Si);
        p.comando(2)->click();
    }
    EXPECT_EQ(p.grilla()->rowCount(), 0);
    EXPECT_EQ(p.cantidad()->text(), "");
    EXPECT_EQ(p.total(0)->text(), "");
    env.dialogos().mostrados.clear();
    p.comando(2)->click();
    EXPECT_EQ(env.dialogos().textos(), QStringList{"No existen registros para eliminar"});
    EXPECT_EQ(p.focusWidget(), p.comando(0));
}

TEST_F(VentanasAnexo, PanelDeInversionesConSuPregunta) {
    conUnFideicomiso();
    PanelAnexo p(listas, ListaAnexo::Fideicomiso);
    EXPECT_EQ(p.grilla()->objectName(), "Grid_Fideicomisos");
    EXPECT_EQ(p.cantidad()->text(), "Cantidad de registros: 1");
    EXPECT_EQ(p.total(0)->text(), "7,000");
    EXPECT_FALSE(p.grilla()->isEnabled());  // the new declaration's answer is No
    p.opcion(1)->click();
    EXPECT_TRUE(p.grilla()->isEnabled());
    EXPECT_FALSE(p.comando(0)->isEnabled());  // no edit window given
    EXPECT_TRUE(p.comando(2)->isEnabled());
    // No with rows asks; No to the question selects "Si" again.
    env.dialogos().responde(Respuesta::No);
    p.opcion(0)->click();
    EXPECT_TRUE(p.opcion(1)->isChecked());
    EXPECT_EQ(p.grilla()->rowCount(), 1);
    env.dialogos().responde(Respuesta::Si);
    p.opcion(0)->click();
    EXPECT_TRUE(p.opcion(0)->isChecked());
    EXPECT_EQ(p.grilla()->rowCount(), 0);
    EXPECT_FALSE(p.comando(2)->isEnabled());
}

// The dividend window shows a company name of forty characters whole and names every control; an
// annex grid reaches a screen reader without its hidden code columns.
TEST_F(VentanasAnexo, NombresEnterosYLoQueOyeUnLectorDePantalla) {
    for (bool exoneradas : {true, false}) {
        std::unique_ptr<QDialog> w;
        if (exoneradas)
            w = std::make_unique<FrmExoneradas>(d);
        else
            w = std::make_unique<FrmInafectas>(d);
        muestra(*w);
        EXPECT_EQ(prueba::sinNombre(w.get()), QStringList()) << exoneradas;
    }
    {
        auto w = retenciones();
        EXPECT_EQ(prueba::sinNombre(w.get()), QStringList());
        for (const QString& nombre : {QString("MINERA WOLFRAMIO Y MOLIBDENO DEL NORTE S"),
                                      QString("EMPRESA DE TRANSPORTES MULTIMODAL WWW SA")}) {
            ASSERT_EQ(nombre.size(), 40);
            w->TxtEntidad()->setText(nombre);
            EXPECT_EQ(w->TxtEntidad()->text(), nombre);
            EXPECT_LT(w->TxtEntidad()->fontMetrics().horizontalAdvance(nombre), w->TxtEntidad()->width() - 10)
                << nombre.toStdString();
        }
    }

    conUnFideicomiso();
    PanelAnexo p(listas, ListaAnexo::Fideicomiso);
    p.resize(900, 300);
    muestra(p);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(p.grilla());
    ASSERT_TRUE(i && i->tableInterface());
    QAccessibleTableInterface* t = i->tableInterface();
    QStringList titulos;
    for (int c = 0; c < t->columnCount(); ++c) titulos << t->columnDescription(c);
    EXPECT_EQ(titulos, QStringList({"Tipo de Empresa", "Empresa Fiduciaria", "Documento", "Número",
                                    "Beneficiario", "Patrimonio", "Saldo al 31/12/2003"}));
    EXPECT_EQ(t->rowCount(), 1);
    ASSERT_TRUE(t->cellAt(0, 6));
    EXPECT_EQ(t->cellAt(0, 6)->text(QAccessible::Name), "7,000");
    EXPECT_EQ(t->cellAt(0, 7), nullptr);
    // The children are the headings and the cells of the shown columns, and nothing else.
    EXPECT_EQ(i->childCount(), 2 * 7);
    QStringList expuestos;
    prueba::recorreVisibles(i, [&](QAccessibleInterface* x) { expuestos << x->text(QAccessible::Name); });
    for (const char* oculta : {"des_nombre_ben", "tip_doc_fde", "tip_empre_fdu"})
        EXPECT_FALSE(expuestos.contains(oculta)) << oculta;
    for (int k = 0; k < i->childCount(); ++k) {
        QAccessibleInterface* c = i->child(k);
        ASSERT_TRUE(c) << k;
        EXPECT_EQ(i->indexOfChild(c), k);
        EXPECT_EQ(c->parent(), i);
    }
    EXPECT_EQ(i->child(7)->tableCellInterface()->columnIndex(), 0);
    EXPECT_EQ(i->child(7)->tableCellInterface()->rowIndex(), 0);
    EXPECT_EQ(i->child(7)->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
              "Tipo de Empresa");
}

// The dividends grid lets Tab, Shift+Tab and Ctrl+Tab (with and without Shift) go to the controls
// around it instead of walking its cells; Enter on a row is "&Modificar" on that row.
TEST_F(VentanasAnexo, LaGrillaDeDividendosSueltaElTabYEnterModificaLaFila) {
    BaseDatos& b = env.base();
    b.ejecuta("INSERT INTO TMP_F0738DIVID VALUES (?, 'ACME SA', '2003-03-15', '10000', '410')", {kRucA});
    b.ejecuta("INSERT INTO TMP_F0738DIVID VALUES ('20131312955', 'BETA SAC', '2003-07-01', '12345', '506')");
    listas.cargaTodas();
    QWidget ventana;
    auto* v = new QVBoxLayout(&ventana);
    auto* antes = new QLineEdit(&ventana);
    antes->setAccessibleName("antes");
    auto* p = new PanelAnexo(listas, ListaAnexo::Dividendos, &ventana);
    p->hoy = [] { return QDate(2004, 3, 1); };
    p->grilla()->setAccessibleName("Dividendos percibidos");  // as the declaration window names it
    v->addWidget(antes);
    v->addWidget(p);
    ventana.resize(640, 360);
    muestra(ventana);
    QTableWidget* g = p->grilla();
    EXPECT_TRUE(prueba::paradasDudosas(&ventana).isEmpty())
        << prueba::paradasDudosas(&ventana).join("\n").toStdString();
    EXPECT_TRUE(prueba::letrasRepetidas(&ventana).isEmpty());

    const struct {
        Qt::Key tecla;
        Qt::KeyboardModifiers mod;
        QWidget* destino;
    } salidas[] = {
        {Qt::Key_Tab, Qt::NoModifier, p->comando(0)},
        {Qt::Key_Backtab, Qt::ShiftModifier, antes},
        {Qt::Key_Tab, Qt::ControlModifier, p->comando(0)},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, antes},
    };
    for (const auto& s : salidas) {
        g->setCurrentCell(0, 0);
        g->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), g);
        QTest::keyClick(g, s.tecla, s.mod);
        EXPECT_EQ(QApplication::focusWidget(), s.destino) << int(s.mod);
        EXPECT_EQ(g->currentColumn(), 0) << "the cells are not walked";
    }

    g->setCurrentCell(1, 0);
    g->setFocus(Qt::OtherFocusReason);
    QString ruc;
    bool claveBloqueada = false;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<FrmRetenciones*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        ruc = w->TxtNumRUC()->text();
        claveBloqueada = !w->TxtNumRUC()->isEnabled();
        w->CmdRetenciones(1)->click();
    });
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(listas.ModoAnexo, "MODIFICA");
    EXPECT_EQ(ruc, "20131312955");
    EXPECT_TRUE(claveBloqueada);
}

// The edit windows of the annexes: every stop named, every Alt letter once.
TEST_F(VentanasAnexo, LasVentanasDeAnexoSinParadasDudosasNiLetrasRepetidas) {
    std::vector<std::unique_ptr<QDialog>> ventanas;
    listas.ModoAnexo = "NUEVO";
    ventanas.push_back(std::make_unique<FrmRetenciones>(listas, -1, [] { return QDate(2004, 3, 1); }));
    ventanas.push_back(std::make_unique<FrmExoneradas>(d));
    ventanas.push_back(std::make_unique<FrmInafectas>(d));
    for (auto& w : ventanas) {
        muestra(*w);
        const std::string cual = w->objectName().toStdString();
        EXPECT_TRUE(prueba::paradasDudosas(w.get()).isEmpty())
            << cual << ":\n"
            << prueba::paradasDudosas(w.get()).join("\n").toStdString();
        EXPECT_TRUE(prueba::letrasRepetidas(w.get()).isEmpty())
            << cual << ":\n"
            << prueba::letrasRepetidas(w.get()).join("\n").toStdString();
        w->hide();
    }
}
