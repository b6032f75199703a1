// The declaration window on a real display, page by page with a filled declaration: every box and
// label of a page lies within the window's width (nothing cut off on the right), and with
// QVR_CAPTURAS set each page is saved there as a PNG to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "varnel/declaration/ui/ventana_prueba.h"

using namespace qvr;

namespace {

const QString& kRuc = prueba::kRucGuardado;

void agregaCasilla(BaseDatos& b, const QString& casilla, const QString& valor) {
    b.ejecuta("DELETE FROM DET WHERE doc_id_d=? AND casilla=?", {kRuc, casilla});
    b.ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, idcasilla, "
              "estado, cNumero) VALUES (6, ?, '2003', '0738', 0, ?, ?, '01', 0, '')",
              {kRuc, casilla, valor});
}

// Every visible line edit, combo and label of the window ends within its width.
void revisaAncho(Frm0738& w, const QString& pagina) {
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (!c->isVisible() || !(qobject_cast<QLineEdit*>(c) || qobject_cast<QLabel*>(c))) continue;
        const QRect r(c->mapTo(&w, QPoint(0, 0)), c->size());
        EXPECT_LE(r.right(), w.width()) << pagina.toStdString() << ": " << c->objectName().toStdString() << " "
                                        << (qobject_cast<QLabel*>(c) ? qobject_cast<QLabel*>(c)->text().toStdString()
                                                                     : std::string());
    }
}

TEST(PaginasDeclaracion, CadaPaginaCabeEnLaVentana) {
    prueba::VentanaDeclaracion entorno;
    BaseDatos& b = entorno.env.base();
    const std::pair<const char*, const char*> casillas[] = {
        {"100", "18000"},  {"501", "19500"},   {"502", "-3900"},  {"503", "15600"},  {"102", "1500"},
        {"105", "2400"},   {"504", "2400"},    {"505", "-240"},   {"506", "2160"},   {"107", "96000"},
        {"507", "-19200"}, {"508", "76800"},   {"108", "5000"},   {"509", "81800"},  {"111", "42000"},
        {"510", "123800"}, {"511", "-21700"},  {"512", "102100"}, {"113", "119860"}, {"115", "-2000"},
        {"513", "117860"}, {"514", "117860"},  {"117", "-5000"},  {"515", "112860"}, {"120", "19429"},
        {"516", "18195"},  {"130", "-3500"},   {"131", "-4200"},  {"142", "10495"},  {"146", "10495"},
        {"180", "10495"},  {"811", "PEREZ"},   {"812", "GOMEZ"},  {"813", "JUAN"},   {"814", "DIAZ"},
        {"815", "LUNA"},   {"890", "MARIA"},   {"236", "07654321"}, {"235", "1"},    {"818", "EMPRESA DEL ORIENTE"},
        {"230", "20456789012"}, {"232", "5000"}, {"231", "3000"}, {"203", "12000"}, {"518", "131860"},
        {"822", "ESTUDIO CONTABLE"}, {"832", " ASOCIADOS SAC"}, {"224", "6"}, {"215", "20123456789"},
        {"220", "96000"},  {"107", "96000"},   {"027", "1"},      {"819", "INMOBILIARIA SOL"}, {"204", "6"},
        {"208", "20111111111"}, {"212", "14400"},
    };
    for (const auto& [c, v] : casillas) agregaCasilla(b, c, v);

    const std::unique_ptr<Frm0738> ventana = entorno.abre(2, kRuc);
    Frm0738& w = *ventana;

    const QString carpeta = qEnvironmentVariable("QVR_CAPTURAS");
    if (!carpeta.isEmpty()) QDir().mkpath(carpeta);
    const auto captura = [&](const QString& nombre) {
        QApplication::processEvents();
        revisaAncho(w, nombre);
        if (!carpeta.isEmpty()) w.grab().save(carpeta + "/" + nombre + ".png");
    };
    w.tabPrincipal()->setCurrentIndex(0);
    captura("pagina0");
    w.tabPrincipal()->setCurrentIndex(1);
    for (int i = 0; i < 4; ++i) {
        w.SSTab2()->setCurrentIndex(i);
        captura(QString("pagina1_%1").arg(i));
    }
    w.tabPrincipal()->setCurrentIndex(2);
    w.hsDeuda()->setValue(1);
    captura("pagina2_1");
    w.hsDeuda()->setValue(2);
    captura("pagina2_2");
    w.tabPrincipal()->setCurrentIndex(3);
    for (int i = 0; i < 4; ++i) {
        w.SSTab3()->setCurrentIndex(i);
        captura(QString("pagina3_%1").arg(i));
    }
}

}  // namespace
