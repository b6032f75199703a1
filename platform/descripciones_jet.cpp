#include "platform/descripciones_jet.h"

#include <map>

#include "platform/database.h"

namespace qvr {

namespace {

const std::map<int, const char*> kDescripciones = {
    {3000, "Error reservado de la base de datos; no hay un mensaje para este error."},
    {3010, "La tabla ya existe."},
    {3020, "No hay una edición en curso o el registro fue eliminado por otro usuario."},
    {3021, "No hay un registro activo."},
    {3022, "No se pudo grabar; el registro duplica la clave de otro que ya existe."},
    {3024, "No se encuentra el archivo de la base de datos."},
    {3026, "No se pudo grabar: disco lleno (no queda espacio en el disco de la base de datos)."},
    {3027, "No se puede actualizar; la base de datos es de solo lectura."},
    {3028,
     "No se puede iniciar la aplicación; falta el archivo de información del grupo de trabajo o está "
     "abierto en modo exclusivo por otro usuario."},
    {3029, "El nombre de cuenta o la clave no son válidos."},
    {3033, "No tiene permiso para esta operación: el servidor de base de datos no se la concede a su usuario."},
    {3035, "Se agotaron los recursos del sistema."},
    {3043, "Error en el disco o en la red al leer o escribir la base de datos."},
    {3051, "No se pudo abrir la base de datos; otro usuario la tiene abierta en modo exclusivo."},
    {3061, "Faltan parámetros; la consulta nombra un campo que no existe."},
    {3075, "Error de sintaxis en la consulta."},
    {3078, "No se encuentra la tabla o la consulta."},
    {3146, "Falló la comunicación con el servidor de base de datos."},
    {3151, "No se pudo conectar con el servidor de base de datos."},
    {3167, "El registro fue eliminado."},
    {3186, "No se pudo grabar; el registro está bloqueado por otro usuario."},
    {3197, "Otro usuario cambió los datos mientras usted los editaba."},
    {3260, "No se pudo actualizar; el registro está bloqueado por otro usuario."},
    {3265, "Elemento no encontrado en esta colección."},
    {3283, "La clave principal ya existe."},
    {3314, "Falta un dato obligatorio; el campo no puede quedar vacío."},
    {3343, "Formato de base de datos no reconocido."},
};

}  // namespace

QString descripcionJet(int numero) {
    auto it = kDescripciones.find(numero);
    if (it != kDescripciones.end()) return QString::fromUtf8(it->second);
    return QStringLiteral("Error de la base de datos número %1.").arg(numero);
}

QString textoErrorBD(int numero, const QString& tecnico) {
    const QString d = descripcionJet(numero);
    const QString t = tecnico.trimmed();
    if (t.isEmpty() || t == d) return d;
    return d + "\n" + t;
}

QString textoErrorBD(const ErrorBD& e) { return textoErrorBD(e.numero(), e.descripcion()); }

}  // namespace qvr
