#pragma once
// calcular's lines (NNN=text and the other controls) typed into a declaration as they are read, one
// at a time, so that no input is held whole. Every line is checked: a line that cannot be read (not
// UTF-8, too long), a malformed one, or a value its box would keep changed is refused with its line
// number, and the whole batch then counts as refused (state 2) while the lines after it are still
// checked. What the caller does with a refused batch: nothing stored, nothing printed.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "varnel/cli/lote_entrada.h"

namespace qvr {

class Declaracion;

// One problem, a line of standard error.
using Avisa = std::function<void(const QString&)>;

class TecleoLineas {
  public:
    TecleoLineas(Declaracion& d, Avisa avisa) : d_(d), avisa_(std::move(avisa)) {}
    ~TecleoLineas() = default;
    TecleoLineas(const TecleoLineas&) = delete;
    TecleoLineas& operator=(const TecleoLineas&) = delete;

    void linea(const LineaEntrada& l);
    // Types what is still pending and returns the state: 0, or 2 when a line was refused.
    int termina();
    int estado() const { return estado_; }
    // Refuses line `numero` for a reason of the caller's.
    void rechaza(int numero, const QString& motivo);

  private:
    void tecleaCasilla(int numero, const QString& clave, const QString& valor);
    void aplicaControl(int numero, const QString& clave, const QString& valor, const QString& texto);
    void aplicaPendientes();
    void informa(const QStringList& avisos, const std::vector<int>& numeros);

    Declaracion& d_;
    Avisa avisa_;
    int estado_ = 0;
    // Control lines not yet typed: they go through the declaration core together, in order.
    QStringList pendientes_;
    std::vector<int> numerosPendientes_;
    qsizetype tamanoPendiente_ = 0;
};

// The refusal of a line that could not be read; empty when it needs none (a comment line).
QString avisoDeFalla(const LineaEntrada& l);

// What the batch names a line by: "casilla 100" for a box, the key otherwise.
QString nombreDeClave(const QString& clave);

// The key of a line as calcular reads it (lower case, blanks trimmed); empty without '='.
QString claveDeLinea(const QString& texto);

// Every line of `lector` typed into `d` through TecleoLineas; an unreadable input is refused too.
int tecleaEntrada(Declaracion& d, LectorLineas& lector, const Avisa& avisa);

// The box lines calcular prints once every line is typed (see ejecutaLote).
QStringList salidaDeclaracion(Declaracion& d, bool det);

}  // namespace qvr
