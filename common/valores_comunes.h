#pragma once
// Operations on values that several windows share: the document-number check, the taxpayer list of
// the declaration form, the clean-up of an amount field, a counter, and the two message helpers.
#include <QString>
#include <QVariantList>

namespace qvr {

class BaseDatos;
class ListaItems;

// Catalog '044' row of type "6" used when the catalog lacks it.
inline const QString kFuncionRucIncorporada = QStringLiteral(
    "REG. UNICO DE CONTRIBUYENTES   RUC           11 000110 01 000001000001100111011111"
    "                                           0 5 0");

// True when the number fits the length rule and the characters of its type in catalog '044'.
// The type is looked up by its numeric value without blanks ("06" -> "6").
bool ValidaDocumento(BaseDatos& base, const QString& tipo, const QString& numero);

struct ConsultaSql {
    QString sql;
    QVariantList parametros;
};
// The query of the declarants that `usuario` may choose for the form.
ConsultaSql ConsultaContribuyentes(BaseDatos& base, const QString& formulario, const QString& usuario);

// One item of the taxpayer list: the document in 13 columns, the name, ten blanks and the
// lengths of the three name parts in two digits each (the form splits the name again with them).
QString itemContribuyente(const QString& documento, const QString& parte1, const QString& parte2,
                          const QString& parte3);
// Adds one item per taxpayer of ConsultaContribuyentes.
void LlenaContribuyentes(ListaItems& lista, BaseDatos& base, const QString& formulario,
                         const QString& usuario);

// The amount text of a field that gets the focus: without commas; "0.00" when nothing is left.
QString LimpiaMonto(const QString& texto);

// Adds `paso` to a 16-bit counter and returns the new value as text. Throws std::overflow_error
// (leaving the counter as it was) when the result does not fit.
QString Incrementa(qint16& contador, int paso);

void MuestraError(const QString& mensaje, const QString& titulo);
void MuestraInformacion(const QString& mensaje, const QString& titulo);

}  // namespace qvr
