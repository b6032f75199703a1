#pragma once
// The program-wide run values of Varnel: what the commands of the main window tell the window they
// open, and the identity of the declaration chosen in a list.
#include <QString>

namespace qvr {

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
    bool SuspendeCalculo = false;
    bool OperacionOk = false;
    QString MensajeValidacion;
    bool HayInconsistencias = false;
};

}  // namespace qvr
