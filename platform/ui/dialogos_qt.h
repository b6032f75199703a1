#pragma once
// The message-box port on screen: QMessageBox with the suite's title, text, icon and buttons.
#include "platform/dialogs.h"

namespace qvr {

// The width a message box needs so that the window's title bar shows `titulo` whole.
int anchoParaTitulo(const QString& titulo);

class DialogosQt : public Dialogos {
  public:
    using Dialogos::muestra;
    Respuesta muestra(const Mensaje& m, Respuesta defecto) override;
};

}  // namespace qvr
