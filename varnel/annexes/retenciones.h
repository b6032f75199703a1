#pragma once
// FrmRetenciones without widgets: one dividend row of the dividends list, added ("NUEVO") or
// changed ("MODIFICA"). The withholding follows from the dividend and the rate of catalog '916'.
#include <QDate>
#include <QString>
#include <functional>

#include "varnel/annexes/listas_anexo.h"

namespace qvr {

class Retenciones {
  public:
    // The fields in tab order, then the two buttons.
    enum class Campo { NumRUC, Entidad, Fecha, MontoDistribuido, MontoRetenido, Aceptar, Salir };

    inline static const QString kTitulo = QStringLiteral("Dividendos Percibidos");
    inline static const QString kFechaVacia = QStringLiteral("__/__/____");

    // `fila`: the grid's current row, read in modify mode. `hoy`: today's date (tests fix it).
    Retenciones(ListasAnexo& listas, int fila, std::function<QDate()> hoy = {});

    // Field texts as shown.
    QString TxtNumRUC, TxtEntidad, MskFec_Retencion = kFechaVacia, TxtMontoDistribuido, TxtMontoRetenido;
    int longitudMonto = 15;
    bool claveHabilitada = true;  // TxtNumRUC and MskFec_Retencion: locked (grey) in modify mode
    bool cerrada = false;
    Campo foco = Campo::NumRUC;  // where the window puts the focus

    bool modifica() const { return listas_.ModoAnexo == "MODIFICA"; }

    void Captura_Datos(int fila);
    bool Valida_FechadeRetencion(const QString& fecha, bool bOpc);
    bool Valida_Datos();
    bool Graba_Datos();
    void Limpia_variables();

    // A change of a field's text (typing, pasting the mask's digits).
    void fijaTexto(Campo c, const QString& texto);
    // A key: the key the control receives (0: discarded) and what the view does.
    ResultadoTecla tecla(Campo c, int codigo);
    // A key typed at the end of a text field (tests and the batch tool).
    AccionVista escribe(Campo c, int codigo);
    void entraMonto();
    void saleMonto();
    // Right button, or a key down (Windows key codes: Shift+Insert 45, the context-menu key 93) in
    // the RUC, the business name or the dividend: the clipboard is emptied.
    void clicDerecho();
    void teclaAbajo(int codigoTecla, bool shift);

    // "&Aceptar": true when the row was stored.
    bool Aceptar();
    // "&Salir" and the window's close: true when the window may close.
    bool Salir();

    std::function<void()> alCambiar;

  private:
    void notifica() {
        if (alCambiar) alCambiar();
    }
    void calculaRetencion();
    bool falla(const QString& mensaje, Campo c);
    ListasAnexo& listas_;
    std::function<QDate()> hoy_;
};

}  // namespace qvr
