#pragma once
// The identification checks of the declaration window in interactive mode (ValIdent("1")), over
// the declaration core: the messages, and the control that gets the focus when a check stops.
#include <QString>

namespace qvr {

class Declaracion;

struct ResultadoIdent {
    bool valido = true;
    QString foco;  // "CmbRuc" or "TxtTelefono" when a check stopped the checks
};

ResultadoIdent ValIdent(Declaracion& d);

}  // namespace qvr
