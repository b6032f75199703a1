#include "varnel/cli/comunes.h"

#include <QDir>
#include <cstdio>

#include "common/conexion.h"
#include "platform/database.h"

namespace qvr::cli {

std::optional<Argumentos> leeArgumentos(const QStringList& args, const FormaArgumentos& forma, QString* error) {
    Argumentos a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& x = args[i];
        if (forma.conValor.contains(x)) {
            if (i + 1 >= args.size()) {
                *error = x + " necesita un valor";
                return std::nullopt;
            }
            a.valores[x] = args[++i];
        } else if (forma.interruptores.contains(x)) {
            a.interruptores.insert(x);
        } else if (x.startsWith("--")) {
            *error = "opción desconocida " + x;
            return std::nullopt;
        } else if (a.posicionales.size() < forma.posicionales) {
            a.posicionales << x.trimmed();
        } else {
            *error =
                forma.posicionales == 0 ? "argumento de más " + x : "solo se admite un " + forma.posicional;
            return std::nullopt;
        }
    }
    return a;
}

bool abreEntrada(const QString& archivo, QFile& f, QString* error) {
    if (archivo.isEmpty() || archivo == "-") {
        if (f.open(stdin, QIODevice::ReadOnly)) return true;
        *error = "no se puede leer la entrada estándar";
        return false;
    }
    f.setFileName(archivo);
    if (f.open(QIODevice::ReadOnly)) return true;
    *error = "no se puede leer " + archivo;
    return false;
}

bool entradaDeArgumentos(const QStringList& args, QFile& f, QString* error) {
    const auto a = leeArgumentos(args, {}, error);
    return a && abreEntrada(a->posicional(), f, error);
}

bool abreBaseConfigurada(DatosSesion& s, QString* error) {
    if (!hayEntorno()) {
        *error = mensajeSinEntorno();
        return false;
    }
    LeeConfiguracion(s);
    if (leeOpcion("DBName").isEmpty() && s.ServidorBD.isEmpty()) {
        *error = QString("%1 no indica la base de datos (ni DBName ni DBServer)")
                     .arg(QDir::toNativeSeparators(rutaIniEntorno()));
        return false;
    }
    return AbreBaseDatos(s);
}

int ejecutaSobreBase(const std::function<SalidaLote()>& operacion,
                     const std::function<void(const QString&)>& error, int salidaErrorBD) {
    try {
        const SalidaLote r = operacion();
        for (const QString& a : r.avisos) error(a);
        for (const QString& l : r.lineas) std::printf("%s\n", l.toUtf8().constData());
        return r.salida;
    } catch (const ErrorBD& e) {
        error(QString("%1 %2").arg(e.numero()).arg(e.descripcion()));
        return salidaErrorBD;
    }
}

int ejecutaConBase(const std::function<SalidaLote(DatosSesion&)>& operacion,
                   const std::function<void(const QString&)>& error, int salidaErrorBD) {
    DatosSesion s;
    QString sinBase;
    if (!abreBaseConfigurada(s, &sinBase)) {
        if (!sinBase.isEmpty()) error(sinBase);
        return 2;
    }
    return ejecutaSobreBase([&] { return operacion(s); }, error, salidaErrorBD);
}

}  // namespace qvr::cli
