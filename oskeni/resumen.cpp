#include "oskeni/resumen.h"

#include "common/clave_declaracion.h"
#include "common/formato.h"
#include "platform/database.h"

namespace qvr {

namespace {

const QString kDiez(10, ' ');

}  // namespace

QString DatosResumen::rectificatoria() const {
    const QString v = casillas.value("871").trimmed();
    return v.isEmpty() || v == "0" ? "NO" : "SI";
}

QString columnaMonto(const QString& valor, int ancho) {
    const auto d = numeroDeTexto(valor);
    if (!d) return QString();
    QString t = formatoNumero(*d, patron::Monto);
    for (int quitados = 0; t.size() > ancho && quitados < 5 && t.contains(','); ++quitados)
        t.remove(t.indexOf(','), 1);
    return " " + (t.size() > ancho ? t : t.rightJustified(ancho));
}

std::optional<DatosResumen> leeDatosResumen(BaseDatos& base, const LineaResumen& l) {
    DatosResumen d;
    d.linea = l;
    // The number is used as given, blanks included; stored numbers carry no trailing blanks, so both
    // sides are compared without them.
    const QString numero = l.numero;
    // The week is a number column: a line whose week is no number names no declaration.
    bool semanaOk = false;
    const int semana = l.semana.toInt(&semanaOk);
    if (!semanaOk) return std::nullopt;
    ClaveDeclaracion clave;
    clave.ruc = numero;
    clave.periodo = l.periodo;
    clave.formulario = l.formulario;
    clave.semana = semana;
    const CondicionSql condicion = condicionDeclaracion(clave, PartesClave::Completa, {}, ComparaRuc::SinBlancosFinales);
    Registros cab = base.consulta("SELECT * FROM CAB WHERE " + condicion.sql, condicion.parametros);
    // Without the declaration's header there is nothing to summarise.
    if (cab.vacio()) return std::nullopt;
    d.numeroCheque = cab.texto(0, "nrocheque").trimmed();
    d.cheque = !d.numeroCheque.isEmpty();
    if (d.cheque) {
        Registros banco = base.consulta(
            "SELECT substr(ARGUMENTO,1,2) AS codigo, substr(FUNCION,1,36) AS descrip FROM PARAM "
            "WHERE NUMERO='004' AND trim(ARGUMENTO)=?",
            {cab.texto(0, "bcolibrad")});
        if (!banco.vacio()) d.banco = banco.texto(0, "descrip").trimmed();
    }
    Registros det = base.consulta("SELECT CASILLA, I_VALOR FROM DET WHERE " + condicion.sql, condicion.parametros);
    for (int i = 0; i < det.filas(); ++i) {
        const QString casilla = det.texto(i, 0).trimmed();
        if (casilla == "721" || casilla == "722") continue;
        d.casillas[casilla] = det.texto(i, 1);
    }
    Registros cont = base.consulta("SELECT nombre FROM CONT WHERE rtrim(doc_id_d)=rtrim(?) AND tip_doc_d=6", {numero});
    if (cont.vacio()) return std::nullopt;
    d.nombre = cont.texto(0, 0);
    return d;
}

QStringList lineasResumenMarcado(const DatosResumen& d, const QDateTime& ahora) {
    const QString fecha = ahora.toString("dd/MM/yyyy");
    QStringList l;
    l << "<!font!>Courier New<!/font!>" << "<!nHojas!>1<!/nHojas!>";
    l << "";
    l << "<!Orientacion!>V<!/Orientacion!>" << "<!Color!>&H80000005&<!/Color!>";
    l << "" << "" << "" << "";
    l << kDiez + fecha + QString(56, ' ') + "Pag. 01/01";
    l << kDiez + ahora.toString("hh:mm:ss") << "";
    l << QString(16, ' ') + QString::fromUtf8("Resumen de envío - QVR 738") << "";
    l << kDiez + "DOCUMENTO        : " + d.linea.numero;
    l << kDiez + "RAZON SOCIAL     : " + d.nombre;
    l << kDiez + "FORMULARIO       : " + d.linea.formulario + "-QVR Renta Anual";
    l << kDiez + "PERIODO          : " + d.linea.periodo.left(4);
    l << kDiez + "RECTIFICATORIA   : " + d.rectificatoria();
    l << kDiez + "FORMA DE PAGO    : " + (d.cheque ? "CHEQUE" : "EFECTIVO");
    if (d.cheque) {
        l << kDiez + "NUMERO DE CHEQUE : " + d.numeroCheque;
        l << kDiez + "BANCO            : " + d.banco;
    }
    l << "" << "";
    l << kDiez + "TRIBUTO            TOTAL DEUDA     MONTO PAGO";
    l << kDiez + "Renta            " + columnaMonto(d.casillas.value("146"), 12) +
             columnaMonto(d.casillas.value("180"), 14);
    l << kDiez + "TOTAL:" + QString(24, ' ') + columnaMonto(d.casillas.value("598"), 14) << "";
    l << kDiez + "NC " + d.linea.nc + QString(8, ' ') + QString::fromUtf8("Fec.Generación: ") + fecha;
    l << "" << "" << "";
    return l;
}

QStringList lineasResumenTexto(const DatosResumen& d, const QDateTime& ahora) {
    QStringList l;
    l << "DOCUMENTO      : " + d.linea.numero;
    l << "RAZON SOCIAL   : " + d.nombre;
    l << "FORMULARIO     : " + d.linea.formulario + "-QVR Renta Anual";
    l << "PERIODO        : " + d.linea.periodo.left(4);
    l << "RECTIFICATORIA : " + d.rectificatoria();
    l << "FORMA DE PAGO  : " + QString(d.cheque ? "CHEQUE" : "EFECTIVO");
    if (d.cheque) {
        l << "NUMERO CHEQUE  : " + d.numeroCheque;
        l << "BANCO          : " + d.banco;
    }
    l << "";
    l << "TRIBUTO        TOTAL DEUDA   MONTO PAGO";
    l << "Renta        " + columnaMonto(d.casillas.value("146"), 12) + columnaMonto(d.casillas.value("180"), 12);
    l << "TOTAL:" + QString(19, ' ') + columnaMonto(d.casillas.value("598"), 13);
    l << "";
    l << "NC " + d.linea.nc + "  " + QString::fromUtf8("Fec.Generación: ") + ahora.toString("dd/MM/yyyy");
    return l;
}

}  // namespace qvr
