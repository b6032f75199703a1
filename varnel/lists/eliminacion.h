#pragma once
// Deleting a declaration with every row it has: its boxes, its header and its annex rows.
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace qvr {

class BaseDatos;

// The declaration chosen in a list. `correl` names the sending and counts only for a sent one.
struct DeclaracionElegida {
    QString ruc;
    QString periodo;
    QString formulario;
    int semana = 0;
    QString correl;
    // What the declaration held when the person chose it (versionDeclaracion); when given, a
    // declaration changed since is not deleted (ErrorBD 3197), nor one already gone (3167).
    std::optional<QByteArray> version;
};

// The fingerprint of the chosen declaration now, for DeclaracionElegida::version. Throws ErrorBD.
QByteArray versionElegida(BaseDatos& base, const DeclaracionElegida& d, bool enviada);

// Deletes the declaration's rows from, in this order, DET and CAB and the F0738 annex tables (a
// stored declaration), or hDET and hCAB and the HF0738 annex tables, only for its sending (a sent
// one). All in one transaction: when any statement fails the error is thrown and no row is gone.
// An annex table that does not exist holds no row of the declaration and is passed over.
// `trasTabla` is called after each table's statement (tests use it to fail half-way).
void EliminaDeclaracion(BaseDatos& base, const DeclaracionElegida& d, bool enviada,
                        const std::function<void(const QString& tabla)>& trasTabla = {});

}  // namespace qvr
