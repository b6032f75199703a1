#include "varnel/computation/ui/frm_consist.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "platform/paths.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/common/ui/foco.h"
#include "varnel/computation/rep_inconsist.h"

namespace qvr {

namespace {

QFont fuenteListado() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    if (!QFontDatabase::hasFamily(f.family())) f.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
    return f;
}

}  // namespace

FrmConsist::FrmConsist(const QString& ruta, std::vector<Inconsistencia> lineas, QWidget* padre)
    : QDialog(padre), ruta_(ruta), lineas_(std::move(lineas)) {
    setObjectName("FrmConsist");
    setWindowTitle("Inconsistencias detectadas");
    setModal(true);
    asignaAyuda(this, 1071);
    resize(640, 400);

    auto* etiqueta = new QLabel("En su declaración se han detectado las siguientes inconsistencias :", this);
    TxtPreliminar = new QPlainTextEdit(this);
    TxtPreliminar->setObjectName("TxtPreliminar");
    TxtPreliminar->setFont(fuenteListado());
    TxtPreliminar->setReadOnly(true);
    TxtPreliminar->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    TxtPreliminar->setAccessibleName(QStringLiteral("Inconsistencias detectadas"));
    // A line wider than the window goes on below, never sideways out of sight.
    TxtPreliminar->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    TxtPreliminar->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    cmdImprimir = new QPushButton("&Imprimir", this);
    cmdImprimir->setObjectName("cmdImprimir");
    CmdGrabar = new QPushButton("&Aceptar", this);
    CmdGrabar->setObjectName("CmdGrabar");
    CmdGrabar->setAutoDefault(false);
    cmdImprimir->setAutoDefault(false);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdImprimir);
    botones->addWidget(CmdGrabar);
    auto* l = new QVBoxLayout(this);
    l->addWidget(etiqueta);
    l->addWidget(TxtPreliminar, 1);
    l->addLayout(botones);

    QString texto;
    QFile f(rutaFs(ruta_));
    if (f.open(QIODevice::ReadOnly)) {
        texto = QString::fromUtf8(f.readAll());
        texto.replace("\r\n", "\n");
    } else {
        for (const Inconsistencia& i : lineas_) texto += i.texto + "\n";
    }
    TxtPreliminar->setPlainText(texto);
    ajustaAncho();

    connect(cmdImprimir, &QPushButton::clicked, this, [this] { RepInconsist(ruta_); });
    connect(CmdGrabar, &QPushButton::clicked, this, &QDialog::accept);
    TxtPreliminar->viewport()->installEventFilter(this);
    TxtPreliminar->installEventFilter(this);
}

// As wide as the longest line (within the screen), so that each line shows on one row.
void FrmConsist::ajustaAncho() {
    const QFontMetrics fm(TxtPreliminar->font());
    int linea = 0;
    for (QTextBlock b = TxtPreliminar->document()->begin(); b.isValid(); b = b.next())
        linea = qMax(linea, fm.horizontalAdvance(b.text()));
    const QMargins m = layout()->contentsMargins();
    const int resto = m.left() + m.right() + 2 * TxtPreliminar->frameWidth() +
                      TxtPreliminar->verticalScrollBar()->sizeHint().width();
    int ancho = qMax(width(), linea + resto + 2 * int(TxtPreliminar->document()->documentMargin()) + 24);
    if (const QScreen* p = screen()) ancho = qMin(ancho, p->availableGeometry().width() - 40);
    resize(ancho, height());
}

int FrmConsist::casillaDeLinea(int i) const {
    return i >= 0 && size_t(i) < lineas_.size() ? lineas_[size_t(i)].casilla : 0;
}

void FrmConsist::eligeLinea(int i) {
    const int casilla = casillaDeLinea(i);
    if (casilla == 0) return;  // the line names no single box: the window stays
    elegida_ = casilla;
    if (alElegirCasilla) alElegirCasilla(casilla);
    accept();
}

bool FrmConsist::focusNextPrevChild(bool siguiente) { return enfocaEnVentana(this, siguiente); }

bool FrmConsist::eventFilter(QObject* o, QEvent* e) {
    if (o == TxtPreliminar->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        const auto* m = static_cast<QMouseEvent*>(e);
        eligeLinea(TxtPreliminar->cursorForPosition(m->position().toPoint()).blockNumber());
        return true;
    }
    if (o == TxtPreliminar && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            eligeLinea(TxtPreliminar->textCursor().blockNumber());
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

int MuestraInconsistencias(const QString& ruta, const std::vector<Inconsistencia>& lineas, QWidget* padre) {
    FrmConsist w(ruta, lineas, padre);
    w.exec();
    return w.casillaElegida();
}

}  // namespace qvr
