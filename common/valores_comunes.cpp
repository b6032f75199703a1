#include "common/valores_comunes.h"

#include <limits>
#include <stdexcept>

#include "common/catalogos.h"
#include "common/combos.h"
#include "common/conexion.h"
#include "common/contribuyentes.h"
#include "common/schema.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "platform/utilitario.h"

namespace qvr {

bool ValidaDocumento(BaseDatos& base, const QString& tipo, const QString& numero) {
    const QString doc = numero.trimmed();
    const QString t = tipo.trimmed();
    if (doc.isEmpty() || t.isEmpty()) return false;
    // The key is the type's numeric value written without blanks: "06" -> "6".
    const auto f = TipoDocumento(base, numeroComoTexto(valorNumerico(t)));
    if (!f) return false;
    const int largo = f->longitud();
    const bool largoOk = f->longitudExacta() ? doc.size() == largo : doc.size() <= largo;
    const bool caracteresOk =
        f->soloDigitos() ? Utilitario::EsNumerico(doc) : Utilitario::EsAlfanumerico(doc);
    return largoOk && caracteresOk;
}

ConsultaSql ConsultaContribuyentes(BaseDatos& base, const QString& formulario, const QString& usuario) {
    const auto f = TipoDocumento(base, "6");
    const FuncionDocumento ruc = f ? *f : FuncionDocumento(kFuncionRucIncorporada);
    ConsultaSql c;
    c.sql = "SELECT * FROM CONT WHERE tip_doc_d = ?";
    c.parametros << kTipDocDeclarante;
    if (ruc.longitud() == 11 && ruc.reglaLongitud() == "1") {
        c.sql += " AND length(trim(doc_id_d)) = ?";
        c.parametros << 11;
    }
    if (formulario == kFormulario) {
        c.sql += " AND tipo_ingreso = ?";
        c.parametros << 2;
    }
    if (TipoUsuario(base, usuario) == "0") {
        c.sql += " ORDER BY tip_doc_d, doc_id_d";
    } else {
        c.sql += " AND UPPER(usuario) = UPPER(?) ORDER BY tip_doc_d, doc_id_d";
        c.parametros << usuario;
    }
    return c;
}

QString itemContribuyente(const QString& documento, const QString& parte1, const QString& parte2,
                          const QString& parte3) {
    const QString doc = documento.trimmed();
    // The document always fills the first 13 columns, so the name starts at the same place.
    const QString columnaDoc =
        doc.size() == 8 ? doc + QString(5, ' ') : doc.left(11).leftJustified(11) + "  ";
    const QString p1 = parte1.trimmed(), p2 = parte2.trimmed(), p3 = parte3.trimmed();
    return columnaDoc + p1 + " " + p2 + " " + p3 + QString(10, ' ') +
           Utilitario::RellenaIzquierda(QString::number(p1.size()), 2, u'0') +
           Utilitario::RellenaIzquierda(QString::number(p2.size()), 2, u'0') +
           Utilitario::RellenaIzquierda(QString::number(p3.size()), 2, u'0');
}

void LlenaContribuyentes(ListaItems& lista, BaseDatos& base, const QString& formulario,
                         const QString& usuario) {
    for (const QString& e : entradasContribuyentes(base, formulario, usuario)) lista.add(e);
}

QString LimpiaMonto(const QString& texto) {
    QString t = texto;
    const int ultima = t.lastIndexOf(',');
    // Removing the commas upper-cases what stood before them; digits are unchanged by it.
    if (ultima >= 0) t = t.left(ultima).toUpper() + t.mid(ultima);
    t.remove(',');
    const QString limpio = t.trimmed();
    if (limpio.isEmpty() || limpio == "0" || limpio == ".") return "0.00";
    return t;
}

QString Incrementa(qint16& contador, int paso) {
    const long long nuevo = (long long)contador + paso;
    if (nuevo > std::numeric_limits<qint16>::max() || nuevo < std::numeric_limits<qint16>::min())
        throw std::overflow_error("Desbordamiento");
    contador = qint16(nuevo);
    return QString::number(contador);
}

void MuestraError(const QString& mensaje, const QString& titulo) {
    dialogos().muestra(mensaje, titulo, Icono::Error, Botones::Ok);
}

void MuestraInformacion(const QString& mensaje, const QString& titulo) {
    dialogos().muestra(mensaje, titulo, Icono::Informacion, Botones::Ok);
}

}  // namespace qvr
