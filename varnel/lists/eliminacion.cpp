#include "varnel/lists/eliminacion.h"

#include "common/clave_declaracion.h"
#include "common/schema.h"
#include "common/version_declaracion.h"
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

namespace {
ClaveDeclaracion claveElegida(const DeclaracionElegida& d, bool enviada) {
    ClaveDeclaracion clave;
    clave.ruc = d.ruc;
    clave.periodo = d.periodo;
    clave.formulario = d.formulario;
    clave.semana = d.semana;
    if (enviada) clave.correl = d.correl;
    return clave;
}
}  // namespace

QByteArray versionElegida(BaseDatos& base, const DeclaracionElegida& d, bool enviada) {
    return versionDeclaracion(base, claveElegida(d, enviada), enviada);
}

void EliminaDeclaracion(BaseDatos& base, const DeclaracionElegida& d, bool enviada,
                        const std::function<void(const QString& tabla)>& trasTabla) {
    TransaccionEscritura t(base);
    // The same name as a save of the declaration (or the order number of the sending) reserves.
    const QString reserva = reservaDeclaracion(d.ruc, d.periodo, d.formulario, d.semana);
    base.reserva(enviada ? reserva + "/" + d.correl : reserva);
    ClaveDeclaracion clave = claveElegida(d, false);
    if (d.version) {
        // Under the lock: another's save since the choice is not deleted without a word.
        const QByteArray ahora = versionElegida(base, d, enviada);
        if (ahora.isEmpty())
            throw ErrorBD(jet::RegistroCambiado, "la declaración fue eliminada después de elegirla");
        if (ahora != *d.version)
            throw ErrorBD(jet::DataCambio, "la declaración fue grabada por otro después de elegirla");
    }
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
