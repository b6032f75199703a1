#include "varnel/lists/ui/frmabrirenv.h"

#include "common/sesion.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/lists/ui/twips.h"

namespace qvr::ui {

namespace {
constexpr int kAncho = 9195;
constexpr int kAlto = 4530;
constexpr int kMargen = 120;
}  // namespace

FrmAbrirEnv::FrmAbrirEnv(DatosSesion& s, ValoresEjecucion& v, BarraEstado& barra,
                         std::function<bool()> abreDeclaracion, QWidget* parent)
    : VentanaLista(s, parent),
      v_(v),
      barra_(barra),
      abreDeclaracion_(std::move(abreDeclaracion)),
      CmdOpciones{creaBoton("&Registrar", "CmdOpciones_0"), creaBoton("&Salir", "CmdOpciones_1")} {
    setObjectName("frmAbrirEnv");
    setWindowTitle("Registrar número de orden");
    asignaAyuda(this, 1042);
    grid_->setObjectName("grdContrib");

    const int yBoton = colocaBotones(kAncho, kAlto, {CmdOpciones[0], CmdOpciones[1]});
    const int cw = kAncho - kMarcoAnchoTwips;
    grid_->setGeometry(rectTwips(this, kMargen, kMargen, cw - 2 * kMargen, yBoton - 2 * kMargen));

    if (!abreDeclaracion_) sinVentanaDeclaracion(CmdOpciones[0]);
    conectaAccion(CmdOpciones[0], [this] { registra(); });
    conectaSalir(CmdOpciones[1]);
    connect(grid_, &GridLista::filaCambiada, this, &FrmAbrirEnv::filaCambiada);

    cargaLista(listaRegistroOrden(s, usuarioRestringido()));
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
    abreDeclaracionSobreLista(abreDeclaracion_);
    releeLista(fila);
}

void FrmAbrirEnv::done(int r) {
    v_.DeclaracionEnviada = false;
    VentanaLista::done(r);
}

}  // namespace qvr::ui
