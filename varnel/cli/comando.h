#pragma once
// Subcommands of varnel-cli. Each subcommand lives in its own file and registers itself with
// REGISTRA_COMANDO, so that adding one touches nothing else.
#include <QStringList>
#include <functional>
#include <map>
#include <string>

namespace qvr::cli {

struct Comando {
    QString nombre;
    QString uso;          // one line: "calcular [--uit U] [FILE]"
    QString descripcion;  // a few lines for --help
    // Arguments after the subcommand's name; returns the exit status.
    std::function<int(const QStringList& args)> ejecuta;
};

std::map<QString, Comando>& comandos();

struct Registro {
    explicit Registro(Comando c) { comandos()[c.nombre] = std::move(c); }
};

}  // namespace qvr::cli

#define QVR_CONCAT2(a, b) a##b
#define QVR_CONCAT(a, b) QVR_CONCAT2(a, b)
#define REGISTRA_COMANDO(...) \
    static ::qvr::cli::Registro QVR_CONCAT(registroComando_, __LINE__)(::qvr::cli::Comando{__VA_ARGS__})
