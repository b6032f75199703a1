#pragma once
// The host check and the single-instance test.
//
// A program's main window, while it is shown, holds a mark named after its caption in the user's
// runtime folder: a local socket that only a running program answers. The modules look for the
// host's mark instead of walking the top-level windows, which works alike on X11 and on Wayland,
// where no program can list another's windows.
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QTimer;

namespace qvr {

// The user's runtime folder: $QVR_RUNTIME_DIR, else $XDG_RUNTIME_DIR, else the temporary folder.
QString carpetaEjecucion();

// The window-finding object of the start-up.
class cWindows {
  public:
    // True when a running program holds the mark of a shown window whose caption is exactly
    // `titulo` (case-sensitive, whole text).
    bool CorreApp(const QString& titulo) const;
};

// The mark of a shown window: held while the watched window (a widget or a QWindow) is shown, given
// up when it is hidden or destroyed. Minimising does not hide it. When another running program
// already holds the mark, it is taken over once that program lets it go.
class MarcaVentana : public QObject {
  public:
    MarcaVentana(QObject* ventana, const QString& titulo);
    ~MarcaVentana() override;

    // Takes the mark now; false when another running program holds it. A mark left behind by a
    // program that died is taken over.
    bool toma();
    void suelta();
    bool tomada() const { return servidor_ != nullptr; }

    // Where the mark of `titulo` lives.
    static QString ruta(const QString& titulo);

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    QString titulo_;
    QLocalServer* servidor_ = nullptr;
    QTimer* reintento_ = nullptr;
};

// One running copy per program and user: a lock file in the runtime folder. A lock left by a
// program that died is taken over.
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
