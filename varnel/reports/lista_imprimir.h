#pragma once
// The list of the print selection: the stored declarations, or the sent ones (estado 1), with
// the grid's twelve columns.
#include "varnel/lists/listas.h"

namespace qvr::reporte {

namespace colImp {
inline constexpr int Ruc = 0, Nombre = 1, Periodo = 2, Ejercicio = 3, Formulario = 4, NOrden = 5, FecEnv = 6,
                     Control = 7, Correl = 8, Estado = 9, Rectifica = 10, Semana = 11;
}

DefinicionLista listaImprimir(const DatosSesion& s, bool enviadas, bool restringida);

}  // namespace qvr::reporte
