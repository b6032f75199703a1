#pragma once
// The boxes' background colours by meaning, taken from the palette so that a dark theme stays as
// readable as a light one: the designed colours (white, button face, light grey, cyan) where the
// palette's text reads on them, the same hues moved towards the palette's base where it does not.
#include <QColor>
#include <QPalette>

namespace qvr {

// Contrast ratio of two colours by their relative luminance: 1 (the same) to 21 (black on white).
double contraste(const QColor& a, const QColor& b);

// The least contrast between a box's text and its background.
inline constexpr double kContrasteMinimo = 4.5;

// `deseado` when `texto` reads on it; otherwise `deseado` blended towards `base` just enough.
QColor fondoLegible(const QColor& deseado, const QColor& texto, const QColor& base);

// An entry box: the palette's base (white in a light theme).
QColor fondoEntrada(const QPalette& p);
// A box that is computed, locked or read-only: the palette's button face.
QColor fondoBotonCara(const QPalette& p);
// A locked box of a sent declaration, a disabled list: light grey (RGB 192) in a light theme.
QColor fondoGrisClaro(const QPalette& p);
// The boxes filled from their detail windows (200, 201): cyan in a light theme.
QColor fondoCian(const QPalette& p);
// Secondary text beside a box (its number): between the window's text and its background.
QColor textoSecundario(const QPalette& p);

}  // namespace qvr
