#pragma once
// A declaration put together for the validation tests: boxes and controls set directly (the rules
// only read them), with the catalog rows the document checks use.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "support/entorno.h"
#include "varnel/declaration/declaracion.h"

namespace qvr::prueba {

// Catalog '044' rows: DNI (exactly 8 digits), RUC (exactly 11 digits), carnet (up to 12 letters
// and digits); document types offered in the declaration form; one profession.
inline QString funcionDocumento(const QString& descripcion, const QString& largo, QChar tipoDato, QChar exacto) {
    QString f(130, ' ');
    f.replace(0, 30, descripcion.leftJustified(30, ' ', true));
    f.replace(45, 2, largo);
    QString flags(31, '0');
    flags[81 - 59] = '1';
    f.replace(58, 31, flags);
    f[127] = tipoDato;
    f[129] = exacto;
    return f;
}

inline void catalogosValidacion(Entorno& env) {
    env.agregaParam("404", "20030101", "3100");
    env.agregaParam("998", "050802 200212", "0.015");
    env.agregaParam("044", "1", funcionDocumento("DOC. NACIONAL DE IDENTIDAD", "08", '5', '1'));
    env.agregaParam("044", "6", funcionDocumento("REG. UNICO DE CONTRIBUYENTES", "11", '5', '1'));
    env.agregaParam("044", "4", funcionDocumento("CARNET DE EXTRANJERIA", "12", '0', '0'));
    env.agregaParam("979", "01", "ABOGADO");
}

// Applies "key=value" lines: NNN (box text as is), tipodoc.NNN (the list's entry "CC - ..."),
// alquiler (1 Si, 2 No), rectifica/general/extranjero/fideicomiso (1 Si, 0 No), telefono,
// profesion, nacimiento, total, ruc, pago.forma/banco/cheque/monto.
inline void aplicaLineas(Declaracion& d, const QStringList& lineas) {
    SuspendeCalculo suspende(d.valores);
    for (const QString& l : lineas) {
        const qsizetype i = l.indexOf('=');
        const QString k = l.left(i), v = l.mid(i + 1);
        bool numero = false;
        const int n = k.toInt(&numero);
        const auto opcion = [&](Pregunta p, bool inmueble) {
            Opcion o = Opcion::Ninguna;
            if (v == "1") o = Opcion::Si;
            if (v == (inmueble ? "2" : "0")) o = Opcion::No;
            d.controles.opciones[size_t(p)] = o;
        };
        if (numero) d.fijaTexto(n, v);
        else if (k.startsWith("tipodoc.")) {
            Lista& lista = d.controles.listasDocumento[k.mid(8).toInt()];
            lista.entradas = {v + "  -  TIPO " + v};
            lista.elegida = v.isEmpty() ? -1 : 0;
        } else if (k == "alquiler") opcion(Pregunta::Inmueble, true);
        else if (k == "rectifica") opcion(Pregunta::Rectifica, false);
        else if (k == "general") opcion(Pregunta::General, false);
        else if (k == "extranjero") opcion(Pregunta::Extranjero, false);
        else if (k == "fideicomiso") opcion(Pregunta::Fideicomiso, false);
        else if (k == "telefono") d.controles.telefono = v;
        else if (k == "profesion") {
            d.controles.profesion.entradas = {v + "     PROFESION"};
            d.controles.profesion.elegida = 0;
        } else if (k == "nacimiento") d.controles.fechaNacimiento = v;
        else if (k == "total") d.controles.TxtTotal = v;
        else if (k == "ruc") d.valores.RucDeclarante = v;
        else if (k == "pago.forma") d.controles.pago.codigo = v;
        else if (k == "pago.banco") d.controles.pago.banco = v;
        else if (k == "pago.cheque") d.controles.pago.cheque = v;
        else if (k == "pago.monto") d.controles.pago.monto = v;
        else ADD_FAILURE() << "unknown key " << k.toStdString();
    }
}

}  // namespace qvr::prueba
