#include "varnel/common/ui/accesible.h"

#include <QTabBar>
#include <QTabWidget>

namespace qvr {

void nombraPorPestana(QTabWidget* tira) {
    const auto nombra = [tira] {
        const int i = tira->currentIndex();
        const QString nombre = i < 0 ? QString() : QString(tira->tabText(i)).remove('&').simplified();
        // Setting the name tells the screen reader that it changed.
        tira->setAccessibleName(nombre);
        tira->tabBar()->setAccessibleName(nombre);
    };
    nombra();
    // The bar's signal: it comes even while the strip's own signals are blocked.
    QObject::connect(tira->tabBar(), &QTabBar::currentChanged, tira, nombra);
}

}  // namespace qvr
