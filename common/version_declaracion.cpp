#include "common/version_declaracion.h"

#include <QCryptographicHash>

#include "common/anexos.h"
#include "common/cabeceras.h"
#include "common/detalles.h"
#include "common/schema.h"
#include "platform/database.h"

namespace qvr {

namespace {

// Every value of every row, with its place, so that no two contents give the same bytes.
void agrega(QCryptographicHash& h, const Registros& r) {
    h.addData(QByteArray::number(r.filas()) + ":");
    for (int f = 0; f < r.filas(); ++f) {
        for (int c = 0; c < r.columnas(); ++c) {
            const QVariant v = r.valor(f, c);
            const QByteArray t = v.isNull() ? QByteArray("~") : v.toString().toUtf8();
            h.addData(QByteArray::number(t.size()) + "/" + t);
        }
        h.addData(QByteArrayView(";"));
    }
}

}  // namespace

QByteArray versionDeclaracion(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada) {
    const Registros cab = leeCabecera(base, clave, enviada);
    if (cab.vacio()) return QByteArray();
    QCryptographicHash h(QCryptographicHash::Sha256);
    agrega(h, cab);
    // The boxes come in any order from the engine: sorted by box they compare alike.
    const Registros det = casillasDeclaracion(base, clave, enviada);
    std::vector<std::pair<QString, QString>> casillas;
    casillas.reserve(size_t(det.filas()));
    for (int f = 0; f < det.filas(); ++f)
        casillas.emplace_back(det.texto(f, 0), det.valor(f, 1).isNull() ? QStringLiteral("~") : det.texto(f, 1));
    std::sort(casillas.begin(), casillas.end());
    for (const auto& [c, v] : casillas) h.addData((c + "=" + QString::number(v.size()) + "/" + v + ";").toUtf8());
    // The annex rows by their record control numbers, which every save writes from the row's
    // content: reading one column of the hundreds of rows keeps the check cheap.
    for (const TablaEsquema& a : tablasAnexo()) {
        if (!a.nombre.startsWith('F')) continue;  // the stored tables; the sent copies come with `enviada`
        h.addData((a.nombre + ":" + sellosAnexoDeclaracion(base, a.nombre, clave, enviada).join(',') + ";").toUtf8());
    }
    return h.result();
}

}  // namespace qvr
