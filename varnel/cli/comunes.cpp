#include "varnel/cli/comunes.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "common/conexion.h"
#include "platform/database.h"

namespace qvr::cli {

std::optional<QStringList> leeLineas(const QString& archivo, QString* error) {
    QFile f;
    if (archivo.isEmpty() || archivo == "-") {
        if (!f.open(stdin, QIODevice::ReadOnly)) {
            *error = "cannot read standard input";
            return std::nullopt;
        }
    } else {
        f.setFileName(archivo);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = "cannot read " + archivo;
            return std::nullopt;
        }
    }
    QStringList lineas;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) lineas << in.readLine();
    return lineas;
}

bool abreBaseConfigurada(DatosSesion& s, QString* error) {
    LeeConfiguracion(s);
    if (leeOpcion("DBName").isEmpty()) {
        *error = "no database configured in NEMDAL.INI";
        return false;
    }
    return AbreBaseDatos(s);
}

int ejecutaSobreBase(const std::function<SalidaLote()>& operacion,
                     const std::function<void(const QString&)>& error) {
    try {
        const SalidaLote r = operacion();
        for (const QString& a : r.avisos) error(a);
        for (const QString& l : r.lineas) std::printf("%s\n", l.toUtf8().constData());
        return r.salida;
    } catch (const ErrorBD& e) {
        error(QString("%1 %2").arg(e.numero()).arg(e.descripcion()));
        return 1;
    }
}

}  // namespace qvr::cli
