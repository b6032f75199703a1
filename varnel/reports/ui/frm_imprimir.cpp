#include "varnel/reports/ui/frm_imprimir.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "common/sesion.h"
#include "platform/utilitario.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/lists/ui/twips.h"
#include "varnel/reports/lista_imprimir.h"
#include "varnel/reports/ui/frmPreview.h"

namespace qvr::reporte {

namespace {
constexpr int kAyudaEnviadas = 1042;
constexpr int kAyudaImprimir = 1072;
constexpr int kAncho = 9195;
constexpr int kAlto = 5400;
}  // namespace

FrmImprimir::FrmImprimir(DatosSesion& s, ValoresEjecucion& v, BarraEstado& barra, QWidget* parent)
    : VentanaLista(s, parent), v_(v), barra_(barra) {
    setObjectName(QStringLiteral("frmImprimir"));
    const bool enviadas = v_.ListaEnviadas;
    setWindowTitle(enviadas ? QStringLiteral("Imprimir Formularios enviados") : QStringLiteral("Imprimir "));
    asignaAyuda(this, enviadas ? kAyudaEnviadas : kAyudaImprimir);
    grid_->setObjectName(QStringLiteral("grdContrib"));

    frame2_ = new QGroupBox(enviadas ? QStringLiteral("Declaraciones Enviadas")
                                     : QStringLiteral("Declaraciones registradas"),
                            this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    auto* lf = new QVBoxLayout(frame2_);
    grid_->setParent(frame2_);
    lf->addWidget(grid_);

    auto* opciones = new QGroupBox(QStringLiteral("Opciones"), this);
    auto* lo = new QVBoxLayout(opciones);
    opt_[0] = new QRadioButton(QStringLiteral("Declaración"), opciones);
    opt_[1] = new QRadioButton(QStringLiteral("Anexo"), opciones);
    opt_[2] = new QRadioButton(QStringLiteral("Declaración y anexo"), opciones);
    const int indices[3] = {5, 4, 3};
    for (int i = 0; i < 3; ++i) {
        opt_[i]->setObjectName(QStringLiteral("OptImp_%1").arg(indices[i]));
        lo->addWidget(opt_[i]);
        connect(opt_[i], &QRadioButton::clicked, this, &FrmImprimir::OptImp_Click);
    }
    opt_[0]->setChecked(true);

    auto* anexo = new QGroupBox(QStringLiteral("Anexo"), this);
    auto* la = new QVBoxLayout(anexo);
    chk_[0] = new QCheckBox(QStringLiteral("Rentas exoneradas e Inafectas"), anexo);
    chk_[1] = new QCheckBox(QStringLiteral("Dividendos percibidos"), anexo);
    chk_[0]->setObjectName(QStringLiteral("chkAnexos_3"));
    chk_[1]->setObjectName(QStringLiteral("chkAnexos_4"));
    for (auto* c : chk_) {
        c->setEnabled(false);
        la->addWidget(c);
    }

    const char* titulos[3] = {"&Preliminar", "&Imprimir", "&Salir"};
    auto* lb = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        botones_[i] = creaBoton(QString::fromUtf8(titulos[i]), QStringLiteral("CmdImprimir_%1").arg(i));
        lb->addWidget(botones_[i]);
    }
    // A row's Enter or double-click previews, as "&Preliminar".
    conectaAccion(botones_[0], [this] { CmdImprimir_Click(0); });
    for (int i : {1, 2})
        connect(botones_[i], &QPushButton::clicked, this, [this, i] { CmdImprimir_Click(i); });
    lb->addStretch();

    auto* abajo = new QHBoxLayout;
    abajo->addWidget(opciones);
    abajo->addWidget(anexo);
    abajo->addLayout(lb);
    auto* l = new QVBoxLayout(this);
    l->addWidget(frame2_, 1);
    l->addLayout(abajo);
    fijaTamanoTwips(this, kAncho, kAlto);

    connect(grid_, &ui::GridLista::filaCambiada, this, &FrmImprimir::filaCambiada);

    muestraRango = [](FrmImpxPag& w) { w.exec(); };
    imprime = [this](const QString& archivo) { VerReporte(archivo, QStringLiteral("xx"), s_.RutaReportes, {}, this); };
    abreVisor = [this](const QString& archivo, RangoHojas r) {
        VerReporte(archivo, QStringLiteral("Vprevia"), s_.RutaReportes, r, this);
    };

    cargaLista(listaImprimir(s, enviadas, usuarioRestringido()));
    // The taxpayer number is shown whole, whatever the font: eleven digits and the cell's margins.
    const int anchoRuc = grid_->fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) +
                         2 * grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 8;
    if (grid_->columnWidth(colImp::Ruc) < anchoRuc) grid_->setColumnWidth(colImp::Ruc, anchoRuc);
}

QRadioButton* FrmImprimir::OptImp(int indice) const { return opt_[5 - indice]; }
QCheckBox* FrmImprimir::chkAnexos(int indice) const { return chk_[indice - 3]; }

SeleccionImpresion FrmImprimir::seleccion() const {
    SeleccionImpresion s;
    s.opcion = opt_[1]->isChecked()   ? OpcionImpresion::Anexo
               : opt_[2]->isChecked() ? OpcionImpresion::DeclaracionYAnexo
                                      : OpcionImpresion::Declaracion;
    s.exoneradas = chk_[0]->isChecked();
    s.dividendos = chk_[1]->isChecked();
    return s;
}

void FrmImprimir::OptImp_Click() {
    const bool anexos = !opt_[0]->isChecked();
    for (auto* c : chk_) {
        c->setEnabled(anexos);
        if (!anexos) c->setChecked(false);
    }
}

void FrmImprimir::filaCambiada(int fila) {
    if (listaVacia() || fila < 0) return;
    barra_.fija(modelo_->texto(fila, colImp::Ruc), modelo_->texto(fila, colImp::Nombre),
                modelo_->texto(fila, colImp::Formulario), s_.Periodo);
    datos_.ruc = modelo_->texto(fila, colImp::Ruc);
    datos_.periodo = kPeriodo;
    datos_.nombre = modelo_->texto(fila, colImp::Nombre);
    const QVariant semana = modelo_->valor(fila, colImp::Semana);
    datos_.semana = semana.isNull() || semana.toString().trimmed().isEmpty() ? 0 : semana.toInt();
}

void FrmImprimir::CmdImprimir_Click(int indice) {
    if (indice == 2) {
        BorraArray(datos_);
        accept();
        return;
    }
    const SeleccionImpresion sel = seleccion();
    if (!sel.valida()) {
        Utilitario::MuestraMensaje(QStringLiteral("Debe seleccionar algún anexo"), QStringLiteral("Error"));
        return;
    }
    const int fila = grid_->filaActual();
    if (!grid_->isEnabled() || listaVacia() || fila < 0 || !s_.Base) return;

    datos_.ruc = modelo_->texto(fila, colImp::Ruc);
    datos_.nombre = modelo_->texto(fila, colImp::Nombre);
    datos_.correl = modelo_->texto(fila, colImp::Correl);
    datos_.norden = modelo_->texto(fila, colImp::NOrden);
    datos_.control = modelo_->texto(fila, colImp::Control);
    const QVariant semana = modelo_->valor(fila, colImp::Semana);
    datos_.semana = semana.isNull() || semana.toString().trimmed().isEmpty() ? 0 : semana.toInt();
    datos_.periodo = kPeriodo;
    datos_.formulario = s_.Formulario;
    datos_.enviada = v_.ListaEnviadas;
    datos_.seleccion = sel;
    v_.ModoDeclaracion = 2;

    ReporteGenerado g;
    {
        ui::CursorEspera espera;
        g = GeneraDeclaracion(*s_.Base, datos_, s_.RutaReportes, s_.Usuario);
    }
    // A report that failed has been reported; there is nothing to show or print.
    if (!g.resultado.ok) return;

    if (indice == 1) {
        if (imprime) imprime(g.archivo);
        return;
    }
    FrmImpxPag rango(g.resultado.paginas, g.archivo, abreVisor, this);
    if (muestraRango) muestraRango(rango);
    QApplication::processEvents();
    releeLista(fila);
}

void FrmImprimir::done(int r) {
    BorraArray(datos_);
    barra_.limpia();
    VentanaLista::done(r);
}

}  // namespace qvr::reporte
