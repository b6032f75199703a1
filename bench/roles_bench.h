#pragma once
// The logins and group roles a server benchmark made, dropped with whatever they own or were
// granted, through the server's administrator connection `admin`; missing ones are passed over.
#include <QString>
#include <QStringList>

#include "platform/database.h"

namespace qvr::banco {

inline void quitaRoles(BaseDatos& admin, const QStringList& roles) {
    for (const QString& r : roles) {
        if (admin.consulta("SELECT 1 FROM pg_roles WHERE rolname = ?", {r}).vacio()) continue;
        admin.ejecuta("DROP OWNED BY " + r);
        admin.ejecuta("DROP ROLE " + r);
    }
}

}  // namespace qvr::banco
