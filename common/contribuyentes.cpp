#include "common/contribuyentes.h"

#include "common/schema.h"
#include "common/valores_comunes.h"
#include "platform/database.h"

namespace qvr {

QStringList entradasContribuyentes(BaseDatos& base, const QString& formulario, const QString& usuario) {
    const ConsultaSql c = ConsultaContribuyentes(base, formulario, usuario);
    const Registros r = base.consulta(c.sql, c.parametros);
    QStringList lista;
    // By position, as the host's CONT is laid out: document second, name parts fifth to seventh.
    for (int f = 0; f < r.filas(); ++f)
        lista << itemContribuyente(r.texto(f, 1), r.texto(f, 4), r.texto(f, 5), r.texto(f, 6));
    return lista;
}

QString entradaContribuyente(BaseDatos& base, const QString& formulario, const QString& usuario,
                             const QString& ruc) {
    const QString buscado = ruc.trimmed();
    if (buscado.isEmpty()) return QString();
    // The document fills the first 13 characters of an entry, an 8-digit one with blanks after it.
    for (const QString& e : entradasContribuyentes(base, formulario, usuario))
        if (e.left(13).trimmed() == buscado) return e;
    return QString();
}

std::optional<NombresContribuyente> nombresContribuyente(BaseDatos& base, const QString& ruc) {
    const Registros r =
        base.consulta("SELECT * FROM CONT WHERE Doc_id_d=? AND tip_doc_d=?", {ruc, kTipDocDeclarante});
    if (r.vacio()) return std::nullopt;
    return NombresContribuyente{r.texto(0, "Apellido_p"), r.texto(0, "Apellido_m"),
                                r.texto(0, "Nombre_1") + " " + r.texto(0, "nombre_2")};
}

}  // namespace qvr
