#include "varnel/declaration/identificacion.h"

#include "platform/dialogs.h"
#include "varnel/declaration/declaracion.h"

namespace qvr {

ResultadoIdent ValIdent(Declaracion& d) {
    ResultadoIdent r;
    auto falla = [&](const QString& mensaje, const QString& foco) {
        dialogos().muestra(mensaje, d.Titulo, Icono::Error, Botones::Ok);
        r.valido = false;
        r.foco = foco;
        return r;
    };
    if (d.valores.ModoDeclaracion == 1 && d.valores.RucDeclarante.left(11).trimmed().isEmpty())
        return falla("Debe seleccionar un declarante", "CmbRuc");
    if (d.controles.opciones[size_t(Pregunta::Rectifica)] == Opcion::Ninguna) {
        // Shown, but the checks go on.
        dialogos().muestra("Indique si es rectificatoria", d.Titulo, Icono::Error, Botones::Ok);
        r.valido = false;
    }
    const QString t = d.controles.telefono;
    if (t.size() >= 1 && t.size() <= 5) return falla("Ingrese correctamente el teléfono", "TxtTelefono");
    if (t.size() == 8 && !t.startsWith('9'))
        return falla(
            "Identificación-Datos Generales : El número ingresado debe ser de 7 digitos, o un celular "
            "de 8 o 7 digitos",
            "TxtTelefono");
    if (t.startsWith('9') && t.size() < 7)
        return falla("Identificación-Datos Generales : El celular debe ser de 8 o 7 digitos", "TxtTelefono");
    return r;
}

}  // namespace qvr
