#pragma once
// What every program of the suite does with its command line and its windows before it creates
// its application object.

namespace qvr {

// The suite's menu entry (org.qvr.Orvelane.desktop, without the extension).
inline constexpr char kEntradaEscritorio[] = "org.qvr.Orvelane";

// Every window of the program is one of the suite's: the desktop groups it under the menu entry
// (on Wayland by the application id, on X11 by the WM_CLASS instance that the entry's
// StartupWMClass names) instead of showing an unknown application. Before the application object.
void agrupaVentanasEnLaSuite();

// On a Wayland session the program's windows are native Wayland windows (X11 through XWayland
// when Qt's Wayland platform is not installed), unless QT_QPA_PLATFORM chooses. Held while the
// application object is created; the programs this one starts choose for themselves again.
class PlataformaDeLaSesion {
  public:
    PlataformaDeLaSesion();
    ~PlataformaDeLaSesion() { suelta(); }
    PlataformaDeLaSesion(const PlataformaDeLaSesion&) = delete;
    PlataformaDeLaSesion& operator=(const PlataformaDeLaSesion&) = delete;
    // The platforms asked for ("wayland;xcb"), or empty when the program keeps Qt's own choice.
    const char* pedida() const { return puesta_ ? kWaylandPrimero : ""; }
    void suelta();

  private:
    static constexpr char kWaylandPrimero[] = "wayland;xcb";
    bool puesta_ = false;
};

// The first word of argv (after the program's name) that is not one of the window toolkit's own
// options (-platform NAME, -style NAME, -reverse...), which the application object takes for
// itself; nullptr when there is none.
const char* primeraPalabraPropia(int argc, char** argv);

// A word that has the shape of an option: one or two dashes and a letter ("-x", "--dry-run",
// "--uit=3").
bool pareceOpcion(const char* palabra);

// Refuses what the program does not take: "PROGRAMA: opción desconocida: PALABRA" (or "argumento
// de más" for a word that is no option) and the usage on standard error. Returns 2, the exit status of a usage error; nothing has been run.
int rechazaOpcion(const char* programa, const char* palabra, const char* uso);

}  // namespace qvr
