// The recovery copy's reader on arbitrary bytes: a copy left by a crash, a full disk or another
// version gives a copy or a reason, never a crash. A copy that reads writes back to a text that
// reads as the same copy, and through a file it is read alike or set aside whole.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "varnel/declaration/recuperacion.h"

namespace {

void falla(const char* que) {
    std::fprintf(stderr, "recovery copy invariant broken: %s\n", que);
    std::abort();
}

// One folder for the whole run; each input leaves it empty again.
QTemporaryDir& carpeta() {
    static QTemporaryDir d;
    return d;
}

void porArchivo(const QByteArray& datos, bool leida) {
    const QString archivo = carpeta().path() + "/copia.json";
    {
        QFile f(archivo);
        if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size()) falla("cannot write the input");
    }
    const qvr::LecturaCopia l = qvr::leeCopia(archivo);
    if ((l.estado == qvr::LecturaCopia::Leida) != leida) falla("the file reads otherwise than its text");
    if (l.estado == qvr::LecturaCopia::Danada) {
        if (l.apartada.isEmpty() || QFile::exists(archivo)) falla("a damaged copy was not set aside");
        if (l.mensaje.isEmpty() || l.mensaje.contains(u'\n')) falla("the message is not one line");
        QFile f(l.apartada);
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != datos) falla("the copy set aside is not whole");
    }
    QDir d(carpeta().path());
    for (const QString& n : d.entryList(QDir::Files)) d.remove(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray json(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::optional<qvr::CopiaRecuperacion> c = qvr::deJson(json, &error);
    if (!c) {
        if (error.isEmpty()) falla("refused without a reason");
        if (error.contains(u'\n')) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            falla("the reason is not one line");
        }
    } else {
        const QByteArray escrita = qvr::aJson(*c);
        QString otro;
        const std::optional<qvr::CopiaRecuperacion> c2 = qvr::deJson(escrita, &otro);
        if (!c2) {
            std::fprintf(stderr, "%s\n", qPrintable(otro));
            falla("a copy that reads does not read back once written");
        }
        if (!(*c2 == *c)) falla("a copy written back reads as another copy");
        if (qvr::aJson(*c2) != escrita) falla("writing is not stable");
        (void)qvr::lineasCopia(*c);
    }
    porArchivo(json, c.has_value());
    return 0;
}
