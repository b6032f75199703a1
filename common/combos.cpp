#include "common/combos.h"

#include "common/catalogos.h"
#include "platform/database.h"
#include "platform/utilitario.h"

namespace qvr {

namespace {

enum class Orden { Codigo, Descripcion };

void llena(ListaItems& lista, BaseDatos& base, const QString& catalogo, Filas filas, int longitud, int inicio,
           Orden orden, int anchoCodigo) {
    if (inicio < 1 || longitud < 0) return;
    QString sql =
        "SELECT argumento, substr(funcion, ?, ?) AS func FROM PARAM WHERE numero = ? AND argumento LIKE '%'";
    QVariantList parametros{inicio, longitud, catalogo};
    if (filas == Filas::Ofrecidas) {
        sql += " AND substr(funcion, 70, 1) = ?";
        parametros << QStringLiteral("1");
    }
    sql += orden == Orden::Codigo ? " ORDER BY 1" : " ORDER BY 2, 1";
    Registros r = base.consulta(sql, parametros);
    for (int f = 0; f < r.filas(); ++f) {
        QString func = r.texto(f, 1);
        // A description whose first 15 columns are blank lists as none.
        if (func.left(15).trimmed().isEmpty()) func.clear();
        lista.add(Utilitario::AjustaTexto(r.texto(f, 0), anchoCodigo) + QString(5, ' ') + func);
    }
}

// format(code, "00"): a number gets two digits at least; any other text stays as it is.
QString codigoDosDigitos(const QString& codigo) {
    bool ok = false;
    const qlonglong n = codigo.toLongLong(&ok);
    if (!ok) return codigo;
    return n < 0 ? "-" + QString::number(-n).rightJustified(2, '0')
                 : QString::number(n).rightJustified(2, '0');
}

}  // namespace

void LlenaComboCorto(ListaItems& lista, BaseDatos& base, const QString& catalogo, Filas filas, int longitud,
                     int inicio) {
    lista.add(QString());
    llena(lista, base, catalogo, filas, longitud, inicio, Orden::Descripcion, 2);
}

void LlenaComboPorCodigo(ListaItems& lista, BaseDatos& base, const QString& catalogo, Filas filas,
                         int longitud, int inicio, bool blanco) {
    lista.clear();
    if (blanco) lista.add(kItemEnBlanco);
    llena(lista, base, catalogo, filas, longitud, inicio, Orden::Codigo, 12);
}

void LlenaComboPorNombre(ListaItems& lista, BaseDatos& base, const QString& catalogo, Filas filas,
                         int longitud, int inicio, bool blanco) {
    lista.clear();
    if (blanco) lista.add(kItemEnBlanco);
    llena(lista, base, catalogo, filas, longitud, inicio, Orden::Descripcion, 12);
}

void LlenaTiposDocumento(ListaItems& lista, BaseDatos& base, int posicion, bool blanco) {
    lista.clear();
    if (blanco) lista.add(kItemEnBlanco);
    if (posicion < 1) return;
    Registros r = base.consulta(
        "SELECT trim(argumento) AS codigo, substr(funcion, 1, 30) AS tipodoc, substr(funcion, 46, 2) AS "
        "lendoc, "
        "substr(funcion, 128, 1) AS tipodato, substr(funcion, 130, 1) AS tipolongitud "
        "FROM PARAM WHERE numero = ? AND substr(funcion, ?, 1) = ? ORDER BY substr(funcion, 56, 2), "
        "argumento",
        {catalogo::TiposDocumento, posicion, QStringLiteral("1")});
    for (int f = 0; f < r.filas(); ++f)
        lista.add(codigoDosDigitos(r.texto(f, 0)) + "  -  " + Utilitario::AjustaTexto(r.texto(f, 1), 60) +
                  r.texto(f, 2).trimmed() + " " + r.texto(f, 3) + " " + r.texto(f, 4));
}

QString codigoDeItem(const QString& item, int anchoCodigo) { return item.left(anchoCodigo).trimmed(); }

}  // namespace qvr
