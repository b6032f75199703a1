#include "varnel/app/ui/ayuda.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/datos_instalados.h"

// Resources of a static library are registered by hand.
static void registraRecursosAyuda() { Q_INIT_RESOURCE(ayuda); }

namespace qvr {

QString origenAyuda() {
    const QString instalada = archivoInstalado("Varnel.html");
    if (!instalada.isEmpty()) return instalada;
    registraRecursosAyuda();
    return QStringLiteral(":/varnel/ayuda/Varnel.html");
}

namespace {
// The help the earlier versions put in place (SHA-256 of the file). A file still equal to one of
// them was never edited, and is brought up to date; any other file is the host's own help.
bool esAyudaAnterior(const QString& ruta) {
    static const QByteArrayList kAnteriores = {
        "394e7426b9e83f58bd5f159d6faa1149dfca57759618501ad38f02ff68e7d6b0",
    };
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (!h.addData(&f)) return false;
    return kAnteriores.contains(h.result().toHex());
}
}  // namespace

bool instalaAyuda(const QString& ruta) {
    if (QFileInfo::exists(ruta)) {
        if (!esAyudaAnterior(ruta)) return true;
        if (!QFile::remove(ruta)) return true;  // the earlier help stays
    }
    const QFileInfo destino(ruta);
    if (!QDir().mkpath(destino.absolutePath())) return false;
    if (!QFile::copy(origenAyuda(), ruta)) return false;
    // A copy out of the resources or of the installation is read-only; the host may want to replace it.
    QFile::setPermissions(ruta, QFile::permissions(ruta) | QFile::WriteOwner);
    return true;
}

int contextoAyudaDe(const QWidget* w) {
    for (; w; w = w->parentWidget()) {
        const QVariant c = w->property(kPropiedadAyuda);
        if (c.isValid()) return c.toInt();
    }
    return 0;
}

namespace {
std::function<void(int)>& mostrarAyuda() {
    static std::function<void(int)> f;
    return f;
}
}  // namespace

std::function<void(int)> instalaMostrarAyuda(std::function<void(int)> f) {
    std::function<void(int)> previa = std::move(mostrarAyuda());
    mostrarAyuda() = std::move(f);
    return previa;
}

void conectaAyuda(QWidget* ventana) {
    // Two F1 shortcuts in one window would cancel each other out.
    static const QString kNombre = QStringLiteral("atajoAyuda");
    if (ventana->findChild<QShortcut*>(kNombre, Qt::FindDirectChildrenOnly)) return;
    auto* f1 = new QShortcut(QKeySequence::HelpContents, ventana);
    f1->setObjectName(kNombre);
    QObject::connect(f1, &QShortcut::activated, ventana, [ventana] {
        if (mostrarAyuda()) mostrarAyuda()(contextoAyudaDe(ventana));
    });
}

void asignaAyuda(QWidget* ventana, int tema) {
    ventana->setProperty(kPropiedadAyuda, tema);
    conectaAyuda(ventana);
}

namespace {
constexpr QSize kTamanoAyuda(620, 520);
// The frame a window manager adds, until the window has been shown once: borders and a title bar.
constexpr QSize kMarcoSupuesto(16, 40);
}  // namespace

QRect FrmAyuda::geometriaEn(const QRect& area, const QPoint& centro, QSize marco) {
    const QSize tam = kTamanoAyuda.boundedTo(area.size() - marco).expandedTo(QSize(200, 150));
    QRect f(QPoint(0, 0), tam + marco);
    f.moveCenter(centro);
    f.moveLeft(qMax(area.left(), qMin(f.left(), area.right() + 1 - f.width())));
    f.moveTop(qMax(area.top(), qMin(f.top(), area.bottom() + 1 - f.height())));
    // The window's own geometry inside that frame (the frame's top-left is where move() puts it).
    return QRect(f.topLeft(), tam);
}

void FrmAyuda::cabeEnPantalla() {
    QWidget* junto = parentWidget() && parentWidget()->isVisible() ? parentWidget()->window() : nullptr;
    QScreen* pantalla = junto ? junto->screen() : screen();
    if (!pantalla) return;
    const QRect area = pantalla->availableGeometry();
    const QSize marco = isVisible() ? frameGeometry().size() - size() : kMarcoSupuesto;
    const QRect g = geometriaEn(area, junto ? junto->frameGeometry().center() : area.center(), marco);
    resize(g.size());
    move(g.topLeft());
}

FrmAyuda::FrmAyuda(QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName("FrmAyuda");
    setWindowTitle("Ayuda - " + QStringLiteral("Declaración Pago Anual Impuesto a la Renta"));
    texto_ = new QTextBrowser(this);
    texto_->setObjectName("txtAyuda");
    texto_->setOpenLinks(true);
    auto* contenido = new QPushButton("&Contenido", this);
    contenido->setObjectName("cmdContenido");
    auto* atras = new QPushButton("&Atrás", this);
    atras->setObjectName("cmdAtras");
    auto* cerrar = new QPushButton("C&errar", this);
    cerrar->setObjectName("cmdCerrar");
    auto* botones = new QHBoxLayout;
    botones->addWidget(contenido);
    botones->addWidget(atras);
    botones->addStretch(1);
    botones->addWidget(cerrar);
    auto* l = new QVBoxLayout(this);
    l->addLayout(botones);
    l->addWidget(texto_, 1);
    connect(contenido, &QPushButton::clicked, this, [this] { muestra(ruta_, 0); });
    connect(atras, &QPushButton::clicked, texto_, &QTextBrowser::backward);
    connect(texto_, &QTextBrowser::backwardAvailable, atras, &QPushButton::setEnabled);
    atras->setEnabled(false);
    connect(cerrar, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(kTamanoAyuda);
}

void FrmAyuda::muestra(const QString& ruta, int contexto) {
    ruta_ = ruta;
    contexto_ = contexto;
    QUrl url = QUrl::fromLocalFile(ruta);
    if (contexto > 0) url.setFragment(QString::number(contexto));
    texto_->setSource(url);
    if (contexto == 0) texto_->scrollToAnchor("contenido");
    // Placed once, when it is opened: where the user then puts it is his.
    if (!isVisible()) cabeEnPantalla();
}

}  // namespace qvr
