#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/paths.h"

namespace qvr {

namespace {

QList<QByteArray> lineas(const QByteArray& contenido) {
    QList<QByteArray> out = contenido.split('\n');
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    for (auto& l : out)
        if (l.endsWith('\r')) l.chop(1);
    return out;
}

// "[name]" → name (trimmed); anything else → null.
QString seccionDe(const QByteArray& linea) {
    QByteArray t = linea.trimmed();
    if (t.size() < 2 || t.front() != '[') return {};
    int fin = t.indexOf(']');
    if (fin < 0) return {};
    return QString::fromUtf8(t.mid(1, fin - 1)).trimmed();
}

bool esSeccion(const QByteArray& linea) { return !seccionDe(linea).isNull(); }

// "key = value" → key (trimmed); comments and lines without '=' give null.
QString claveDe(const QByteArray& linea) {
    QByteArray t = linea.trimmed();
    if (t.isEmpty() || t.front() == ';') return {};
    int igual = t.indexOf('=');
    if (igual <= 0) return {};
    return QString::fromUtf8(t.left(igual)).trimmed();
}

QString valorDe(const QByteArray& linea) {
    int igual = linea.indexOf('=');
    QString v = QString::fromUtf8(linea.mid(igual + 1)).trimmed();
    // A value wholly between matching quotes comes back without them.
    if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
        v = v.mid(1, v.size() - 2);
    return v;
}

bool mismo(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

QString Perfil::carpetaWindows() {
    QString windir = qEnvironmentVariable("WINDIR");
    if (!windir.isEmpty()) return windir;
    QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (xdg.isEmpty()) xdg = QDir::homePath() + "/.config";
    return xdg + "/qvr";
}

QString Perfil::rutaArchivo(const QString& archivo) {
    if (archivo.contains('/') || archivo.contains('\\')) return rutaFs(archivo);
    return carpetaWindows() + "/" + archivo;
}

QString Perfil::leeTexto(const QByteArray& contenido, const QString& seccion, const QString& clave,
                         const QString& defecto, int buffer) {
    bool dentro = false;
    QString valor = defecto;
    bool hallado = false;
    for (const QByteArray& l : lineas(contenido)) {
        if (esSeccion(l)) {
            if (hallado) break;
            dentro = mismo(seccionDe(l), seccion);
            continue;
        }
        if (!dentro) continue;
        QString k = claveDe(l);
        if (!k.isNull() && mismo(k, clave)) {
            valor = valorDe(l);
            hallado = true;
            break;
        }
    }
    if (buffer > 0 && valor.size() > buffer - 1) valor.truncate(buffer - 1);
    return valor;
}

QByteArray Perfil::escribeTexto(const QByteArray& contenido, const QString& seccion, const QString& clave,
                                const QString& valor) {
    QList<QByteArray> ls = lineas(contenido);
    const QByteArray nueva = clave.toUtf8() + "=" + valor.toUtf8();
    int inicio = -1;  // line of the section header
    for (int i = 0; i < ls.size(); ++i) {
        if (esSeccion(ls[i]) && mismo(seccionDe(ls[i]), seccion)) {
            inicio = i;
            break;
        }
    }
    if (inicio < 0) {
        if (!ls.isEmpty() && !ls.last().trimmed().isEmpty()) ls.append(QByteArray());
        ls.append("[" + seccion.toUtf8() + "]");
        ls.append(nueva);
    } else {
        int fin = ls.size();
        int ultimaClave = inicio;
        bool hecho = false;
        for (int i = inicio + 1; i < ls.size(); ++i) {
            if (esSeccion(ls[i])) {
                fin = i;
                break;
            }
            QString k = claveDe(ls[i]);
            if (k.isNull()) continue;
            ultimaClave = i;
            if (mismo(k, clave)) {
                ls[i] = nueva;
                hecho = true;
                break;
            }
        }
        Q_UNUSED(fin);
        if (!hecho) ls.insert(ultimaClave + 1, nueva);
    }
    QByteArray out;
    for (const auto& l : ls) out += l + "\r\n";
    return out;
}

QString Perfil::lee(const QString& seccion, const QString& clave, const QString& defecto,
                    const QString& archivo, int buffer) {
    QFile f(rutaArchivo(archivo));
    if (!f.open(QIODevice::ReadOnly)) {
        QString v = defecto;
        if (buffer > 0 && v.size() > buffer - 1) v.truncate(buffer - 1);
        return v;
    }
    return leeTexto(f.readAll(), seccion, clave, defecto, buffer);
}

bool Perfil::escribe(const QString& seccion, const QString& clave, const QString& valor,
                     const QString& archivo) {
    const QString ruta = rutaArchivo(archivo);
    QByteArray contenido;
    {
        QFile f(ruta);
        if (f.exists() && f.open(QIODevice::ReadOnly)) contenido = f.readAll();
    }
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QSaveFile out(ruta);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(escribeTexto(contenido, seccion, clave, valor));
    return out.commit();
}

}  // namespace qvr
