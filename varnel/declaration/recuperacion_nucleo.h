#pragma once
// Between the recovery copy and the declaration core: taking a copy of what the core and the
// working tables hold, deciding whether a copy is to be offered when a declaration opens, and
// putting one back exactly as it was typed.
#include <QString>
#include <memory>
#include <vector>

#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/recuperacion.h"
#include "varnel/declaration/recuperacion_dueno.h"

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

// Whether a copy found for a declaration being opened is to be offered.
enum class Oferta {
    Ninguna,      // no copy
    Ofrecer,      // taken from what is stored now: ask
    Superada,     // the stored declaration was saved (or removed) after the copy was begun: set
                  // aside, `mensaje` says so
    NoPermitida,  // a taxpayer the user may not choose: left where it is
    Danada,       // set aside; `mensaje` says so
};
struct BusquedaCopia {
    Oferta oferta = Oferta::Ninguna;
    QString archivo;
    CopiaRecuperacion copia;
    QString mensaje;
    // The lock of the session that left it, held while the copy is offered.
    std::shared_ptr<TomaCopia> toma;
};
// The user's copies of the declaration with this key that no open session holds (`propia`, the
// asking session's id, is skipped too), newest first; those that cannot be offered set aside or
// left as their `oferta` says. Whether a copy is overtaken is decided by the stored content it
// was taken from, not by dates: a save made the same day with the same header overtakes it too.
// Throws ErrorBD.
std::vector<BusquedaCopia> buscaCopias(BaseDatos& base, const QString& usuario, const ClaveDeclaracion& clave,
                                       const QString& propia = {});

// The question, in the suite's words, with the time of the copy.
QString preguntaRecuperacion(const CopiaRecuperacion& c);

}  // namespace qvr
