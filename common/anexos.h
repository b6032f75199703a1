#pragma once
// The annex rows of the declarations: F0738DIVIDEND, F0738EXTRANJ, F0738FIDEICOM and their sent
// copies (HF…), under the declaration key without the week. The statements on a declaration's
// stored annex rows are here; the working tables (TMP_…) are the opening's and the save's.
#include <QString>
#include <QStringList>

#include "common/clave_declaracion.h"
#include "platform/database.h"

namespace qvr {

// Every row of the declaration in the annex table `tabla` (the stored one's name) or, with
// `enviada`, in its sent copy "H" + tabla restricted to clave.correl; in the order `orden` (column
// list) when given.
Registros filasAnexoDeclaracion(BaseDatos& base, const QString& tabla, const ClaveDeclaracion& clave, bool enviada,
                                const QString& orden = {});

// The record control numbers (cnumero) of the declaration's rows of `tabla` (or its sent copy),
// sorted: what a save compares to tell whether the rows changed.
QStringList sellosAnexoDeclaracion(BaseDatos& base, const QString& tabla, const ClaveDeclaracion& clave,
                                   bool enviada);

// Removes the declaration's rows of the stored annex table `tabla`; fails on any error. Throws ErrorBD.
void borraAnexoDeclaracion(BaseDatos& base, const QString& tabla, const ClaveDeclaracion& clave);

}  // namespace qvr
