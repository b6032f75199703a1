#pragma once
// The annex rows of a declaration: copying the working tables into the stored annex tables under
// the declaration key when it is saved, and filling the working tables from the stored (or sent)
// rows, with the catalog descriptions the grids show, when it is opened.
#include <QString>
#include <vector>

#include "platform/database.h"
#include "varnel/declaration/instantanea.h"

namespace qvr {

class BaseDatos;

struct CopiaAnexo {
    const char* tabla;              // stored table
    const char* historia;           // sent-history table
    const char* temporal;           // working table
    int indice;                     // key columns of the stored table's cNumero
    int inicial, final;             // working columns copied into the stored columns 4, 5, ...
    int desdeTabla, desdeHistoria;  // first source column when filling the working table
};

// Dividends, foreign investments, trusts: the order in which they are saved and filled.
const std::vector<CopiaAnexo>& copiasAnexo();

// Replaces the declaration's rows of `sTabla` with the rows of `sTemporal`. Throws ErrorBD; the
// caller holds the transaction.
void Graba_Patrimonial(BaseDatos& base, const ClaveDeclaracion& clave, const QString& sTabla,
                       const QString& sTemporal, int iIndice, int iCampoInicial, int iCampoFinal);
// The three copies in order.
void GrabaAnexos(BaseDatos& base, const ClaveDeclaracion& clave);

// Every row and column of a working table, as the grids without a list of their own show it.
// Throws ErrorBD.
Registros filasTrabajo(BaseDatos& base, const QString& sTemporal);

// Empties the three working tables.
void VaciaTemporales(BaseDatos& base);
// Empties the working tables and fills them with the declaration's stored rows, or its sent rows
// (restricted to clave.correl) when `enviada`. One transaction.
void LlenaTemporales(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada);

}  // namespace qvr
