#pragma once
// The boxes of form 0738 held by the declaration window's box array: kind, computed or entered,
// page and frame, meaning and design lengths; the fixed save order; the option pairs and the lists
// that go with the boxes.
#include <QString>
#include <utility>
#include <vector>

namespace qvr {

enum class TipoCasilla {
    MontoSimple,  // digits; shown "#,###,###,##0"
    Deduccion,    // digits; shown "(#,###,###,##0)"
    OtroMonto,    // digits; shown "###,###,###,##0", negative in parentheses
    Indicador,    // box 140: "1" or "2"
    Ruc,          // 11 digits
    Documento,    // digits or letters by the companion document type
    Nombre,       // upper-case letters
};

struct InfoCasilla {
    int numero;
    TipoCasilla tipo;
    bool calculada;
    const char* pagina;  // "1.2" is sub-page 2 of page 1
    const char* marco;
    const char* significado;
    int longitud;  // design maximum length
    bool visible;
};

// Every element of the box array, in screen order.
const std::vector<InfoCasilla>& inventario();
// nullptr when the array holds no element n.
const InfoCasilla* infoCasilla(int n);
inline bool existeCasilla(int n) { return infoCasilla(n) != nullptr; }

// The 100 boxes saved in this order and locked together in the read-only view.
const std::vector<int>& OrdenCasillas();

// Boxes whose value is read as a magnitude (deductions, losses and credits stored negative).
bool leeComoMagnitud(int n);
// Disabled at design: computed boxes and 114, 145.
bool deshabilitadaEnDiseno(int n);
// Boxes 817 to 825: a 30-character name stored as two rows, the second under n + 10.
inline bool nombreEnDosFilas(int n) { return n >= 817 && n <= 825; }
// The two stored rows of such a name: characters 1 to 15, and 16 to 30 (under n + 10).
inline std::pair<QString, QString> filasDeNombre(const QString& nombre) {
    return {nombre.left(15), nombre.mid(15, 15)};
}

// The yes/no questions. Their indexes are not uniform: the rent question has Si = 1, No = 2; the
// others No = 0, Si = 1.
enum class Pregunta { Inmueble, Rectifica, Devolucion, General, Extranjero, Fideicomiso };
enum class Opcion { Ninguna, Si, No };
struct ParOpciones {
    Pregunta pregunta;
    const char* control;
    const char* casilla;  // the box it is stored under
    int indiceSi;
    int indiceNo;
};
const std::vector<ParOpciones>& paresOpciones();
const ParOpciones& parOpciones(Pregunta p);

// Document-type lists (by their box number) and the document-number box each one governs.
const std::vector<std::pair<int, int>>& listasDocumento();
int companeraDeLista(int lista);    // 0 when not a list
int listaDeDocumento(int casilla);  // 0 when not a document-number box

// Box groups of the group operations.
const std::vector<int>& grupoAmazonia();
const std::vector<int>& grupoCuarta();
const std::vector<int>& grupoAlquiler();
const std::vector<int>& listasCuarta();    // 224 to 227
const std::vector<int>& listasAlquiler();  // 204 to 206

}  // namespace qvr
