#include "varnel/annexes/listas_anexo.h"

#include <QDate>

#include "common/formato.h"
#include "platform/descripciones_jet.h"
#include "platform/dialogs.h"

namespace qvr {

namespace {

const DefinicionAnexo kListas[] = {
    {"TMP_F0738DIVID",
     "Grid_Dividendos",
     "Cantidad de Retenciones: ",
     "LblCtd_Retenciones",
     {{"mto_distribuido", "lblTotal_Distribuido"}, {"mto_retenido", "LblTotal_Retencion"}},
     {"num_ruc", "des_entpagadora", "fec_retenida", "mto_distribuido", "mto_retenido"},
     {"RUC", "Razón Social", "Fecha de Pago", "Dividendo Percibido", "Retención"},
     {3, 4},
     {0, 2}},
    {"TMP_F0738EXTRA",
     "Grid_Extranjero",
     "Cantidad de registros: ",
     "LblCtd_Extranjeros",
     {{"mto_saldo", "lblTotal_Extranjero"}},
     {"des_emp_ext", "des_pais", "des_cargo", "des_operacion", "mto_saldo", "ind_pais", "ind_cargo",
      "ind_operacion"},
     {"Empresa", "País", "Cargo", "Operación", "Saldo al 31/12/2003", "ind_pais", "ind_cargo",
      "ind_operacion"},
     {4},
     {0, 5, 6, 7}},
    {"TMP_F0738FIDEI",
     "Grid_Fideicomisos",
     "Cantidad de registros: ",
     "LblCtd_Fideicomiso",
     {{"mto_saldo", "lblTotal_Fideicomiso"}},
     {"des_empre_fdu2", "des_empre_fdu",  "des_doc_ben",    "num_doc_ben",    "des_razon_ben",
      "des_patri_fdei", "mto_saldo",      "des_nombre_ben", "des_apepat_ben", "des_apemat_ben",
      "tip_empre_fdu",  "tip_doc_ben",    "tip_patri_fdei", "des_doc_fde",    "num_doc_fde",
      "des_razon_fde",  "des_apepat_fde", "des_apemat_fde", "des_nombre_fde", "tip_doc_fde"},
     {"Tipo de Empresa", "Empresa Fiduciaria",  "Documento",      "Número",         "Beneficiario",
      "Patrimonio",      "Saldo al 31/12/2003", "des_nombre_ben", "des_apepat_ben", "des_apemat_ben",
      "tip_empre_fdu",   "tip_doc_ben",         "tip_patri_fdei", "des_doc_fde",    "num_doc_fde",
      "des_razon_fde",   "des_apepat_fde",      "des_apemat_fde", "des_nombre_fde", "tip_doc_fde"},
     {6},
     {19, 14, 10, 1, 11, 3, 12}},
};

const QString kEliminar =
    QStringLiteral("¿Esta seguro de Eliminar?. Esta información no podrá ser recuperada");

ListaAnexo listaDePregunta(Pregunta p) {
    return p == Pregunta::Extranjero ? ListaAnexo::Extranjero : ListaAnexo::Fideicomiso;
}

QString textoPregunta(Pregunta p) {
    if (p == Pregunta::Extranjero)
        return QStringLiteral(
            "¿Existen Datos de Inversones en el extranjero registradas. "
            "Si selecciona NO estas serán eliminadas. "
            "¿Confirma que va a eliminar los registros de inversión extranjera?");
    return QStringLiteral(
        "¿Existen Datos de Inversones en Fideicomisos registrados. "
        "Si selecciona NO estas serán eliminadas. "
        "¿Confirma que va a eliminar los registros de Fideicomisos?");
}

}  // namespace

const DefinicionAnexo& definicionAnexo(ListaAnexo l) { return kListas[size_t(l)]; }

void MuestraErrorAnexo(const ErrorBD& e) {
    dialogos().muestra("Error : " + QString::number(e.numero()) + " Descripción : " + textoErrorBD(e) + " ",
                       "Error", Icono::Informacion);
}

int Cuenta_Registros(BaseDatos& base, const QString& sTemporal) {
    try {
        const int n = base.escalar("SELECT count(*) AS nReg FROM " + sTemporal).toInt();
        return n > 0 ? n : 0;
    } catch (const ErrorBD& e) {
        MuestraErrorAnexo(e);
        return 0;
    }
}

QString Suma_Retencion(BaseDatos& base, const QString& sTemporal, const QString& sCampoSuma) {
    try {
        // The amounts are digit text; the cast makes them numbers.
        const QVariant v =
            base.escalar("SELECT sum(CAST(" + sCampoSuma + " AS NUMERIC)) AS sRetencion FROM " + sTemporal);
        if (v.isNull()) return QStringLiteral("0");
        const double s = v.toDouble();
        return s >= 0 ? textoDecimal(s) : QStringLiteral("0");
    } catch (const ErrorBD& e) {
        MuestraErrorAnexo(e);
        return QStringLiteral("0");
    }
}

ListasAnexo::ListasAnexo(BaseDatos& b, Declaracion& d) : base(b), declaracion(d) {}

void ListasAnexo::Get(ListaAnexo l) {
    try {
        datos_[size_t(l)] = base.consulta(QString(" SELECT * FROM %1 ").arg(definicionAnexo(l).temporal));
    } catch (const ErrorBD& e) {
        datos_[size_t(l)] = Registros{};
        MuestraErrorAnexo(e);
    }
    Cuenta_y_Suma(l);
}

void ListasAnexo::cargaTodas() {
    for (ListaAnexo l : {ListaAnexo::Dividendos, ListaAnexo::Extranjero, ListaAnexo::Fideicomiso}) Get(l);
}

void ListasAnexo::Cuenta_y_Suma(ListaAnexo l) {
    const DefinicionAnexo& def = definicionAnexo(l);
    Resumen& r = resumenes_[size_t(l)];
    const QString n = QString::number(Cuenta_Registros(base, def.temporal));
    r.cantidad = n == "0" ? QString() : def.rotuloCantidad + n;
    r.totales.clear();
    for (const auto& [columna, etiqueta] : def.totales) {
        const QString s = Suma_Retencion(base, def.temporal, columna);
        r.totales.push_back(s == "0" ? QString() : formatoTexto(s, patron::Monto));
    }
    notifica(l);
}

QString ListasAnexo::celda(ListaAnexo l, int fila, int columna) const {
    const DefinicionAnexo& def = definicionAnexo(l);
    const Registros& r = datos_[size_t(l)];
    if (fila < 0 || fila >= r.filas() || columna < 0 || columna >= int(def.columnas.size())) return {};
    const QString nombre = def.columnas[size_t(columna)];
    if (l == ListaAnexo::Dividendos && columna == 2) {
        const QDate f = fechaDeBD(r.valor(fila, nombre));
        return f.isValid() ? f.toString("dd/MM/yyyy") : r.texto(fila, nombre);
    }
    const QString t = r.texto(fila, nombre);
    for (int m : def.montos)
        if (m == columna) return formatoTexto(t, patron::Monto);
    return t;
}

void ListasAnexo::Eliminar(ListaAnexo l, int fila) {
    if (fila < 0 || fila >= filas(l)) return;
    if (dialogos().muestra(kEliminar, "Eliminar Registro", Icono::Pregunta, Botones::SiNo) != Respuesta::Si)
        return;
    AnexoModificado = true;
    const DefinicionAnexo& def = definicionAnexo(l);
    QString sql = QString("DELETE FROM %1 WHERE ").arg(def.temporal);
    QVariantList p;
    if (l == ListaAnexo::Dividendos) {
        // The payer and the payment date compared as dd/mm/yyyy, whatever the stored time part.
        const QDate f = QDate::fromString(celda(l, fila, 2), "dd/MM/yyyy");
        sql += "num_RUC = ? AND substr(fec_retenida, 1, 10) = ?";
        p << celda(l, fila, 0) << (f.isValid() ? textoFechaBD(f) : QString());
    } else {
        QStringList condiciones;
        for (int c : def.clave) {
            condiciones << QString("COALESCE(CAST(%1 AS TEXT), '') = ?").arg(def.columnas[size_t(c)]);
            // A null key column compares as empty text (a null QString would bind as NULL).
            const QString t = datos_[size_t(l)].texto(fila, def.columnas[size_t(c)]);
            p << (t.isNull() ? QStringLiteral("") : t);
        }
        sql += condiciones.join(" AND ");
    }
    try {
        base.ejecuta(sql, p, Accion::Inconsistente);
    } catch (const ErrorBD& e) {
        MuestraErrorAnexo(e);
    }
    Get(l);
    marcaModificado();
}

void ListasAnexo::reponeTrabajo() {
    TransaccionEscritura t(base, Durabilidad::Diferida);
    for (ListaAnexo l : {ListaAnexo::Dividendos, ListaAnexo::Extranjero, ListaAnexo::Fideicomiso}) {
        const QString tabla = definicionAnexo(l).temporal;
        base.ejecuta(QString("DELETE FROM %1").arg(tabla));
        const Registros& r = datos_[size_t(l)];
        if (r.vacio()) continue;
        QStringList columnas;
        for (int c = 0; c < r.columnas(); ++c) columnas << r.columna(c).nombre;
        LoteFilas inserta(base, tabla, columnas);
        for (int f = 0; f < r.filas(); ++f) inserta.agrega(r.fila(f));
        inserta.envia();
    }
    t.confirma();
}

bool ListasAnexo::trabajoCoincide() {
    for (ListaAnexo l : {ListaAnexo::Dividendos, ListaAnexo::Extranjero, ListaAnexo::Fideicomiso})
        if (base.escalar(QString("SELECT count(*) FROM %1").arg(definicionAnexo(l).temporal)).toInt() !=
            datos_[size_t(l)].filas())
            return false;
    return true;
}

bool ListasAnexo::puedeModificar(ListaAnexo l) {
    if (filas(l) >= 1) return true;
    dialogos().muestra("No existen registros para modificar", declaracion.Titulo, Icono::Error);
    return false;
}

bool ListasAnexo::puedeEliminar(ListaAnexo l) {
    if (filas(l) >= 1) return true;
    dialogos().muestra("No existen registros para eliminar", declaracion.Titulo, Icono::Error);
    return false;
}

void ListasAnexo::marcaModificado() {
    if (!declaracion.valores.SuspendeCalculo) declaracion.Modificado = true;
}

void ListasAnexo::eligeOpcion(Pregunta p, Opcion o) {
    if (p != Pregunta::Extranjero && p != Pregunta::Fideicomiso) {
        declaracion.eligeOpcion(p, o);
        return;
    }
    const ListaAnexo l = listaDePregunta(p);
    if (o == Opcion::No && Cuenta_Registros(base, definicionAnexo(l).temporal) > 0) {
        if (dialogos().muestra(textoPregunta(p), declaracion.Titulo, Icono::Pregunta, Botones::SiNo,
                               Respuesta::No) != Respuesta::Si) {
            o = Opcion::Si;
        } else {
            try {
                base.ejecuta(QString("DELETE FROM %1 ").arg(definicionAnexo(l).temporal));
            } catch (const ErrorBD& e) {
                MuestraErrorAnexo(e);
            }
            Get(l);
            marcaModificado();
        }
    }
    declaracion.eligeOpcion(p, o);
    notifica(l);
}

void ListasAnexo::aplicaPreguntasDeCarga() {
    // A sent declaration is only looked at: nothing of it can be removed.
    if (declaracion.valores.DeclaracionEnviada) return;
    bool modificado = declaracion.Modificado;
    SuspendeCalculo suspende(declaracion.valores);
    for (Pregunta p : {Pregunta::Extranjero, Pregunta::Fideicomiso}) {
        if (declaracion.controles.opciones[size_t(p)] != Opcion::No) continue;
        const ListaAnexo l = listaDePregunta(p);
        const QString tabla = definicionAnexo(l).temporal;
        const int antes = Cuenta_Registros(base, tabla);
        eligeOpcion(p, Opcion::No);
        // Rows emptied by the answer are a change the next save must write.
        if (antes > 0 && Cuenta_Registros(base, tabla) == 0) modificado = true;
    }
    suspende.termina();
    declaracion.Modificado = modificado;
}

}  // namespace qvr
