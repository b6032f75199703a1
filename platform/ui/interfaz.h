#pragma once
// What every program with windows sets up at start-up: Qt's own texts (print and file dialogs,
// standard buttons, the text boxes' context menus) in Spanish, Enter pressing the push or tool
// button that has the focus, in every window, and the on-screen ports (message boxes, system printer).
class QCoreApplication;
class QWidget;

namespace qvr {

// Loads qtbase_es from Qt's translations folder (QLibraryInfo::TranslationsPath, so an installed
// suite finds Debian's qt6-translations-l10n too), installs Enter on push buttons and the on-screen
// ports. Returns false when the translation could not be loaded; the program then runs with Qt's
// English texts.
bool preparaInterfaz(QCoreApplication& app);

// The system printer as the printer port's default, and message boxes for the command-line
// programs that find a display (dialogosParaLineaDeComandos).
void instalaPuertosEnPantalla();

// Enter or the keypad's Enter on a focused push or tool button presses that button, not the
// window's default one, as desktop users expect. One filter on the application, so windows and
// buttons created later are covered too; installed once (a second call does nothing). Entry
// fields, lists and grids keep their own Enter (the next box, the row's action).
void instalaEnterEnBotones(QCoreApplication& app);

// Says once, on the logging category "qvr.ventanas" (info level, off unless QT_LOGGING_RULES turns
// it on), when the window is first painted on screen: "en pantalla: CAPTION (PLATFORM)". What a
// scripted run or a test waits for on any platform, Wayland included, where no other program can
// see the window.
void anunciaEnPantalla(QWidget* ventana);

}  // namespace qvr
