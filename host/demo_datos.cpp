#include "host/demo_datos.h"

namespace qvr::host {

namespace {

// "00" stands for "no bank" and is left out of every bank list.
constexpr Banco kBancos[] = {
    {"00", "NINGUNO", "NINGUNO"},
    {"01", "BANCO AMANECER DEL SUR", "B.AMANECER"},
    {"02", "BANCO CORDILLERA BLANCA", "B.CORDILLERA"},
    {"03", "BANCO AGRARIO DEL VALLE ALTO", "B.VALLE ALTO"},
    {"07", "BANCO NUEVO HORIZONTE", "B.HORIZONTE"},
    {"09", "CAJA MUNICIPAL LAS PALMERAS", "CAJA PALMERA"},
    {"11", "BANCO DE CREDITO COSTA VERDE", "B.COSTA VERD"},
    {"18", "FINANCIERA LUCERO ANDINO S.A.", "F.LUCERO"},
};

// The UIT of 2003 (3,100) is in force from 01/01/2003; the 2004 row sorts after the tax year.
constexpr Uit kUit[] = {
    {"20000101", "2900"},
    {"20010101", "3000"},
    {"20020101", "3100"},
    {"20030101", "3100"},
    {"20040101", "3200"},
};

// "050802" caps box 110; the other five are the rates the declaration window loads at start.
constexpr Tasa kTasas[] = {
    {"050802", "200201", "0.02"},
    {"020702", "200101", "0.15"},
    {"020704", "200101", "0.21"},
    {"020301", "200101", "0.30"},
    {"020201", "200101", "0.20"},
    {"020501", "200101", "0.10"},
};

constexpr Pais kPaises[] = {
    {"0032", "ARGENTINA"},
    {"0068", "BOLIVIA"},
    {"0076", "BRASIL"},
    {"0152", "CHILE"},
    {"0170", "COLOMBIA"},
    {"0218", "ECUADOR"},
    {"0724", "ESPAÑA"},
    {"0840", "ESTADOS UNIDOS DE AMERICA"},
    {"0484", "MEXICO"},
    {"0591", "PANAMA"},
    {"0756", "SUIZA"},
    {"0858", "URUGUAY"},
    {"0862", "VENEZUELA"},
};

// Every RUC carries a valid check digit. Registered under two users; one business name holds an
// apostrophe.
constexpr Contribuyente kContribuyentes[] = {
    {"10457182363", "QUISPE MAMANI ROSA ELENA", "QUISPE", "MAMANI", "ROSA", "ELENA", "ADMIN"},
    {"10405060707", "FLORES HUAMAN JUAN CARLOS", "FLORES", "HUAMAN", "JUAN", "CARLOS", "DIGITADOR"},
    {"10224466884", "CASTRO PAREDES MARIA LUISA", "CASTRO", "PAREDES", "MARIA", "LUISA", "ADMIN"},
    {"10789012348", "ROJAS SALAZAR PEDRO PABLO", "ROJAS", "SALAZAR", "PEDRO", "PABLO", "DIGITADOR"},
    {"10612345983", "MENDOZA TORRES ANA SOFIA", "MENDOZA", "TORRES", "ANA", "SOFIA", "ADMIN"},
    {"20451122330", "PANADERIA D'LUCIA E.I.R.L.", "PANADERIA D'LUCIA", "E.I.R.L.", "", "", "DIGITADOR"},
};

constexpr UsuarioHost kUsuarios[] = {
    {"ADMIN", "0", "ADMIN"},
    {"DIGITADOR", "1", "DIGITADOR"},
};

// Field 0 (the form, ignored by the installer), tabla_o, tabla_d, tabla_ext, indice, obliga, then
// the 1-based positions in tabla_o of tip_doc_d, doc_id_d, formulario, periodo, estado, the sending
// number and semana (0: the table has no such column). The working tables are sent into their
// history twins; the history tables have no destination of their own.
constexpr const char* kListaEnvio[] = {
    "0738|F0738DIVIDEND|HF0738DIVIDEND|DIV|1|0|1|2|4|3|0|0|0|",
    "0738|F0738EXTRANJ|HF0738EXTRANJ|EXT|2|0|1|2|4|3|0|0|0|",
    "0738|F0738FIDEICOM|HF0738FIDEICOM|FID|3|0|1|2|4|3|0|0|0|",
    "0738|HF0738DIVIDEND||DIV|4|0|1|2|4|3|0|5|0|",
    "0738|HF0738EXTRANJ||EXT|5|0|1|2|4|3|0|5|0|",
    "0738|HF0738FIDEICOM||FID|6|0|1|2|4|3|0|5|0|",
};

}  // namespace

std::span<const Banco> bancosDemo() { return kBancos; }
std::span<const Uit> uitDemo() { return kUit; }
std::span<const Tasa> tasasDemo() { return kTasas; }
std::span<const Pais> paisesDemo() { return kPaises; }
std::span<const Contribuyente> contribuyentesDemo() { return kContribuyentes; }
std::span<const UsuarioHost> usuariosDemo() { return kUsuarios; }
std::span<const char* const> listaEnvioDemo() { return kListaEnvio; }
const char* usuarioSistemaDemo() { return "ADMIN"; }

}  // namespace qvr::host
