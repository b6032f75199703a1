#pragma once
// The declaration window's state and behaviour without widgets: every box of the box array and the
// other controls the rules touch, the box and group operations and the entry events (focus in, key,
// focus out, choices). A change of a box is announced to the subscribers: the recalculation of
// computation/ subscribes (conectaCalculo), so this model knows no rule. A window is a thin view:
// it forwards its events here and mirrors what the change notifications report.
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "common/catalogos.h"
#include "varnel/app/valores.h"
#include "varnel/declaration/inventario.h"
#include "varnel/declaration/puertos.h"

namespace qvr {

enum class Fondo {
    Blanco,     // an editable box
    BotonCara,  // system button face: a disabled box
    GrisClaro,  // RGB 192, 192, 192
    Ventana,    // system window background
    Cian,       // boxes 200 and 201
};

struct EstadoCasilla {
    QString texto;
    bool habilitada = true;
    bool bloqueada = false;
    bool visible = true;
    Fondo fondo = Fondo::Blanco;
    int longitudMaxima = 0;
};

// A list whose entries begin with a two-digit code (document types, professions).
struct Lista {
    QStringList entradas;
    int elegida = -1;
    bool habilitada = true;
    Fondo fondo = Fondo::Ventana;
    QString texto() const {
        return elegida >= 0 && elegida < entradas.size() ? entradas[elegida] : QString();
    }
    QString codigo() const { return texto().left(2); }
};

// The values of the payment-method control.
struct FormaPago {
    QString codigo = QStringLiteral("XX");  // "C" cheque, "E" cash, "XX" nothing chosen
    QString banco = QStringLiteral("XX");
    QString cheque;
    QString monto;  // display text
    QString habilitado = QStringLiteral("True");
};

struct Marco {
    bool visible = true;
    int izquierda = 0;
    int arriba = 0;
};

// The other controls; `Control` names them in change notifications.
enum class Control {
    ListaDocumento,  // index: the list's box number
    Profesion,
    Telefono,
    Opcion,  // index: the Pregunta
    FechaNacimiento,
    FormaPago,
    TotalPatrimonial,
    Marcos,  // the Amazonía frame, the debt-page frames, the order-number frame
    Comandos,
    Orden,
};

struct Controles {
    std::map<int, Lista> listasDocumento;  // 204-206, 224-227, 235, 301
    Lista profesion;
    QString descripcionProfesion;
    Fondo fondoDescripcionProfesion = Fondo::Ventana;
    QString telefono;
    bool telefonoHabilitado = true;
    Fondo fondoTelefono = Fondo::Blanco;
    std::array<Opcion, 6> opciones{};  // by Pregunta
    std::array<bool, 6> opcionHabilitada{true, true, true, true, true, true};
    QString fechaNacimiento = QStringLiteral("__/__/____");
    bool fechaHabilitada = true;
    Fondo fondoFecha = Fondo::Blanco;
    FormaPago pago;
    QString TxtTotal;  // total of the assets and debts section
    Fondo fondoRuc = Fondo::Ventana;
    bool marcoAmazonia = true;
    std::array<Marco, 3> fraDeuda{Marco{true, 120, 480}, Marco{true, 120, 1870}, Marco{false, 120, 800}};
    bool marcoOrden = false;
    QString txtOrden;
    QString txtVerifica;
    bool validarHabilitado = true;
    // New, modify and delete of the dividends, foreign-investment and trust grids.
    std::array<bool, 3> comandosAnexo{true, true, true};
};

// What the view does after an event.
enum class AccionVista {
    Ninguna,
    Siguiente,       // move the focus to the next control (Enter)
    FocoPestanas,    // the box is locked: the focus goes to the main tab strip
    FocoVerifica,    // Enter in the order number
    AbreExoneradas,  // Enter in box 200
    AbreInafectas,   // Enter in box 201
};

struct ResultadoTecla {
    int tecla;  // the key the control receives; 0 when discarded
    AccionVista accion = AccionVista::Ninguna;
};

// What the declaration announces to the layer that derives its computed boxes.
struct Cambio {
    enum class Tipo {
        Casilla,          // the text of `casilla` changed, outside a suspension of the calculation
        DetalleAceptado,  // the detail window of `casilla` (200 or 201) was accepted
    };
    Tipo tipo;
    int casilla;
    // The guard counters of boxes 200 and 201 as they were before this change was counted.
    short previo200 = 0;
    short previo201 = 0;
};

class Declaracion {
  public:
    explicit Declaracion(ValoresEjecucion& valores, Tasas tasas = {});

    // ---- Boxes ----
    bool existe(int n) const { return existeCasilla(n); }
    // n must be an element of the box array.
    const EstadoCasilla& casilla(int n) const { return casillas_[size_t(n)]; }
    QString texto(int n) const { return existe(n) ? casillas_[size_t(n)].texto : QString(); }
    // Sets the text of box n. A different text is a change of the box: the declaration is
    // modified, the guard counters grow and, unless the calculation is suspended, the change is
    // announced, so the box's recalculation runs before this returns.
    void fijaTexto(int n, const QString& texto);
    void fijaLongitud(int n, int longitud);

    bool vacio(int n) const;
    double Vale(int n) const;
    void Habcasilla(int n);
    void Descasilla(int n);
    void Forma(int n);

    void HabAmazonia();
    void DesAmazonia();
    void HabCuarta();
    void DesCuarta();
    void HabAlquiler();
    void DesAlquiler();
    void DesTodo();
    void Arregla(int posicion);
    // The enabling rules a freshly loaded declaration applies from its boxes, and the design state
    // of a new declaration's controls (annex questions No, boxes 840 to 853 disabled, method "XX").
    void aplicaReglasDeCarga();
    void preparaNueva();

    // ---- Entry (the view forwards its events) ----
    AccionVista entraFoco(int n);
    ResultadoTecla tecla(int n, int codigo);
    void saleFoco(int n);
    // Right button or Shift+Insert / the context-menu key in a box or the telephone field.
    void clicDerecho();
    void teclaAbajo(int codigoTecla, bool shift);

    // A key typed at the end of box n, as a person types it: the filter, then the text grows by
    // the accepted character within the maximum length, or loses its last one for Backspace.
    AccionVista escribe(int n, int codigo);
    // The text selected and deleted.
    void borra(int n) { fijaTexto(n, QString()); }

    void eligeTipoDocumento(int lista, int indice);
    // Selects the entry whose code is `codigo` formatted "0#"; no entry when none matches.
    void eligeCodigoDocumento(int lista, const QString& codigo);
    void eligeProfesion(int indice);
    void eligeCodigoProfesion(const QString& codigo);
    void eligeOpcion(Pregunta p, Opcion o);
    ResultadoTecla teclaTelefono(int codigo);
    void fijaTelefono(const QString& texto);
    void fijaFechaNacimiento(const QString& texto);
    void saleFechaNacimiento();
    void fijaPago(const FormaPago& pago);
    ResultadoTecla teclaOrden(int codigo);
    ResultadoTecla teclaVerifica(int codigo);
    void fijaOrden(const QString& orden, const QString& verifica);
    // The taxpayer list takes no typed key but F1 (key code 112).
    static bool teclaListaRuc(int codigoTecla) { return codigoTecla == 112; }

    // Document length of the document type of a list entry: the length the entry carries from
    // position 68 up to its blank, as its leading number; 8 only when no type is chosen.
    static int LongitudDocumento(const QString& entrada);

    // ---- State ----
    ValoresEjecucion& valores;
    Tasas tasas;
    Controles controles;
    bool Modificado = false;
    short Cambios200 = 0;
    short Cambios201 = 0;
    QString Titulo = QStringLiteral("Formulario 0738 - Renta Anual 2003");

    const FiltrosTeclado* filtros = &filtrosBasicos();
    Portapapeles* portapapeles = nullptr;
    // Change notifications for the view.
    std::function<void(int casilla)> alCambiarCasilla;
    std::function<void(Control, int indice)> alCambiarControl;

    // ---- Subscribers to the changes ----
    // One subscriber per key; subscribing again with a key replaces its subscriber. A change
    // announced with nobody subscribed throws std::logic_error: a declaration built for real work
    // without its recalculation would silently leave the computed boxes stale.
    using Suscriptor = std::function<void(Declaracion&, const Cambio&)>;
    void suscribe(const void* clave, Suscriptor s);
    void retira(const void* clave);
    bool suscrito(const void* clave) const;
    void anuncia(const Cambio& c);

    // Called by the computation for the controls it writes.
    void notificaControl(Control c, int indice = 0) {
        if (alCambiarControl) alCambiarControl(c, indice);
    }

  private:
    void notificaCasilla(int n) {
        if (alCambiarCasilla) alCambiarCasilla(n);
    }
    void marcaModificadoPorControl();
    void limpiaLista(int lista);
    void fijaEstado(int n, bool habilitada, bool bloqueada, Fondo fondo);

    std::array<EstadoCasilla, 1000> casillas_;
    std::vector<std::pair<const void*, Suscriptor>> suscriptores_;
};

}  // namespace qvr
