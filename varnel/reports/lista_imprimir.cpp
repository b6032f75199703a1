#include "varnel/reports/lista_imprimir.h"

#include "common/sesion.h"

namespace qvr::reporte {

namespace {
constexpr int kTipDoc = 6;
constexpr int kEstadoEnviada = 1;
const char* const kEjercicio = "substr(A.PERIODO,5,2) || substr(A.PERIODO,1,4) AS PERIODOF";
}  // namespace

DefinicionLista listaImprimir(const DatosSesion& s, bool enviadas, bool restringida) {
    DefinicionLista d;
    // Columns without a field in the current list's query stay empty and hidden.
    auto campo = [enviadas](const char* c) { return enviadas ? QString::fromLatin1(c) : QString(); };
    d.columnas = {
        {"R.U.C.", "doc_id_d"},
        {"Razón Social", "Nombre", FormatoColumna::Texto, enviadas ? 3300 : 4000},
        {"Periodo", "periodo", FormatoColumna::Texto, 0, true},
        {"Ejercicio", "Periodof", FormatoColumna::Texto, enviadas ? 0 : 1000},
        {"Formulario", "Formulario"},
        {"N.Orden", campo("norden"), FormatoColumna::Texto, 0, !enviadas},
        {"Fecha Envio", campo("fec_env"), FormatoColumna::Fecha, 0, !enviadas},
        {"Control", campo("Control"), FormatoColumna::Texto, 0, !enviadas},
        {"Correlativo", campo("Correl"), FormatoColumna::Texto, 0, !enviadas},
        {"Estado", "estado", FormatoColumna::Texto, 0, true},
        {"Rectifica", "rectifica"},
        {"Semana", "semana"},
    };
    d.parametros = {kTipDoc, kTipDoc, s.Formulario};
    if (enviadas) {
        d.sql = QString("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, %1, A.FORMULARIO, A.ESTADO, A.FEC_ENV, A.CORREL, "
                        "A.NORDEN, A.CONTROL, A.RECTIFICA, A.SEMANA FROM HCAB AS A, CONT AS B "
                        "WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=? AND B.TIP_DOC_D=? AND A.FORMULARIO=?")
                    .arg(kEjercicio);
    } else {
        d.sql = QString("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, %1, A.FORMULARIO, A.ESTADO, A.RECTIFICA, "
                        "A.SEMANA FROM CAB AS A, CONT AS B "
                        "WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=? AND B.TIP_DOC_D=? AND A.FORMULARIO=?")
                    .arg(kEjercicio);
    }
    if (restringida) {
        d.sql += " AND UPPER(B.USUARIO)=UPPER(?)";
        d.parametros << s.Usuario;
    }
    if (enviadas) {
        d.sql += " AND A.ESTADO=? ORDER BY A.DOC_ID_D ASC, A.PERIODO, A.SEMANA, A.CORREL";
        d.parametros << kEstadoEnviada;
    } else {
        // The week completes the order so that the list reads in pages.
        d.sql += " ORDER BY A.DOC_ID_D ASC, A.PERIODO DESC, A.SEMANA";
    }
    return d;
}

}  // namespace qvr::reporte
