#include "varnel/computation/validacion_ident.h"

#include "common/schema.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/declaration/declaracion.h"

namespace qvr {

namespace {

bool cabeceraExiste(ContextoValidacion& c, const QString& ruc) {
    if (!c.base) return false;
    const QVariant n = c.base->escalar(
        "SELECT COUNT(*) FROM CAB WHERE doc_id_d = ? AND periodo = ? AND formulario = ? AND tip_doc_d = ?",
        {ruc, c.periodo, c.formulario, kTipDocDeclarante});
    return n.toLongLong() > 0;
}

}  // namespace

ResultadoIdentificacion ValIdent(const Declaracion& d, const QString& modo, ContextoValidacion& c,
                                 std::vector<Inconsistencia>* lineas) {
    const bool informe = modo == "0";
    ResultadoIdentificacion r;
    // A failed check: a line in report mode, else the message on the first page.
    auto falla = [&](const QString& texto, FocoIdentificacion foco) {
        r.ok = false;
        if (informe) {
            if (lineas) lineas->push_back({texto, 0});
            d.valores.HayInconsistencias = true;
            return;
        }
        r.paginaCero = true;
        if (foco != FocoIdentificacion::Ninguno) r.foco = foco;
        dialogos().muestra(texto, d.Titulo, Icono::Error, Botones::Ok);
    };

    const bool nueva = d.valores.ModoDeclaracion == 1;
    if (nueva) {
        const QString ruc = c.textoContribuyente.left(11).trimmed();
        if (cabeceraExiste(c, ruc)) {
            // This one is a message in every mode and ends the checks.
            r.ok = false;
            r.paginaCero = true;
            dialogos().muestra(
                "El formulario que desea ingresar ya existe, elija la opción Modificar formularios o elija otro RUC",
                d.Titulo, Icono::Error, Botones::Ok);
            return r;
        }
        c.periodo = QStringLiteral("2003");
        d.valores.RucDeclarante = ruc;
        if (c.alIdentificar) c.alIdentificar();
        if (ruc.isEmpty()) {
            falla("Debe seleccionar un declarante", FocoIdentificacion::Contribuyente);
            if (!informe) return r;
        }
    }

    const Opcion rectifica = d.controles.opciones[size_t(Pregunta::Rectifica)];
    if (rectifica == Opcion::Ninguna) falla("Indique si es rectificatoria", FocoIdentificacion::Ninguno);

    const QString tel = d.controles.telefono;
    const auto telefono = [&](const QString& texto) {
        falla(texto, FocoIdentificacion::Telefono);
        return !informe;  // interactive: stop here
    };
    if (tel.size() >= 1 && tel.size() <= 5 && telefono("Ingrese correctamente el teléfono")) return r;
    if (tel.size() == 8 && !tel.startsWith('9') &&
        telefono("Identificación-Datos Generales : El número ingresado debe ser de 7 digitos, o un celular de 8 "
                 "o 7 digitos"))
        return r;
    if (tel.startsWith('9') && tel.size() < 7 &&
        telefono("Identificación-Datos Generales : El celular debe ser de 8 o 7 digitos"))
        return r;
    return r;
}

}  // namespace qvr
