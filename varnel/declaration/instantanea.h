#pragma once
// Everything of a declaration that a save writes and an opening reads, as the window shows it:
// the box texts, the identification controls, the option pairs, the chosen list entries and the
// payment-method control. The window (or the batch tool) fills one from its controls before a save
// and puts one back into its controls after an opening.
#include <QString>
#include <map>
#include <vector>

#include "common/clave_declaracion.h"
#include "common/schema.h"
#include "varnel/declaration/inventario.h"

namespace qvr {

// The payment-method control.
struct MedioPago {
    QString codigo = QStringLiteral("XX");  // "C" cheque, "E" cash, "XX" nothing chosen
    QString banco;                          // bank code
    QString cheque;                         // cheque number
    QString monto;                          // amount paid, as shown
    friend bool operator==(const MedioPago&, const MedioPago&) = default;
};

// Option pairs use Opcion of the box inventory: neither answer chosen, Si or No.
struct Instantanea {
    // Texts of the TxtValor boxes by box number, as shown ("(1,234)", "06", a name...).
    // A box missing from the map is empty.
    std::map<int, QString> casillas;
    // Box 002: the chosen CmbRuc entry (new declaration) or the TxtNumRuc text (existing one).
    QString ruc;
    Opcion rectifica = Opcion::Ninguna;   // OptRectifica: boxes 871 and 005
    Opcion general = Opcion::No;          // OptGeneral: 873
    Opcion extranjero = Opcion::No;       // OptExtranjero: 874
    Opcion fideicomiso = Opcion::No;      // OptFideicomiso: 875
    Opcion devolucion = Opcion::Ninguna;  // optDevolucion: 260
    Opcion inmueble = Opcion::Ninguna;    // optInmueble: 027
    // Chosen entries of the document-type lists by their box number (204 to 206, 224 to 227, 235,
    // 301). An entry begins with its two-digit code; an opening gives the code alone ("06").
    std::map<int, QString> listas;
    QString profesion;  // cboProfesion entry (box 025), or its code after an opening
    QString telefono;   // TxtTelefono (box 028)
    QString fechaNacimiento = QStringLiteral("__/__/____");  // MkeFecNac (box 234)
    MedioPago pago;
    // Sent declaration: the order-number field and its check digits.
    QString orden;
    QString verifica;

    QString casilla(int n) const;
    friend bool operator==(const Instantanea&, const Instantanea&) = default;
};

// The document-type lists, by box number.
const std::vector<int>& listasTipoDocumento();

}  // namespace qvr
