#include "varnel/app/comandos.h"

#include <algorithm>

namespace qvr {

namespace {

using enum Comando;

// clang-format off
const std::vector<DefinicionComando> kComandos = {
    // comando               cierra          ModoDecl ListaEnv DeclEnv OrdenMod TipoCons  ventana               reloj  fin
    {Nueva,               Cierre::No,      {1, {}, {}, {}, {}},                 Ventana::Frm0738,     true,  Fin::No},
    {Modificar,           Cierre::Antes,   {2, false, false, false, {}},        Ventana::frmModFor,   false, Fin::No},
    {Eliminar,            Cierre::No,      {3, false, false, false, {}},        Ventana::frmModFor,   false, Fin::No},
    {Imprimir,            Cierre::No,      {{}, false, false, {}, {}},          Ventana::frmImprimir, false, Fin::No},
    {Salir,               Cierre::No,      {},                                  Ventana::Ninguna,     false, Fin::VentanaYBase},
    {RegistrarOrden,      Cierre::No,      {2, {}, true, false, {}},            Ventana::frmAbrirEnv, true,  Fin::No},
    {EliminarEnviada,     Cierre::Despues, {3, true, false, {}, {}},            Ventana::frmModFor,   false, Fin::No},
    {ImprimirEnviada,     Cierre::No,      {{}, true, false, {}, {}},           Ventana::frmImprimir, false, Fin::No},
    {ConsultaProfesiones, Cierre::Antes,   {{}, {}, {}, {}, 1},                 Ventana::frmBancos,   true,  Fin::No},
    {ConsultaBancos,      Cierre::Antes,   {{}, {}, {}, {}, 2},                 Ventana::frmBancos,   true,  Fin::No},
    {ConsultaUit,         Cierre::Antes,   {{}, {}, {}, {}, 3},                 Ventana::frmBancos,   true,  Fin::No},
    {ContenidoAyuda,      Cierre::No,      {},                                  Ventana::Ayuda,       false, Fin::No},
    {AcercaDe,            Cierre::No,      {},                                  Ventana::AcercaDe,    false, Fin::No},
    // The toolbar's "Modifcar" leaves DeclaracionEnviada and OrdenModificada as they are.
    {BarraModificar,      Cierre::Antes,   {2, false, {}, {}, {}},              Ventana::frmModFor,   false, Fin::No},
    {BarraEliminar,       Cierre::Antes,   {3, false, false, false, {}},        Ventana::frmModFor,   false, Fin::No},
    {BarraImprimir,       Cierre::No,      {{}, false, {}, {}, {}},             Ventana::frmImprimir, false, Fin::No},
    {BarraSalir,          Cierre::No,      {},                                  Ventana::Ninguna,     false, Fin::BaseYVentana},
};
// clang-format on

}  // namespace

const DefinicionComando& definicion(Comando c) {
    auto it = std::find_if(kComandos.begin(), kComandos.end(),
                           [c](const DefinicionComando& d) { return d.comando == c; });
    return *it;  // every command has its row
}

void aplica(const Asignacion& a, ValoresEjecucion& v) {
    if (a.ModoDeclaracion) v.ModoDeclaracion = *a.ModoDeclaracion;
    if (a.ListaEnviadas) v.ListaEnviadas = *a.ListaEnviadas;
    if (a.DeclaracionEnviada) v.DeclaracionEnviada = *a.DeclaracionEnviada;
    if (a.OrdenModificada) v.OrdenModificada = *a.OrdenModificada;
    if (a.TipoConsulta) v.TipoConsulta = *a.TipoConsulta;
}

const std::vector<MenuPrincipal>& menusPrincipales() {
    static const std::vector<MenuPrincipal> menus = {
        {"&Declaraciones",
         1008,
         {{"&Nueva", Nueva},
          {"&Modificar", Modificar},
          {"&Eliminar", Eliminar},
          {"", {}},
          {"&Imprimir", Imprimir},
          {"", {}},
          {"&Salir", Salir}}},
        {"Declaraciones &Enviadas",
         1009,
         {{"&Registrar número de orden", RegistrarOrden},
          {"&Eliminar", EliminarEnviada},
          {"", {}},
          {"&Imprimir", ImprimirEnviada}}},
        {"&Consultas",
         1006,
         {{"&Codigos de profesión", ConsultaProfesiones},
          {"&Bancos", ConsultaBancos},
          {"Consulta de &UIT", ConsultaUit}}},
        {"&Ayuda",
         1001,
         {{"&Contenido de la Ayuda", ContenidoAyuda}, {"", {}}, {"&Acerca de ...", AcercaDe}}},
    };
    return menus;
}

const std::vector<BotonBarra>& botonesBarra() {
    static const std::vector<BotonBarra> botones = {
        {1, "Nueva", Nueva},
        {2, "Modifcar", BarraModificar},
        {3, "Eliminar", BarraEliminar},
        {4, "Imprimir", BarraImprimir},
        {5, "Salir", BarraSalir},
        {6, "", {}},
        {7, "Numero de orden", RegistrarOrden},
        {8, "", {}},
        {9, "", {}},
        {10, "", ContenidoAyuda},
    };
    return botones;
}

}  // namespace qvr
