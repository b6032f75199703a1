#include "varnel/declaration/ui/frm0738.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/combos.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "platform/ui/teclas_grilla.h"
#include "platform/ui/geometria.h"
#include "platform/utilitario.h"
#include "varnel/annexes/listas_anexo.h"
#include "varnel/annexes/ui/frm_exoneradas.h"
#include "varnel/annexes/ui/panel_anexo.h"
#include "varnel/app/ui/forma_pago.h"
#include "varnel/common/ui/accesible.h"
#include "varnel/common/ui/ayuda_emergente.h"
#include "varnel/common/ui/colores.h"
#include "varnel/common/ui/foco.h"
#include "varnel/common/ui/lista_combo.h"
#include "varnel/declaration/anexos_copia.h"
#include "varnel/declaration/ui/frm0738_diseno.h"

namespace qvr {

namespace {

// Twips at 15 per logical pixel; Qt scales logical pixels on high-DPI screens.
int px(int twips) { return twips / 15; }

class PortapapelesQt : public Portapapeles {
  public:
    void vacia() override { QGuiApplication::clipboard()->setText(QString()); }
};

// The host utility component's filters and date check.
class FiltrosUtilitario : public FiltrosTeclado {
  public:
    int FiltraNumero(int t) const override { return Utilitario::FiltraNumero(t) ? t : 0; }
    int FiltraAlfanumerico(int t) const override { return Utilitario::FiltraAlfanumerico(t) ? t : 0; }
    int FiltraLetra(int t) const override { return Utilitario::FiltraLetra(t); }
    bool ValidaFecha(const QString& f, const QString& a, const QString& b) const override {
        return Utilitario::ValidaFecha(f, a, b);
    }
};

bool esMonto(int n) {
    const InfoCasilla* i = infoCasilla(n);
    return i && (i->tipo == TipoCasilla::MontoSimple || i->tipo == TipoCasilla::Deduccion ||
                 i->tipo == TipoCasilla::OtroMonto);
}

// Wide enough for the longest text the box shows, at the screen's font.
int anchoCaja(int n, const QFontMetrics& fm) {
    const InfoCasilla* i = infoCasilla(n);
    QString muestra = "(999,999,999,999)";
    if (i) {
        switch (i->tipo) {
            case TipoCasilla::Nombre:
                muestra = QString(i->longitud > 15 ? 30 : 15, 'N');
                break;
            case TipoCasilla::Indicador:
                muestra = "22";
                break;
            case TipoCasilla::Ruc:
            case TipoCasilla::Documento:
                muestra = QString(12, '9');
                break;
            default:
                break;
        }
    }
    return fm.horizontalAdvance(muestra) + 14;
}

// The width of a closed list that shows `muestra` whole beside its arrow.
int anchoComboPara(QComboBox* c, const QString& muestra) {
    QStyleOptionComboBox o;
    o.initFrom(c);
    o.editable = c->isEditable();
    const QSize texto(c->fontMetrics().horizontalAdvance(muestra) + 4, c->fontMetrics().height());
    return c->style()->sizeFromContents(QStyle::CT_ComboBox, &o, texto, c).width();
}

// The designed colours, from the palette of the theme in use (colores.h).
QColor colorFondo(Fondo f, const QPalette& p) {
    switch (f) {
        case Fondo::Blanco:
        case Fondo::Ventana:
            return fondoEntrada(p);
        case Fondo::BotonCara:
            return fondoBotonCara(p);
        case Fondo::GrisClaro:
            return fondoGrisClaro(p);
        case Fondo::Cian:
            return fondoCian(p);
    }
    return fondoEntrada(p);
}

// Background in every state, and text that stays readable in a disabled box. From the theme's
// palette each time, so that a change of theme leaves no colour of the previous one behind.
void pintaFondo(QWidget* w, Fondo f) {
    QPalette p = QApplication::palette(w);
    const QColor c = colorFondo(f, p);
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, QPalette::Base, c);
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::Text));
    w->setPalette(p);
}

// What a screen reader says for a field: its label without the colon and its box number
// ("Renta bruta por arrendamiento o cesión de bienes inmuebles, casilla 100").
QString nombreCampo(const QString& etiqueta, int casilla) {
    QString t = QString(etiqueta).remove('&').simplified();
    while (t.endsWith(':') || t.endsWith(' ')) t.chop(1);
    if (casilla <= 0) return t;
    return t + ", casilla " + QString::number(casilla).rightJustified(3, '0');
}

// What the pointer shows over a box: its number and its label ("Casilla 100: Renta bruta ...").
QString textoCasilla(const QString& etiqueta, const QString& casillas) {
    return (casillas.contains(' ') ? "Casillas " : "Casilla ") + casillas + ": " + nombreCampo(etiqueta, 0);
}

void conAyudaDeCasilla(QWidget* w, const QString& etiqueta, int casilla) {
    if (casilla > 0)
        ponAyudaEmergente(w, textoCasilla(etiqueta, QString::number(casilla).rightJustified(3, '0')));
}

template <class W>
W* nombrado(W* w, const QString& etiqueta, int casilla) {
    w->setAccessibleName(nombreCampo(etiqueta, casilla));
    conAyudaDeCasilla(w, etiqueta, casilla);
    return w;
}

// Read-only fields say so after their name.
void describeSoloLectura(QWidget* w, bool soloLectura) {
    const QString d = soloLectura ? QStringLiteral("solo lectura") : QString();
    if (w->accessibleDescription() != d) w->setAccessibleDescription(d);
}

QLabel* etiqueta(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    // Short labels stay on one line; long ones wrap beside their box.
    l->setWordWrap(texto.size() > 20);
    return l;
}

// "A. Alquileres pagados" → "Alquileres pagados": the frame as a row's context.
QString tituloMarcoCorto(const QString& titulo) {
    QString t = titulo;
    if (t.size() > 3 && t[1] == '.' && t[2] == ' ') t = t.mid(3);
    const int dosPuntos = t.indexOf(':');
    return dosPuntos > 0 ? t.left(dosPuntos) : t;
}

// The box numbers beside the labels, in a secondary colour of the theme.
void tineNumero(QLabel* l) {
    QPalette p = QApplication::palette(l);
    p.setColor(QPalette::WindowText, textoSecundario(p));
    l->setPalette(p);
}

QLabel* numeroCasilla(int n, QWidget* padre) {
    auto* l = new QLabel(QString::number(n).rightJustified(3, '0'), padre);
    l->setObjectName(QString("numeroCasilla_%1").arg(n));
    tineNumero(l);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// Scrolls up and down only: it asks for the whole width of its content, so that the window grows
// instead of cutting the right side of a page.
class PaginaDesplazable : public QScrollArea {
  public:
    QSize minimumSizeHint() const override {
        const QSize c = widget() ? widget()->minimumSizeHint() : QSize();
        return {c.width() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(), 120};
    }
    QSize sizeHint() const override {
        const QSize c = widget() ? widget()->sizeHint() : QSize();
        return {qMax(c.width(), widget() ? widget()->minimumSizeHint().width() : 0) +
                    verticalScrollBar()->sizeHint().width() + 2 * frameWidth(),
                c.height() + 2 * frameWidth()};
    }
};

// A page whose content scrolls when the screen's fonts make it taller than the window.
QWidget* desplazable(QWidget* contenido) {
    auto* s = new PaginaDesplazable;
    s->setWidget(contenido);
    s->setWidgetResizable(true);
    s->setFrameShape(QFrame::NoFrame);
    s->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The page scrolls to the focused box (Frm0738 follows the focus); the area itself is no stop.
    s->setFocusPolicy(Qt::NoFocus);
    s->viewport()->setFocusPolicy(Qt::NoFocus);
    return s;
}

std::vector<const InfoCasilla*> casillasDe(const QString& pagina, const QString& marco) {
    std::vector<const InfoCasilla*> v;
    for (const InfoCasilla& i : inventario())
        if (i.visible && pagina == i.pagina && marco == QString::fromUtf8(i.marco)) v.push_back(&i);
    return v;
}

QStringList marcosDe(const QString& pagina) {
    QStringList m;
    for (const InfoCasilla& i : inventario()) {
        const QString marco = QString::fromUtf8(i.marco);
        if (i.visible && pagina == i.pagina && !m.contains(marco)) m << marco;
    }
    return m;
}

}  // namespace

Frm0738::Frm0738(Aplicacion& app, QWidget* padre)
    : QDialog(padre),
      app_(app),
      portapapeles_(std::make_unique<PortapapelesQt>()),
      filtros_(std::make_unique<FiltrosUtilitario>()) {
    EntornoSesion e;
    e.base = app.sesion.Base.get();
    e.formulario = app.sesion.Formulario;
    e.usuario = app.sesion.Usuario;
    e.rutaSistema = app.sesion.RutaSistema;
    e.barra = app.barra;
    e.copiaRecuperacion = true;
    sesion_ = std::make_unique<SesionDeclaracion>(e, app.valores);
    d_ = &sesion_->declaracion();
    listas_ = &sesion_->listas();
    setObjectName("Frm0738");
    setWindowTitle(d_->Titulo);
    d_->portapapeles = portapapeles_.get();
    d_->filtros = filtros_.get();

    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(6, 6, 6, 6);
    raiz->setSpacing(4);
    tabPrincipal_ = new QTabWidget(this);
    tabPrincipal_->setObjectName("tabPrincipal");
    const auto& pp = ui::pestanasPrincipal();
    tabPrincipal_->addTab(creaPaginaIdentificacion(), pp[0].caption);

    SSTab2_ = new QTabWidget;
    SSTab2_->setObjectName("SSTab2");
    for (int i = 0; i < 4; ++i)
        SSTab2_->addTab(desplazable(creaPaginaCasillas(QString("1.%1").arg(i))),
                        ui::pestanasSSTab2()[size_t(i)].caption);
    tabPrincipal_->addTab(SSTab2_, pp[1].caption);
    tabPrincipal_->addTab(creaPaginaDeuda(), pp[2].caption);

    SSTab3_ = new QTabWidget;
    SSTab3_->setObjectName("SSTab3");
    for (int i = 0; i < 4; ++i)
        SSTab3_->addTab(desplazable(creaPaginaComplementaria(i)), ui::pestanasSSTab3()[size_t(i)].caption);
    tabPrincipal_->addTab(SSTab3_, pp[3].caption);

    SSTab5_ = new QTabWidget;
    SSTab5_->setObjectName("SSTab5");
    for (int i = 0; i < 3; ++i)
        SSTab5_->addTab(desplazable(creaPaginaAdicional(i)), ui::pestanasSSTab5()[size_t(i)].caption);
    // The fifth page stays in the window (its values load and save) but is no page of the strip:
    // the user never sees it, and neither does a screen reader.
    SSTab5_->setParent(this);
    SSTab5_->hide();
    // Every caption whole: the strips neither elide nor scroll, the window is as wide as they need.
    for (QTabWidget* t : {tabPrincipal_, SSTab2_, SSTab3_, SSTab5_}) {
        for (int i = 0; i < t->count(); ++i)
            t->setTabToolTip(i, QString(t->tabText(i)).remove('&').trimmed());
        t->tabBar()->setExpanding(false);
        t->setUsesScrollButtons(false);
        t->setElideMode(Qt::ElideNone);
        nombraPorPestana(t);
    }
    raiz->addWidget(tabPrincipal_, 1);

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    const char* textos[] = {"V&alidar", "&Grabar", "&Salir"};
    for (int i = 0; i < 3; ++i) {
        Cmdgeneral_[size_t(i)] = new QPushButton(QString::fromUtf8(textos[i]), this);
        Cmdgeneral_[size_t(i)]->setObjectName(QString("Cmdgeneral_%1").arg(i));
        Cmdgeneral_[size_t(i)]->setAutoDefault(false);
        Cmdgeneral_[size_t(i)]->setMinimumWidth(90);
        botones->addWidget(Cmdgeneral_[size_t(i)]);
    }
    raiz->addLayout(botones);
    connect(Cmdgeneral_[0], &QPushButton::clicked, this, &Frm0738::Validar);
    connect(Cmdgeneral_[1], &QPushButton::clicked, this, &Frm0738::GrabarForm);
    connect(Cmdgeneral_[2], &QPushButton::clicked, this, &Frm0738::Salir);

    connect(tabPrincipal_, &QTabWidget::currentChanged, this, &Frm0738::paginaCambiada);
    const auto ayudaDe = [this](QTabWidget* t, const std::vector<ui::Pestana>& p) {
        connect(t, &QTabWidget::currentChanged, this, [this, p](int i) {
            if (i >= 0 && i < int(p.size())) contextoAyuda_ = p[size_t(i)].ayuda;
        });
    };
    ayudaDe(SSTab2_, ui::pestanasSSTab2());
    ayudaDe(SSTab3_, ui::pestanasSSTab3());
    ayudaDe(SSTab5_, ui::pestanasSSTab5());
    connect(tabPrincipal_, &QTabWidget::currentChanged, this, &Frm0738::letrasDePagina);
    // Whatever brings the focus to a box (Tab, Enter, a check that failed), its page shows it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ahora) {
        if (!ahora || ahora->window() != this) return;
        for (QWidget* p = ahora->parentWidget(); p && p != this; p = p->parentWidget())
            if (auto* area = qobject_cast<QScrollArea*>(p)) {
                area->ensureWidgetVisible(ahora);
                break;
            }
    });

    d_->alCambiarCasilla = [this](int n) { espejaCasilla(n); };
    d_->alCambiarControl = [this](Control, int) {
        espejaControles();
        if (panelDividendos_) panelDividendos_->espeja();
    };

    // F1: the help at the topic of the page shown, or of the representative's and spouse's fields.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (app_.ayuda) app_.ayuda(temaAyuda());
    });
    nombraControles();

    instalaValidacion();
    carga();
}

int Frm0738::temaAyuda() const {
    const QWidget* f = focusWidget();
    if (const QVariant n = f ? f->property("casilla") : QVariant(); n.isValid()) {
        const int c = n.toInt();
        if ((c >= 811 && c <= 815) || c == 890 || c == 236 || c == 302) return 1045;
    }
    if (f && (f == cmbtipdoc(235) || f == cmbtipdoc(301))) return 1045;
    return contextoAyuda_;
}

void Frm0738::nombraControles() {
    CmbRuc_->setAccessibleName(nombreCampo("R.U.C.", 2));
    TxtNumRuc_->setAccessibleName(nombreCampo("R.U.C.", 2));
    describeSoloLectura(TxtNumRuc_, true);
    TxtTelefono_->setAccessibleName(nombreCampo("Teléfono", 28));
    cboProfesion_->setAccessibleName(nombreCampo("Profesión u oficio", 25));
    conAyudaDeCasilla(CmbRuc_, "R.U.C. del declarante", 2);
    conAyudaDeCasilla(TxtNumRuc_, "R.U.C. del declarante", 2);
    conAyudaDeCasilla(TxtTelefono_, "Teléfono", 28);
    conAyudaDeCasilla(cboProfesion_, "Profesión u oficio", 25);
    txtProfesion_->setAccessibleName("Descripción de la profesión u oficio");
    describeSoloLectura(txtProfesion_, true);
    txtOrden_->setAccessibleName("Número de orden");
    txtVerifica_->setAccessibleName("Dígitos verificadores del número de orden");
    TxtTotal_->setAccessibleName("Total de bienes, deudas e ingresos");
    describeSoloLectura(TxtTotal_, true);
    hsDeuda_->setAccessibleName("Marcos de la determinación de la deuda");
    VScroll_Patrimonial_->setAccessibleName("Marcos de la información general");
    if (Grid_Dividendos_) Grid_Dividendos_->setAccessibleName("Dividendos percibidos");
    Grid_Extranjero_->setAccessibleName("Inversiones en el extranjero");
    Grid_Fideicomiso_->setAccessibleName("Inversiones en fideicomisos");
    // The option buttons keep their captions ("Si", "No"); their question describes them. The
    // payment control describes its own.
    for (QRadioButton* b : findChildren<QRadioButton*>())
        if (auto* l = b->parentWidget() ? b->parentWidget()->findChild<QLabel*>() : nullptr;
            l && !pago_->isAncestorOf(b))
            b->setAccessibleDescription(l->text());
}

Frm0738::~Frm0738() {
    sesion_->terminaCopia();
    // The core outlives no widget: stop its notifications first.
    d_->alCambiarCasilla = nullptr;
    d_->alCambiarControl = nullptr;
}

QLineEdit* Frm0738::TxtValor(int n) const {
    auto it = TxtValor_.find(n);
    return it == TxtValor_.end() ? nullptr : it->second;
}

QComboBox* Frm0738::cmbtipdoc(int n) const {
    auto it = cmbtipdoc_.find(n);
    return it == cmbtipdoc_.end() ? nullptr : it->second;
}

QRadioButton* Frm0738::opcion(Pregunta p, Opcion o) const {
    if (o == Opcion::Ninguna) return nullptr;
    return opciones_[size_t(p)][o == Opcion::Si ? 0 : 1];
}

// ---- Building the pages ----

QLineEdit* Frm0738::creaCaja(int n, QWidget* padre) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString("TxtValor_%1").arg(n));
    e->setProperty("casilla", n);
    e->setFixedWidth(anchoCaja(n, e->fontMetrics()));
    e->setAlignment(esMonto(n) ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    e->installEventFilter(this);
    connect(e, &QLineEdit::textChanged, this, [this, n](const QString& t) {
        if (!espejando_) d_->fijaTexto(n, t);
    });
    TxtValor_[n] = e;
    return e;
}

QComboBox* Frm0738::creaListaDocumento(int n, QWidget* padre) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString("cmbtipdoc_%1").arg(n));
    // Wide enough for its longest entry, code and description.
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(c, &QComboBox::currentIndexChanged, this, [this, n](int i) {
        if (!espejando_) d_->eligeTipoDocumento(n, i);
    });
    c->installEventFilter(this);
    cmbtipdoc_[n] = c;
    return c;
}

QWidget* Frm0738::creaPregunta(Pregunta p, const QString& texto, QWidget* padre) {
    auto* w = new QWidget(padre);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(etiqueta(texto, w), 1);
    const ParOpciones& par = parOpciones(p);
    // The question and its two buttons show the box the answer is stored under.
    ponAyudaEmergente(
        w, textoCasilla(texto, p == Pregunta::Rectifica ? QString("005 y 871") : QString(par.casilla)));
    auto* grupo = new QButtonGroup(w);
    for (int k = 0; k < 2; ++k) {
        const Opcion o = k == 0 ? Opcion::Si : Opcion::No;
        auto* b = new QRadioButton(k == 0 ? "Si" : "No", w);
        b->setObjectName(QString("%1_%2").arg(par.control).arg(k == 0 ? par.indiceSi : par.indiceNo));
        grupo->addButton(b);
        l->addWidget(b);
        opciones_[size_t(p)][size_t(k)] = b;
        connect(b, &QRadioButton::toggled, this, [this, p, o](bool marcado) {
            if (marcado && !espejando_) d_->eligeOpcion(p, o);
        });
    }
    return w;
}

QWidget* Frm0738::creaMarco(const QString& pagina, const QString& marco, QWidget* padre) {
    auto* g = new QGroupBox(ui::tituloMarco(marco), padre);
    g->setObjectName(marco);
    auto* grid = new QGridLayout(g);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    // The debt page's frames sit at fixed places: their margins are kept small.
    if (pagina == "2") grid->setContentsMargins(6, 4, 6, 4);
    const auto casillas = casillasDe(pagina, marco);
    if (const ui::MarcoGrilla* mg = ui::marcoGrilla(marco)) {
        // Rows of name, [document type,] document or RUC, amount: the tab order of the screen.
        for (int c = 0; c < mg->columnas.size(); ++c) {
            auto* h = new QLabel(mg->columnas[c], g);
            h->setAlignment(Qt::AlignCenter);
            grid->addWidget(h, 0, c + 1);
        }
        int fila = 0, col = 1;
        for (const InfoCasilla* i : casillas) {
            if (i->tipo == TipoCasilla::Nombre) {
                ++fila;
                col = 1;
                grid->addWidget(new QLabel(QString::number(fila), g), fila, 0);
            }
            // In a row the column heading and the row number name the field.
            const auto nombreFila = [&](int c) {
                return tituloMarcoCorto(g->title()) + ", fila " + QString::number(fila) + ": " +
                       mg->columnas[c - 1];
            };
            if (const int lista = listaDeDocumento(i->numero)) {
                grid->addWidget(nombrado(creaListaDocumento(lista, g), nombreFila(col), lista), fila, col);
                ++col;
            }
            grid->addWidget(nombrado(creaCaja(i->numero, g), nombreFila(col), i->numero), fila, col);
            ++col;
        }
        grid->setColumnStretch(int(mg->columnas.size()) + 1, 1);
        return g;
    }
    const int columnas = ui::columnasMarco(marco);
    int k = 0;
    const auto fila = [&](QWidget* etq, QWidget* num, QWidget* control) {
        const int r = k / columnas, c = (k % columnas) * 3;
        grid->addWidget(etq, r, c);
        if (num) grid->addWidget(num, r, c + 1);
        grid->addWidget(control, r, c + 2, Qt::AlignRight);
        ++k;
    };
    for (const InfoCasilla* i : casillas) {
        if (const int lista = listaDeDocumento(i->numero))
            fila(etiqueta("Tipo de documento :", g), numeroCasilla(lista, g),
                 nombrado(creaListaDocumento(lista, g), "Tipo de documento", lista));
        fila(etiqueta(ui::etiquetaCasilla(i->numero), g), numeroCasilla(i->numero, g),
             nombrado(creaCaja(i->numero, g), ui::etiquetaCasilla(i->numero), i->numero));
    }
    for (int c = 0; c < columnas; ++c) grid->setColumnStretch(c * 3, 1);
    return g;
}

QWidget* Frm0738::creaPaginaIdentificacion() {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    v->setSpacing(4);
    auto* arriba = new QHBoxLayout;

    auto* basicos = new QGroupBox("Datos  Básicos", w);
    basicos->setObjectName("fraBasicos");
    auto* g = new QGridLayout(basicos);
    g->setVerticalSpacing(3);
    g->addWidget(etiqueta("R.U.C. :", basicos), 0, 0);
    auto* ruc = new QHBoxLayout;
    CmbRuc_ = new QComboBox(basicos);
    CmbRuc_->setObjectName("CmbRuc");
    CmbRuc_->setMinimumWidth(220);
    CmbRuc_->installEventFilter(this);
    connect(CmbRuc_, &QComboBox::currentIndexChanged, this, &Frm0738::eligeRuc);
    TxtNumRuc_ = new QLineEdit(basicos);
    TxtNumRuc_->setObjectName("TxtNumRuc");
    TxtNumRuc_->setReadOnly(true);
    TxtNumRuc_->setFixedWidth(TxtNumRuc_->fontMetrics().horizontalAdvance(QString(11, '9')) + 14);
    ruc->addWidget(CmbRuc_);
    ruc->addWidget(TxtNumRuc_);
    ruc->addStretch(1);
    g->addLayout(ruc, 0, 1);
    int r = 1;
    for (const InfoCasilla* i : casillasDe("0", "Datos  Básicos")) {
        g->addWidget(etiqueta(ui::etiquetaCasilla(i->numero), basicos), r, 0);
        g->addWidget(nombrado(creaCaja(i->numero, basicos), ui::etiquetaCasilla(i->numero), i->numero), r++,
                     1, Qt::AlignLeft);
    }
    g->addWidget(etiqueta("Teléfono :", basicos), r, 0);
    TxtTelefono_ = new QLineEdit(basicos);
    TxtTelefono_->setObjectName("TxtTelefono");
    TxtTelefono_->setMaxLength(8);
    TxtTelefono_->setFixedWidth(TxtTelefono_->fontMetrics().horizontalAdvance(QString(8, '9')) + 14);
    TxtTelefono_->installEventFilter(this);
    connect(TxtTelefono_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!espejando_) d_->fijaTelefono(t);
    });
    g->addWidget(TxtTelefono_, r, 1, Qt::AlignLeft);
    g->setColumnStretch(1, 1);
    arriba->addWidget(basicos, 3);

    fraOrden_ = new QGroupBox("Número de Orden", w);
    fraOrden_->setObjectName("fraOrden");
    auto* o = new QGridLayout(fraOrden_);
    txtOrden_ = new QLineEdit(fraOrden_);
    txtOrden_->setObjectName("txtOrden");
    txtOrden_->setMaxLength(8);
    txtOrden_->setFixedWidth(txtOrden_->fontMetrics().horizontalAdvance(QString(8, '9')) + 14);
    txtVerifica_ = new QLineEdit(fraOrden_);
    txtVerifica_->setObjectName("txtVerifica");
    txtVerifica_->setMaxLength(2);
    txtVerifica_->setFixedWidth(txtVerifica_->fontMetrics().horizontalAdvance("99") + 14);
    o->addWidget(new QLabel("Número :", fraOrden_), 0, 0);
    o->addWidget(txtOrden_, 0, 1);
    o->addWidget(new QLabel("Dígitos :", fraOrden_), 1, 0);
    o->addWidget(txtVerifica_, 1, 1, Qt::AlignLeft);
    o->setRowStretch(2, 1);
    for (QLineEdit* e : {txtOrden_, txtVerifica_}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this] {
            if (!espejando_) d_->fijaOrden(txtOrden_->text(), txtVerifica_->text());
        });
    }
    arriba->addWidget(fraOrden_, 1);
    v->addLayout(arriba);

    auto* prof = new QGroupBox("Profesión U Oficio", w);
    prof->setObjectName("fraProfesion");
    auto* hp = new QHBoxLayout(prof);
    cboProfesion_ = new QComboBox(prof);
    cboProfesion_->setObjectName("cboProfesion");
    cboProfesion_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboProfesion_->installEventFilter(this);
    connect(cboProfesion_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!espejando_) d_->eligeProfesion(i);
    });
    txtProfesion_ = new QLineEdit(prof);
    txtProfesion_->setObjectName("txtProfesion");
    txtProfesion_->setReadOnly(true);
    txtProfesion_->setFocusPolicy(Qt::NoFocus);
    hp->addWidget(cboProfesion_);
    hp->addWidget(txtProfesion_, 1);
    v->addWidget(prof);

    auto* alq = new QGroupBox("Pago de alquiler de bienes", w);
    alq->setObjectName("fraAlquiler");
    auto* ha = new QHBoxLayout(alq);
    ha->addWidget(creaPregunta(
        Pregunta::Inmueble,
        "¿Ha pagado usted alquiler por algún bien mueble o inmueble durante el ejercicio?", alq));
    v->addWidget(alq);

    auto* rect = new QGroupBox("Declaración rectificatoria", w);
    rect->setObjectName("fraRectifica");
    auto* hr = new QHBoxLayout(rect);
    hr->addWidget(
        creaPregunta(Pregunta::Rectifica, "¿La presente declaración rectifica o sustituye a otra?", rect));
    v->addWidget(rect);
    v->addStretch(1);
    return desplazable(w);
}

QWidget* Frm0738::creaPaginaCasillas(const QString& pagina) {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    for (const QString& m : marcosDe(pagina)) v->addWidget(creaMarco(pagina, m, w));
    v->addStretch(1);
    return w;
}

QWidget* Frm0738::creaPaginaDeuda() {
    // The frames are placed by Arregla at fixed positions; the scroll bar swaps them.
    paginaDeuda_ = new QWidget;
    paginaDeuda_->setObjectName("paginaDeuda");
    for (int k = 0; k < 3; ++k) {
        const QString marco = QString("fraDeuda(%1)").arg(k + 1);
        auto* f = static_cast<QGroupBox*>(creaMarco("2", marco, paginaDeuda_));
        fraDeuda_[size_t(k)] = f;
    }
    // Frame 3 carries the payment-method control beside its boxes.
    auto* caja3 = static_cast<QGridLayout*>(fraDeuda_[2]->layout());
    pago_ = new FormaDePagoQVR(fraDeuda_[2]);
    pago_->setObjectName("FormaDePago");
    caja3->addWidget(pago_, 0, 3, caja3->rowCount(), 1, Qt::AlignTop);
    caja3->setColumnStretch(0, 1);
    for (QWidget* c : pago_->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c)) c->installEventFilter(this);
    connect(pago_, &FormaDePagoQVR::cambiado, this, [this] {
        if (espejando_) return;
        FormaPago p = d_->controles.pago;
        p.codigo = pago_->formaPago();
        p.banco = pago_->codigoBanco();
        p.cheque = pago_->numeroCheque();
        d_->fijaPago(p);
    });
    hsDeuda_ = new QScrollBar(Qt::Horizontal, paginaDeuda_);
    hsDeuda_->setObjectName("hsDeuda");
    hsDeuda_->setRange(1, 2);
    hsDeuda_->setPageStep(1);
    // No stop of its own: Tab and Enter bring the balance frame (and box 180) when they reach it.
    hsDeuda_->setFocusPolicy(Qt::NoFocus);
    connect(hsDeuda_, &QScrollBar::valueChanged, this, [this](int p) { d_->Arregla(p); });
    paginaDeuda_->installEventFilter(this);
    ajustaPaginaDeuda();
    return paginaDeuda_;
}

QWidget* Frm0738::creaPaginaComplementaria(int sub) {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    switch (sub) {
        case 0: {
            auto* h = new QHBoxLayout;
            h->addWidget(creaMarco("3.0", "Datos del Contribuyente / Representante Legal", w), 1,
                         Qt::AlignTop);
            auto* conyuge = creaMarco("3.0", "Datos del Cónyuge", w);
            auto* g = static_cast<QGridLayout*>(conyuge->layout());
            MkeFecNac_ = new QLineEdit(conyuge);
            MkeFecNac_->setObjectName("MkeFecNac");
            MkeFecNac_->setInputMask("99/99/9999;_");
            MkeFecNac_->setFixedWidth(MkeFecNac_->fontMetrics().horizontalAdvance("99/99/9999") + 14);
            MkeFecNac_->installEventFilter(this);
            connect(MkeFecNac_, &QLineEdit::textChanged, this, [this] {
                if (!espejando_) d_->fijaFechaNacimiento(MkeFecNac_->displayText());
            });
            const int r = g->rowCount();
            g->addWidget(etiqueta("Fecha de nacimiento :", conyuge), r, 0);
            g->addWidget(numeroCasilla(234, conyuge), r, 1);
            g->addWidget(nombrado(MkeFecNac_, "Fecha de nacimiento del cónyuge", 234), r, 2, Qt::AlignRight);
            h->addWidget(conyuge, 1, Qt::AlignTop);
            v->addLayout(h);
            break;
        }
        case 1: {
            fraAmazonia_ = static_cast<QGroupBox*>(creaMarco("3.1", "Inversión en la Amazonía", w));
            v->addWidget(fraAmazonia_);
            auto* ies = new QGroupBox("IES - Solicitud de Devolución del Saldo a Favor", w);
            ies->setObjectName("fraIES");
            auto* hi = new QHBoxLayout(ies);
            hi->addWidget(creaPregunta(Pregunta::Devolucion,
                                       "¿ Solicita devolución del Saldo a favor de IES o FONAVI ?", ies));
            v->addWidget(ies);
            v->addWidget(creaMarco("3.1", "Otros Ingresos", w));
            break;
        }
        case 2:
            for (const QString& m : marcosDe("3.2")) v->addWidget(creaMarco("3.2", m, w));
            break;
        default: {
            panelDividendos_ = new PanelAnexo(*listas_, ListaAnexo::Dividendos, w);
            Grid_Dividendos_ = panelDividendos_->grilla();
            v->addWidget(panelDividendos_, 1);
            break;
        }
    }
    if (sub != 3) v->addStretch(1);
    return w;
}

QWidget* Frm0738::creaPaginaAdicional(int sub) {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    if (sub == 0) {
        v->addWidget(creaPregunta(Pregunta::General, "¿Tiene información general que declarar?", w));
        auto* h = new QHBoxLayout;
        auto* marcos = new QVBoxLayout;
        for (int k = 0; k < 2; ++k) {
            fraPatrimonial_[k] =
                static_cast<QGroupBox*>(creaMarco("4.0", QString("fraPatrimonial%1").arg(k + 1), w));
            marcos->addWidget(fraPatrimonial_[k]);
        }
        h->addLayout(marcos, 1);
        VScroll_Patrimonial_ = new QScrollBar(Qt::Vertical, w);
        VScroll_Patrimonial_->setObjectName("VScroll_Patrimonial");
        VScroll_Patrimonial_->setRange(1, 2);
        VScroll_Patrimonial_->setPageStep(1);
        connect(VScroll_Patrimonial_, &QScrollBar::valueChanged, this, &Frm0738::muestraMarcosPatrimonio);
        h->addWidget(VScroll_Patrimonial_);
        v->addLayout(h);
        auto* t = new QHBoxLayout;
        t->addWidget(etiqueta("Total :", w), 1);
        TxtTotal_ = new QLineEdit(w);
        TxtTotal_->setObjectName("TxtTotal");
        TxtTotal_->setReadOnly(true);
        TxtTotal_->setFocusPolicy(Qt::NoFocus);
        TxtTotal_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        TxtTotal_->setFixedWidth(TxtTotal_->fontMetrics().horizontalAdvance("(999,999,999,999)") + 14);
        pintaFondo(TxtTotal_, Fondo::BotonCara);
        t->addWidget(TxtTotal_);
        v->addLayout(t);
        muestraMarcosPatrimonio(1);
    } else {
        const bool extranjero = sub == 1;
        v->addWidget(creaPregunta(extranjero ? Pregunta::Extranjero : Pregunta::Fideicomiso,
                                  extranjero ? "¿Tiene inversión en el extranjero que declarar?"
                                             : "¿Tiene inversión en Fideicomiso que  declarar?",
                                  w));
        auto* grid = new QTableWidget(w);
        grid->setObjectName(extranjero ? "Grid_Extranjero" : "Grid_Fideicomiso");
        preparaTeclasGrilla(grid);
        (extranjero ? Grid_Extranjero_ : Grid_Fideicomiso_) = grid;
        v->addWidget(grid, 1);
    }
    if (sub == 0) v->addStretch(1);
    return w;
}

void Frm0738::ajustaPaginaDeuda() {
    // The page holds its frames at their places: it is never narrower or lower than they need.
    int ancho = 0;
    for (QGroupBox* f : fraDeuda_)
        ancho = qMax(ancho, qMax(f->minimumSizeHint().width(), f->sizeHint().width()));
    const int alto1 = px(480) + fraDeuda_[0]->sizeHint().height();
    const int alto2 = qMax(px(1870), alto1 + 1) + fraDeuda_[1]->sizeHint().height();
    const int alto3 = px(800) + fraDeuda_[2]->sizeHint().height();
    paginaDeuda_->setMinimumSize(ancho + 2 * px(120), qMax(alto2, alto3) + 28);
}

void Frm0738::abreConTamano() {
    const QSize minimo(px(9615), px(6825));
    setMinimumSize(minimo);
    if (layout()) layout()->activate();
    QSize s = sizeHint().expandedTo(minimumSizeHint()).expandedTo(minimo);
    // Within the screen, leaving room for the title bar.
    if (const QScreen* p = screen())
        s = s.boundedTo(p->availableGeometry().size() - QSize(0, 40)).expandedTo(minimo);
    resize(s);
}

void Frm0738::muestraMarcosPatrimonio(int posicion) {
    fraPatrimonial_[0]->setVisible(posicion == 1);
    fraPatrimonial_[1]->setVisible(posicion == 2);
}

// ---- Loading ----

void Frm0738::carga() {
    ValoresEjecucion& v = app_.valores;
    app_.sesion.Periodo = SesionDeclaracion::kPeriodoDeclaracion;
    app_.sesion.Semana = 0;
    tabPrincipal_->setCurrentIndex(0);
    paginaPrevia_ = 0;
    CerrarAlGrabar_ = false;
    // Left 0, top 0 of the main window; 9615 x 6825 twips is the smallest size, and the window opens as
    // large as its pages need at the screen's font (within the screen) and may be made larger.
    move(0, 0);

    const ResultadoApertura r = sesion_->abre();
    if (!r.abierta) throw AperturaRechazada(r.motivo);
    CargaIdent();
    pago_->cargaBancos(*app_.sesion.Base);
    llenaListas();
    ajustaPaginaDeuda();
    abreConTamano();
    // Where and as large as the user left it, never smaller than its pages need.
    const QSize necesario = size();
    if (restauraGeometria(this, "Varnel/Frm0738")) resize(size().expandedTo(necesario));
    recuerdaGeometria(this, "Varnel/Frm0738");
    if (v.ModoDeclaracion == 1) {
        espejando_ = true;
        CmbRuc_->clear();
        CmbRuc_->addItems(sesion_->carga().contribuyentes);
        CmbRuc_->setCurrentIndex(-1);
        espejando_ = false;
        AnchoLista(this, CmbRuc_);
        AnchoListaFijo(this, CmbRuc_, 37);
        ListaEntera(CmbRuc_);
        if (app_.barra) {
            app_.barra->setNumeroDocumento(QString());
            app_.barra->setNombre(QString());
            app_.barra->setFormulario(app_.sesion.Formulario);
            app_.barra->setPeriodo(QString());
        }
    }
    espejaTodo();
    hsDeuda_->setValue(1);
    espejaAnexos();
    // The first focus: the taxpayer of a new declaration, the order number of a sent one, else the
    // first box that is typed into.
    if (v.ModoDeclaracion == 1)
        CmbRuc_->setFocus(Qt::OtherFocusReason);
    else if (v.DeclaracionEnviada && txtOrden_->isEnabled())
        txtOrden_->setFocus(Qt::OtherFocusReason);
    else if (TxtTelefono_->isEnabled())
        TxtTelefono_->setFocus(Qt::OtherFocusReason);
}

void Frm0738::espejaAnexos() {
    cargaGrilla(Grid_Extranjero_, "TMP_F0738EXTRA");
    cargaGrilla(Grid_Fideicomiso_, "TMP_F0738FIDEI");
    if (panelDividendos_) panelDividendos_->espeja();
}

void Frm0738::llenaListas() {
    // The session filled the lists of the core; the window shows their entries, each as its code
    // and description (the fields the core reads back by position stay in the core's entries).
    const QStringList& tipos = d_->controles.listasDocumento.begin()->second.entradas;
    espejando_ = true;
    cboProfesion_->clear();
    cboProfesion_->addItems(textosVisibles(d_->controles.profesion.entradas));
    AnchoLista(this, cboProfesion_);
    AnchoListaFijo(this, cboProfesion_, 40);
    ListaEntera(cboProfesion_);
    for (auto& [n, c] : cmbtipdoc_) {
        c->clear();
        c->addItems(textosVisibles(tipos, kItemTipoLongitud - 1));
        AnchoLista(this, c);
        AnchoListaFijo(this, c, 40);
        ListaEntera(c);
    }
    espejando_ = false;
}

void Frm0738::cargaGrilla(QTableWidget* t, const QString& tabla) {
    Registros r;
    try {
        r = filasTrabajo(*app_.sesion.Base, tabla);
    } catch (const ErrorBD& e) {
        MuestraErrorAnexo(e);
    }
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setColumnCount(r.columnas());
    t->setRowCount(r.filas());
    QStringList cab;
    for (int c = 0; c < r.columnas(); ++c) cab << r.columna(c).nombre;
    t->setHorizontalHeaderLabels(cab);
    for (int f = 0; f < r.filas(); ++f)
        for (int c = 0; c < r.columnas(); ++c) t->setItem(f, c, new QTableWidgetItem(r.texto(f, c)));
    t->resizeColumnsToContents();
}

void Frm0738::CargaIdent() {
    const bool nueva = app_.valores.ModoDeclaracion == 1;
    CmbRuc_->setEnabled(nueva);
    CmbRuc_->setVisible(nueva);
    TxtNumRuc_->setEnabled(false);
    TxtNumRuc_->setVisible(!nueva);
    if (!nueva) TxtNumRuc_->setText(app_.valores.RucDeclarante);
    pintaFondo(TxtNumRuc_, d_->controles.fondoRuc);
}

// ---- Mirroring the core ----

void Frm0738::espejaCasilla(int n) {
    QLineEdit* e = TxtValor(n);
    if (!e) return;
    const EstadoCasilla& c = d_->casilla(n);
    const bool previo = espejando_;
    espejando_ = true;
    // Never shorter than the text: a shorter limit would cut the value the core holds.
    const int longitud = c.longitudMaxima > 0 ? qMax(c.longitudMaxima, int(c.texto.size())) : 32767;
    if (e->maxLength() < longitud) e->setMaxLength(longitud);
    if (e->text() != c.texto) e->setText(c.texto);
    if (e->maxLength() != longitud) e->setMaxLength(longitud);
    e->setEnabled(c.habilitada);
    e->setReadOnly(c.bloqueada);
    pintaFondo(e, c.fondo);
    describeSoloLectura(e, c.bloqueada || !c.habilitada);
    espejando_ = previo;
}

void Frm0738::espejaControles() {
    const bool previo = espejando_;
    espejando_ = true;
    const Controles& k = d_->controles;
    for (auto& [n, c] : cmbtipdoc_) {
        const Lista& l = k.listasDocumento.at(n);
        if (c->currentIndex() != l.elegida) c->setCurrentIndex(l.elegida);
        c->setEnabled(l.habilitada);
        pintaFondo(c, l.fondo);
    }
    if (cboProfesion_->currentIndex() != k.profesion.elegida)
        cboProfesion_->setCurrentIndex(k.profesion.elegida);
    cboProfesion_->setEnabled(k.profesion.habilitada);
    txtProfesion_->setText(k.descripcionProfesion);
    pintaFondo(txtProfesion_, k.fondoDescripcionProfesion);
    if (TxtTelefono_->text() != k.telefono) TxtTelefono_->setText(k.telefono);
    TxtTelefono_->setEnabled(k.telefonoHabilitado);
    pintaFondo(TxtTelefono_, k.fondoTelefono);
    for (size_t p = 0; p < opciones_.size(); ++p) {
        const Opcion o = k.opciones[p];
        for (size_t i = 0; i < 2; ++i) {
            QRadioButton* b = opciones_[p][i];
            const bool marcar = (i == 0 && o == Opcion::Si) || (i == 1 && o == Opcion::No);
            b->setAutoExclusive(false);
            b->setChecked(marcar);
            b->setAutoExclusive(true);
            b->setEnabled(k.opcionHabilitada[p]);
        }
    }
    if (MkeFecNac_->displayText() != k.fechaNacimiento) {
        const QString f = k.fechaNacimiento;
        MkeFecNac_->setText(f == "__/__/____" ? QString() : f);
    }
    MkeFecNac_->setEnabled(k.fechaHabilitada);
    pintaFondo(MkeFecNac_, k.fondoFecha);
    if (pago_->formaPago() != k.pago.codigo) pago_->setFormaPago(k.pago.codigo);
    if (pago_->codigoBanco() != k.pago.banco) pago_->setCodigoBanco(k.pago.banco);
    if (pago_->numeroCheque() != k.pago.cheque) pago_->setNumeroCheque(k.pago.cheque);
    if (pago_->monto() != k.pago.monto) pago_->setMonto(k.pago.monto);
    pago_->setHabilitado(k.pago.habilitado);
    TxtTotal_->setText(k.TxtTotal);
    pintaFondo(TxtNumRuc_, k.fondoRuc);
    if (fraAmazonia_) fraAmazonia_->setEnabled(k.marcoAmazonia);
    for (size_t i = 0; i < 3; ++i) {
        const Marco& m = k.fraDeuda[i];
        QGroupBox* f = fraDeuda_[i];
        const int ancho = qMax(paginaDeuda_->width(), 400) - 2 * px(m.izquierda);
        int arriba = px(m.arriba);
        // A larger font makes frame 1 taller: frame 2 then starts below it, never over it.
        if (i == 1 && k.fraDeuda[0].visible) arriba = qMax(arriba, fraDeuda_[0]->geometry().bottom() + 1);
        f->setGeometry(px(m.izquierda), arriba, ancho, f->sizeHint().height());
        f->setVisible(m.visible);
    }
    hsDeuda_->setGeometry(px(120), paginaDeuda_->height() - 22,
                          qMax(paginaDeuda_->width(), 400) - 2 * px(120), 18);
    fraOrden_->setVisible(k.marcoOrden);
    if (txtOrden_->text() != k.txtOrden) txtOrden_->setText(k.txtOrden);
    if (txtVerifica_->text() != k.txtVerifica) txtVerifica_->setText(k.txtVerifica);
    Cmdgeneral_[0]->setEnabled(k.validarHabilitado);
    espejando_ = previo;
}

void Frm0738::espejaTodo() {
    for (const auto& [n, e] : TxtValor_) espejaCasilla(n);
    espejaControles();
}

// ---- Events ----

bool Frm0738::focusNextPrevChild(bool siguiente) {
    // The debt page's frames take turns: Tab past the credits brings the balance frame (box 180 and
    // the payment), Shift+Tab before it brings the credits back.
    if (paginaDeuda_->isVisible()) {
        const auto paradasDe = [this](QGroupBox* marco) {
            QList<QWidget*> p;
            for (QWidget* w : cadenaDeTab(this))
                if (marco->isAncestorOf(w)) p << w;
            return p;
        };
        QWidget* f = focusWidget();
        if (siguiente && hsDeuda_->value() == 1) {
            const QList<QWidget*> credito = paradasDe(fraDeuda_[1]);
            if (!credito.isEmpty() && f == credito.last()) {
                // The box is left before its frame hides (hiding would move the focus on by itself).
                f->clearFocus();
                hsDeuda_->setValue(2);
                if (enfocaPrimeraDe(fraDeuda_[2])) return true;
            }
        } else if (!siguiente && hsDeuda_->value() == 2) {
            const QList<QWidget*> saldo = paradasDe(fraDeuda_[2]);
            if (!saldo.isEmpty() && f == saldo.first()) {
                f->clearFocus();
                hsDeuda_->setValue(1);
                QList<QWidget*> credito = paradasDe(fraDeuda_[1]);
                if (credito.isEmpty()) credito = paradasDe(fraDeuda_[0]);
                if (!credito.isEmpty()) {
                    credito.last()->setFocus(Qt::BacktabFocusReason);
                    return true;
                }
            }
        }
    }
    return enfocaEnVentana(this, siguiente);
}

bool Frm0738::enfocaPrimeraDe(QWidget* contenedor) {
    QWidget* primera = nullptr;
    for (QWidget* w : cadenaDeTab(this)) {
        if (!contenedor->isAncestorOf(w)) continue;
        // A box before a strip or a command: the strip of a page with sub-pages is no box.
        if (!qobject_cast<QTabBar*>(w) && !qobject_cast<QPushButton*>(w)) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (!primera) primera = w;
    }
    if (primera) primera->setFocus(Qt::TabFocusReason);
    return primera != nullptr;
}

void Frm0738::pasaConEnter(QWidget* w) {
    const QList<QWidget*> cadena = cadenaDeTab(this);
    const int i = int(cadena.indexOf(w));
    QWidget* siguiente = i >= 0 && i + 1 < cadena.size() ? cadena[i + 1] : nullptr;
    // The page (or sub-page) that holds w.
    QWidget* pagina = nullptr;
    for (QTabWidget* t : {SSTab2_, SSTab3_, SSTab5_, tabPrincipal_})
        if (t->currentWidget() && t->currentWidget()->isAncestorOf(w)) {
            pagina = t->currentWidget();
            break;
        }
    const bool enPagina = siguiente && pagina && pagina->isAncestorOf(siguiente) &&
                          !qobject_cast<QPushButton*>(siguiente) && !qobject_cast<QTabBar*>(siguiente);
    // The credits' last box goes on to the balance frame (focusNextPrevChild).
    const bool aSaldo = pagina == paginaDeuda_ && hsDeuda_->value() == 1 && fraDeuda_[1]->isAncestorOf(w);
    if (enPagina || aSaldo) {
        PasaSiguiente("TAB", w);
        return;
    }
    // After a sub-page's last box: the next sub-page, or the next page; never a command.
    for (QTabWidget* t : {SSTab2_, SSTab3_, SSTab5_}) {
        if (!t->currentWidget() || !t->currentWidget()->isAncestorOf(w)) continue;
        if (t->currentIndex() + 1 < t->count()) {
            t->setCurrentIndex(t->currentIndex() + 1);
            enfocaPrimeraDe(t->currentWidget());
            return;
        }
        break;
    }
    int p = tabPrincipal_->currentIndex() + 1;
    while (p < tabPrincipal_->count() && (!tabPrincipal_->isTabVisible(p) || !tabPrincipal_->isTabEnabled(p)))
        ++p;
    if (p >= tabPrincipal_->count()) return;  // the last box of the last page keeps the focus
    tabPrincipal_->setCurrentIndex(p);
    if (tabPrincipal_->currentIndex() != p) return;  // refused: the checks put the focus where it is needed
    QWidget* destino = tabPrincipal_->widget(p);
    if (auto* sub = qobject_cast<QTabWidget*>(destino)) {
        sub->setCurrentIndex(0);
        destino = sub->currentWidget();
    }
    if (destino == paginaDeuda_) hsDeuda_->setValue(1);
    enfocaPrimeraDe(destino);
}

void Frm0738::letrasDePagina() {
    // The page shown now: a refused change has already brought page 0 back.
    const int pagina = tabPrincipal_->currentIndex();
    // Page 3's sub-pages answer Alt+D and Alt+I: meanwhile the pages "&Identificación" and
    // "Determinación de la &Deuda" give up their letters, so that each letter reaches one control.
    const auto& pp = ui::pestanasPrincipal();
    for (int i : {0, 2}) {
        const QString texto =
            pagina == 3 ? QString(pp[size_t(i)].caption).remove('&') : pp[size_t(i)].caption;
        if (tabPrincipal_->tabText(i) != texto) tabPrincipal_->setTabText(i, texto);
    }
}

bool Frm0738::eventFilter(QObject* o, QEvent* e) {
    if (o == paginaDeuda_ && e->type() == QEvent::Resize) {
        espejaControles();
        return false;
    }
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return QDialog::eventFilter(o, e);
    const QVariant prop = w->property("casilla");
    const int n = prop.isValid() ? prop.toInt() : 0;

    if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton &&
        (n || w == TxtTelefono_))
        d_->clicDerecho();

    if (n && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) {
        const auto razon = static_cast<QFocusEvent*>(e)->reason();
        // Switching windows or opening a menu is not leaving the box.
        if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason) return false;
        if (e->type() == QEvent::FocusIn) {
            if (d_->entraFoco(n) == AccionVista::FocoPestanas) tabPrincipal_->setFocus(Qt::OtherFocusReason);
        } else {
            d_->saleFoco(n);
        }
        return false;
    }
    if (w == MkeFecNac_ && e->type() == QEvent::FocusOut) {
        const auto razon = static_cast<QFocusEvent*>(e)->reason();
        if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason) d_->saleFechaNacimiento();
        return false;
    }
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(o, e);

    auto* k = static_cast<QKeyEvent*>(e);
    if (w == CmbRuc_) {
        // The list takes no typed keys (no choosing by typing); the keys that leave it or open its
        // drop-down still work, so that a taxpayer can be chosen without the mouse.
        const bool alt = k->modifiers() & Qt::AltModifier;
        switch (k->key()) {
            case Qt::Key_F1:
            case Qt::Key_F4:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Space:
            case Qt::Key_Escape:
                return false;
            case Qt::Key_Down:
            case Qt::Key_Up:
                return !alt;
            default:
                return true;
        }
    }
    // Enter in a list or in the date of birth moves on as it does in a box.
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
        (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (w == MkeFecNac_ || (pago_ && pago_->isAncestorOf(w)) ||
         (qobject_cast<QComboBox*>(w) && !static_cast<QComboBox*>(w)->view()->isVisible()))) {
        pasaConEnter(w);
        return true;
    }
    const bool shift = k->modifiers() & Qt::ShiftModifier;
    if (n && ((k->key() == Qt::Key_Insert && shift) || k->key() == Qt::Key_Menu))
        d_->teclaAbajo(k->key() == Qt::Key_Insert ? 45 : 93, shift);

    // Tab, Shift+Tab and Escape move the focus or close: no key filter ever sees them.
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab || k->key() == Qt::Key_Escape) return false;
    // Undo and redo are the box's own: the filters would take Ctrl+Z for a character (26) and throw
    // it away. They only bring back what was typed in the box since it took the focus, and the
    // box's change runs the recalculation as typing does.
    if (k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo)) return false;
    int codigo = 0;
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
        codigo = kTeclaEnter;
    else if (k->key() == Qt::Key_Backspace)
        codigo = kTeclaRetroceso;
    else if (!k->text().isEmpty())
        codigo = k->text().at(0).unicode();
    if (codigo == 0) return false;  // keys that type nothing reach the control unfiltered

    ResultadoTecla r{codigo};
    if (n)
        r = d_->tecla(n, codigo);
    else if (w == TxtTelefono_)
        r = d_->teclaTelefono(codigo);
    else if (w == txtOrden_)
        r = d_->teclaOrden(codigo);
    else if (w == txtVerifica_)
        r = d_->teclaVerifica(codigo);
    else
        return false;

    switch (r.accion) {
        case AccionVista::Siguiente:
            pasaConEnter(w);
            return true;
        case AccionVista::FocoVerifica:
            txtVerifica_->setFocus(Qt::TabFocusReason);
            return true;
        case AccionVista::AbreExoneradas:
        case AccionVista::AbreInafectas: {
            abreDetalleRentas(*d_, r.accion, this);
            return true;
        }
        default:
            break;
    }
    if (r.tecla == 0) return true;
    if (r.tecla == codigo) return false;
    // The filter changed the key (upper case): the control gets the changed one.
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->insert(QString(QChar(r.tecla)));
    return true;
}

void Frm0738::paginaCambiada(int pagina) {
    const int previa = paginaPrevia_;
    paginaPrevia_ = pagina;
    const bool enviada = app_.valores.DeclaracionEnviada;
    if (previa == 0 && pagina != 0 && !enviada) {
        if (!ValIdent("1")) {
            if (tabPrincipal_->currentIndex() != 0) tabPrincipal_->setCurrentIndex(0);
            return;
        }
    }
    if (!enviada && pagina >= 0 && pagina < int(ui::pestanasPrincipal().size()))
        contextoAyuda_ = ui::pestanasPrincipal()[size_t(pagina)].ayuda;
}

void Frm0738::eligeRuc(int indice) {
    if (espejando_ || indice < 0) return;
    const SesionDeclaracion::Eleccion e = sesion_->eligeContribuyente(CmbRuc_->itemText(indice));
    // Narrowed to the RUC once chosen (the whole eleven digits); the drop-down keeps its width.
    CmbRuc_->setMinimumWidth(0);
    CmbRuc_->setFixedWidth(qMax(px(1340), anchoComboPara(CmbRuc_, QString(11, '9'))));
    // The narrowed list shows the RUC; its tip the whole entry.
    CmbRuc_->setToolTip(CmbRuc_->itemText(indice).simplified());
    if (e.existe) tabPrincipal_->setCurrentIndex(0);
    if (e.restaurada) {
        espejaTodo();
        espejaAnexos();
    }
}

void Frm0738::aplicaFoco(FocoIdent f) {
    if (f == FocoIdent::CmbRuc) CmbRuc_->setFocus(Qt::OtherFocusReason);
    if (f == FocoIdent::Telefono) TxtTelefono_->setFocus(Qt::OtherFocusReason);
    if (f == FocoIdent::Rectifica) {
        QRadioButton* no = opcion(Pregunta::Rectifica, Opcion::No);
        (no->isChecked() ? no : opcion(Pregunta::Rectifica, Opcion::Si))->setFocus(Qt::OtherFocusReason);
    }
}

bool Frm0738::muestraIdent(const ResultadoIdent& r) {
    if (r.pagina0 && tabPrincipal_->currentIndex() != 0) {
        paginaPrevia_ = 0;
        const bool previo = tabPrincipal_->blockSignals(true);
        tabPrincipal_->setCurrentIndex(0);
        tabPrincipal_->blockSignals(previo);
        contextoAyuda_ = ui::pestanasPrincipal()[0].ayuda;
        letrasDePagina();
    }
    aplicaFoco(r.foco);
    return r.ok;
}

bool Frm0738::ValIdent(const QString& modo, const std::function<void(const QString&)>& linea) {
    return muestraIdent(sesion_->ValIdent(modo, linea));
}

// ---- Commands ----

void Frm0738::Validar() {
    if (validaTodo) validaTodo(*this);
}

void Frm0738::GrabarForm() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The messages of the checks show with the usual cursor.
    const auto identificacion = [this] {
        QApplication::restoreOverrideCursor();
        const bool ok = ValIdent("1");
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return ok;
    };
    if (app_.valores.DeclaracionEnviada) QApplication::restoreOverrideCursor();
    const SesionDeclaracion::Guardado g = sesion_->graba(txtOrden_->text(), txtVerifica_->text(), identificacion);
    if (!app_.valores.DeclaracionEnviada) QApplication::restoreOverrideCursor();
    if (g.focoVerifica) txtVerifica_->setFocus(Qt::OtherFocusReason);
    if (!g.grabado) return;  // the window keeps everything typed, for another try
    if (CerrarAlGrabar_) {
        app_.sesion.Periodo.clear();  // the next window or list sets it again
        cerrando_ = true;
        done(QDialog::Accepted);
        return;
    }
    CargaIdent();
}

void Frm0738::Salir() {
    switch (sesion_->decideCierre(txtOrden_->text(), txtVerifica_->text())) {
        case DecisionCierre::Quedarse:
            return;
        case DecisionCierre::Cerrar:
            cerrando_ = true;
            done(QDialog::Accepted);
            return;
        case DecisionCierre::Grabar:
            CerrarAlGrabar_ = true;
            GrabarForm();  // closes once it is stored
            return;
    }
}

void Frm0738::closeEvent(QCloseEvent* e) {
    if (cerrando_) {
        e->accept();
        return;
    }
    // The window's close box asks as "&Salir" does.
    e->ignore();
    Salir();
}

void Frm0738::reject() {
    // Reached when the main window unloads the window; Escape never gets here (keyPressEvent).
    cerrando_ = true;
    QDialog::reject();
}

void Frm0738::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    // A change of theme while the window is open: every box is painted again from the new palette.
    if (e->type() != QEvent::ApplicationPaletteChange) return;
    espejaTodo();
    pintaFondo(TxtTotal_, Fondo::BotonCara);
    for (QLabel* l : findChildren<QLabel*>())
        if (l->objectName().startsWith("numeroCasilla_")) tineNumero(l);
}

void Frm0738::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(e);
}

}  // namespace qvr
