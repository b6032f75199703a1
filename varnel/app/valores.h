#pragma once
// The program-wide run values of Varnel: what the commands of the main window tell the window they
// open, and the identity of the declaration chosen in a list.
#include <QString>

namespace qvr {

// Whether the recalculation is suspended: while stored values fill the boxes no rule runs. Read as
// a bool; only the guard SuspendeCalculo sets it, so a suspension ends however its scope is left.
class CalculoSuspendido {
  public:
    operator bool() const { return activo_; }

  private:
    friend class SuspendeCalculo;
    bool activo_ = false;
};

struct ValoresEjecucion {
    short ModoDeclaracion = 1;  // 1 new, 2 modify (or register an order number), 3 delete
    bool ListaEnviadas = false;
    bool DeclaracionEnviada = false;
    bool OrdenModificada = false;
    unsigned char TipoConsulta = 0;  // 1 professions, 2 banks, 3 tax units
    QString RucDeclarante;
    QString NombreDeclarante;
    QString CorrelEnviada;
    QString NumeroOrden;
    QString NumeroControl;
    CalculoSuspendido SuspendeCalculo;
    bool OperacionOk = false;
    QString MensajeValidacion;
    bool HayInconsistencias = false;
};

// Suspends the recalculation for a scope: set on construction, the previous state restored on
// destruction (or at termina()), so suspensions nest.
class [[nodiscard]] SuspendeCalculo {
  public:
    explicit SuspendeCalculo(ValoresEjecucion& v) : estado_(v.SuspendeCalculo), previo_(estado_.activo_) {
        estado_.activo_ = true;
    }
    ~SuspendeCalculo() { termina(); }
    SuspendeCalculo(const SuspendeCalculo&) = delete;
    SuspendeCalculo& operator=(const SuspendeCalculo&) = delete;

    // Ends the suspension before the scope does.
    void termina() {
        if (!activo_) return;
        activo_ = false;
        estado_.activo_ = previo_;
    }

  private:
    CalculoSuspendido& estado_;
    bool previo_;
    bool activo_ = true;
};

}  // namespace qvr
