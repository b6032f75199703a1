#include "varnel/lists/eliminacion.h"

#include "common/schema.h"
#include "platform/database.h"

namespace qvr {

namespace {

struct TablaDeclaracion {
    const char* nombre;
    bool semana;  // the table has the week in its key
    bool anexo;   // created by the installer: may be missing
};

// The boxes go before the header, the annexes last.
constexpr TablaDeclaracion kTablasGuardadas[] = {
    {"DET", true, false},
    {"CAB", true, false},
    {"F0738DIVIDEND", false, true},
    {"F0738EXTRANJ", false, true},
    {"F0738FIDEICOM", false, true},
};
constexpr TablaDeclaracion kTablasEnviadas[] = {
    {"hDET", true, false},
    {"hCAB", true, false},
    {"HF0738DIVIDEND", false, true},
    {"HF0738EXTRANJ", false, true},
    {"HF0738FIDEICOM", false, true},
};

}  // namespace

void EliminaDeclaracion(BaseDatos& base, const DeclaracionElegida& d, bool enviada,
                        const std::function<void(const QString& tabla)>& trasTabla) {
    TransaccionEscritura t(base);
    if (!enviada) base.reserva(reservaDeclaracion(d.ruc, d.periodo, d.formulario, d.semana));
    for (const auto& tabla : enviada ? kTablasEnviadas : kTablasGuardadas) {
        const QString nombre = QString::fromLatin1(tabla.nombre);
        if (tabla.anexo && !base.existeTabla(nombre)) continue;
        QString sql = "DELETE FROM " + nombre + " WHERE DOC_ID_D=? AND PERIODO=? AND FORMULARIO=? AND TIP_DOC_D=?";
        QVariantList p = {d.ruc, d.periodo, d.formulario, kTipDocDeclarante};
        if (tabla.semana) {
            sql += " AND SEMANA=?";
            p << d.semana;
        }
        if (enviada) {
            sql += " AND CORREL=?";
            p << d.correl;
        }
        base.ejecuta(sql, p, Accion::Inconsistente);
        if (trasTabla) trasTabla(nombre);
    }
    t.confirma();
}

}  // namespace qvr
