#include "platform/arranque.h"

#include <QGuiApplication>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace qvr {

namespace {

// The options QGuiApplication and QApplication take out of argv, with or without a value. Qt
// accepts them with one dash or two.
struct OpcionQt {
    const char* nombre;
    bool conValor;
};
constexpr OpcionQt kOpcionesQt[] = {
    {"platform", true},       {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},         {"display", true},            {"geometry", true},
    {"qwindowgeometry", true}, {"qwindowtitle", true},      {"qwindowicon", true},
    {"style", true},          {"stylesheet", true},         {"session", true},
    {"name", true},           {"reverse", false},           {"nograb", false},
    {"dograb", false},        {"sync", false},              {"widgetcount", false},
};

const OpcionQt* opcionQt(const char* palabra) {
    if (palabra[0] != '-') return nullptr;
    const char* nombre = palabra + (palabra[1] == '-' ? 2 : 1);
    for (const OpcionQt& o : kOpcionesQt)
        if (std::strcmp(nombre, o.nombre) == 0) return &o;
    return nullptr;
}

}  // namespace

void agrupaVentanasEnLaSuite() {
    // The X11 instance name comes from RESOURCE_NAME before the program's own name; the programs
    // this one starts inherit it, which is what they set anyway.
    if (qEnvironmentVariableIsEmpty("RESOURCE_NAME")) qputenv("RESOURCE_NAME", "orvelane");
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kEntradaEscritorio));
}

PlataformaDeLaSesion::PlataformaDeLaSesion() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland";
    if (!wayland) return;
    qputenv("QT_QPA_PLATFORM", kWaylandPrimero);
    puesta_ = true;
}

void PlataformaDeLaSesion::suelta() {
    if (!puesta_) return;
    qunsetenv("QT_QPA_PLATFORM");
    puesta_ = false;
}

const char* primeraPalabraPropia(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const OpcionQt* o = opcionQt(argv[i]);
        if (!o) return argv[i];
        if (o->conValor) ++i;
    }
    return nullptr;
}

bool pareceOpcion(const char* palabra) {
    if (palabra[0] != '-') return false;
    const char* resto = palabra + (palabra[1] == '-' ? 2 : 1);
    return std::isalpha(static_cast<unsigned char>(resto[0])) != 0;
}

int rechazaOpcion(const char* programa, const char* palabra, const char* uso) {
    std::fprintf(stderr, "%s: %s: %s\n%s", programa, pareceOpcion(palabra) ? "opción desconocida" : "argumento de más",
                 palabra, uso);
    return 2;
}

}  // namespace qvr
