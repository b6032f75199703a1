#pragma once
// What a stored (or sent) declaration holds at one moment, as one fingerprint: its header row and
// its box rows by content, its annex rows by their record control numbers. A save compares the fingerprint taken when the
// declaration was read with the one under its lock, so that a change made since by another
// workstation or program is never overwritten without a word.
#include <QByteArray>

#include "common/clave_declaracion.h"

namespace qvr {

class BaseDatos;

// Empty when the declaration (or the sending clave.correl, with `enviada`) has no header. Throws
// ErrorBD.
QByteArray versionDeclaracion(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada);

}  // namespace qvr
