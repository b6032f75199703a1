#pragma once
// The declaration headers: CAB (stored declarations) and hCAB (sent ones). Every statement on
// them that the module makes is here.
#include <QDate>
#include <QString>
#include <optional>

#include "common/clave_declaracion.h"
#include "platform/database.h"

namespace qvr {

// A header row of this key (week included) exists in CAB.
bool existeCabecera(BaseDatos& base, const ClaveDeclaracion& clave);

// The header row of a stored declaration (CAB) or, with `enviada`, of the sending clave.correl
// (hCAB); every column.
Registros leeCabecera(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada);

// estado of a stored declaration's header (0 consistent, 9 with inconsistencies); nullopt when
// it has none.
std::optional<int> estadoCabecera(BaseDatos& base, const ClaveDeclaracion& clave);

// What the header of a stored declaration records of its last save: nothing when it has none.
struct SelloCabecera {
    bool existe = false;
    QString fecPro;
    QString cNumero;
    friend bool operator==(const SelloCabecera&, const SelloCabecera&) = default;
};
SelloCabecera selloCabecera(BaseDatos& base, const ClaveDeclaracion& clave);

// The order number and control number of a sending (hCAB with clave.correl); nullopt when there
// is no such sending.
struct DatosEnvio {
    QString norden;
    QString control;
};
std::optional<DatosEnvio> leeEnvio(BaseDatos& base, const ClaveDeclaracion& clave);

// The payment and rectification columns a save writes into CAB.
struct ValoresCabecera {
    QString fecha;  // fec_pro, dd/MM/yyyy
    QString banco, cheque, montoCheque, efectivo, rectifica;
};
// Updates the header of clave, or inserts it when it has none. Throws ErrorBD.
void escribeCabecera(BaseDatos& base, const ClaveDeclaracion& clave, const ValoresCabecera& v);
// Sets the header's estado. Throws ErrorBD.
void fijaEstadoCabecera(BaseDatos& base, const ClaveDeclaracion& clave, int estado);
// The record control number of the CAB row (5 key columns), recomputed and written.
void actualizaCNumeroCab(BaseDatos& base, const ClaveDeclaracion& clave);
// Writes the order number of the sending clave.correl and its control number. Throws ErrorBD.
void fijaOrdenEnvio(BaseDatos& base, const ClaveDeclaracion& clave, const QString& orden);

// The declarant's name (CONT.NOMBRE) and the header's week, with the order and control numbers of
// a sending, as a printed declaration names them; nullopt when the declaration is not stored (or
// the sending not accepted).
struct CabeceraImpresion {
    QString nombre;
    int semana = 0;
    QString norden, control;
};
std::optional<CabeceraImpresion> cabeceraImpresion(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada);

}  // namespace qvr
