#pragma once
// The commands of the main window as data: what each one sets in the run values, whether it
// closes the open windows, which window it opens and whether the hourglass shows while that
// window loads. The menus and the toolbar are tables over these commands.
#include <QString>
#include <optional>
#include <vector>

#include "varnel/app/valores.h"

namespace qvr {

// The windows a command opens. Help and about belong to the main window itself.
enum class Ventana { Ninguna, Frm0738, frmModFor, frmAbrirEnv, frmBancos, frmImprimir, Ayuda, AcercaDe };

enum class Comando {
    Nueva,
    Modificar,
    Eliminar,
    Imprimir,
    Salir,
    RegistrarOrden,
    EliminarEnviada,
    ImprimirEnviada,
    ConsultaProfesiones,
    ConsultaBancos,
    ConsultaUit,
    ContenidoAyuda,
    AcercaDe,
    // Toolbar buttons that differ from their menu item.
    BarraModificar,
    BarraEliminar,
    BarraImprimir,
    BarraSalir,
};

// When CierraVentanasHijas runs relative to setting the run values.
enum class Cierre { No, Antes, Despues };

// How the program ends: "&Salir" unloads the main window before closing the database, the toolbar
// button closes the database first.
enum class Fin { No, VentanaYBase, BaseYVentana };

struct Asignacion {
    std::optional<short> ModoDeclaracion;
    std::optional<bool> ListaEnviadas;
    std::optional<bool> DeclaracionEnviada;
    std::optional<bool> OrdenModificada;
    std::optional<unsigned char> TipoConsulta;
};

struct DefinicionComando {
    Comando comando;
    Cierre cierraHijas;
    Asignacion asigna;
    Ventana ventana;
    bool relojArena;
    Fin fin;
};

const DefinicionComando& definicion(Comando c);
void aplica(const Asignacion& a, ValoresEjecucion& v);

// A menu item without a command is a separator.
struct ItemMenu {
    QString caption;
    std::optional<Comando> comando;
};

struct MenuPrincipal {
    QString caption;
    int contextoAyuda;
    std::vector<ItemMenu> items;
};

const std::vector<MenuPrincipal>& menusPrincipales();

// A toolbar button without a command is a separator.
struct BotonBarra {
    int indice;  // 1-based, as the buttons are numbered
    QString tooltip;
    std::optional<Comando> comando;
};

const std::vector<BotonBarra>& botonesBarra();

inline constexpr int kContextoPrincipal = 1039;

}  // namespace qvr
