#include "support/oficina_prueba.h"

#include "platform/database.h"

namespace qvr::prueba {

QString LoginsPrueba::crea(const QString& sufijo) {
    const QString rol = esquema_ + "_" + sufijo;
    BaseDatos::abreServidor(conexionServidor(), {})->ejecuta(QString("CREATE ROLE %1 LOGIN").arg(rol));
    roles_ << rol;
    return rol;
}

LoginsPrueba::~LoginsPrueba() {
    auto base = BaseDatos::abreServidor(conexionServidor(), {});
    // The office's group role of this schema goes too (common/oficina names it so).
    QStringList todos = roles_;
    todos << base->escalar("SELECT current_database()").toString() + "_" + esquema_ + "_oficina";
    for (const QString& r : todos) {
        try {
            if (base->consulta("SELECT 1 FROM pg_roles WHERE rolname = ?", {r}).vacio()) continue;
            // Its grants and policies in other schemas of the test run (none are expected).
            base->ejecuta(QString("DROP OWNED BY %1").arg(r));
            base->ejecuta(QString("DROP ROLE %1").arg(r));
        } catch (const ErrorBD&) {
        }
    }
}

}  // namespace qvr::prueba
