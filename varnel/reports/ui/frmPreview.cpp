#include "varnel/reports/ui/frmPreview.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>
#include <functional>

#include "platform/dialogs.h"
#include "platform/ui/geometria.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/reports/dibujo_reporte.h"

namespace qvr::reporte {

// picFondo: the white panel; it paints the shown page picture at its current offset.
class PanelPagina : public QWidget {
  public:
    explicit PanelPagina(frmPreview* f) : QWidget(f), f_(f) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
        setMinimumSize(200, 200);
        setFocusPolicy(Qt::StrongFocus);
        setObjectName(QStringLiteral("picFondo"));
        setAccessibleName(QStringLiteral("Página del reporte"));
    }
    QPoint origen;
    // 1: the page at its printed size on the screen; below 1 when fitted to the panel's width.
    double escala = 1.0;
    // The page takes the keyboard focus; the window's keys page and scroll it.
    // The picture's size in pixels at the screen's resolution, in the shown page's orientation.
    QSize tamanoPagina() const {
        const OrientacionHoja o = f_->visor().orientacion(f_->visor().iNroHoja());
        return (tamanoHojaTwips(o) * (ppp() / kTwipsPorPulgada)).toSize();
    }
    double ppp() const { return logicalDpiY() * escala; }
    // The text of the shown page, read once per page.
    const QString& texto() {
        const int n = f_->visor().iNroHoja();
        if (n != hojaTexto_) {
            texto_ = f_->visor().texto(n);
            hojaTexto_ = n;
        }
        return texto_;
    }
    void olvidaTexto() { hojaTexto_ = -1; }

  protected:
    void wheelEvent(QWheelEvent* e) override {
        f_->rueda(e->angleDelta().y() / 120.0);
        e->accept();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const qreal dpr = devicePixelRatioF();
        QImage img = f_->visor().imagen(f_->visor().iNroHoja(), ppp() * dpr);
        img.setDevicePixelRatio(dpr);
        p.drawImage(origen, img);
    }

  private:
    frmPreview* f_;
    int hojaTexto_ = -1;
    QString texto_;
};

namespace {

// What a screen reader gets of the page: a read-only document whose text is the page's texts,
// line by line.
class PaginaAccesible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit PaginaAccesible(PanelPagina* p) : QAccessibleWidget(p, QAccessible::Document), p_(p) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return contenido();
        return QAccessibleWidget::text(t);
    }

    QString text(int inicio, int fin) const override { return contenido().mid(inicio, fin - inicio); }
    int characterCount() const override { return int(contenido().size()); }
    int cursorPosition() const override { return cursor_; }
    void setCursorPosition(int posicion) override { cursor_ = qBound(0, posicion, characterCount()); }
    void selection(int, int* inicio, int* fin) const override { *inicio = *fin = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* inicio, int* fin) const override {
        *inicio = 0;
        *fin = characterCount();
        return {};
    }

  private:
    const QString& contenido() const { return p_->texto(); }
    PanelPagina* p_;
    int cursor_ = 0;
};

QAccessibleInterface* fabricaPagina(const QString& clase, QObject* o) {
    if (clase != QLatin1String("QWidget")) return nullptr;
    if (auto* p = dynamic_cast<PanelPagina*>(o)) return new PaginaAccesible(p);
    return nullptr;
}

}  // namespace

frmPreview::frmPreview(QString rutaReportes, RangoHojas rango, QWidget* padre)
    : QDialog(padre), visor_(std::move(rutaReportes), rango) {
    setWindowTitle(QStringLiteral("Presentación Preliminar"));
    // The help topic of the print selection that opens it.
    setProperty(kPropiedadAyuda, contextoAyudaDe(padre));
    conectaAyuda(this);
    setModal(true);
    resize(900, 700);
    restauraGeometria(this, "Varnel/frmPreview");
    recuerdaGeometria(this, "Varnel/frmPreview");

    tlbPrevia_ = new QToolBar(this);
    const struct {
        QStyle::StandardPixmap icono;
        const char* tip;
    } b[4] = {{QStyle::SP_ArrowBack, "Pag Anterior"},
              {QStyle::SP_ArrowForward, "Pag Sgt"},
              {QStyle::SP_FileDialogDetailedView, "Imprimir"},
              {QStyle::SP_DialogCloseButton, "Salir"}};
    for (int i = 0; i < 4; ++i) {
        QIcon icono =
            i == 2 ? QIcon::fromTheme(QStringLiteral("document-print"), style()->standardIcon(b[i].icono))
                   : style()->standardIcon(b[i].icono);
        botones_[i] = tlbPrevia_->addAction(icono, QString::fromUtf8(b[i].tip));
        botones_[i]->setToolTip(QString::fromUtf8(b[i].tip));
        // Tab reaches the buttons too.
        if (QWidget* w = tlbPrevia_->widgetForAction(botones_[i])) w->setFocusPolicy(Qt::TabFocus);
        const int indice = i + 2;
        connect(botones_[i], &QAction::triggered, this, [this, indice] { pulsaBoton(indice); });
    }

    // The page's width fitted to the window, or the page at its printed size.
    ajusteAncho_ =
        tlbPrevia_->addAction(QIcon::fromTheme(QStringLiteral("zoom-fit-width"),
                                               style()->standardIcon(QStyle::SP_TitleBarMaxButton)),
                              QStringLiteral("Ajustar al ancho"));
    ajusteAncho_->setObjectName(QStringLiteral("ajusteAncho"));
    ajusteAncho_->setCheckable(true);
    ajusteAncho_->setToolTip(QStringLiteral("Ajustar al ancho (W)"));
    if (QWidget* w = tlbPrevia_->widgetForAction(ajusteAncho_)) w->setFocusPolicy(Qt::TabFocus);
    connect(ajusteAncho_, &QAction::toggled, this, [this] { ajustaBarras(); });

    static const bool fabrica = [] {
        QAccessible::installFactory(fabricaPagina);
        return true;
    }();
    (void)fabrica;
    picFondo_ = new PanelPagina(this);
    // The bars follow the page; the keyboard scrolls the page itself, so they are no tab stops.
    for (auto*& v : vsb_) {
        v = new QScrollBar(Qt::Vertical, this);
        v->setSingleStep(20);
        v->setFocusPolicy(Qt::NoFocus);
    }
    hsb_ = new QScrollBar(Qt::Horizontal, this);
    hsb_->setSingleStep(20);
    hsb_->setFocusPolicy(Qt::NoFocus);
    connect(vsb_[0], &QScrollBar::valueChanged, this, [this] { vsbPic_Change(0); });
    connect(vsb_[1], &QScrollBar::valueChanged, this, [this] { vsbPic_Change(1); });
    connect(hsb_, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

    auto* rejilla = new QGridLayout;
    rejilla->setSpacing(0);
    rejilla->addWidget(vsb_[0], 0, 0);
    rejilla->addWidget(picFondo_, 0, 1);
    rejilla->addWidget(vsb_[1], 0, 2);
    rejilla->addWidget(hsb_, 1, 1);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(0);
    todo->addWidget(tlbPrevia_);
    todo->addLayout(rejilla, 1);

    teclas();

    // The rest of the file is read in small steps while the first page is already shown.
    indexa_.setInterval(0);
    connect(&indexa_, &QTimer::timeout, this, &frmPreview::continuaIndice);
}

frmPreview::~frmPreview() = default;

// Page Up / Page Down and Home / End page, the arrows scroll, Ctrl+P prints, Escape closes.
void frmPreview::teclas() {
    const struct {
        QKeySequence tecla;
        std::function<void()> accion;
    } t[] = {
        {QKeySequence(Qt::Key_PageUp), [this] { pulsaBoton(2); }},
        {QKeySequence(Qt::Key_PageDown), [this] { pulsaBoton(3); }},
        {QKeySequence(Qt::Key_Home), [this] { pMostrar(0); }},
        {QKeySequence(Qt::Key_End), [this] { ultima(); }},
        {QKeySequence(Qt::Key_Up), [this] { desplaza(vsb_[0], -1); }},
        {QKeySequence(Qt::Key_Down), [this] { desplaza(vsb_[0], 1); }},
        {QKeySequence(Qt::Key_Left), [this] { desplaza(hsb_, -1); }},
        {QKeySequence(Qt::Key_Right), [this] { desplaza(hsb_, 1); }},
        {QKeySequence::Print, [this] { pulsaBoton(4); }},
        {QKeySequence(Qt::Key_W), [this] { ajusteAncho_->toggle(); }},
        {QKeySequence(Qt::Key_Escape), [this] { pulsaBoton(5); }},
    };
    for (const auto& x : t) {
        auto* s = new QShortcut(x.tecla, this);
        s->setAutoRepeat(true);
        connect(s, &QShortcut::activated, this, x.accion);
    }
}

void frmPreview::desplaza(QScrollBar* barra, int pasos) { barra->setValue(barra->value() + pasos * barra->singleStep()); }

void frmPreview::ultima() {
    if (!visor_.ultima()) {
        indexa_.stop();
        reject();
        return;
    }
    indexa_.stop();
    pMostrar(-1);
}

void frmPreview::rueda(double pasos) {
    QScrollBar* v = vsb_[0];
    const int antes = visor_.iNroHoja();
    if (pasos < 0 && v->value() >= v->maximum()) {
        pulsaBoton(3);
    } else if (pasos > 0 && v->value() <= v->minimum()) {
        pulsaBoton(2);
        // Reading back up: the previous page shows its end.
        if (visor_.iNroHoja() != antes) v->setValue(v->maximum());
    } else {
        v->setValue(v->value() - int(std::lround(pasos * 3 * v->singleStep())));
    }
}

QAction* frmPreview::accion(int indice) const {
    return indice >= 2 && indice <= 5 ? botones_[indice - 2] : nullptr;
}

QPoint frmPreview::posicionPagina() const { return picFondo_->origen; }

QSize frmPreview::tamanoPagina() const { return picFondo_->tamanoPagina(); }

QWidget* frmPreview::pagina() const { return picFondo_; }

bool frmPreview::carga() {
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool sigue = visor_.pDesencripta(visor_.sRut(), kModoPrevia);
        QApplication::restoreOverrideCursor();
        if (!sigue) return false;
        pMostrar(0);
        picFondo_->setFocus();
        if (!visor_.indiceCompleto()) indexa_.start();
        return true;
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        dialogos().muestra(QStringLiteral("Error tecnico: 0\n%1\nIntente nuevamente por favor.")
                               .arg(QString::fromLocal8Bit(e.what())),
                           QStringLiteral("Error"), Icono::Error);
        return false;
    }
}

void frmPreview::continuaIndice() {
    if (!visor_.continuaIndice()) {
        indexa_.stop();
        reject();
        return;
    }
    if (visor_.indiceCompleto()) indexa_.stop();
}

void frmPreview::pulsaBoton(int indice) {
    const int antes = visor_.iNroHoja();
    if (!visor_.boton(indice)) {
        indexa_.stop();
        reject();
        return;
    }
    if (indice == 2 || indice == 3) {
        if (visor_.iNroHoja() != antes) picFondo_->origen = QPoint(picFondo_->origen.x(), 0);
        // Both vertical bars return to 0 in every case.
        pMostrar(indice == 2 ? -2 : -1);
    }
}

void frmPreview::pMostrar(int n) {
    if (n == 0) visor_.pMostrar(0);
    picFondo_->origen.setY(0);
    ajustaBarras();
    for (auto* v : vsb_) v->setValue(0);
    picFondo_->update();
    anunciaPagina();
}

// A screen reader hears which page is shown, and reads its text anew.
void frmPreview::anunciaPagina() {
    const int n = visor_.iNroHoja();
    const QString nombre =
        QStringLiteral("Página del reporte, hoja %1 de %2").arg(n + 1).arg(visor_.paginas());
    if (picFondo_->accessibleName() == nombre && n == hojaAnunciada_) return;
    hojaAnunciada_ = n;
    picFondo_->setAccessibleName(nombre);
    picFondo_->olvidaTexto();
    QAccessibleTextUpdateEvent e(picFondo_, 0, QString(), picFondo_->texto());
    QAccessible::updateAccessibility(&e);
}

double frmPreview::escala() const { return picFondo_->escala; }

void frmPreview::ajustaBarras() {
    // Fitted to the width: the page as wide as the panel, the bars only for its height.
    picFondo_->escala = 1.0;
    if (ajusteAncho_->isChecked()) {
        const int ancho = picFondo_->tamanoPagina().width();
        if (ancho > 0) picFondo_->escala = double(picFondo_->width()) / ancho;
    }
    const QSize pagina = picFondo_->tamanoPagina();
    const int alto = std::max(0, pagina.height() - picFondo_->height());
    const int ancho = std::max(0, pagina.width() - picFondo_->width());
    for (auto* v : vsb_) {
        v->setRange(0, alto);
        v->setPageStep(std::max(1, picFondo_->height()));
    }
    hsb_->setRange(0, ancho);
    hsb_->setPageStep(std::max(1, picFondo_->width()));
    // A shorter range has moved the bars; the page follows them.
    picFondo_->origen = QPoint(-hsb_->value(), -vsb_[0]->value());
    picFondo_->update();
}

void frmPreview::vsbPic_Change(int i) {
    if (moviendo_) return;
    moviendo_ = true;
    picFondo_->origen.setY(-vsb_[0]->value());
    if (i == 1) picFondo_->origen.setY(-vsb_[1]->value());
    for (auto* v : vsb_) v->setValue(vsb_[i]->value());
    moviendo_ = false;
    picFondo_->update();
}

void frmPreview::HScroll1_Change() {
    picFondo_->origen.setX(-hsb_->value());
    picFondo_->update();
}

void frmPreview::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    ajustaBarras();
}

void VerReporte(const QString& archivo, const QString& modo, const QString& rutaReportes, RangoHojas rango,
                QWidget* padre) {
    if (modo == kVerPrevia) {
        frmPreview f(rutaReportes, rango, padre);
        f.visor().fijaRut(archivo);
        if (f.carga()) f.exec();
        return;
    }
    VisorReporte v(rutaReportes, rango);
    v.fijaRut(archivo);
    v.pDesencripta(archivo, modo);
}

}  // namespace qvr::reporte
