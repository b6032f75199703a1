#include "varnel/declaration/frm0738_ident.h"

#include "common/cabeceras.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/app/aplicacion.h"
#include "varnel/declaration/carga.h"

namespace qvr {

namespace {

const QString kYaExiste = QStringLiteral(
    "El formulario que desea ingresar ya existe, elija la opción Modificar formularios o elija otro RUC");

// A header of the window's form, period and week for the RUC.
bool existeCabecera(const ContextoIdent& c, const QString& ruc) {
    ClaveDeclaracion clave;
    clave.ruc = ruc;
    clave.periodo = c.periodo;
    clave.formulario = c.formulario;
    clave.semana = c.semana;
    return qvr::existeCabecera(*c.base, clave);
}
}  // namespace

ResultadoIdent ValIdent(const QString& modo, const Declaracion& d, const ContextoIdent& c) {
    ResultadoIdent r;
    const bool informe = modo == "0";
    // A failed check: a line of the report, or the message with page 0 brought back.
    const auto falla = [&](const QString& texto) {
        r.ok = false;
        if (informe) {
            if (c.linea) c.linea(texto);
            d.valores.HayInconsistencias = true;
        } else {
            r.pagina0 = true;
            dialogos().muestra(texto, c.titulo, Icono::Error, Botones::Ok);
        }
    };
    const bool nueva = d.valores.ModoDeclaracion == 1;
    const QString ruc = c.entradaRuc.left(11).trimmed();
    if (nueva && c.base) {
        if (existeCabecera(c, ruc)) {
            r.ok = false;
            r.pagina0 = true;
            if (c.barra) c.barra->setPeriodo(c.periodo);
            // Shown in every mode: the declaration cannot be entered at all.
            dialogos().muestra(kYaExiste, c.titulo, Icono::Error, Botones::Ok);
            return r;
        }
        d.valores.RucDeclarante = ruc;
        if (c.barra) c.barra->setPeriodo(c.periodo);
        if (c.recargaTasas) c.recargaTasas();
    }
    if (nueva && ruc.isEmpty()) {
        falla("Debe seleccionar un declarante");
        if (!informe) {
            r.foco = FocoIdent::CmbRuc;
            return r;
        }
    }
    if (d.controles.opciones[size_t(Pregunta::Rectifica)] == Opcion::Ninguna) {
        falla("Indique si es rectificatoria");
        if (!informe) r.foco = FocoIdent::Rectifica;
    }

    const QString tel = d.controles.telefono;
    const auto fallaTelefono = [&](const QString& texto) {
        falla(texto);
        if (!informe) r.foco = FocoIdent::Telefono;
        return !informe;
    };
    if (tel.size() >= 1 && tel.size() <= 5 && fallaTelefono("Ingrese correctamente el teléfono")) return r;
    if (tel.size() == 8 && !tel.startsWith('9') &&
        fallaTelefono("Identificación-Datos Generales : El número ingresado debe ser de 7 digitos, o un celular "
                      "de 8 o 7 digitos"))
        return r;
    if (tel.startsWith('9') && tel.size() < 7 &&
        fallaTelefono("Identificación-Datos Generales : El celular debe ser de 8 o 7 digitos"))
        return r;
    return r;
}

bool eligeContribuyente(Declaracion& d, const ContextoIdent& c, const QString& entrada) {
    if (entrada.trimmed().isEmpty()) return false;
    const Declarante p = DeclaranteDeEntrada(entrada);
    d.fijaTexto(801, p.apellidoPaterno);
    d.fijaTexto(802, p.apellidoMaterno);
    d.fijaTexto(803, p.nombres);
    d.valores.NombreDeclarante = p.nombre;
    if (c.barra) {
        c.barra->setNumeroDocumento(p.ruc);
        c.barra->setNombre(p.nombre.trimmed());
    }
    d.valores.RucDeclarante = p.ruc;
    return c.base && existeCabecera(c, p.ruc);
}

}  // namespace qvr
