#pragma once
// Whose recovery copy a file is. Every session (a window, another program) writes its own copy of a
// declaration, named with the session's id, and holds a lock file while it lives: two sessions of
// one user and taxpayer never overwrite or remove each other's copy, and a copy whose session is
// still open is neither offered to another nor touched by it. A copy whose session ended (closed
// without saving, or killed: its lock is gone or stale) is left for the next opening.
#include <QString>
#include <QStringList>
#include <memory>

#include "common/clave_declaracion.h"

class QLockFile;

namespace qvr {

// The file of one session's copy of a declaration.
QString archivoRecuperacion(const QString& usuario, const ClaveDeclaracion& clave, const QString& sesion);
// Every copy of the declaration in the folder: each session's and the single file of earlier
// versions, by name.
QStringList copiasDeclaracion(const QString& usuario, const ClaveDeclaracion& clave);
// The id of the session that wrote the copy `archivo`; empty for the single file of earlier versions.
QString sesionDeCopia(const QString& archivo);

// The session that writes copies: a new id, and its lock once it has something to keep.
class DuenoCopias {
  public:
    DuenoCopias();
    ~DuenoCopias();
    DuenoCopias(const DuenoCopias&) = delete;
    DuenoCopias& operator=(const DuenoCopias&) = delete;

    const QString& id() const { return id_; }
    // Takes the session's lock (before its first copy is written). False when it cannot be taken:
    // the copy is still written, only no longer protected from another session.
    bool asegura();

  private:
    QString id_;
    std::unique_ptr<QLockFile> lock_;
};

// A copy found by another session, with its owner's lock while it is looked at, so that two
// openings never offer the same left copy at once.
class TomaCopia {
  public:
    explicit TomaCopia(const QString& archivo);
    ~TomaCopia();
    TomaCopia(const TomaCopia&) = delete;
    TomaCopia& operator=(const TomaCopia&) = delete;
    // The session that wrote it has ended (or, for the old single file, there is no owner to ask).
    bool libre() const { return libre_; }

  private:
    std::unique_ptr<QLockFile> lock_;
    bool libre_ = false;
};

}  // namespace qvr
