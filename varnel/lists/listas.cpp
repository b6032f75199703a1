#include "varnel/lists/listas.h"

#include "common/conexion.h"
#include "common/schema.h"
#include "common/sesion.h"
#include "platform/descripciones_jet.h"
#include "platform/dialogs.h"

namespace qvr {

bool usuarioRestringido(BaseDatos& base, const QString& usuario) { return TipoUsuario(base, usuario) != "0"; }

namespace {

// hCAB rows that the host has sent and accepted.
constexpr int kEstadoEnviada = 1;

// Wide enough for an 11-digit taxpayer number.
constexpr int kAnchoRuc = 1500;

// The period shown as month and year: "2003" has no month and stays "2003".
const char* const kPeriodoMesAnio = "substr(A.PERIODO,5,2) || substr(A.PERIODO,1,4)";

std::vector<ColumnaLista> columnasDeclaraciones(bool enviadas) {
    std::vector<ColumnaLista> c = {
        {"Ruc", "doc_id_d", FormatoColumna::Texto, kAnchoRuc},
        {"Razón social", "Nombre", FormatoColumna::Texto, 3300},
        {"Ejercicio", "periodo", FormatoColumna::Texto, 900},
        {"Formulario", "formulario", FormatoColumna::Texto, 1000},
        {"Estado", "Estado", FormatoColumna::Estado, 1300},
        {"Nro. Orden", "nOrden"},
        {"Fec. de Envio", "fec_env", FormatoColumna::Fecha},
        {"Nro. Control", "Control"},
        {"Correlativo", "Correl"},
        {"Rectifica", "Rectifica"},
        {"Orden", "nOrden"},
        {"Semana", "semana"},
    };
    if (enviadas) {
        c[col::Estado].oculta = true;
        c[col::Orden].oculta = true;
    } else {
        // The stored declarations have no sending: their query gives none of these columns.
        for (int i = col::NroOrden; i <= col::Orden; ++i) {
            c[size_t(i)].oculta = true;
            c[size_t(i)].campo.clear();
        }
    }
    return c;
}

}  // namespace

DefinicionLista listaDeclaraciones(const DatosSesion& s, bool enviadas, bool restringida) {
    DefinicionLista d;
    d.columnas = columnasDeclaraciones(enviadas);
    if (enviadas) {
        d.sql = QString("SELECT A.DOC_ID_D, B.NOMBRE, A.FEC_ENV, %1 AS PERIODO, A.FORMULARIO, A.CORREL, A.NORDEN, "
                        "A.CONTROL, A.ESTADO, A.RECTIFICA, A.SEMANA FROM HCAB AS A, CONT AS B "
                        "WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=? AND B.TIP_DOC_D=? AND A.FORMULARIO=?")
                    .arg(kPeriodoMesAnio);
        d.parametros = {kTipDocDeclarante, kTipDocDeclarante, s.Formulario};
        if (restringida) {
            d.sql += " AND UPPER(B.USUARIO)=UPPER(?)";
            d.parametros << s.Usuario;
        }
        d.sql += " AND A.ESTADO=? ORDER BY A.DOC_ID_D ASC, A.PERIODO, A.SEMANA, A.CORREL";
        d.parametros << kEstadoEnviada;
    } else {
        d.sql = QString("SELECT A.DOC_ID_D, B.NOMBRE, %1 AS PERIODO, A.FORMULARIO, A.ESTADO, A.SEMANA "
                        "FROM CAB AS A, CONT AS B WHERE A.DOC_ID_D=B.DOC_ID_D AND A.FORMULARIO=?")
                    .arg(kPeriodoMesAnio);
        d.parametros = {s.Formulario};
        if (restringida) {
            d.sql += " AND UPPER(B.USUARIO)=UPPER(?)";
            d.parametros << s.Usuario;
        }
        d.sql += " ORDER BY A.DOC_ID_D ASC, A.PERIODO DESC, A.FORMULARIO ASC, A.SEMANA, A.TIP_DOC_D";
    }
    return d;
}

DefinicionLista listaRegistroOrden(const DatosSesion& s, bool restringida) {
    DefinicionLista d;
    d.columnas = {
        {"RUC", "doc_id_d", FormatoColumna::Texto, kAnchoRuc},
        {"Razón Social", "Nombre", FormatoColumna::Texto, 3000},
        {"Ejercicio", "Periodof", FormatoColumna::Texto, 900},
        {"Formulario", "formulario", FormatoColumna::Texto, 1000},
        {"N. Orden", "norden"},
        {"Fecha Env.", "fec_env", FormatoColumna::Fecha},
        {"Control", "control"},
        {"Correl", "correl"},
        {"Rectifica", "rectifica"},
        {"Semana", "semana"},
    };
    d.sql = QString("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, A.FORMULARIO, A.NORDEN, A.FEC_ENV, A.CONTROL, "
                    "A.CORREL, A.RECTIFICA, A.SEMANA, %1 AS PERIODOF FROM HCAB AS A, CONT AS B "
                    "WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=? AND B.TIP_DOC_D=? AND A.FORMULARIO=?")
                .arg(kPeriodoMesAnio);
    d.parametros = {kTipDocDeclarante, kTipDocDeclarante, s.Formulario};
    if (restringida) {
        d.sql += " AND UPPER(B.USUARIO)=UPPER(?)";
        d.parametros << s.Usuario;
    }
    d.sql += " ORDER BY A.DOC_ID_D ASC, A.PERIODO, A.SEMANA, A.CORREL";
    return d;
}

std::optional<ConsultaCatalogo> consultaCatalogo(int tipoConsulta) {
    // Professions and banks list their two-character code and the first 36 characters of the
    // text; code "00" is not an entry of either catalog.
    // `largo`: the description's columns of FUNCION. A bank's name has 36 (its short name follows);
    // a profession's description is all of it, 60 as the declaration's profession list reads it.
    auto codigos = [](const QString& titulo, const QString& numero, int largo) {
        ConsultaCatalogo c;
        c.titulo = titulo;
        c.lista.sql =
            QString(
                "SELECT substr(ARGUMENTO,1,2) AS codigo, substr(FUNCION,1,%1) AS descrip FROM PARAM "
                "WHERE NUMERO=? AND TRIM(ARGUMENTO)<>? ORDER BY ARGUMENTO")
                .arg(largo);
        c.lista.parametros = {numero, QStringLiteral("00")};
        c.lista.columnas = {{"Código", "Codigo", FormatoColumna::Texto, 1000},
                            {"Descripción", "descrip", FormatoColumna::Texto, 4800}};
        return c;
    };
    switch (tipoConsulta) {
        case 1:
            return codigos("Consulta de Profesiones", "979", 60);
        case 2:
            return codigos("Consulta de Bancos", "004", 36);
        case 3: {
            // The argument is yyyymmdd: shown as a day-month-year date, the newest first.
            ConsultaCatalogo c;
            c.titulo = "Consulta de UIT";
            c.lista.sql = "SELECT substr(ARGUMENTO,7,2) || substr(ARGUMENTO,5,2) || substr(ARGUMENTO,1,4) AS codigo, "
                          "TRIM(FUNCION) AS descrip FROM PARAM WHERE NUMERO=? ORDER BY ARGUMENTO DESC";
            c.lista.parametros = {QStringLiteral("404")};
            c.lista.columnas = {{"Fecha", "Codigo", FormatoColumna::DiaMesAnio, 1500},
                                {"Valor", "descrip", FormatoColumna::Miles, 1500}};
            return c;
        }
        default: return std::nullopt;
    }
}

void MuestraErrorLista(int numero, const QString& descripcion) {
    dialogos().muestra(textoErrorBD(numero, descripcion) + "\n" + numeroConBlanco(numero), "Error", Icono::Ninguno, Botones::Ok);
}

QString textoEstado(const QVariant& estado) {
    if (estado.isNull()) return {};
    bool ok = false;
    const int e = estado.toString().trimmed().toInt(&ok);
    if (!ok) return estado.toString();
    switch (e) {
        case 0: return "Consistente";
        case 9: return "Inconsistente";
        default: return QString::number(e);
    }
}

}  // namespace qvr
