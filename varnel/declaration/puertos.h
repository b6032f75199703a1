#pragma once
// What the declaration core asks of its surroundings: the key filters and date check of the host
// utility component, and the clipboard. The window plugs in the real ones; tests and the batch
// tool use the basic filters below and a clipboard that only counts.
#include <QString>

namespace qvr {

// Character codes as a key press delivers them.
inline constexpr int kTeclaRetroceso = 8;
inline constexpr int kTeclaEnter = 13;
// Tab moves the focus: it is never a typed character for any key filter.
inline constexpr int kTeclaTab = 9;

class FiltrosTeclado {
  public:
    virtual ~FiltrosTeclado() = default;
    // The key when acceptable, else 0.
    virtual int FiltraNumero(int tecla) const;
    virtual int FiltraAlfanumerico(int tecla) const;
    // Nonzero when the (upper-cased) key is acceptable in a name.
    virtual int FiltraLetra(int tecla) const;
    // A valid "dd/mm/yyyy" date within the bounds, inclusive.
    virtual bool ValidaFecha(const QString& fecha, const QString& menor, const QString& mayor) const;
};

// Digits and Backspace for numbers; upper-case letters and digits for document numbers; letters,
// blank, and the marks that names and company names carry (". , & ' -") for names.
const FiltrosTeclado& filtrosBasicos();

class Portapapeles {
  public:
    virtual ~Portapapeles() = default;
    // Puts empty text into the clipboard so that a later paste inserts nothing.
    virtual void vacia() = 0;
};

class PortapapelesContador : public Portapapeles {
  public:
    void vacia() override { ++vaciados; }
    int vaciados = 0;
};

}  // namespace qvr
