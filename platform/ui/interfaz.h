#pragma once
// What every program with windows sets up at start-up: Qt's own texts (print and file dialogs,
// standard buttons, the text boxes' context menus) in Spanish, Enter pressing the push button
// that has the focus, in every window, and the on-screen ports (message boxes, system printer).
class QCoreApplication;

namespace qvr {

// Loads qtbase_es from Qt's translations folder (QLibraryInfo::TranslationsPath, so an installed
// suite finds Debian's qt6-translations-l10n too), installs Enter on push buttons and the on-screen
// ports. Returns false when the translation could not be loaded; the program then runs with Qt's
// English texts.
bool preparaInterfaz(QCoreApplication& app);

// The system printer as the printer port's default, and message boxes for the command-line
// programs that find a display (dialogosParaLineaDeComandos).
void instalaPuertosEnPantalla();

// Enter or the keypad's Enter on a focused push button clicks it, as desktop users expect. Installed
// once for the whole application; entry fields keep their own Enter (the next field).
void instalaEnterEnBotones(QCoreApplication& app);

}  // namespace qvr
