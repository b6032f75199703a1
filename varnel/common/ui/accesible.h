#pragma once
// What a screen reader hears of the suite's controls beyond their captions.
class QTabWidget;

namespace qvr {

// Names the tab strip (the tab widget and its bar) after the tab it shows, and renames it each
// time another tab is shown, so that a screen reader says which page is open.
void nombraPorPestana(QTabWidget* tira);

}  // namespace qvr
