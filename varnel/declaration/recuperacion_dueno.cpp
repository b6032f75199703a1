#include "varnel/declaration/recuperacion_dueno.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include "varnel/declaration/recuperacion.h"

namespace qvr {

namespace {

// The single file's name without ".json": the per-session names add ".<id>" to it. The parts are
// percent-encoded with "." among the escaped characters, so the first "." ends the stem.
QString raiz(const QString& usuario, const ClaveDeclaracion& clave) {
    return QFileInfo(archivoRecuperacion(usuario, clave)).completeBaseName();
}

bool idValido(const QString& id) {
    static const QRegularExpression re(QStringLiteral("^[0-9a-z]+-[0-9a-f]+$"));
    return re.match(id).hasMatch();
}

QString archivoLock(const QString& id) { return carpetaRecuperacion() + "/sesion-" + id + ".lock"; }

std::unique_ptr<QLockFile> lockDe(const QString& id) {
    auto l = std::make_unique<QLockFile>(archivoLock(id));
    // Only a lock whose process is gone is stale: a window open for hours keeps its copy.
    l->setStaleLockTime(0);
    return l;
}

}  // namespace

QString archivoRecuperacion(const QString& usuario, const ClaveDeclaracion& clave, const QString& sesion) {
    return carpetaRecuperacion() + "/" + raiz(usuario, clave) + "." + sesion + ".json";
}

QStringList copiasDeclaracion(const QString& usuario, const ClaveDeclaracion& clave) {
    const QString r = raiz(usuario, clave);
    const QDir d(carpetaRecuperacion());
    QStringList v;
    for (const QString& n : d.entryList({r + ".json", r + ".*.json"}, QDir::Files, QDir::Name)) {
        if (n == r + ".json" || !sesionDeCopia(n).isEmpty()) v << d.filePath(n);
    }
    return v;
}

QString sesionDeCopia(const QString& archivo) {
    const QStringList partes = QFileInfo(archivo).fileName().split('.');
    if (partes.size() != 3 || partes[2] != "json" || !idValido(partes[1])) return QString();
    return partes[1];
}

DuenoCopias::DuenoCopias()
    : id_(QStringLiteral("%1-%2")
              .arg(QString::number(QCoreApplication::applicationPid(), 36))
              .arg(QRandomGenerator::system()->generate64(), 16, 16, QChar('0'))) {}

DuenoCopias::~DuenoCopias() = default;  // the lock goes with it

bool DuenoCopias::asegura() {
    if (lock_ && lock_->isLocked()) return true;
    QDir().mkpath(carpetaRecuperacion());
    lock_ = lockDe(id_);
    return lock_->tryLock(0);
}

TomaCopia::TomaCopia(const QString& archivo) {
    const QString id = sesionDeCopia(archivo);
    if (id.isEmpty()) {
        libre_ = true;
        return;
    }
    lock_ = lockDe(id);
    if (lock_->tryLock(0)) {
        libre_ = true;
        return;
    }
    // Held by a live session, or it could not be checked: a lock that does not even exist (a full
    // folder refused ours) holds nothing.
    libre_ = lock_->error() != QLockFile::LockFailedError && !QFileInfo::exists(archivoLock(id));
}

TomaCopia::~TomaCopia() = default;

}  // namespace qvr
