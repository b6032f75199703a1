#include "varnel/app/ui/ayuda.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
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

bool instalaAyuda(const QString& ruta) {
    if (QFileInfo::exists(ruta)) return true;
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
    auto* f1 = new QShortcut(QKeySequence::HelpContents, ventana);
    QObject::connect(f1, &QShortcut::activated, ventana, [ventana] {
        if (mostrarAyuda()) mostrarAyuda()(contextoAyudaDe(ventana));
    });
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
    resize(620, 520);
}

void FrmAyuda::muestra(const QString& ruta, int contexto) {
    ruta_ = ruta;
    contexto_ = contexto;
    QUrl url = QUrl::fromLocalFile(ruta);
    if (contexto > 0) url.setFragment(QString::number(contexto));
    texto_->setSource(url);
    if (contexto == 0) texto_->scrollToAnchor("contenido");
}

}  // namespace qvr
