#pragma once
// Between the recovery copy and the declaration core: taking a copy of what the core and the
// working tables hold, deciding whether a copy is to be offered when a declaration opens, and
// putting one back exactly as it was typed.
#include <QString>

#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/recuperacion.h"

namespace qvr {

class BaseDatos;


// The rows of the three annex working tables. Throws ErrorBD.
std::vector<TablaRecuperada> leeAnexosTrabajo(BaseDatos& base);
// Empties the working tables and puts the copy's rows back, in one transaction. Throws ErrorBD.
void restauraAnexosTrabajo(BaseDatos& base, const std::vector<TablaRecuperada>& anexos);

// A copy of the declaration the core shows. `guardada` is what the stored declaration recorded
// when the typing began.
CopiaRecuperacion tomaCopia(BaseDatos& base, const Declaracion& d, const QString& usuario,
                            const QString& formulario, const CabeceraGuardada& guardada);

// Puts the copy's snapshot into the core: every box (those empty in the copy are emptied), list,
// option, the telephone, the date and the payment control, without computing (computed boxes as
// they were shown). Ends modified, so that "&Grabar" saves it.
void restauraInstantanea(Declaracion& d, const Instantanea& s);

// Whether the copy found for a declaration being opened is to be offered.
enum class Oferta {
    Ninguna,      // no copy
    Ofrecer,      // newer than the stored declaration: ask
    Superada,     // the stored declaration was saved (or removed) after the copy was begun
    NoPermitida,  // a taxpayer the user may not choose
    Danada,       // set aside; `mensaje` says so
};
struct BusquedaCopia {
    Oferta oferta = Oferta::Ninguna;
    QString archivo;
    CopiaRecuperacion copia;
    QString mensaje;
};
// Looks for the user's copy of the declaration with this key. Throws ErrorBD.
BusquedaCopia buscaCopia(BaseDatos& base, const QString& usuario, const ClaveDeclaracion& clave);

// The question, in the suite's words, with the time of the copy.
QString preguntaRecuperacion(const CopiaRecuperacion& c);

}  // namespace qvr
