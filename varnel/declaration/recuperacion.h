#pragma once
// The recovery copy of a declaration being typed: everything a save would write (the window's
// snapshot and the rows of the annex working tables), kept in the user's data folder so that a
// crash or a power cut loses at most the last seconds of typing. One file per user, taxpayer and
// session (recuperacion_dueno.h), JSON with a format version, written atomically; never in the
// shared database.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <vector>

#include "common/cabeceras.h"
#include "varnel/declaration/instantanea.h"

namespace qvr {

// 2 records the stored content the typing began from; copies of version 1 are still read.
inline constexpr int kVersionRecuperacion = 2;

// The rows of one working table, by column name.
struct TablaRecuperada {
    QString tabla;
    QStringList columnas;
    std::vector<QVariantList> filas;
    friend bool operator==(const TablaRecuperada&, const TablaRecuperada&) = default;
};

// What the stored declaration recorded when the typing began: a later save (from another
// workstation, or a deletion) changes it, and the copy is then no longer newer than what is stored.
using CabeceraGuardada = SelloCabecera;

struct CopiaRecuperacion {
    QString usuario;
    ClaveDeclaracion clave;  // ruc, periodo, formulario, semana
    QDateTime momento;       // when the copy was taken
    bool nueva = false;      // taken from a declaration never saved (ModoDeclaracion 1)
    CabeceraGuardada guardada;
    // The stored declaration's content (versionDeclaracion) when the typing began, empty when none
    // was stored; nullopt when unknown (a copy of version 1, or a reading that failed), and then
    // `guardada` decides.
    std::optional<QByteArray> base;
    Instantanea datos;
    std::vector<TablaRecuperada> anexos;
    friend bool operator==(const CopiaRecuperacion&, const CopiaRecuperacion&) = default;
};

QByteArray aJson(const CopiaRecuperacion& c);
// nullopt with the reason in *error when the text is not a copy of a known version.
std::optional<CopiaRecuperacion> deJson(const QByteArray& json, QString* error);

// $XDG_DATA_HOME/qvr/recuperacion (GenericDataLocation).
QString carpetaRecuperacion();
// The single file of a user's copy of a declaration, as versions before the per-session copies
// named it; still read.
QString archivoRecuperacion(const QString& usuario, const ClaveDeclaracion& clave);

// Writes a temporary file in the same folder, checks every write, the flush to disk and the close,
// and only then renames it over the old copy: a full disk or a crash while writing leaves the
// previous copy whole, and a failed write leaves no temporary file. False with the reason, in
// Spanish, in *error.
bool escribeCopia(const QString& archivo, const CopiaRecuperacion& c, QString* error);
// Renames a copy over another (a restored copy becomes the restoring session's). False when it failed.
bool mueveCopia(const QString& de, const QString& a);

struct LecturaCopia {
    enum Estado { Ninguna, Leida, Danada } estado = Ninguna;
    CopiaRecuperacion copia;
    QString mensaje;   // Danada: the one line to show
    QString apartada;  // Danada: where the file was set aside (empty when it could not be renamed)
};
// Reads a copy. A copy that cannot be read, is damaged, or belongs to another user or taxpayer
// (when given) is set aside by renaming it, never deleted.
LecturaCopia leeCopia(const QString& archivo, const QString& usuario = {}, const QString& ruc = {});
// Sets a copy aside (renamed with `motivo` and the time); the new name, or empty when it failed.
QString apartaCopia(const QString& archivo, const QString& motivo);
bool eliminaCopia(const QString& archivo);

// The copies in the folder, for support: file, and the copy or why it cannot be read. Reads only.
struct CopiaListada {
    QString archivo;
    std::optional<CopiaRecuperacion> copia;
    QString error;
};
std::vector<CopiaListada> listaCopias();

// A copy as key=value lines for support: who, which declaration, when; every non-empty box as
// NNN=text; the other controls; then each working table's rows, values joined by "|".
QStringList lineasCopia(const CopiaRecuperacion& c);

// "dd/MM/yyyy hh:mm:ss" in local time.
QString momentoTexto(const QDateTime& t);

}  // namespace qvr
