#pragma once
// What the varnel-cli subcommands share: their argument parsing, reading their input lines,
// opening the database that NEMDAL.INI names and running a step on it.
#include <QFile>
#include <QSet>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

#include "common/sesion.h"

namespace qvr::cli {

// The options a subcommand takes: those followed by a value, plain switches, and how many plain
// arguments (named `posicional` in the messages) it accepts.
struct FormaArgumentos {
    QStringList conValor;
    QStringList interruptores;
    int posicionales = 1;
    QString posicional = QStringLiteral("ARCHIVO");
};

struct Argumentos {
    std::map<QString, QString> valores;
    QSet<QString> interruptores;
    QStringList posicionales;
    bool tiene(const QString& opcion) const { return valores.count(opcion) || interruptores.contains(opcion); }
    QString valor(const QString& opcion) const {
        const auto it = valores.find(opcion);
        return it == valores.end() ? QString() : it->second;
    }
    QString posicional(int i = 0) const { return posicionales.value(i); }
};

// nullopt with the reason in *error ("--correl necesita un valor", "opción desconocida --x", "solo se
// admite un RUC").
std::optional<Argumentos> leeArgumentos(const QStringList& args, const FormaArgumentos& forma, QString* error);

// FILE, or standard input when FILE is empty or "-", opened in `f` to be read line by line
// (LectorLineas); false with the reason in *error when it cannot be opened.
bool abreEntrada(const QString& archivo, QFile& f, QString* error);

// The input of a subcommand that takes no option and at most one FILE (standard input without it).
bool entradaDeArgumentos(const QStringList& args, QFile& f, QString* error);

// Reads NEMDAL.INI and opens its database. False when no database is configured (*error says so)
// or when it cannot be opened (the connection message has been shown).
bool abreBaseConfigurada(DatosSesion& s, QString* error);

// Runs a batch operation on the open database: its notices go to `error`, its lines to standard
// output, and its exit status is returned; a database error is reported and gives `salidaErrorBD`.
struct SalidaLote {
    int salida = 0;
    QStringList avisos;
    QStringList lineas;
};
int ejecutaSobreBase(const std::function<SalidaLote()>& operacion,
                     const std::function<void(const QString&)>& error, int salidaErrorBD = 1);

// The whole road of a subcommand over the configured database: NEMDAL.INI, the database, the
// operation. Exit 2 when there is no database.
int ejecutaConBase(const std::function<SalidaLote(DatosSesion&)>& operacion,
                   const std::function<void(const QString&)>& error, int salidaErrorBD = 1);

}  // namespace qvr::cli
