#include "varnel/reports/ui/frm_imp_x_pag.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "common/formato.h"
#include "platform/dialogs.h"
#include "varnel/app/ui/ayuda.h"

namespace qvr::reporte {

const QStringList& avisoImpxPag() {
    static const QStringList a = {
        QStringLiteral("El   reporte   generado   contiene                  página(s)."),
        QString(),
        QStringLiteral("Si  su  consulta  contiene  más  de  10  páginas  puede"),
        QStringLiteral("ocasionar la caída del programa debido a la saturación"),
        QStringLiteral("de la memoria de la computadora."),
        QString(),
        QStringLiteral("Se  recomienda  imprimir  en  rangos  no  mayores a 10"),
        QStringLiteral("páginas."),
    };
    return a;
}

namespace {
// A page number typed in a field: its leading number rounded to a whole number, halves to the even
// neighbour, kept within the 16-bit range the page numbers have.
int pagina(const QString& texto) {
    const double n = std::nearbyint(numeroInicial(texto));
    return int(std::clamp(n, double(std::numeric_limits<short>::min()), double(std::numeric_limits<short>::max())));
}
}  // namespace

FrmImpxPag::FrmImpxPag(int totalPaginas, const QString& archivo, AbreVisor abre, QWidget* padre)
    : QDialog(padre), totalPaginas_(totalPaginas), tag_(archivo), abre_(std::move(abre)) {
    setObjectName(QStringLiteral("frmImpxPag"));
    // The help topic of the print selection that opens it.
    setProperty(kPropiedadAyuda, contextoAyudaDe(padre));
    conectaAyuda(this);
    setWindowTitle(QStringLiteral("Impresión de %1 páginas").arg(totalPaginas));

    auto* marco = new QGroupBox(QStringLiteral("Imprimir"), this);
    auto* g = new QGridLayout(marco);
    desde_ = new QLineEdit(QStringLiteral("1"), marco);
    hasta_ = new QLineEdit(QStringLiteral("1"), marco);
    desde_->setObjectName(QStringLiteral("txtPagDesde"));
    hasta_->setObjectName(QStringLiteral("txtPagHasta"));
    auto* lDesde = new QLabel(QStringLiteral("&Desde :"), marco);
    auto* lHasta = new QLabel(QStringLiteral("&Hasta :"), marco);
    lDesde->setBuddy(desde_);
    lHasta->setBuddy(hasta_);
    g->addWidget(lDesde, 0, 0);
    g->addWidget(desde_, 0, 1);
    g->addWidget(lHasta, 0, 2);
    g->addWidget(hasta_, 0, 3);
    // What the key filter lets through is all a field may hold: a pasted or dropped text with any
    // other character is refused whole.
    static const QRegularExpression permitidos(QStringLiteral("[0-9. ]*"));
    for (QLineEdit* c : {desde_, hasta_}) {
        c->setMaximumWidth(70);
        c->setValidator(new QRegularExpressionValidator(permitidos, c));
        c->installEventFilter(this);
    }

    // The notice; the page total sits in the gap of its first line.
    auto* aviso = new QVBoxLayout;
    total_ = new QLineEdit(QString::number(totalPaginas), this);
    total_->setObjectName(QStringLiteral("txtTotPaginas"));
    total_->setReadOnly(true);
    total_->setFocusPolicy(Qt::NoFocus);
    total_->setAlignment(Qt::AlignCenter);
    total_->setMaximumWidth(60);
    const QString primera = avisoImpxPag().front();
    const int hueco = primera.indexOf(QStringLiteral("      "));
    auto* l1 = new QHBoxLayout;
    l1->addWidget(new QLabel(primera.left(hueco), this));
    l1->addWidget(total_);
    l1->addWidget(new QLabel(primera.mid(hueco).trimmed(), this));
    l1->addStretch();
    aviso->addLayout(l1);
    for (int i = 1; i < avisoImpxPag().size(); ++i) aviso->addWidget(new QLabel(avisoImpxPag()[i], this));

    botones_[0] = new QPushButton(QStringLiteral("&Preliminar"), this);
    botones_[1] = new QPushButton(QStringLiteral("&Cancelar"), this);
    botones_[0]->setObjectName(QStringLiteral("cmdAccion_0"));
    botones_[1]->setObjectName(QStringLiteral("cmdAccion_1"));
    botones_[0]->setDefault(true);
    botones_[1]->setAutoDefault(false);
    connect(botones_[0], &QPushButton::clicked, this, [this] { accion(0); });
    connect(botones_[1], &QPushButton::clicked, this, [this] { accion(1); });

    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(botones_[0]);
    b->addWidget(botones_[1]);
    auto* v = new QVBoxLayout(this);
    v->addWidget(marco);
    v->addLayout(aviso);
    v->addLayout(b);
}

void FrmImpxPag::error(const QString& texto) {
    dialogos().muestra(texto, windowTitle(), Icono::Error, Botones::Ok);
}

void FrmImpxPag::accion(int indice) {
    if (indice == 1) {
        reject();
        return;
    }
    const QString d = desde_->text(), h = hasta_->text();
    if (d.trimmed().isEmpty()) return error(QStringLiteral("Ingrese página de inicio"));
    if (numeroInicial(d) <= 0) return error(QStringLiteral("Página inicial debe ser a partir de 1"));
    if (numeroInicial(d) > totalPaginas_)
        return error(QStringLiteral("Página inicial no debe ser mayor a total de páginas del reporte"));
    if (h.trimmed().isEmpty()) return error(QStringLiteral("Ingrese página de Fin"));
    if (numeroInicial(h) < numeroInicial(d))
        return error(QStringLiteral("Página final no debe ser menor a página inicial"));
    RangoHojas r;
    r.activo = true;
    r.desde = pagina(d);
    r.hasta = pagina(h);
    if (abre_) abre_(tag_, r);
}

bool FrmImpxPag::eventFilter(QObject* o, QEvent* e) {
    if ((o == desde_ || o == hasta_) && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
        // Only characters are filtered; moving and deleting keys pass.
        const QString t = k->text();
        if (t.isEmpty() || k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Delete || k->key() == Qt::Key_Tab ||
            k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ControlModifier))
            return QDialog::eventFilter(o, e);
        const QChar c = t.front();
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u' ') return true;
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace qvr::reporte
