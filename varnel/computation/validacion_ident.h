#pragma once
// ValIdent: the identification checks of the declaration's first page. In report mode ("0") a
// failed check becomes a line of the inconsistency list and the checks go on; in any other mode it
// is a critical message with the window's caption, and some checks stop there.
#include <QString>
#include <vector>

#include "varnel/computation/validacion.h"

namespace qvr {

enum class FocoIdentificacion { Ninguno, Contribuyente, Telefono };

struct ResultadoIdentificacion {
    bool ok = true;
    // Interactive mode: the window selects its first page and puts the focus here.
    bool paginaCero = false;
    FocoIdentificacion foco = FocoIdentificacion::Ninguno;
};

// `lineas` receives the report-mode lines (the telephone and rectification checks name no box).
ResultadoIdentificacion ValIdent(const Declaracion& d, const QString& modo, ContextoValidacion& c,
                                 std::vector<Inconsistencia>* lineas);

}  // namespace qvr
