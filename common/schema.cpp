#include "common/schema.h"

#include "platform/database.h"

namespace qvr {

const std::vector<TablaEsquema>& tablasHost() {
    static const std::vector<TablaEsquema> t = {
        {"CAB",
         "CREATE TABLE CAB (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "semana INTEGER, estado INTEGER, rectifica TEXT(1), fec_pro TEXT(10), bcolibrad TEXT(2), "
         "nrocheque TEXT(15), cheque TEXT(15), efectivo TEXT(15), norden TEXT(8), cNumero TEXT(6), "
         "PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, semana))",
         5},
        {"hCAB",
         "CREATE TABLE hCAB (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "semana INTEGER, correl TEXT(3), estado INTEGER, rectifica TEXT(1), fec_pro TEXT(10), "
         "bcolibrad TEXT(2), nrocheque TEXT(15), cheque TEXT(15), efectivo TEXT(15), norden TEXT(8), "
         "control TEXT(8), fec_env DATE, cNumero TEXT(6), "
         "PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, semana, correl))",
         6},
        {"DET",
         "CREATE TABLE DET (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "semana INTEGER, casilla TEXT(3), i_valor TEXT(60), idcasilla TEXT(2), estado INTEGER, "
         "cNumero TEXT(6), PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla))",
         6},
        {"hDET",
         "CREATE TABLE hDET (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "semana INTEGER, correl TEXT(3), casilla TEXT(3), i_valor TEXT(60), idcasilla TEXT(2), "
         "estado INTEGER, cNumero TEXT(6), "
         "PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, semana, correl, casilla))",
         7},
        {"CONT",
         "CREATE TABLE CONT (tip_doc_d BYTE, doc_id_d TEXT(15), nombre TEXT(100), usuario TEXT(20), "
         "Apellido_p TEXT(20), Apellido_m TEXT(20), Nombre_1 TEXT(20), nombre_2 TEXT(20), "
         "Tipo_Ingreso INTEGER, PRIMARY KEY (tip_doc_d, doc_id_d))",
         0},
        {"CLAVES", "CREATE TABLE CLAVES (Usuario TEXT(20) PRIMARY KEY, Tipo TEXT(1), Clave TEXT(20))", 0},
        {"ERROR", "CREATE TABLE ERROR (codigo INTEGER PRIMARY KEY, mensaje TEXT(255))", 0},
        {"PARAM",
         "CREATE TABLE PARAM (numero TEXT(3), argumento TEXT(20), funcion TEXT(255), correl_param TEXT(10), "
         "PRIMARY KEY (numero, argumento))",
         0},
        {"SPOOL",
         "CREATE TABLE SPOOL (CodRep TEXT(6), Secuencia TEXT(6), Archivo TEXT(12), Fecha DATE, "
         "Usuario TEXT(20), tip_doc_d BYTE, Doc_id_d TEXT(15))",
         0},
        {"reportes",
         "CREATE TABLE reportes (codrep TEXT(6) PRIMARY KEY, titulo TEXT(80), numero INTEGER)", 0},
        {"envio_t",
         "CREATE TABLE envio_t (formulario TEXT(4), tabla_o TEXT(20), tabla_d TEXT(20), tabla_ext TEXT(20), "
         "indice BYTE, obliga BYTE, c_tip_doc_d BYTE, c_doc_id_d INTEGER, c_Formulario INTEGER, "
         "c_periodo INTEGER, c_estado INTEGER, c_envio INTEGER, c_semana INTEGER, "
         "PRIMARY KEY (formulario, tabla_o))",
         0},
    };
    return t;
}

// The annex tables of form 0738, with the installer's columns and keys. The trust tables' keys do
// not hold tip_doc_d, and HF0738FIDEICOM's holds correl in place of formulario.
const std::vector<TablaEsquema>& tablasAnexo() {
    static const std::vector<TablaEsquema> t = {
        {"F0738DIVIDEND",
         "CREATE TABLE F0738DIVIDEND (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "num_RUC TEXT(11), des_entpagadora TEXT(40), fec_retenida DATE, mto_distribuido TEXT(15), "
         "mto_retenido TEXT(15), cnumero TEXT(6), "
         "CONSTRAINT PK_F0738DIVIDEND PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, num_ruc, fec_retenida))",
         6, {"des_entpagadora", "mto_distribuido", "mto_retenido"}},
        {"HF0738DIVIDEND",
         "CREATE TABLE HF0738DIVIDEND (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "Correl TEXT(3), num_RUC TEXT(11), des_entpagadora TEXT(40), fec_retenida DATE, "
         "mto_distribuido TEXT(15), mto_retenido TEXT(15), cnumero TEXT(6), "
         "CONSTRAINT PK_HF0738DIVIDEND PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, correl, num_ruc, "
         "fec_retenida))",
         7, {"des_entpagadora", "mto_distribuido", "mto_retenido"}},
        {"TMP_F0738DIVID",
         "CREATE TABLE TMP_F0738DIVID (num_RUC TEXT(11), des_entpagadora TEXT(40), fec_retenida DATE, "
         "mto_distribuido TEXT(15), mto_retenido TEXT(15), "
         "CONSTRAINT PK_TMP_F0738DIVID PRIMARY KEY (num_ruc, fec_retenida))",
         0, {"des_entpagadora", "mto_distribuido", "mto_retenido"}},
        {"F0738EXTRANJ",
         "CREATE TABLE F0738EXTRANJ (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "des_emp_ext TEXT(40), ind_pais TEXT(4), ind_cargo TEXT(2), ind_operacion TEXT(2), mto_saldo TEXT(15), "
         "cnumero TEXT(6), "
         "CONSTRAINT PK_F0738EXTRANJ PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, des_emp_ext, ind_pais, "
         "ind_cargo, ind_operacion))",
         8, {"mto_saldo"}},
        {"HF0738EXTRANJ",
         "CREATE TABLE HF0738EXTRANJ (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "Correl TEXT(3), des_emp_ext TEXT(40), ind_pais TEXT(4), ind_cargo TEXT(2), ind_operacion TEXT(2), "
         "mto_saldo TEXT(15), cnumero TEXT(6), "
         "CONSTRAINT PK_HF0738EXTRANJ PRIMARY KEY (tip_doc_d, doc_id_d, periodo, formulario, correl, des_emp_ext, "
         "ind_pais, ind_cargo, ind_operacion))",
         9, {"mto_saldo"}},
        {"TMP_F0738EXTRA",
         "CREATE TABLE TMP_F0738EXTRA (des_emp_ext TEXT(40), ind_pais TEXT(4), ind_cargo TEXT(2), "
         "ind_operacion TEXT(2), mto_saldo TEXT(15), des_pais TEXT(60), des_cargo TEXT(30), des_operacion TEXT(50), "
         "CONSTRAINT PK_TMP_F0738EXTRA PRIMARY KEY (des_emp_ext, ind_pais, ind_cargo, ind_operacion))",
         0, {"mto_saldo"}},
        {"F0738FIDEICOM",
         "CREATE TABLE F0738FIDEICOM (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "tip_doc_fde BYTE, num_doc_fde TEXT(15), des_nombre_fde TEXT(20), des_apepat_fde TEXT(20), "
         "des_apemat_fde TEXT(20), des_razon_fde TEXT(40), tip_empre_fdu TEXT(2), des_empre_fdu TEXT(40), "
         "tip_doc_ben BYTE, num_doc_ben TEXT(15), des_nombre_ben TEXT(20), des_apepat_ben TEXT(20), "
         "des_apemat_ben TEXT(20), des_razon_ben TEXT(40), tip_patri_fdei TEXT(2), mto_saldo TEXT(15), "
         "cnumero TEXT(6), "
         "CONSTRAINT PK_F0738FIDEICOM PRIMARY KEY (doc_id_d, periodo, formulario, tip_doc_fde, num_doc_fde, "
         "tip_empre_fdu, des_empre_fdu, tip_doc_ben, num_doc_ben, tip_patri_fdei))",
         10,
         {"des_nombre_fde", "des_apepat_fde", "des_apemat_fde", "des_razon_fde", "des_nombre_ben",
          "des_apepat_ben", "des_apemat_ben", "des_razon_ben", "mto_saldo"}},
        {"HF0738FIDEICOM",
         "CREATE TABLE HF0738FIDEICOM (tip_doc_d BYTE, doc_id_d TEXT(15), periodo TEXT(6), formulario TEXT(4), "
         "Correl TEXT(3), tip_doc_fde BYTE, num_doc_fde TEXT(15), des_nombre_fde TEXT(20), "
         "des_apepat_fde TEXT(20), des_apemat_fde TEXT(20), des_razon_fde TEXT(40), tip_empre_fdu TEXT(2), "
         "des_empre_fdu TEXT(40), tip_doc_ben BYTE, num_doc_ben TEXT(15), des_nombre_ben TEXT(20), "
         "des_apepat_ben TEXT(20), des_apemat_ben TEXT(20), des_razon_ben TEXT(40), tip_patri_fdei TEXT(2), "
         "mto_saldo TEXT(15), cnumero TEXT(6), "
         "CONSTRAINT PK_HF0738FIDEICOM PRIMARY KEY (doc_id_d, periodo, correl, tip_doc_fde, num_doc_fde, "
         "tip_empre_fdu, des_empre_fdu, tip_doc_ben, num_doc_ben, tip_patri_fdei))",
         10,
         {"des_nombre_fde", "des_apepat_fde", "des_apemat_fde", "des_razon_fde", "des_nombre_ben",
          "des_apepat_ben", "des_apemat_ben", "des_razon_ben", "mto_saldo"}},
        {"TMP_F0738FIDEI",
         "CREATE TABLE TMP_F0738FIDEI (tip_doc_fde BYTE, num_doc_fde TEXT(15), des_nombre_fde TEXT(20), "
         "des_apepat_fde TEXT(20), des_apemat_fde TEXT(20), des_razon_fde TEXT(70), tip_empre_fdu TEXT(2), "
         "des_empre_fdu TEXT(40), tip_doc_ben BYTE, num_doc_ben TEXT(15), des_nombre_ben TEXT(20), "
         "des_apepat_ben TEXT(20), des_apemat_ben TEXT(20), des_razon_ben TEXT(70), tip_patri_fdei TEXT(2), "
         "mto_saldo TEXT(15), des_empre_fdu2 TEXT(50), des_doc_ben TEXT(40), des_patri_fdei TEXT(70), "
         "des_doc_fde TEXT(40), "
         "CONSTRAINT PK_TMP_F0738FIDEI PRIMARY KEY (tip_doc_fde, num_doc_fde, tip_empre_fdu, des_empre_fdu, "
         "tip_doc_ben, num_doc_ben, tip_patri_fdei))",
         0,
         {"des_nombre_fde", "des_apepat_fde", "des_apemat_fde", "des_razon_fde", "des_nombre_ben",
          "des_apepat_ben", "des_apemat_ben", "des_razon_ben", "mto_saldo"}},
    };
    return t;
}

const TablaEsquema* tablaEsquema(const QString& nombre) {
    for (const auto* lista : {&tablasHost(), &tablasAnexo()})
        for (const auto& t : *lista)
            if (nombre.compare(QString::fromLatin1(t.nombre), Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

namespace {
void creaFaltantes(BaseDatos& base, const std::vector<TablaEsquema>& tablas) {
    for (const auto& t : tablas)
        if (!base.existeTabla(QString::fromLatin1(t.nombre))) base.ejecuta(QString::fromLatin1(t.crear));
}
}  // namespace

QString reservaDeclaracion(const QString& ruc, const QString& periodo, const QString& formulario, int semana) {
    return QString("CAB/%1/%2/%3/%4/%5").arg(kTipDocDeclarante).arg(ruc, periodo, formulario).arg(semana);
}

void creaTablasHost(BaseDatos& base) { creaFaltantes(base, tablasHost()); }
void creaTablasAnexo(BaseDatos& base) { creaFaltantes(base, tablasAnexo()); }

}  // namespace qvr
