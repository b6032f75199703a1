#include "common/spool.h"

#include <QDateTime>

#include "common/reporte_marcado.h"

namespace qvr {

namespace {
// The stored numbers are zero-padded text; read as the platform's Val reads them.
qint64 numeroDe(const QVariant& v) {
    if (v.isNull()) return 0;
    const auto n = reporte::valorNumerico(v.toString().toLatin1());
    return n ? qint64(*n) : 0;
}
}  // namespace

QString RegistraSpool(BaseDatos& base, const QString& codigo, int tipoDocumento, const QString& numero,
                      const QString& usuario) {
    // A second program registering at the same moment (on this or another workstation) waits here
    // instead of reading the same maximum.
    TransaccionEscritura t(base);
    base.bloqueaTabla(QStringLiteral("SPOOL"));
    const qint64 sec = numeroDe(base.escalar(
        QStringLiteral("SELECT max(Secuencia) AS SecTipo FROM SPOOL WHERE CodRep = ?"), {codigo}));
    const qint64 arch =
        numeroDe(base.escalar(QStringLiteral("SELECT max(substr(Archivo, 1, 8)) AS SecRep FROM SPOOL")));
    const QString archivo = QStringLiteral("%1.PRN").arg(arch + 1, 8, 10, QLatin1Char('0'));
    base.ejecuta(
        QStringLiteral("INSERT INTO SPOOL (CodRep, Secuencia, Archivo, Fecha, Usuario, tip_doc_d, Doc_id_d) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {codigo, QStringLiteral("%1").arg(sec + 1, 6, 10, QLatin1Char('0')), archivo,
         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), usuario, tipoDocumento,
         numero});
    t.confirma();
    return archivo;
}

}  // namespace qvr
