#pragma once
// The taxpayers (CONT): which ones a user may choose, as the entries of the declaration's taxpayer
// list, and a declarant's name parts. Every statement on CONT that the module makes is here, but
// the lists' joins.
#include <QString>
#include <QStringList>
#include <optional>

namespace qvr {

class BaseDatos;

// The CmbRuc entries of the taxpayers `usuario` may choose for the form (LlenaContribuyentes).
QStringList entradasContribuyentes(BaseDatos& base, const QString& formulario, const QString& usuario);

// The entry of `ruc` among them; empty when the user may not choose that taxpayer. The one
// check of every opening, list and command line.
QString entradaContribuyente(BaseDatos& base, const QString& formulario, const QString& usuario,
                             const QString& ruc);

// Boxes 801 to 803 of a declarant: the surnames and the two given names joined by a blank.
struct NombresContribuyente {
    QString apellidoPaterno, apellidoMaterno, nombres;
};
std::optional<NombresContribuyente> nombresContribuyente(BaseDatos& base, const QString& ruc);

}  // namespace qvr
