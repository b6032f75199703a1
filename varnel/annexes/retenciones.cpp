#include "varnel/annexes/retenciones.h"

#include "common/conexion.h"
#include "common/formato.h"
#include "common/valores_comunes.h"
#include "platform/dialogs.h"
#include "platform/utilitario.h"

namespace qvr {

namespace {

// The payment date of the mask as the stored date; invalid when the mask is not a date.
QDate fechaDeMascara(const QString& t) { return QDate::fromString(t, "dd/MM/yyyy"); }

double montoDe(const QString& texto) {
    const auto n = numeroDeTexto(texto);
    return n ? *n : numeroInicial(texto);
}

}  // namespace

Retenciones::Retenciones(ListasAnexo& listas, int fila, std::function<QDate()> hoy)
    : listas_(listas), hoy_(std::move(hoy)) {
    if (!hoy_) hoy_ = [] { return QDate::currentDate(); };
    listas_.AnexoModificado = false;
    if (modifica()) Captura_Datos(fila);
    listas_.AnexoModificado = false;
}

void Retenciones::Captura_Datos(int fila) {
    const ListaAnexo l = ListaAnexo::Dividendos;
    TxtNumRUC = listas_.celda(l, fila, 0);
    TxtEntidad = listas_.celda(l, fila, 1);
    MskFec_Retencion = listas_.celda(l, fila, 2);
    if (MskFec_Retencion.isEmpty()) MskFec_Retencion = kFechaVacia;
    longitudMonto = 15;
    for (auto [campo, columna] : {std::pair{&TxtMontoDistribuido, 3}, std::pair{&TxtMontoRetenido, 4}}) {
        const auto n = numeroDeTexto(listas_.celda(l, fila, columna));
        *campo = n && *n >= 0 ? formatoNumero(*n, patron::Monto) : QString();
    }
    // The key of a row cannot be changed: delete the row and add another.
    claveHabilitada = false;
    foco = Campo::Entidad;
    notifica();
}

bool Retenciones::Valida_FechadeRetencion(const QString& fecha, bool bOpc) {
    const FiltrosTeclado& f = *listas_.declaracion.filtros;
    bool ok = fecha != kFechaVacia && f.ValidaFecha(fecha, "01/01/2003", hoy_().toString("dd/MM/yyyy")) &&
              f.ValidaFecha(fecha, "01/01/2003", "31/12/2003");
    if (!ok && !bOpc) {
        Utilitario::MuestraMensaje("La Fecha de Pago del Dividendo no es válida", "Error");
        foco = Campo::Fecha;
        notifica();
    }
    return ok;
}

bool Retenciones::falla(const QString& mensaje, Campo c) {
    MuestraError(mensaje, "Error");
    foco = c;
    notifica();
    return false;
}

bool Retenciones::Valida_Datos() {
    if (!modifica()) {
        const QString ruc = TxtNumRUC.trimmed();
        if (ruc.isEmpty()) return falla("Debe registrar el número de RUC", Campo::NumRUC);
        if (ruc.left(2) != "20")
            return falla("El número de RUC no aplica a la Distribución de dividendos", Campo::NumRUC);
        if (!ValidaDocumento(listas_.base, "6", TxtNumRUC))
            return falla("Verifique la longitud del número de RUC", Campo::NumRUC);
        if (!Utilitario::ValidaRuc(ruc)) return falla("El número de RUC es inválido", Campo::NumRUC);
        if (TxtEntidad.trimmed().isEmpty()) return falla("Debe registrar la razón social", Campo::Entidad);
        if (!Valida_FechadeRetencion(MskFec_Retencion, false)) return false;
    }
    if (TxtMontoDistribuido.trimmed().isEmpty() || numeroInicial(TxtMontoDistribuido) == 0)
        return falla("Debe registrar el Dividendo Percibido", Campo::MontoDistribuido);
    return true;
}

bool Retenciones::Graba_Datos() {
    BaseDatos& base = listas_.base;
    bool& ok = listas_.declaracion.valores.OperacionOk;
    const QDate f = fechaDeMascara(MskFec_Retencion);
    const QVariantList clave = {TxtNumRUC, f.isValid() ? textoFechaBD(f) : MskFec_Retencion};
    const QString donde = " WHERE num_RUC = ? AND substr(fec_retenida, 1, 10) = ?";
    const QString distribuido = formatoTexto(TxtMontoDistribuido, patron::Entero);
    const QString retenido = formatoTexto(TxtMontoRetenido, patron::Entero);
    try {
        const int n = base.escalar("SELECT COUNT(*) AS nReg FROM TMP_F0738DIVID" + donde, clave).toInt();
        if (!modifica() && n > 0) {
            dialogos().muestra("Datos ya fueron ingresados. ", kTitulo, Icono::Error);
            foco = Campo::NumRUC;
            notifica();
            return false;
        }
        TransaccionEscritura t(base);
        ok = true;
        if (modifica()) {
            // The row changed its place under us: there is nothing to edit.
            if (n == 0) throw ErrorBD(jet::RegistroEliminado, "No current record.");
            base.ejecuta(
                "UPDATE TMP_F0738DIVID SET des_entpagadora = ?, mto_distribuido = ?, mto_retenido = ?" +
                    donde,
                QVariantList{TxtEntidad.trimmed(), distribuido, retenido} + clave);
        } else {
            base.ejecuta(
                "INSERT INTO TMP_F0738DIVID (num_RUC, fec_retenida, des_entpagadora, mto_distribuido, "
                "mto_retenido) VALUES (?, ?, ?, ?, ?)",
                QVariantList(clave) << TxtEntidad.trimmed() << distribuido << retenido);
        }
        t.confirma();
        ok = false;
    } catch (const ErrorBD& e) {
        // The typed row stays in the window so that nothing the user typed is lost.
        ErrorRegistro(e, &ok);
        return false;
    }
    MuestraInformacion("La información fue grabada satisfactoriamente. ", kTitulo);
    return true;
}

void Retenciones::Limpia_variables() {
    TxtNumRUC.clear();
    TxtEntidad.clear();
    TxtMontoDistribuido.clear();
    TxtMontoRetenido.clear();
    MskFec_Retencion = kFechaVacia;
    foco = Campo::NumRUC;
    listas_.AnexoModificado = false;
    notifica();
}

void Retenciones::calculaRetencion() {
    TxtMontoRetenido =
        TxtMontoDistribuido.isEmpty()
            ? QString()
            : formatoNumero(montoDe(TxtMontoDistribuido) * listas_.declaracion.tasas.TasaRetencionDividendos,
                            patron::Monto);
}

void Retenciones::fijaTexto(Campo c, const QString& texto) {
    switch (c) {
        case Campo::NumRUC:
            TxtNumRUC = texto;
            break;
        case Campo::Entidad:
            TxtEntidad = texto;
            break;
        case Campo::Fecha:
            MskFec_Retencion = texto;
            break;
        case Campo::MontoDistribuido:
            TxtMontoDistribuido = texto;
            calculaRetencion();
            break;
        default:
            return;
    }
    notifica();
}

ResultadoTecla Retenciones::tecla(Campo c, int codigo) {
    const FiltrosTeclado& f = *listas_.declaracion.filtros;
    switch (c) {
        case Campo::NumRUC:
        case Campo::MontoDistribuido:
            listas_.AnexoModificado = true;
            if (codigo == kTeclaEnter) return {0, AccionVista::Siguiente};
            return {f.FiltraNumero(codigo)};
        case Campo::Entidad: {
            listas_.AnexoModificado = true;
            if (codigo == kTeclaEnter) return {0, AccionVista::Siguiente};
            const int mayuscula = codigo > 0 ? QChar(codigo).toUpper().unicode() : codigo;
            return {f.FiltraLetra(mayuscula) ? mayuscula : 0};
        }
        case Campo::Fecha:
            listas_.AnexoModificado = true;
            if (codigo == kTeclaEnter)
                return {0, Valida_FechadeRetencion(MskFec_Retencion, false) ? AccionVista::Siguiente
                                                                            : AccionVista::Ninguna};
            return {codigo};
        default:
            return {codigo};
    }
}

AccionVista Retenciones::escribe(Campo c, int codigo) {
    const ResultadoTecla r = tecla(c, codigo);
    if (r.tecla == 0) return r.accion;
    QString t;
    int maximo = 0;
    switch (c) {
        case Campo::NumRUC:
            t = TxtNumRUC, maximo = 11;
            break;
        case Campo::Entidad:
            t = TxtEntidad, maximo = 40;
            break;
        case Campo::MontoDistribuido:
            t = TxtMontoDistribuido, maximo = longitudMonto;
            break;
        case Campo::Fecha: {
            // The mask takes digits into its next free place.
            t = MskFec_Retencion;
            if (r.tecla == kTeclaRetroceso) {
                for (int i = t.size() - 1; i >= 0; --i)
                    if (t[i].isDigit()) {
                        t[i] = '_';
                        break;
                    }
            } else if (QChar(r.tecla).isDigit()) {
                const int i = t.indexOf('_');
                if (i >= 0) t[i] = QChar(r.tecla);
            }
            fijaTexto(c, t);
            return r.accion;
        }
        default:
            return r.accion;
    }
    if (r.tecla == kTeclaRetroceso)
        t.chop(1);
    else if (t.size() < maximo)
        t += QChar(r.tecla);
    fijaTexto(c, t);
    return r.accion;
}

void Retenciones::entraMonto() {
    if (!TxtMontoDistribuido.isEmpty())
        fijaTexto(Campo::MontoDistribuido, LimpiaMonto(formatoTexto(TxtMontoDistribuido, patron::Entero)));
    longitudMonto = 12;
    notifica();
}

void Retenciones::saleMonto() {
    longitudMonto = 15;
    fijaTexto(Campo::MontoDistribuido, formatoTexto(TxtMontoDistribuido, patron::Monto));
}

void Retenciones::clicDerecho() { listas_.declaracion.clicDerecho(); }

void Retenciones::teclaAbajo(int codigoTecla, bool shift) {
    listas_.declaracion.teclaAbajo(codigoTecla, shift);
}

bool Retenciones::Aceptar() {
    if (!Valida_Datos() || !Graba_Datos()) return false;
    listas_.Get_Dividendos();
    if (modifica()) {
        listas_.AnexoModificado = false;
        cerrada = true;
    } else {
        Limpia_variables();
    }
    return true;
}

bool Retenciones::Salir() {
    if (!listas_.declaracion.valores.DeclaracionEnviada && listas_.AnexoModificado) {
        switch (dialogos().muestra("La información ha sido modificada. ¿Desea guardar los cambios?",
                                   "Confirma Salir", Icono::Pregunta, Botones::SiNoCancelar)) {
            case Respuesta::Si:
                // Data that does not pass the checks (or cannot be stored) keeps the window open.
                if (!Aceptar()) return false;
                break;
            case Respuesta::No:
                break;
            default:
                return false;
        }
    }
    cerrada = true;
    return true;
}

}  // namespace qvr
