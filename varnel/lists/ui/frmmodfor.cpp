#include "varnel/lists/ui/frmmodfor.h"

#include "common/conexion.h"
#include "common/formato.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/lists/ui/twips.h"

namespace qvr::ui {

namespace {
constexpr short kModificar = 2;
constexpr short kEliminar = 3;
constexpr int kAyudaEnviadas = 1042;
constexpr int kAyudaGuardadas = 1008;  // the menu "&Declaraciones", whose commands open it

// Designed layout, in twips of the client area.
constexpr int kMargen = 120;
constexpr int kAnchoGridGuardadas = 7695;
}  // namespace

QString textoConAcceso(const QString& caption) {
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] == '&')
                out += "&amp;";
            else
                out += "<u>" + QString(caption[i]).toHtmlEscaped() + "</u>";
        } else {
            out += QString(caption[i]).toHtmlEscaped();
        }
    }
    return out;
}

FrmModFor::FrmModFor(DatosSesion& s, ValoresEjecucion& v, BarraEstado& barra, std::function<bool()> abreDeclaracion,
                     QWidget* parent)
    : VentanaLista(s, parent),
      v_(v),
      barra_(barra),
      abreDeclaracion_(std::move(abreDeclaracion)),
      eliminar_(v.ModoDeclaracion == kEliminar),
      fradecreg(new QGroupBox("Declaraciones Registradas", this)),
      Label1(new QLabel("Seleccione la Declaración  que desea modificar :", fradecreg)),
      LblAbrir(new QLabel(this)),
      CmdOpciones{creaBoton("&Aceptar", "CmdOpciones_0"), creaBoton("&Salir", "CmdOpciones_1")} {
    setObjectName("frmModFor");
    setWindowTitle("Modificar Formulario");
    asignaAyuda(this, v.ListaEnviadas ? kAyudaEnviadas : kAyudaGuardadas);
    grid_->setParent(fradecreg);
    grid_->setObjectName("grdContrib");
    fradecreg->setObjectName("fradecreg");
    Label1->setObjectName("Label1_0");
    LblAbrir->setObjectName("LblAbrir");
    LblAbrir->setTextFormat(Qt::RichText);

    QString accionTexto = "&Modificar";
    if (eliminar_) {
        setWindowTitle("Eliminar Formularios");
        Label1->setText("Seleccione la Declaración que desea eliminar :");
        accionTexto = "&Eliminar";
    }
    CmdOpciones[0]->setText(accionTexto);
    LblAbrir->setProperty("caption", accionTexto);
    LblAbrir->setText(textoConAcceso(accionTexto));

    int ancho = 8475, alto = 4455, anchoGrid = kAnchoGridGuardadas;
    if (v.ListaEnviadas) {
        ancho = 8800;
        alto = 4530;
        anchoGrid = kAnchoGridGuardadas + (8800 - 8475);
        fradecreg->setTitle("Declaraciones Enviadas");
    }
    const int yBoton = colocaBotones(ancho, alto, {CmdOpciones[0], CmdOpciones[1]});
    const int cw = ancho - kMarcoAnchoTwips;
    const int altoMarco = yBoton - 2 * kMargen;
    fradecreg->setGeometry(rectTwips(this, kMargen, kMargen / 2, cw - 2 * kMargen, altoMarco));
    Label1->setGeometry(rectTwips(this, kMargen, 240, cw - 4 * kMargen, 255));
    grid_->setGeometry(rectTwips(this, (cw - 2 * kMargen - anchoGrid) / 2, 540, anchoGrid, altoMarco - 660));
    LblAbrir->setGeometry(rectTwips(this, kMargen, yBoton + 60, 2400, 255));

    // Without the declaration window there is nothing to modify with (deleting needs none).
    if (!eliminar_ && !abreDeclaracion_) sinVentanaDeclaracion(CmdOpciones[0]);
    conectaAccion(CmdOpciones[0], [this] { accion(); });
    conectaSalir(CmdOpciones[1]);
    connect(grid_, &GridLista::filaCambiada, this, &FrmModFor::filaCambiada);

    elimina = [this](const DeclaracionElegida& d, bool enviada) { EliminaDeclaracion(*s_.Base, d, enviada); };
    cargaLista(listaDeclaraciones(s, v.ListaEnviadas, usuarioRestringido()));
}

void FrmModFor::muestraFila(int fila) {
    if (fila < 0 || listaVacia()) return;
    barra_.setNumeroDocumento(modelo_->texto(fila, col::Ruc));
    barra_.setNombre(modelo_->texto(fila, col::Nombre));
    barra_.setPeriodo(s_.Periodo);
    barra_.setFormulario(modelo_->texto(fila, col::Formulario));
}

void FrmModFor::filaCambiada(int fila) {
    if (listaVacia()) return;
    muestraFila(fila);
    v_.RucDeclarante = modelo_->texto(fila, col::Ruc);
    s_.Periodo = kPeriodo;
    v_.NombreDeclarante = modelo_->texto(fila, col::Nombre);
}

void FrmModFor::accion() {
    const int fila = grid_->filaActual();
    if (listaVacia() || fila < 0) return;
    v_.RucDeclarante = modelo_->texto(fila, col::Ruc);
    s_.Periodo = kPeriodo;
    v_.NombreDeclarante = modelo_->texto(fila, col::Nombre);
    v_.CorrelEnviada = modelo_->texto(fila, col::Correlativo);
    s_.Semana = int(numeroInicial(modelo_->texto(fila, col::Semana)));
    if (eliminar_)
        eliminaFila(fila);
    else
        modifica(fila);
}

void FrmModFor::modifica(int fila) {
    if (!abreDeclaracion_) return;
    v_.ModoDeclaracion = kModificar;
    abreDeclaracionSobreLista(abreDeclaracion_);
    releeLista(fila);
    if (grid_->isEnabled()) grid_->setFocus();
}

void FrmModFor::eliminaFila(int fila) {
    DeclaracionElegida d;
    // The key as stored: the row's own texts, untrimmed.
    d.ruc = modelo_->valor(fila, col::Ruc).toString();
    d.periodo = s_.Periodo;
    d.formulario = modelo_->valor(fila, col::Formulario).toString();
    d.semana = s_.Semana;
    d.correl = v_.CorrelEnviada;
    // What the person is deciding on: another's save after this is not deleted without a word.
    try {
        d.version = versionElegida(*s_.Base, d, v_.ListaEnviadas);
    } catch (const ErrorBD& e) {
        ErrorRegistro(e);
        return;
    }
    if (dialogos().muestra("Se eliminarán todos los registros de la declaración ", "Eliminar Formulario",
                           Icono::Exclamacion, Botones::OkCancelar, Respuesta::Cancelar) != Respuesta::Ok) {
        grid_->setFocus();
        return;
    }
    if (dialogos().muestra("¿Confirma que va a eliminar la declaración?", windowTitle(), Icono::Pregunta,
                           Botones::SiNo, Respuesta::No) != Respuesta::Si) {
        grid_->setFocus();
        return;
    }
    try {
        elimina(d, v_.ListaEnviadas);
    } catch (const ErrorBD& e) {
        ErrorRegistro(e);
    }
    releeLista(fila);
    if (grid_->isEnabled()) grid_->setFocus();
}

void FrmModFor::done(int r) {
    barra_.limpia();
    VentanaLista::done(r);
}

}  // namespace qvr::ui
