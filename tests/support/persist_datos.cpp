#include "support/persist_datos.h"

#include <QDate>
#include <QFile>
#include <stdexcept>

#include "common/schema.h"

namespace qvr::prueba {

void cargaSql(BaseDatos& base, const QString& archivo) {
    QFile f(QString(QVR_FIXTURES) + "/" + archivo);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(("no fixture " + archivo).toStdString());
    const QString texto = QString::fromUtf8(f.readAll());
    QString sentencia;
    for (const QString& linea : texto.split('\n')) {
        if (linea.trimmed().startsWith("--")) continue;
        sentencia += linea + "\n";
        if (linea.trimmed().endsWith(';')) {
            base.ejecuta(sentencia.trimmed().chopped(1));
            sentencia.clear();
        }
    }
}

void preparaDeclaraciones(Entorno& env) {
    creaTablasAnexo(env.base());
    cargaSql(env.base(), "persist/declaraciones.sql");
    env.agregaParam("404", "2003", "3100");
    env.agregaParam("998", "050802 2003", "000.040");
}

std::map<QString, QString> filasDet(BaseDatos& base, const QString& ruc,
                                    std::map<QString, QString>* idcasilla) {
    std::map<QString, QString> out;
    const Registros r = base.consulta(
        "SELECT casilla, i_valor, idcasilla FROM DET WHERE doc_id_d=? AND tip_doc_d=6 AND periodo='2003' "
        "AND formulario='0738' AND semana=0",
        {ruc});
    for (int f = 0; f < r.filas(); ++f) {
        out[r.texto(f, 0)] = r.texto(f, 1);
        if (idcasilla) (*idcasilla)[r.texto(f, 0)] = r.texto(f, 2);
    }
    return out;
}

Instantanea declaracionCompleta(const QString& ruc) {
    Instantanea d;
    d.ruc = ruc;
    int i = 1;
    for (int n : OrdenCasillas()) d.casillas[n] = QString::number(1000 + i++);
    for (int n : {801, 802, 803, 811, 812, 813, 814, 815, 890}) d.casillas[n] = "NOMBRE" + QString::number(n);
    for (int n = 817; n <= 825; ++n) d.casillas[n] = "RAZON SOCIAL LARGA N " + QString::number(n);
    for (int n : {208, 209, 211, 215, 217, 218, 219, 236, 302})
        d.casillas[n] = "40" + QString::number(n) + "678";
    d.casillas[229] = "20100047218";
    d.casillas[230] = "20100047226";
    d.casillas[140] = "1";
    for (int n : listasTipoDocumento()) d.listas[n] = "01  -  DOC. NACIONAL DE IDENTIDAD";
    d.profesion = "01     ABOGADO";
    d.telefono = "4567890";
    d.fechaNacimiento = "15/03/1970";
    d.rectifica = Opcion::Si;
    d.general = Opcion::Si;
    d.devolucion = Opcion::No;
    d.inmueble = Opcion::Si;
    d.pago = MedioPago{"C", "0018", "00012345", "12,345"};
    return d;
}

void llenaDividendos(BaseDatos& base, int n) {
    TransaccionEscritura t(base);
    Sentencia s(base,
                "INSERT INTO TMP_F0738DIVID (num_RUC, des_entpagadora, fec_retenida, mto_distribuido, "
                "mto_retenido) VALUES (?, ?, ?, ?, ?)");
    for (int i = 0; i < n; ++i)
        s.ejecuta({QString("20%1").arg(100000000 + i / 10), QString("EMPRESA PAGADORA %1").arg(i),
                   QDate(2003, 1 + i % 12, 1 + i % 10 + 0).toString("yyyy-MM-dd"), QString::number(1000 + i),
                   QString::number(41 + i)});
    t.confirma();
}

}  // namespace qvr::prueba
