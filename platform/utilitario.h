#pragma once
// The host suite's utility component: taxpayer-number and date checks, key filters, text padding,
// file existence and the suite's message window. Every operation is static; the programs keep no
// state in it.
//
// Choices made here (the host leaves them to its component):
// - ValidaRuc: exactly 11 digits; the first two are 10, 15, 17 or 20; the check digit (the 11th) is
//   11 - (S mod 11), where S is the sum of the first ten digits weighted 5,4,3,2,7,6,5,4,3,2, and a
//   result of 10 becomes 0 and 11 becomes 1. Blanks around the number are not removed: callers trim.
// - ValidaFecha: the date and both bounds are strict "dd/mm/yyyy" texts (ten characters, digits and
//   slashes, two-digit day and month) naming a real calendar date, year 0001 to 9999; both bounds
//   are inclusive. A malformed bound makes every date invalid.
// - Key filters judge the character a key types (its character code, as QKeyEvent::text() gives it),
//   the code a key-press handler works with. Keys that type nothing (arrows, Delete, Home...)
//   never reach a filter: callers let them through. The editing keys that pass every filter are
//   Backspace (8), Tab (9) and Enter (13); the Qt key codes of Backspace, Tab, Return and Enter pass
//   too, so a caller may hand over QKeyEvent::key() for those. Control characters such as Ctrl+V (22)
//   are refused, which keeps pasting out of filtered fields.
//   FiltraNumero: digits 0-9. FiltraAlfanumerico: digits and the letters A-Z and a-z.
//   FiltraLetra (the caller upper-cases first): A-Z, Ñ, the accented capitals Á É Í Ó Ú Ü, the blank,
//   and & . - , for business names. A lower-case letter is refused.
// - EsNumerico: only the digits 0-9; EsAlfanumerico: only digits and A-Z, a-z (what document numbers
//   hold). Both answer false for an empty text.
// - AjustaTexto and RellenaDerecha: exactly `ancho` characters, cut on the right when longer.
//   RellenaIzquierda: exactly `ancho` characters, right-justified; a longer text keeps its last
//   characters, as a right-justified field does. A width of 0 or less gives "".
// - ExisteArchivo: -1 when the path names an existing regular file (a folder does not count), else 0;
//   backslashes in the path are turned into '/' first.
// - MuestraMensaje: a message box with the exclamation icon and an OK button, through the dialogs
//   port; it answers 1 (the OK button's number).
#include <QString>

namespace qvr {

class Utilitario {
  public:
    // True of the component's 16-bit answers.
    static constexpr int kVerdadero = -1;

    static int ExisteArchivo(const QString& ruta);
    static bool ValidaRuc(const QString& ruc);
    static QString AjustaTexto(const QString& texto, int ancho);
    static bool ValidaFecha(const QString& fecha, const QString& minimo, const QString& maximo);
    static bool EsAlfanumerico(const QString& texto);
    static int FiltraNumero(int tecla);
    static int FiltraAlfanumerico(int tecla);
    static bool EsNumerico(const QString& texto);
    static QString RellenaDerecha(const QString& texto, int ancho, QChar relleno);
    static QString RellenaIzquierda(const QString& texto, int ancho, QChar relleno);
    static int MuestraMensaje(const QString& mensaje, const QString& titulo);
    static int FiltraLetra(int tecla);

    // Backspace, Tab or Enter, as a character code or as a Qt key code.
    static bool EsTeclaEdicion(int tecla);
};

}  // namespace qvr
