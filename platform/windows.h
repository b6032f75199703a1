#pragma once
// Top-level windows of the X11 display and the single-instance test.
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>

namespace qvr {

// The window-finding object of the start-up.
class cWindows {
public:
    // True when a visible (mapped) top-level window whose caption equals `titulo` exactly exists
    // on the X11 display. False without a display.
    bool CorreApp(const QString& titulo) const;
    // Captions of the visible top-level windows, in stacking order (for diagnostics and tests).
    QStringList captionsVisibles() const;
};

// One running copy per program and user: a lock file in the runtime folder
// ($QVR_RUNTIME_DIR, else $XDG_RUNTIME_DIR, else the temporary folder). A lock left by a program that
// died is taken over.
class InstanciaUnica {
public:
    explicit InstanciaUnica(const QString& programa);
    // False when another copy holds the lock.
    bool adquiere();
    QString ruta() const { return ruta_; }

private:
    QString ruta_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace qvr
