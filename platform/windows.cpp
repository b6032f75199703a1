#include "platform/windows.h"

#include <unistd.h>

#include <QDir>
#include <QEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace qvr {

namespace {

// True when a running program listens on the local socket `ruta`; a socket file left by a program
// that died refuses the connection.
bool responde(const QString& ruta) {
    QLocalSocket s;
    s.connectToServer(ruta);
    const bool ok = s.waitForConnected(1000);
    s.abort();
    return ok;
}

// A caption as part of a file name: letters, digits, '.', '_' and '-' as they are, anything else
// as %XX of its UTF-8 bytes, so that two captions never share a mark.
QString nombreArchivo(const QString& titulo) {
    QString out;
    for (const char c : titulo.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '.' ||
            u == '_' || u == '-')
            out += QChar(u);
        else
            out += QString("%%1").arg(u, 2, 16, QChar('0')).toUpper();
    }
    return out;
}

}  // namespace

QString carpetaEjecucion() {
    QString dir = qEnvironmentVariable("QVR_RUNTIME_DIR");
    if (dir.isEmpty()) dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    return dir;
}

bool cWindows::CorreApp(const QString& titulo) const {
    return !titulo.isEmpty() && responde(MarcaVentana::ruta(titulo));
}

QString MarcaVentana::ruta(const QString& titulo) {
    return QString("%1/ventana-%2-%3").arg(carpetaEjecucion(), nombreArchivo(titulo)).arg(getuid());
}

MarcaVentana::MarcaVentana(QObject* ventana, const QString& titulo) : QObject(ventana), titulo_(titulo) {
    reintento_ = new QTimer(this);
    reintento_->setInterval(1000);
    connect(reintento_, &QTimer::timeout, this, [this] {
        if (toma()) reintento_->stop();
    });
    ventana->installEventFilter(this);
    if (ventana->property("visible").toBool() && !toma()) reintento_->start();
}

MarcaVentana::~MarcaVentana() { suelta(); }

bool MarcaVentana::toma() {
    if (servidor_) return true;
    const QString r = ruta(titulo_);
    if (responde(r)) return false;
    QLocalServer::removeServer(r);  // left behind by a program that died
    auto* s = new QLocalServer(this);
    s->setSocketOptions(QLocalServer::UserAccessOption);
    if (!s->listen(r)) {
        delete s;
        return false;
    }
    // Whoever asks only wants to know that the window is there.
    connect(s, &QLocalServer::newConnection, s, [s] {
        while (QLocalSocket* c = s->nextPendingConnection()) {
            c->abort();
            c->deleteLater();
        }
    });
    servidor_ = s;
    return true;
}

void MarcaVentana::suelta() {
    reintento_->stop();
    if (!servidor_) return;
    servidor_->close();
    delete servidor_;
    servidor_ = nullptr;
}

bool MarcaVentana::eventFilter(QObject* o, QEvent* e) {
    // Spontaneous show and hide events come from minimising and restoring: the window stays shown.
    if (o == parent() && !e->spontaneous()) {
        if (e->type() == QEvent::Show && !toma()) reintento_->start();
        if (e->type() == QEvent::Hide) suelta();
    }
    return QObject::eventFilter(o, e);
}

InstanciaUnica::InstanciaUnica(const QString& programa) {
    ruta_ = QString("%1/%2-%3.lock").arg(carpetaEjecucion(), programa).arg(getuid());
}

bool InstanciaUnica::adquiere() {
    lock_ = std::make_unique<QLockFile>(ruta_);
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    lock_.reset();
    return false;
}

}  // namespace qvr
