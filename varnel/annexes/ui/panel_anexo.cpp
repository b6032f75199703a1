#include "varnel/annexes/ui/panel_anexo.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/ui/teclas_grilla.h"
#include "varnel/annexes/ui/frm_retenciones.h"
#include "varnel/common/ui/tabla_accesible.h"

namespace qvr {

namespace {

struct DisenoPanel {
    const char* comandos;  // the buttons' control array
    const char* opcion;    // the question's option pair
    const char* pregunta;
    int columnasVisibles;  // the columns after these hold codes and name parts
    std::vector<const char*> etiquetasTotal;
};

const DisenoPanel kPaneles[] = {
    {"CmdDividendos", nullptr, nullptr, 5, {"Total Dividendo Percibido:", "Total Retención:"}},
    {"CmdExtranjero",
     "OptExtranjero",
     "¿Tiene inversión en el extranjero que declarar?",
     5,
     {"Total Saldo al 31/12/2003 S/.:"}},
    {"cmdFideicomisos",
     "OptFideicomiso",
     "¿Tiene inversión en Fideicomiso que  declarar?",
     7,
     {"Total Saldo al 31/12/2003 S/.:"}},
};

// The grid of an annex: a screen reader reads it without its hidden columns.
class GrillaAnexo : public QTableWidget {
  public:
    explicit GrillaAnexo(QWidget* padre) : QTableWidget(padre) { marcaTablaAccesible(this); }

  protected:
    void currentChanged(const QModelIndex& actual, const QModelIndex& previo) override {
        QAbstractItemView::currentChanged(actual, previo);
        anunciaCelda(this, actual);
    }
    void selectionChanged(const QItemSelection& elegida, const QItemSelection& dejada) override {
        QAbstractItemView::selectionChanged(elegida, dejada);
    }
};

Pregunta preguntaDe(ListaAnexo l) {
    return l == ListaAnexo::Extranjero ? Pregunta::Extranjero : Pregunta::Fideicomiso;
}

}  // namespace

PanelAnexo::PanelAnexo(ListasAnexo& listas, ListaAnexo lista, QWidget* padre)
    : QWidget(padre), listas_(listas), lista_(lista) {
    const DefinicionAnexo& def = definicionAnexo(lista);
    const DisenoPanel& diseno = kPaneles[size_t(lista)];
    auto* v = new QVBoxLayout(this);

    if (diseno.opcion) {
        auto* h = new QHBoxLayout;
        h->addWidget(new QLabel(diseno.pregunta, this), 1);
        auto* grupo = new QButtonGroup(this);
        const char* textos[] = {"No", "Si"};
        for (int i = 0; i < 2; ++i) {
            opciones_[size_t(i)] = new QRadioButton(textos[i], this);
            opciones_[size_t(i)]->setObjectName(QString("%1_%2").arg(diseno.opcion).arg(i));
            grupo->addButton(opciones_[size_t(i)], i);
            h->addWidget(opciones_[size_t(i)]);
        }
        connect(grupo, &QButtonGroup::idClicked, this, [this](int i) {
            if (espejando_) return;
            listas_.eligeOpcion(preguntaDe(lista_), i == 1 ? Opcion::Si : Opcion::No);
            espeja();
        });
        v->addLayout(h);
    }

    grilla_ = new GrillaAnexo(this);
    grilla_->setObjectName(def.grilla);
    grilla_->setColumnCount(int(def.columnas.size()));
    QStringList encabezados;
    for (const char* e : def.encabezados) encabezados << QString::fromUtf8(e);
    grilla_->setHorizontalHeaderLabels(encabezados);
    for (int c = diseno.columnasVisibles; c < grilla_->columnCount(); ++c) grilla_->setColumnHidden(c, true);
    grilla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grilla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grilla_->setSelectionMode(QAbstractItemView::SingleSelection);
    grilla_->verticalHeader()->setVisible(false);
    grilla_->horizontalHeader()->setStretchLastSection(true);
    connect(grilla_, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!listas_.declaracion.valores.DeclaracionEnviada) Modificar();
    });
    // Enter on a row is "&Modificar", while the window lets the rows be changed.
    preparaTeclasGrilla(grilla_, [this] {
        if (comandos_[1]->isEnabled()) Modificar();
    });
    v->addWidget(grilla_, 1);

    auto* pie = new QHBoxLayout;
    const char* textos[] = {"&Nuevo", "&Modificar", "&Eliminar"};
    for (int i = 0; i < 3; ++i) {
        comandos_[size_t(i)] = new QPushButton(textos[i], this);
        comandos_[size_t(i)]->setObjectName(QString("%1_%2").arg(diseno.comandos).arg(i));
        // Enter presses the command only while it has the focus, never from a box of the window.
        comandos_[size_t(i)]->setAutoDefault(false);
        pie->addWidget(comandos_[size_t(i)]);
    }
    connect(comandos_[0], &QPushButton::clicked, this, &PanelAnexo::Nuevo);
    connect(comandos_[1], &QPushButton::clicked, this, &PanelAnexo::Modificar);
    connect(comandos_[2], &QPushButton::clicked, this, &PanelAnexo::Eliminar);
    pie->addStretch(1);
    cantidad_ = new QLabel(this);
    cantidad_->setObjectName(def.etiquetaCantidad);
    pie->addWidget(cantidad_);
    v->addLayout(pie);

    for (size_t i = 0; i < def.totales.size(); ++i) {
        auto* h = new QHBoxLayout;
        h->addStretch(1);
        h->addWidget(new QLabel(diseno.etiquetasTotal[i], this));
        auto* t = new QLabel(this);
        t->setObjectName(def.totales[i].second);
        t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setMinimumWidth(110);
        h->addWidget(t);
        totales_.push_back(t);
        v->addLayout(h);
    }

    QPointer<PanelAnexo> yo(this);
    listas_.alCambiarLista.push_back([yo](ListaAnexo l) {
        if (yo && l == yo->lista_) yo->espeja();
    });
    espeja();
}

void PanelAnexo::espeja() {
    espejando_ = true;
    const int actual = grilla_->currentRow();
    const int filas = listas_.filas(lista_);
    grilla_->setRowCount(filas);
    for (int f = 0; f < filas; ++f)
        for (int c = 0; c < grilla_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(listas_.celda(lista_, f, c));
            for (int m : definicionAnexo(lista_).montos)
                if (m == c) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grilla_->setItem(f, c, item);
        }
    grilla_->resizeColumnsToContents();
    if (filas > 0) grilla_->setCurrentCell(actual >= 0 && actual < filas ? actual : 0, 0);
    const ListasAnexo::Resumen& r = listas_.resumen(lista_);
    cantidad_->setText(r.cantidad);
    for (size_t i = 0; i < totales_.size(); ++i)
        totales_[i]->setText(i < r.totales.size() ? r.totales[i] : QString());

    const bool habilitada = listas_.habilitada(lista_);
    // The dividends stay readable in a sent declaration; the other two follow their question.
    grilla_->setEnabled(lista_ == ListaAnexo::Dividendos || habilitada);
    const bool editable = lista_ == ListaAnexo::Dividendos || bool(abreEdicion);
    comandos_[0]->setEnabled(habilitada && editable);
    comandos_[1]->setEnabled(habilitada && editable);
    comandos_[2]->setEnabled(habilitada);
    if (opciones_[0]) {
        const Opcion o = listas_.declaracion.controles.opciones[size_t(preguntaDe(lista_))];
        opciones_[0]->setChecked(o == Opcion::No);
        opciones_[1]->setChecked(o == Opcion::Si);
        const bool pregunta = listas_.declaracion.controles.opcionHabilitada[size_t(preguntaDe(lista_))];
        opciones_[0]->setEnabled(pregunta);
        opciones_[1]->setEnabled(pregunta);
    }
    espejando_ = false;
}

void PanelAnexo::edita(const QString& modo, int fila) {
    listas_.ModoAnexo = modo;
    if (lista_ == ListaAnexo::Dividendos) {
        FrmRetenciones w(listas_, fila, hoy, window());
        w.exec();
    } else if (abreEdicion) {
        abreEdicion(fila);
    }
    listas_.marcaModificado();
}

void PanelAnexo::Nuevo() { edita(QStringLiteral("NUEVO"), -1); }

void PanelAnexo::Modificar() {
    if (!listas_.puedeModificar(lista_)) return;
    const int posicion = std::max(0, grilla_->currentRow());
    edita(QStringLiteral("MODIFICA"), posicion);
    if (listas_.filas(lista_) > 0 && posicion >= 0)
        grilla_->setCurrentCell(std::min(posicion, listas_.filas(lista_) - 1), 0);
}

void PanelAnexo::Eliminar() {
    if (!listas_.puedeEliminar(lista_)) {
        comandos_[0]->setFocus();
        return;
    }
    listas_.Eliminar(lista_, grilla_->currentRow());
}

}  // namespace qvr
