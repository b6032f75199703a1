#include "varnel/app/ui/posiciona.h"

#include "varnel/app/aplicacion.h"

namespace qvr {

int pixeles(const QWidget* ventana, int twips) { return twipsAPixeles(twips, ventana->logicalDpiX()); }

void PosicionaVentana(QWidget* ventana, int izquierda, int arriba, int alto, int ancho) {
    ventana->setWindowState(Qt::WindowNoState);
    const QRect marco = ventana->frameGeometry();
    const QRect cliente = ventana->geometry();
    const int extraAncho = marco.width() - cliente.width();
    const int extraAlto = marco.height() - cliente.height();
    ventana->move(pixeles(ventana, izquierda), pixeles(ventana, arriba));
    QSize tam(pixeles(ventana, ancho) - extraAncho, pixeles(ventana, alto) - extraAlto);
    if (ventana->minimumSize() == ventana->maximumSize())
        ventana->setFixedSize(tam);  // a fixed-size window keeps being fixed at its new size
    else
        ventana->resize(tam);
}

}  // namespace qvr
