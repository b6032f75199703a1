#pragma once
// The consistency rules, in the order they run, and what they read of the declaration.
#include <QString>
#include <vector>

#include "varnel/computation/validacion.h"

namespace qvr {

// What a rule sees and where its broken checks go.
class Evaluador {
public:
    Evaluador(const Declaracion& d, ContextoValidacion& c, bool informe) : d_(d), c_(c), informe_(informe) {}

    // The reading rule of the computation: whole number, magnitude for the deduction boxes.
    double V(int n) const;
    bool vacio(int n) const;
    QString texto(int n) const;
    // The full text of a document-type selector, and its type code (first two characters, trimmed).
    QString selector(int lista) const;
    QString tipo(int lista) const;
    bool selectorVacio(int lista) const { return selector(lista).trimmed().isEmpty(); }
    bool documentoValido(const QString& tipo, const QString& numero) const;
    bool rucValido(const QString& ruc) const;
    const QString& rucDeclarante() const;
    const Declaracion& declaracion() const { return d_; }
    ContextoValidacion& contexto() const { return c_; }

    // A broken check. In save-check mode it ends the validation at once (Detenida).
    void linea(const QString& texto, int casilla);
    struct Detenida {};

    std::vector<Inconsistencia> lineas;
    bool roto = false;

private:
    const Declaracion& d_;
    ContextoValidacion& c_;
    bool informe_;
};

struct ReglaValidacion {
    const char* nombre;
    void (*aplica)(Evaluador&);
};

// R1 to R34 in their order of execution (R33 is the last one listed, R34 runs after it).
const std::vector<ReglaValidacion>& reglasValidacion();

// The location texts appended to the messages.
namespace ubicacion {
extern const QString AMZ, ALQ, ALQ3, DAT, RNI, CQC, DEU, REP, IDE, PAG, CAS;
}

}  // namespace qvr
