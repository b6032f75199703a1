#include "varnel/lists/eliminacion.h"

#include "common/clave_declaracion.h"
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
    ClaveDeclaracion clave;
    clave.ruc = d.ruc;
    clave.periodo = d.periodo;
    clave.formulario = d.formulario;
    clave.semana = d.semana;
    for (const auto& tabla : enviada ? kTablasEnviadas : kTablasGuardadas) {
        const QString nombre = QString::fromLatin1(tabla.nombre);
        if (tabla.anexo && !base.existeTabla(nombre)) continue;
        CondicionSql c = condicionDeclaracion(clave, tabla.semana ? PartesClave::Completa : PartesClave::SinSemana);
        if (enviada) {
            c.sql += " AND CORREL=?";
            c.parametros << d.correl;
        }
        base.ejecuta("DELETE FROM " + nombre + " WHERE " + c.sql, c.parametros, Accion::Inconsistente);
        if (trasTabla) trasTabla(nombre);
    }
    t.confirma();
}

}  // namespace qvr
