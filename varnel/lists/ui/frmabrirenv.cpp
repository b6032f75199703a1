#include "varnel/lists/ui/frmabrirenv.h"

#include <QApplication>

#include "common/sesion.h"
#include "varnel/lists/ui/twips.h"

namespace qvr::ui {

namespace {
constexpr int kAncho = 9195;
constexpr int kAlto = 4530;
constexpr int kMargen = 120;
constexpr int kAnchoBoton = 1215;
constexpr int kAltoBoton = 375;
}  // namespace

FrmAbrirEnv::FrmAbrirEnv(DatosSesion& s, ValoresEjecucion& v, BarraEstado& barra,
                         std::function<bool()> abreDeclaracion, QWidget* parent)
    : VentanaLista(s, parent),
      v_(v),
      barra_(barra),
      abreDeclaracion_(std::move(abreDeclaracion)),
      CmdOpciones{new QPushButton("&Registrar", this), new QPushButton("&Salir", this)} {
    setObjectName("frmAbrirEnv");
    setWindowTitle("Registrar número de orden");
    grid_->setObjectName("grdContrib");
    CmdOpciones[0]->setObjectName("CmdOpciones_0");
    CmdOpciones[1]->setObjectName("CmdOpciones_1");
    for (auto* b : CmdOpciones) b->setAutoDefault(false);

    fijaTamanoTwips(this, kAncho, kAlto);
    const int cw = kAncho - kMarcoAnchoTwips, ch = kAlto - kMarcoAltoTwips;
    const int yBoton = ch - kAltoBoton - kMargen;
    grid_->setGeometry(rectTwips(this, kMargen, kMargen, cw - 2 * kMargen, yBoton - 2 * kMargen));
    CmdOpciones[0]->setGeometry(rectTwips(this, cw - 2 * (kAnchoBoton + kMargen), yBoton, kAnchoBoton, kAltoBoton));
    CmdOpciones[1]->setGeometry(rectTwips(this, cw - kAnchoBoton - kMargen, yBoton, kAnchoBoton, kAltoBoton));

    if (!abreDeclaracion_) {
        CmdOpciones[0]->setEnabled(false);
        CmdOpciones[0]->setToolTip("La ventana de la declaración no está disponible.");
    }
    connect(CmdOpciones[0], &QPushButton::clicked, this, &FrmAbrirEnv::registra);
    connect(CmdOpciones[1], &QPushButton::clicked, this, &QDialog::accept);
    connect(grid_, &GridLista::accion, this, [this] {
        if (CmdOpciones[0]->isEnabled()) registra();
    });
    connect(grid_, &GridLista::filaCambiada, this, &FrmAbrirEnv::filaCambiada);

    bool restringida = true;
    if (s.Base) {
        try {
            restringida = usuarioRestringido(*s.Base, s.Usuario);
        } catch (const ErrorBD& e) {
            MuestraErrorLista(e.numero(), e.descripcion());
        }
    }
    cargaLista(listaRegistroOrden(s, restringida));
}

void FrmAbrirEnv::alActivar() {
    if (!grid_->isEnabled()) return;
    if (releerAlActivar()) releeLista(grid_->filaActual());
    if (grid_->isEnabled()) grid_->setFocus();
}

void FrmAbrirEnv::filaCambiada(int fila) {
    if (!isEnabled() || listaVacia() || fila < 0) return;
    barra_.setNumeroDocumento(modelo_->texto(fila, colEnv::Ruc));
    barra_.setNombre(modelo_->texto(fila, colEnv::Nombre));
    barra_.setFormulario(s_.Formulario);
    barra_.setPeriodo(s_.Periodo);
}

void FrmAbrirEnv::registra() {
    const int fila = grid_->filaActual();
    if (listaVacia() || fila < 0) return;
    if (!abreDeclaracion_) return;
    v_.OrdenModificada = false;
    v_.RucDeclarante = modelo_->texto(fila, colEnv::Ruc);
    s_.Periodo = kPeriodo;
    v_.NombreDeclarante = modelo_->texto(fila, colEnv::Nombre);
    v_.CorrelEnviada = modelo_->valor(fila, colEnv::Correl).toString();
    v_.NumeroControl = modelo_->valor(fila, colEnv::Control).toString();
    v_.NumeroOrden = modelo_->valor(fila, colEnv::NOrden).toString();
    v_.DeclaracionEnviada = true;
    setEnabled(false);
    abreDeclaracion_();
    setEnabled(true);
    QApplication::processEvents();
    releeLista(fila);
}

void FrmAbrirEnv::done(int r) {
    v_.DeclaracionEnviada = false;
    VentanaLista::done(r);
}

}  // namespace qvr::ui
