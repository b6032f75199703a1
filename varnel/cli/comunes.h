#pragma once
// What several varnel-cli subcommands share: reading their input lines and opening the database
// that NEMDAL.INI names.
#include <QStringList>
#include <functional>
#include <optional>

#include "common/sesion.h"

namespace qvr::cli {

// The lines of FILE, or of standard input when FILE is empty or "-"; nullopt (with the reason in
// *error) when it cannot be read.
std::optional<QStringList> leeLineas(const QString& archivo, QString* error);

// Reads NEMDAL.INI and opens its database. False when no database is configured (*error says so)
// or when it cannot be opened (the connection message has been shown).
bool abreBaseConfigurada(DatosSesion& s, QString* error);

// Runs a batch operation on the open database: its notices go to `error`, its lines to standard
// output, and its exit status is returned; a database error is reported and gives 1.
struct SalidaLote {
    int salida = 0;
    QStringList avisos;
    QStringList lineas;
};
int ejecutaSobreBase(const std::function<SalidaLote()>& operacion,
                     const std::function<void(const QString&)>& error);

}  // namespace qvr::cli
