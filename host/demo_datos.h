#pragma once
// The rows of the demonstration environment: the host's own catalogs, taxpayers, users and the
// send list of the form's annex tables. All names are invented.
#include <span>

namespace qvr::host {

// Catalog '004': code, name (1-36 of funcion), short name (38-49).
struct Banco {
    const char* codigo;
    const char* nombre;
    const char* corto;
};

// Catalog '404': argumento "yyyymmdd" from which the value is in force.
struct Uit {
    const char* desde;
    const char* valor;
};

// Catalog '998': rate code, period "yyyymm" and the rate as text.
struct Tasa {
    const char* codigo;
    const char* periodo;
    const char* tasa;
};

// Catalog '976'.
struct Pais {
    const char* codigo;
    const char* nombre;
};

struct Contribuyente {
    const char* ruc;
    const char* nombre;  // full name or business name, as CONT.nombre
    const char* apellidoP;
    const char* apellidoM;
    const char* nombre1;
    const char* nombre2;
    const char* usuario;  // the host user who registered the taxpayer
};

struct UsuarioHost {
    const char* usuario;
    const char* tipo;  // "0" sees every taxpayer; any other value only his own
    const char* clave;
};

std::span<const Banco> bancosDemo();
std::span<const Uit> uitDemo();
std::span<const Tasa> tasasDemo();
std::span<const Pais> paisesDemo();
std::span<const Contribuyente> contribuyentesDemo();
std::span<const UsuarioHost> usuariosDemo();
// Lines of tmp/env738.txt: 13 fields, each followed by "|".
std::span<const char* const> listaEnvioDemo();
// The user written as SysUser.
const char* usuarioSistemaDemo();

}  // namespace qvr::host
