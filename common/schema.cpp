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

namespace {

// One annex: its columns once, and from them its three tables. The stored table carries the
// declaration key before them and cNumero after; the sent copy adds Correl after the key; the
// working table has the columns alone, with the descriptions the grids show after them.
struct ColumnaAnexo {
    const char* nombre;
    const char* tipo;
    bool clave = false;            // in the primary key of all three tables
    const char* tipoTrabajo = "";  // the working table's type when it differs
};

struct DefinicionAnexoEsquema {
    const char* tabla;    // stored; the sent copy is "H" + tabla
    const char* trabajo;  // working table
    std::vector<ColumnaAnexo> columnas;
    std::vector<ColumnaAnexo> descripciones;  // working table only
    QStringList textoVacio;
    // The trust tables' keys do not hold tip_doc_d, and the sent copy's holds correl in place of
    // formulario.
    bool claveSinTipoDoc = false;
};

const std::vector<DefinicionAnexoEsquema>& definicionesAnexo() {
    static const std::vector<DefinicionAnexoEsquema> d = {
        {"F0738DIVIDEND",
         "TMP_F0738DIVID",
         {{"num_RUC", "TEXT(11)", true},
          {"des_entpagadora", "TEXT(40)"},
          {"fec_retenida", "DATE", true},
          {"mto_distribuido", "TEXT(15)"},
          {"mto_retenido", "TEXT(15)"}},
         {},
         {"des_entpagadora", "mto_distribuido", "mto_retenido"}},
        {"F0738EXTRANJ",
         "TMP_F0738EXTRA",
         {{"des_emp_ext", "TEXT(40)", true},
          {"ind_pais", "TEXT(4)", true},
          {"ind_cargo", "TEXT(2)", true},
          {"ind_operacion", "TEXT(2)", true},
          {"mto_saldo", "TEXT(15)"}},
         {{"des_pais", "TEXT(60)"}, {"des_cargo", "TEXT(30)"}, {"des_operacion", "TEXT(50)"}},
         {"mto_saldo"}},
        {"F0738FIDEICOM",
         "TMP_F0738FIDEI",
         {{"tip_doc_fde", "BYTE", true},
          {"num_doc_fde", "TEXT(15)", true},
          {"des_nombre_fde", "TEXT(20)"},
          {"des_apepat_fde", "TEXT(20)"},
          {"des_apemat_fde", "TEXT(20)"},
          {"des_razon_fde", "TEXT(40)", false, "TEXT(70)"},
          {"tip_empre_fdu", "TEXT(2)", true},
          {"des_empre_fdu", "TEXT(40)", true},
          {"tip_doc_ben", "BYTE", true},
          {"num_doc_ben", "TEXT(15)", true},
          {"des_nombre_ben", "TEXT(20)"},
          {"des_apepat_ben", "TEXT(20)"},
          {"des_apemat_ben", "TEXT(20)"},
          {"des_razon_ben", "TEXT(40)", false, "TEXT(70)"},
          {"tip_patri_fdei", "TEXT(2)", true},
          {"mto_saldo", "TEXT(15)"}},
         {{"des_empre_fdu2", "TEXT(50)"},
          {"des_doc_ben", "TEXT(40)"},
          {"des_patri_fdei", "TEXT(70)"},
          {"des_doc_fde", "TEXT(40)"}},
         {"des_nombre_fde", "des_apepat_fde", "des_apemat_fde", "des_razon_fde", "des_nombre_ben", "des_apepat_ben",
          "des_apemat_ben", "des_razon_ben", "mto_saldo"},
         true},
    };
    return d;
}

enum class Copia { Guardada, Enviada, Trabajo };

TablaEsquema tablaDeAnexo(const DefinicionAnexoEsquema& a, Copia copia) {
    const QString nombre = copia == Copia::Trabajo   ? QString::fromLatin1(a.trabajo)
                           : copia == Copia::Enviada ? "H" + QString::fromLatin1(a.tabla)
                                                     : QString::fromLatin1(a.tabla);
    QStringList columnas, clave;
    if (copia != Copia::Trabajo) {
        columnas << "tip_doc_d BYTE" << "doc_id_d TEXT(15)" << "periodo TEXT(6)" << "formulario TEXT(4)";
        if (!a.claveSinTipoDoc) clave << "tip_doc_d";
        clave << "doc_id_d" << "periodo";
        if (copia == Copia::Enviada) columnas << "Correl TEXT(3)";
        if (copia == Copia::Guardada || !a.claveSinTipoDoc) clave << "formulario";
        if (copia == Copia::Enviada) clave << "correl";
    }
    for (const ColumnaAnexo& c : a.columnas) {
        const bool otroTipo = copia == Copia::Trabajo && *c.tipoTrabajo;
        columnas << QString("%1 %2").arg(c.nombre, otroTipo ? c.tipoTrabajo : c.tipo);
        if (c.clave) clave << QString::fromLatin1(c.nombre).toLower();
    }
    if (copia == Copia::Trabajo)
        for (const ColumnaAnexo& c : a.descripciones) columnas << QString("%1 %2").arg(c.nombre, c.tipo);
    else
        columnas << "cnumero TEXT(6)";
    TablaEsquema t;
    t.nombre = nombre;
    t.crear = QString("CREATE TABLE %1 (%2, CONSTRAINT PK_%1 PRIMARY KEY (%3))")
                  .arg(nombre, columnas.join(", "), clave.join(", "));
    t.columnasClave = copia == Copia::Trabajo ? 0 : int(clave.size());
    t.textoVacio = a.textoVacio;
    return t;
}

}  // namespace

// The annex tables of form 0738, with the installer's columns and keys, in the installer's order.
const std::vector<TablaEsquema>& tablasAnexo() {
    static const std::vector<TablaEsquema> t = [] {
        std::vector<TablaEsquema> v;
        for (const DefinicionAnexoEsquema& a : definicionesAnexo())
            for (Copia c : {Copia::Guardada, Copia::Enviada, Copia::Trabajo}) v.push_back(tablaDeAnexo(a, c));
        return v;
    }();
    return t;
}

const TablaEsquema* tablaEsquema(const QString& nombre) {
    for (const auto* lista : {&tablasHost(), &tablasAnexo()})
        for (const auto& t : *lista)
            if (nombre.compare(t.nombre, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

namespace {
void creaFaltantes(BaseDatos& base, const std::vector<TablaEsquema>& tablas) {
    for (const auto& t : tablas)
        if (!base.existeTabla(t.nombre)) base.ejecuta(t.crear);
}
}  // namespace

QString reservaDeclaracion(const QString& ruc, const QString& periodo, const QString& formulario, int semana) {
    return QString("CAB/%1/%2/%3/%4/%5").arg(kTipDocDeclarante).arg(ruc, periodo, formulario).arg(semana);
}

void creaTablasHost(BaseDatos& base) { creaFaltantes(base, tablasHost()); }
void creaTablasAnexo(BaseDatos& base) { creaFaltantes(base, tablasAnexo()); }

QStringList tablasTrabajoAnexo() {
    QStringList trabajo;
    for (const TablaEsquema& t : tablasAnexo())
        if (t.nombre.startsWith("TMP_")) trabajo << t.nombre;
    return trabajo;
}

}  // namespace qvr
