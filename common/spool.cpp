#include "common/spool.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>

#include "common/reporte_escritor.h"
#include "common/reporte_marcado.h"

namespace qvr {

namespace {

// A new file of a fresh name in `carpeta`, created as any new file is (the report keeps the
// permissions a report always had); removed at the end unless it was renamed.
struct ArchivoNuevo {
    explicit ArchivoNuevo(const QString& carpeta) {
        for (int intento = 0; intento < 100 && ruta.isEmpty(); ++intento) {
            const QString r =
                carpeta + "/" + QString::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
            QFile f(r);
            if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) ruta = r;
        }
    }
    ~ArchivoNuevo() {
        if (!ruta.isEmpty()) QFile::remove(ruta);
    }
    ArchivoNuevo(const ArchivoNuevo&) = delete;
    ArchivoNuevo& operator=(const ArchivoNuevo&) = delete;
    QString ruta;
};

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

QString RegistraReporteEscrito(BaseDatos& base, const QString& codigo, int tipoDocumento, const QString& numero,
                               const QString& usuario, const QString& carpeta,
                               const std::function<bool(const QString& ruta)>& escribe) {
    const ArchivoNuevo nuevo(carpeta);
    if (nuevo.ruta.isEmpty())
        throw reporte::ErrorEscritura(75, QString("No se puede crear un archivo en '%1'.").arg(carpeta));
    if (!escribe(nuevo.ruta)) return QString();
    TransaccionEscritura t(base);
    const QString archivo = RegistraSpool(base, codigo, tipoDocumento, numero, usuario);
    const QString destino = carpeta + "/" + archivo;
    QFile::remove(destino);
    if (!QFile::rename(nuevo.ruta, destino))
        throw reporte::ErrorEscritura(75, QString("No se puede crear el archivo '%1'.").arg(destino));
    try {
        t.confirma();
    } catch (...) {
        QFile::remove(destino);
        throw;
    }
    return archivo;
}

}  // namespace qvr
