#pragma once
// How wide a field must be for the text it takes: the fields that take names and descriptions are
// measured with typical typed text, so that the longest value a field accepts shows whole.
#include <QString>

class QFontMetrics;
class QLineEdit;

namespace qvr {

// `n` characters of typical typed text: capitals (names and descriptions are typed upper case),
// the alphabet over and over; without the blanks of real names it errs on the wide side.
QString tipicoMayusculas(int n);
// The width of `n` such characters.
int anchoTipico(const QFontMetrics& fm, int n);
// The room a field has for its text: its width less its frame and inner margins.
int sitioTexto(const QLineEdit* e);
// Makes `e` at least wide enough for `n` such characters beside its frame and margins.
void anchoParaTexto(QLineEdit* e, int n);

}  // namespace qvr
