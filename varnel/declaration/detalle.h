#pragma once
// The detail windows of boxes 200 (exempt income) and 201 (non-taxable income) without their
// widgets: the fields loaded from the hidden boxes, the running total, entering and leaving a field,
// "&Aceptar" and "&Cancelar".
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "varnel/declaration/declaracion.h"

namespace qvr {

class DetalleRentas {
  public:
    enum class Tipo { Exoneradas, Inafectas };

    struct Linea {
        int casilla;        // the hidden box the field is stored in
        QStringList texto;  // the label, line by line
    };
    struct Diseno {
        QString titulo;
        QString encabezado;
        QString encabezadoMonto;
        QString etiquetaTotal;
        std::vector<Linea> lineas;
    };
    static const Diseno& diseno(Tipo t);

    // Loads the fields from the hidden boxes of `d`; the total is shown at once.
    DetalleRentas(Declaracion& d, Tipo t);

    Tipo tipo() const { return tipo_; }
    int campos() const { return int(textos_.size()); }
    const QString& texto(int i) const { return textos_[size_t(i)]; }
    int longitudMaxima(int i) const { return longitudes_[size_t(i)]; }
    const QString& TxtTotal() const { return total_; }
    bool cerrada() const { return cerrada_; }

    // A change of field i: the total follows.
    void fijaTexto(int i, const QString& texto);
    void entraCampo(int i);
    void saleCampo(int i);
    ResultadoTecla tecla(int i, int codigo);
    // A key typed at the end of field i (see Declaracion::escribe).
    AccionVista escribe(int i, int codigo);
    void clicDerecho() { d_.clicDerecho(); }
    void teclaAbajo(int codigoTecla, bool shift) { d_.teclaAbajo(codigoTecla, shift); }

    void Aceptar();
    void Cancelar() { cerrada_ = true; }

    // The view's notification: a field, the total or the maximum lengths changed.
    std::function<void()> alCambiar;

  private:
    void calculaTotal();
    Declaracion& d_;
    Tipo tipo_;
    std::vector<QString> textos_;
    std::vector<int> longitudes_;
    QString total_;
    bool cerrada_ = false;
};

}  // namespace qvr
