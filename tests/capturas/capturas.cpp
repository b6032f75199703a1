// Screenshots of every window of the suite, to be looked at: run under a virtual display by
// scripts/capturas (at 100 % and, with QT_SCALE_FACTOR=1.5, at 150 %). Each window is built over a
// demonstration environment (orvelane --setup and Lotmira, in a temporary folder), shown, filled
// with a realistic declaration and saved as PNG into the folder given as argument. For each picture
// it also prints the widgets whose text does not fit them (a label, button or tab caption cut).
// With --oscuro the windows are drawn in the Fusion style under a dark palette.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "host/entorno_demo.h"
#include "host/ventana_orvelane.h"
#include "host/ventana_spool.h"
#include "lotmira/instalador.h"
#include "platform/paths.h"
#include "platform/ui/dialogos_qt.h"
#include "platform/ui/interfaz.h"
#include "support/paleta_oscura.h"
#include "varnel/annexes/ui/frm_exoneradas.h"
#include "varnel/annexes/ui/frm_retenciones.h"
#include "varnel/annexes/ui/panel_anexo.h"
#include "varnel/app/aplicacion.h"
#include "varnel/app/ui/acerca_de.h"
#include "varnel/app/ui/frm_principal.h"
#include "varnel/common/ui/medidas.h"
#include "varnel/computation/ui/frm_consist.h"
#include "varnel/declaration/lote.h"
#include "varnel/declaration/ui/frm0738.h"
#include "varnel/lists/ui/frmabrirenv.h"
#include "varnel/lists/ui/frmbancos.h"
#include "varnel/lists/ui/frmmodfor.h"
#include "varnel/reports/ui/frmPreview.h"
#include "varnel/reports/ui/frm_imp_x_pag.h"
#include "varnel/reports/ui/frm_imprimir.h"
#include "varnel/ventanas.h"

using namespace qvr;

namespace {

QString carpeta;
int cortados = 0;

void corte(const QString& nombre, const QString& que) {
    std::printf("  %s: %s\n", qPrintable(nombre), qPrintable(que));
    ++cortados;
}

QString nombreDe(QWidget* w) {
    return w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
}

// The text an item of a list stands for: what a screen reader reads of it when the window says,
// else the item's text without its trailing blanks.
QString textoItem(const QAbstractItemModel* m, const QModelIndex& i) {
    const QVariant a = m->data(i, Qt::AccessibleTextRole);
    return (a.isValid() ? a.toString() : m->data(i, Qt::DisplayRole).toString()).trimmed();
}

// Every entry of a combo against its closed field and its drop-down. A field with a tooltip may
// elide (its width is the design's); so may a drop-down entry with one.
void revisaCombo(QComboBox* c, const QString& nombre) {
    QStyleOptionComboBox o;
    o.initFrom(c);
    o.editable = c->isEditable();
    const int campo =
        c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c).width();
    QAbstractItemView* v = c->view();
    const int barra = c->count() > c->maxVisibleItems() ? v->verticalScrollBar()->sizeHint().width() : 0;
    const int lista = qMax(c->width(), v->minimumWidth()) - 2 * v->frameWidth() - barra - 8;
    const QFontMetrics fm = c->fontMetrics();
    QString peorCampo, peorLista;
    int anchoCampo = 0, anchoLista = 0;
    for (int i = 0; i < c->count(); ++i) {
        const QModelIndex ix = c->model()->index(i, c->modelColumn());
        const QString t = textoItem(c->model(), ix);
        const int a = fm.horizontalAdvance(t);
        if (a > campo && c->toolTip().isEmpty() && a > anchoCampo) anchoCampo = a, peorCampo = t;
        if (a > lista && !c->model()->data(ix, Qt::ToolTipRole).isValid() && a > anchoLista)
            anchoLista = a, peorLista = t;
    }
    if (!peorCampo.isEmpty())
        corte(
            nombre,
            QString("cut combo %1 \"%2\" (%3 > %4)").arg(nombreDe(c), peorCampo).arg(anchoCampo).arg(campo));
    if (!peorLista.isEmpty())
        corte(nombre, QString("cut drop-down of %1 \"%2\" (%3 > %4)")
                          .arg(nombreDe(c), peorLista)
                          .arg(anchoLista)
                          .arg(lista));
}

// The widest amount of `n` characters as the boxes show it: digits in groups of three, negative
// amounts in parentheses ("(999,999,999,999)" for 17).
QString montoTipico(int n) {
    if (n < 5) return QString(n, '9');
    QString t;
    for (int k = 0; t.size() < n - 2; ++k) t.prepend(k > 0 && k % 3 == 0 && t.size() < n - 3 ? "9," : "9");
    return "(" + t.left(n - 2) + ")";
}

// What a field must show whole: its text, and as much typical text as it takes (capitals, or
// digits in a right-aligned amount).
void revisaCampo(QLineEdit* e, const QString& nombre) {
    const QFontMetrics fm = e->fontMetrics();
    const int sitio = sitioTexto(e);
    QString muestra = e->displayText();
    if (e->inputMask().isEmpty() && e->maxLength() < 1000 && !e->isReadOnly()) {
        const bool cifras = e->alignment() & Qt::AlignRight;
        const QString tipica = cifras ? montoTipico(e->maxLength()) : tipicoMayusculas(e->maxLength());
        if (fm.horizontalAdvance(tipica) > fm.horizontalAdvance(muestra)) muestra = tipica;
    }
    const int a = fm.horizontalAdvance(muestra);
    if (a > sitio && e->toolTip().isEmpty())
        corte(nombre, QString("cut field %1 \"%2\" (%3 > %4)").arg(nombreDe(e), muestra).arg(a).arg(sitio));
}

// Each shown column of a grid against its longest shown cell and its heading.
void revisaGrilla(QTableView* t, const QString& nombre) {
    if (!t->model()) return;
    for (int c = 0; c < t->model()->columnCount(); ++c) {
        if (t->isColumnHidden(c)) continue;
        const int ancho = t->columnWidth(c);
        const int celda = static_cast<QAbstractItemView*>(t)->sizeHintForColumn(c);
        const int cabeza = t->horizontalHeader()->isVisible() ? t->horizontalHeader()->sectionSizeHint(c) : 0;
        const QString titulo = t->model()->headerData(c, Qt::Horizontal).toString();
        if (celda > ancho + 1)
            corte(
                nombre,
                QString("cut column \"%1\" of %2 (%3 > %4)").arg(titulo, nombreDe(t)).arg(celda).arg(ancho));
        else if (cabeza > ancho + 1)
            corte(nombre, QString("cut heading \"%1\" of %2 (%3 > %4)")
                              .arg(titulo, nombreDe(t))
                              .arg(cabeza)
                              .arg(ancho));
    }
}

// A label, button, tab, combo, field, grid column or text whose text is wider than the room it has.
void revisaCortes(QWidget* w, const QString& nombre) {
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->isVisible()) continue;
        const QFontMetrics fm = c->fontMetrics();
        if (auto* l = qobject_cast<QLabel*>(c); l && !l->wordWrap() && l->pixmap().isNull()) {
            int sitio = 0;
            for (const QString& linea : l->text().split('\n'))
                sitio = qMax(sitio, fm.horizontalAdvance(linea));
            if (sitio > l->contentsRect().width() + 1)
                corte(nombre, QString("cut label \"%1\" (%2 > %3)")
                                  .arg(l->text())
                                  .arg(sitio)
                                  .arg(l->contentsRect().width()));
        } else if (auto* b = qobject_cast<QAbstractButton*>(c); b && !b->text().isEmpty()) {
            if (b->sizeHint().width() > b->width() + 1)
                corte(nombre, QString("cut button \"%1\" (%2 > %3)")
                                  .arg(b->text())
                                  .arg(b->sizeHint().width())
                                  .arg(b->width()));
        } else if (auto* t = qobject_cast<QTabBar*>(c)) {
            for (int i = 0; i < t->count(); ++i)
                if (t->isTabVisible(i) &&
                    t->tabRect(i).width() <
                        t->fontMetrics().horizontalAdvance(QString(t->tabText(i)).remove('&')) + 8)
                    corte(nombre, QString("cut tab \"%1\"").arg(t->tabText(i)));
        } else if (auto* e = qobject_cast<QLineEdit*>(c)) {
            // A combo's own field is measured with the combo.
            if (!qobject_cast<QComboBox*>(e->parentWidget())) revisaCampo(e, nombre);
        } else if (auto* cb = qobject_cast<QComboBox*>(c)) {
            revisaCombo(cb, nombre);
        } else if (auto* g = qobject_cast<QTableView*>(c)) {
            revisaGrilla(g, nombre);
            if (g->horizontalScrollBar()->maximum() > 0)
                corte(nombre, "sideways scrolling in " + nombreDe(g));
        } else if (auto* a = qobject_cast<QAbstractScrollArea*>(c);
                   a && !qobject_cast<QAbstractItemView*>(a) && a->horizontalScrollBar()->maximum() > 0) {
            corte(nombre, "sideways scrolling in " + nombreDe(a));
        }
    }
}

void captura(QWidget* w, const QString& nombre) {
    QApplication::processEvents();
    QTest::qWait(30);
    revisaCortes(w, nombre);
    w->grab().save(carpeta + "/" + nombre + ".png");
    std::printf("%s %dx%d\n", qPrintable(nombre), w->width(), w->height());
}

template <class W>
void muestraYCaptura(W* w, const QString& nombre) {
    w->show();
    (void)QTest::qWaitForWindowExposed(w);
    captura(w, nombre);
    w->hide();
}

// The message box that `accion` opens, captured and closed.
void capturaMensaje(const QString& nombre, const std::function<void()>& accion) {
    QTimer::singleShot(100, [nombre] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            captura(m, nombre);
            if (auto* b = qobject_cast<QMessageBox*>(m))
                b->done(QMessageBox::Ok);
            else if (auto* d = qobject_cast<QDialog*>(m))
                d->reject();
        }
    });
    accion();
}

void llenaDeclaracion(Declaracion& d) {
    const std::pair<int, const char*> casillas[] = {
        {100, "18000"},
        {102, "1500"},
        {105, "2400"},
        {107, "96000"},
        {108, "5000"},
        {111, "42000"},
        {115, "2000"},
        {117, "5000"},
        {130, "3500"},
        {131, "4200"},
        {811, "PEREZ"},
        {812, "GOMEZ"},
        {813, "JUAN CARLOS"},
        {814, "DIAZ"},
        {815, "LUNA"},
        {890, "MARIA"},
        {817, "EMPRESA DEL ORIENTE SAC"},
        {229, "20456789012"},
        {231, "5000"},
        {203, "12000"},
        {840, "1500"},
    };
    for (const auto& [n, t] : casillas) tecleaCasilla(d, n, t);
    tecleaDetalle(d, 535, "1500");
    tecleaDetalle(d, 530, "700");
}

}  // namespace

int main(int argc, char** argv) {
    // The windows' remembered places and the host's mark are the run's own, never those of whoever
    // runs it.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QTemporaryDir runtime;
    qputenv("QVR_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication qapp(argc, argv);
    preparaInterfaz(qapp);
    const bool oscuro = argc == 3 && QByteArray(argv[2]) == "--oscuro";
    if (argc < 2 || (argc == 3 && !oscuro) || argc > 3) {
        std::fprintf(stderr, "usage: qvr_capturas FOLDER [--oscuro]\n");
        return 2;
    }
    if (oscuro) {
        QApplication::setStyle("Fusion");
        QApplication::setPalette(prueba::paletaOscura());
    }
    carpeta = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(carpeta);
    auto guion = std::make_shared<DialogosScript>();
    instalaDialogos(guion);

    QTemporaryDir dir;
    qputenv("WINDIR", QFile::encodeName(dir.filePath("windows")));
    QDir().mkpath(dir.filePath("windows"));
    const host::ResultadoDemo demo = host::creaEntornoDemo(dir.filePath("demo"), true);
    if (!demo.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(demo.mensaje));
        return 1;
    }
    InstalaTablas();

    RegistroVentanas registro;
    registraVentanasVarnel(registro);
    Aplicacion app;
    FrmPrincipal principal(app, registro);
    principal.show();
    if (!principal.carga()) return 1;
    (void)QTest::qWaitForWindowExposed(&principal);
    captura(&principal, "principal");
    int m = 0;
    for (QAction* a : principal.menuBar()->actions()) {
        if (!a->menu()) continue;
        a->menu()->popup(principal.mapToGlobal(principal.menuBar()->actionGeometry(a).bottomLeft()));
        (void)QTest::qWaitForWindowExposed(a->menu());
        captura(a->menu(), QString("principal_menu%1").arg(++m));
        a->menu()->hide();
    }
    muestraYCaptura(new frmAcercaDe(&principal), "acerca_de");

    // The declaration window: a new declaration typed for the first taxpayer.
    app.valores.ModoDeclaracion = 1;
    auto* w = new Frm0738(app, &principal);
    w->show();
    (void)QTest::qWaitForWindowExposed(w);
    w->CmbRuc()->setCurrentIndex(0);
    w->opcion(Pregunta::Rectifica, Opcion::No)->click();
    w->opcion(Pregunta::Inmueble, Opcion::Si)->click();
    llenaDeclaracion(w->declaracion());
    // The longest profession, as a clerk may choose it.
    int larga = 0;
    for (int i = 0; i < w->cboProfesion()->count(); ++i)
        if (w->cboProfesion()->itemText(i).size() > w->cboProfesion()->itemText(larga).size()) larga = i;
    w->cboProfesion()->setCurrentIndex(larga);
    captura(w, "frm0738_p0");
    w->tabPrincipal()->setCurrentIndex(1);
    for (int i = 0; i < w->SSTab2()->count(); ++i) {
        w->SSTab2()->setCurrentIndex(i);
        captura(w, QString("frm0738_p1_%1").arg(i));
    }
    w->tabPrincipal()->setCurrentIndex(2);
    for (int p : {1, 2}) {
        w->hsDeuda()->setValue(p);
        captura(w, QString("frm0738_p2_%1").arg(p));
    }
    w->tabPrincipal()->setCurrentIndex(3);
    for (int i = 0; i < w->SSTab3()->count(); ++i) {
        w->SSTab3()->setCurrentIndex(i);
        captura(w, QString("frm0738_p3_%1").arg(i));
    }
    w->SSTab5()->setCurrentIndex(0);
    muestraYCaptura(new FrmExoneradas(w->declaracion(), w), "frm_exoneradas");
    muestraYCaptura(new FrmInafectas(w->declaracion(), w), "frm_inafectas");
    w->SSTab3()->setCurrentIndex(3);
    if (auto* panel = w->findChild<PanelAnexo*>())
        capturaMensaje("frm_retenciones", [&] { panel->comando(0)->click(); });
    capturaMensaje("frm_consist", [&] { w->Validar(); });
    capturaMensaje("mensaje_salir", [&] {
        DialogosQt().muestra("¿El formulario ha sido modificado, desea guardar los cambios?",
                             w->windowTitle(), Icono::Pregunta, Botones::SiNoCancelar);
    });
    w->GrabarForm();
    w->hide();

    // The lists, the queries and the print selection over the stored declaration.
    app.valores.ModoDeclaracion = 2;
    app.valores.ListaEnviadas = false;
    for (auto [v, nombre] :
         {std::pair{Ventana::frmModFor, "frmmodfor"}, std::pair{Ventana::frmAbrirEnv, "frmabrirenv"}})
        muestraYCaptura(registro.crea(v, app, &principal), nombre);
    for (int t : {1, 2, 3}) {
        app.valores.TipoConsulta = t;
        muestraYCaptura(registro.crea(Ventana::frmBancos, app, &principal), QString("frmbancos_%1").arg(t));
    }
    auto* imp = qobject_cast<reporte::FrmImprimir*>(registro.crea(Ventana::frmImprimir, app, &principal));
    QString archivo;
    if (imp) {
        imp->imprime = [&](const QString& a) { archivo = a; };
        imp->muestraRango = [&](reporte::FrmImpxPag& r) { muestraYCaptura(&r, "frm_imp_x_pag"); };
        imp->show();
        (void)QTest::qWaitForWindowExposed(imp);
        captura(imp, "frm_imprimir");
        imp->CmdImprimir_Click(0);
        imp->CmdImprimir_Click(1);
        imp->hide();
    }
    if (!archivo.isEmpty()) {
        auto* p = new reporte::frmPreview(app.sesion.RutaReportes, {}, &principal);
        p->visor().fijaRut(archivo);
        if (p->carga()) muestraYCaptura(p, "frm_preview");
    }
    // A declaration report with its landscape dividends page: at its left and its right edge.
    if (QFile::copy(QVR_FIXTURES "/imprimir/declaracion.PRN",
                    rutaFs(app.sesion.RutaReportes) + "/apaisada.PRN")) {
        auto* p = new reporte::frmPreview(app.sesion.RutaReportes, {}, &principal);
        p->visor().fijaRut("apaisada.PRN");
        if (p->carga()) {
            p->show();
            (void)QTest::qWaitForWindowExposed(p);
            QTest::keyClick(p->pagina(), Qt::Key_End);
            captura(p, "frm_preview_apaisada");
            p->hScroll1()->setValue(p->hScroll1()->maximum());
            captura(p, "frm_preview_apaisada_derecha");
            p->ajusteAncho()->setChecked(true);
            captura(p, "frm_preview_apaisada_ancho");
            p->hide();
        }
    }

    // The host stand-in.
    host::VentanaOrvelane orvelane(QCoreApplication::applicationDirPath());
    muestraYCaptura(&orvelane, "orvelane");
    muestraYCaptura(new host::VentanaSpool(QCoreApplication::applicationDirPath()), "orvelane_spool");

    std::printf("%d cut\n", cortados);
    return 0;
}
