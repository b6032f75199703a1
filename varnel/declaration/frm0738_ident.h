#pragma once
// The declarant of the declaration window: choosing a taxpayer in CmbRuc and the identification
// checks that guard leaving the first page, saving and the validation (ValIdent).
#include <QString>
#include <functional>

#include "varnel/declaration/declaracion.h"

namespace qvr {

class BaseDatos;
class BarraEstado;

enum class FocoIdent { Ninguno, CmbRuc, Telefono, Rectifica };

struct ContextoIdent {
    BaseDatos* base = nullptr;
    QString periodo = QStringLiteral("2003");
    QString formulario = QStringLiteral("0738");
    int semana = 0;
    QString entradaRuc;  // the chosen CmbRuc entry (new declaration)
    QString titulo;      // title of the messages
    BarraEstado* barra = nullptr;
    // Report mode ("0"): one line of the inconsistency file per failed check.
    std::function<void(const QString&)> linea;
    // The rates read again once a new declarant passed the first check.
    std::function<void()> recargaTasas;
};

struct ResultadoIdent {
    bool ok = true;
    bool pagina0 = false;  // page 0 of tabPrincipal is to be selected
    FocoIdent foco = FocoIdent::Ninguno;
};

// ValIdent(modo), the one identification check of the window (leaving page 0, saving) and of the
// validation's report mode: "0" reports every failed check as a line and goes on; any other mode
// shows the message (critical icon) and stops where the check says so. Throws ErrorBD.
ResultadoIdent ValIdent(const QString& modo, const Declaracion& d, const ContextoIdent& c);

// Choosing an entry of CmbRuc: boxes 801 to 803, NombreDeclarante, RucDeclarante and the status
// bar. True when the taxpayer already has a declaration (page 0 is then selected).
bool eligeContribuyente(Declaracion& d, const ContextoIdent& c, const QString& entrada);

}  // namespace qvr
