#pragma once
// Private-profile functions over an INI file such as NEMDAL.INI: section and key names compare
// case-insensitively, a missing file, section or key gives the default, a read returns at most
// what a 255-character buffer holds (254 characters), and a write changes only its own line.
#include <QString>

namespace qvr {

// Longest value a read returns: a 255-character buffer keeps one place for the terminator.
inline constexpr int kPerfilBuffer = 255;

class Perfil {
public:
    // File name without a folder: the file is looked up in the Windows folder.
    static QString rutaArchivo(const QString& archivo);
    // The Windows folder: $WINDIR when set, else $XDG_CONFIG_HOME/qvr (default ~/.config/qvr).
    static QString carpetaWindows();

    static QString lee(const QString& seccion, const QString& clave, const QString& defecto,
                       const QString& archivo, int buffer = kPerfilBuffer);
    // Returns false when the file cannot be written.
    static bool escribe(const QString& seccion, const QString& clave, const QString& valor,
                        const QString& archivo);

    // The same on the text of a file, for tests and the fuzz target.
    static QString leeTexto(const QByteArray& contenido, const QString& seccion, const QString& clave,
                            const QString& defecto, int buffer = kPerfilBuffer);
    static QByteArray escribeTexto(const QByteArray& contenido, const QString& seccion,
                                   const QString& clave, const QString& valor);
};

}  // namespace qvr
