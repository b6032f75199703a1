#include "varnel/declaration/recuperacion.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qvr {

namespace {

const QString kFormato = QStringLiteral("qvr-recuperacion");

QString opcionTexto(Opcion o) {
    switch (o) {
        case Opcion::Si:
            return QStringLiteral("Si");
        case Opcion::No:
            return QStringLiteral("No");
        case Opcion::Ninguna:
            break;
    }
    return QStringLiteral("Ninguna");
}

// A value of a working table: null, an integer, a real or a text, as the database gave it.
QJsonValue valorJson(const QVariant& v) {
    if (v.isNull()) return QJsonValue::Null;
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return QJsonValue(v.toLongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return QJsonValue(v.toDouble());
        case QMetaType::Bool:
            return QJsonValue(v.toBool() ? 1 : 0);
        default:
            return QJsonValue(v.toString());
    }
}

QVariant valorDe(const QJsonValue& j) {
    if (j.isNull()) return QVariant();
    if (j.isString()) return j.toString();
    const double d = j.toDouble();
    const qint64 i = j.toInteger();
    return double(i) == d ? QVariant(qlonglong(i)) : QVariant(d);
}

QJsonObject mapaJson(const std::map<int, QString>& m) {
    QJsonObject o;
    for (const auto& [n, t] : m) o.insert(QString::number(n).rightJustified(3, '0'), t);
    return o;
}

// A name taken from the file, for the one-line reason: a damaged or foreign file may hold line
// breaks or pages of text where a box or table name belongs.
QString cita(const QString& t) {
    constexpr int kLargo = 40;
    QString c = t.left(kLargo);
    if (c.size() == kLargo && c.back().isHighSurrogate()) c.chop(1);
    for (QChar& ch : c)
        if (ch.category() == QChar::Other_Control || ch.category() == QChar::Separator_Line ||
            ch.category() == QChar::Separator_Paragraph)
            ch = u' ';
    return t.size() > kLargo ? c + QStringLiteral("…") : c;
}

// Reading with the first problem kept: every accessor notes what is missing or of the wrong kind.
class Lector {
  public:
    QString error;

    QString texto(const QJsonObject& o, const char* clave) {
        const QJsonValue v = o.value(QLatin1String(clave));
        if (!v.isString()) falla(QStringLiteral("falta el texto «%1»").arg(clave));
        return v.toString();
    }
    int entero(const QJsonObject& o, const char* clave) {
        const QJsonValue v = o.value(QLatin1String(clave));
        if (!v.isDouble() || v.toDouble() != double(v.toInteger()))
            falla(QStringLiteral("falta el número «%1»").arg(clave));
        return int(v.toInteger());
    }
    bool logico(const QJsonObject& o, const char* clave) {
        const QJsonValue v = o.value(QLatin1String(clave));
        if (!v.isBool()) falla(QStringLiteral("falta el valor «%1»").arg(clave));
        return v.toBool();
    }
    QJsonObject objeto(const QJsonObject& o, const char* clave) {
        const QJsonValue v = o.value(QLatin1String(clave));
        if (!v.isObject()) falla(QStringLiteral("falta el grupo «%1»").arg(clave));
        return v.toObject();
    }
    QJsonArray lista(const QJsonObject& o, const char* clave) {
        const QJsonValue v = o.value(QLatin1String(clave));
        if (!v.isArray()) falla(QStringLiteral("falta la lista «%1»").arg(clave));
        return v.toArray();
    }
    Opcion opcion(const QJsonObject& o, const char* clave) {
        const QString t = texto(o, clave);
        if (t == "Si") return Opcion::Si;
        if (t == "No") return Opcion::No;
        if (t != "Ninguna") falla(QStringLiteral("la opción «%1» no es Si, No ni Ninguna").arg(clave));
        return Opcion::Ninguna;
    }
    std::map<int, QString> mapa(const QJsonObject& o, const char* clave, bool soloCasillas) {
        std::map<int, QString> m;
        const QJsonObject g = objeto(o, clave);
        for (auto it = g.begin(); it != g.end(); ++it) {
            bool ok = false;
            const int n = it.key().toInt(&ok);
            if (!ok || n < 0 || n > 999 || (soloCasillas && !existeCasilla(n)) || !it.value().isString()) {
                falla(QStringLiteral("«%1» no es una casilla del formulario").arg(cita(it.key())));
                continue;
            }
            m[n] = it.value().toString();
        }
        return m;
    }
    void falla(const QString& e) {
        if (error.isEmpty()) error = e;
    }
};

// Why a write failed, in the person's words.
QString razonEscritura(int e) {
    switch (e) {
        case ENOSPC:
            return QStringLiteral("no queda espacio en el disco");
        case EDQUOT:
            return QStringLiteral("se agotó la cuota de disco del usuario");
        case EACCES:
        case EPERM:
            return QStringLiteral("no hay permiso para escribir en la carpeta");
        case EROFS:
            return QStringLiteral("el disco es de solo lectura");
        case EIO:
            return QStringLiteral("error de lectura o escritura del disco");
        default:
            return QString::fromLocal8Bit(std::strerror(e));
    }
}

}  // namespace

QByteArray aJson(const CopiaRecuperacion& c) {
    const Instantanea& s = c.datos;
    QJsonObject i;
    i.insert("casillas", mapaJson(s.casillas));
    i.insert("ruc", s.ruc);
    QJsonObject op;
    op.insert("rectifica", opcionTexto(s.rectifica));
    op.insert("general", opcionTexto(s.general));
    op.insert("extranjero", opcionTexto(s.extranjero));
    op.insert("fideicomiso", opcionTexto(s.fideicomiso));
    op.insert("devolucion", opcionTexto(s.devolucion));
    op.insert("inmueble", opcionTexto(s.inmueble));
    i.insert("opciones", op);
    i.insert("listas", mapaJson(s.listas));
    i.insert("profesion", s.profesion);
    i.insert("telefono", s.telefono);
    i.insert("fechaNacimiento", s.fechaNacimiento);
    QJsonObject pago;
    pago.insert("codigo", s.pago.codigo);
    pago.insert("banco", s.pago.banco);
    pago.insert("cheque", s.pago.cheque);
    pago.insert("monto", s.pago.monto);
    i.insert("pago", pago);
    i.insert("orden", s.orden);
    i.insert("verifica", s.verifica);

    QJsonArray anexos;
    for (const TablaRecuperada& t : c.anexos) {
        QJsonArray filas;
        for (const QVariantList& f : t.filas) {
            QJsonArray fila;
            for (const QVariant& v : f) fila.append(valorJson(v));
            filas.append(fila);
        }
        QJsonObject o;
        o.insert("tabla", t.tabla);
        o.insert("columnas", QJsonArray::fromStringList(t.columnas));
        o.insert("filas", filas);
        anexos.append(o);
    }

    QJsonObject g;
    g.insert("existe", c.guardada.existe);
    g.insert("fec_pro", c.guardada.fecPro);
    g.insert("cNumero", c.guardada.cNumero);
    g.insert("contenido", c.base ? QJsonValue(QString::fromLatin1(c.base->toHex())) : QJsonValue::Null);

    QJsonObject r;
    r.insert("formato", kFormato);
    r.insert("version", kVersionRecuperacion);
    r.insert("usuario", c.usuario);
    r.insert("ruc", c.clave.ruc);
    r.insert("periodo", c.clave.periodo);
    r.insert("formulario", c.clave.formulario);
    r.insert("semana", c.clave.semana);
    r.insert("momento", c.momento.toOffsetFromUtc(c.momento.offsetFromUtc()).toString(Qt::ISODateWithMs));
    r.insert("nueva", c.nueva);
    r.insert("guardada", g);
    r.insert("instantanea", i);
    r.insert("anexos", anexos);
    return QJsonDocument(r).toJson(QJsonDocument::Indented);
}

std::optional<CopiaRecuperacion> deJson(const QByteArray& json, QString* error) {
    const auto sale = [&](const QString& e) -> std::optional<CopiaRecuperacion> {
        if (error) *error = e;
        return std::nullopt;
    };
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (pe.error != QJsonParseError::NoError)
        return sale(QStringLiteral("no es un texto JSON completo (%1, posición %2)")
                        .arg(pe.errorString())
                        .arg(pe.offset));
    if (!doc.isObject()) return sale(QStringLiteral("no es una copia de recuperación"));
    const QJsonObject r = doc.object();
    if (r.value("formato").toString() != kFormato)
        return sale(QStringLiteral("no es una copia de recuperación"));
    const QJsonValue version = r.value("version");
    if (!version.isDouble()) return sale(QStringLiteral("la copia no indica su versión"));
    const qint64 v = version.toInteger();
    if (v != 1 && v != kVersionRecuperacion)
        return sale(
            QStringLiteral("versión %1 de la copia, que este programa no conoce").arg(version.toInteger()));

    Lector l;
    CopiaRecuperacion c;
    c.usuario = l.texto(r, "usuario");
    c.clave.ruc = l.texto(r, "ruc");
    c.clave.periodo = l.texto(r, "periodo");
    c.clave.formulario = l.texto(r, "formulario");
    c.clave.semana = l.entero(r, "semana");
    c.momento = QDateTime::fromString(l.texto(r, "momento"), Qt::ISODateWithMs);
    if (!c.momento.isValid()) l.falla(QStringLiteral("la hora de la copia no es válida"));
    c.nueva = l.logico(r, "nueva");
    const QJsonObject g = l.objeto(r, "guardada");
    c.guardada.existe = l.logico(g, "existe");
    c.guardada.fecPro = l.texto(g, "fec_pro");
    c.guardada.cNumero = l.texto(g, "cNumero");
    // Version 1 recorded the header only.
    if (v >= 2) {
        const QJsonValue contenido = g.value("contenido");
        const QByteArray hex = contenido.toString().toLatin1();
        if (contenido.isString() && QByteArray::fromHex(hex).toHex() == hex)
            c.base = QByteArray::fromHex(hex);
        else if (!contenido.isNull())
            l.falla(QStringLiteral("falta el contenido guardado de la copia"));
    }

    const QJsonObject i = l.objeto(r, "instantanea");
    Instantanea& s = c.datos;
    s.casillas = l.mapa(i, "casillas", true);
    s.ruc = l.texto(i, "ruc");
    const QJsonObject op = l.objeto(i, "opciones");
    s.rectifica = l.opcion(op, "rectifica");
    s.general = l.opcion(op, "general");
    s.extranjero = l.opcion(op, "extranjero");
    s.fideicomiso = l.opcion(op, "fideicomiso");
    s.devolucion = l.opcion(op, "devolucion");
    s.inmueble = l.opcion(op, "inmueble");
    s.listas = l.mapa(i, "listas", false);
    s.profesion = l.texto(i, "profesion");
    s.telefono = l.texto(i, "telefono");
    s.fechaNacimiento = l.texto(i, "fechaNacimiento");
    const QJsonObject pago = l.objeto(i, "pago");
    s.pago.codigo = l.texto(pago, "codigo");
    s.pago.banco = l.texto(pago, "banco");
    s.pago.cheque = l.texto(pago, "cheque");
    s.pago.monto = l.texto(pago, "monto");
    s.orden = l.texto(i, "orden");
    s.verifica = l.texto(i, "verifica");

    for (const QJsonValue& a : l.lista(r, "anexos")) {
        const QJsonObject o = a.toObject();
        TablaRecuperada t;
        t.tabla = l.texto(o, "tabla");
        for (const QJsonValue& n : l.lista(o, "columnas")) {
            if (!n.isString())
                l.falla(QStringLiteral("un nombre de columna de %1 no es texto").arg(cita(t.tabla)));
            t.columnas << n.toString();
        }
        for (const QJsonValue& f : l.lista(o, "filas")) {
            const QJsonArray fila = f.toArray();
            if (!f.isArray() || fila.size() != t.columnas.size()) {
                // One pass: a "%1" in the table's name stays as it is.
                l.falla(QStringLiteral("una fila de %1 no tiene sus %2 columnas")
                            .arg(cita(t.tabla), QString::number(t.columnas.size())));
                continue;
            }
            QVariantList v;
            v.reserve(fila.size());
            for (const QJsonValue& x : fila) {
                if (x.isArray() || x.isObject() || x.isBool() || x.isUndefined())
                    l.falla(QStringLiteral("un valor de %1 no es texto, número ni nulo").arg(cita(t.tabla)));
                v << valorDe(x);
            }
            t.filas.push_back(std::move(v));
        }
        c.anexos.push_back(std::move(t));
    }
    if (!l.error.isEmpty()) return sale(l.error);
    return c;
}

QString carpetaRecuperacion() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/qvr/recuperacion";
}

QString archivoRecuperacion(const QString& usuario, const ClaveDeclaracion& clave) {
    // Any character that could leave the folder or join two parts is escaped.
    const auto parte = [](const QString& t) {
        return QString::fromLatin1(QUrl::toPercentEncoding(t.trimmed(), QByteArray(), "_.~"));
    };
    return carpetaRecuperacion() + "/" + parte(usuario) + "_" + parte(clave.ruc) + "_" +
           parte(clave.formulario) + "_" + parte(clave.periodo) + ".json";
}

bool escribeCopia(const QString& archivo, const CopiaRecuperacion& c, QString* error) {
    const auto falla = [&](const QString& e) {
        if (error) *error = e;
        return false;
    };
    const QString carpeta = QFileInfo(archivo).absolutePath();
    // The copy holds a taxpayer's declaration: only its user reads it.
    if (!QDir().mkpath(carpeta)) return falla(QStringLiteral("no se pudo crear la carpeta"));
    QFile::setPermissions(carpeta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Not "*.json": a temporary file left by a crash is never taken for a copy. mkstemp makes it 0600.
    QByteArray temporal = QFile::encodeName(archivo + ".tmp-XXXXXX");
    int fd = ::mkostemp(temporal.data(), O_CLOEXEC);
    if (fd < 0) return falla(razonEscritura(errno));
    const auto abandona = [&](int e) {
        if (fd >= 0) ::close(fd);
        ::unlink(temporal.constData());
        return falla(razonEscritura(e));
    };
    const QByteArray datos = aJson(c);
    for (qsizetype hecho = 0; hecho < datos.size();) {
        const ssize_t n = ::write(fd, datos.constData() + hecho, size_t(datos.size() - hecho));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return abandona(n < 0 ? errno : ENOSPC);
        hecho += n;
    }
    // A file system may say it is full only when the data reaches the disk, or at the close.
    if (::fsync(fd) != 0) return abandona(errno);
    const int cerrado = ::close(fd);
    fd = -1;
    if (cerrado != 0) return abandona(errno);
    if (::rename(temporal.constData(), QFile::encodeName(archivo).constData()) != 0) return abandona(errno);
    return true;
}

bool mueveCopia(const QString& de, const QString& a) {
    return ::rename(QFile::encodeName(de).constData(), QFile::encodeName(a).constData()) == 0;
}

QString apartaCopia(const QString& archivo, const QString& motivo) {
    const QString base =
        archivo + "." + motivo + "-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    QString destino = base;
    for (int k = 2; QFileInfo::exists(destino); ++k) destino = base + "-" + QString::number(k);
    return QFile::rename(archivo, destino) ? destino : QString();
}

LecturaCopia leeCopia(const QString& archivo, const QString& usuario, const QString& ruc) {
    LecturaCopia r;
    QFile f(archivo);
    if (!f.exists()) return r;
    QString motivo;
    std::optional<CopiaRecuperacion> c;
    if (!f.open(QIODevice::ReadOnly)) {
        motivo = f.errorString();
    } else {
        c = deJson(f.readAll(), &motivo);
        f.close();
        if (c && ((!usuario.isEmpty() && c->usuario != usuario) || (!ruc.isEmpty() && c->clave.ruc != ruc))) {
            motivo = QStringLiteral("es de otro usuario o contribuyente");
            c.reset();
        }
    }
    if (c) {
        r.estado = LecturaCopia::Leida;
        r.copia = std::move(*c);
        return r;
    }
    r.estado = LecturaCopia::Danada;
    r.apartada = apartaCopia(archivo, "danada");
    r.mensaje =
        r.apartada.isEmpty()
            ? QStringLiteral("La copia de recuperación %1 no se puede leer (%2) y no se pudo apartar.")
                  .arg(QDir::toNativeSeparators(archivo), motivo)
            : QStringLiteral("La copia de recuperación %1 no se puede leer (%2); se apartó como %3.")
                  .arg(QDir::toNativeSeparators(archivo), motivo, QFileInfo(r.apartada).fileName());
    return r;
}

bool eliminaCopia(const QString& archivo) { return !QFileInfo::exists(archivo) || QFile::remove(archivo); }

std::vector<CopiaListada> listaCopias() {
    std::vector<CopiaListada> v;
    const QDir d(carpetaRecuperacion());
    for (const QFileInfo& i : d.entryInfoList({"*.json"}, QDir::Files, QDir::Name)) {
        CopiaListada c;
        c.archivo = i.absoluteFilePath();
        QFile f(c.archivo);
        if (f.open(QIODevice::ReadOnly))
            c.copia = deJson(f.readAll(), &c.error);
        else
            c.error = f.errorString();
        v.push_back(std::move(c));
    }
    return v;
}

QStringList lineasCopia(const CopiaRecuperacion& c) {
    const Instantanea& s = c.datos;
    const auto opcion = [](Opcion o) { return o == Opcion::Ninguna ? QString() : opcionTexto(o); };
    QStringList l;
    l << "usuario=" + c.usuario << "ruc=" + c.clave.ruc << "periodo=" + c.clave.periodo
      << "formulario=" + c.clave.formulario << "momento=" + momentoTexto(c.momento)
      << QStringLiteral("nueva=%1").arg(c.nueva ? 1 : 0)
      << "guardada=" + (c.guardada.existe ? c.guardada.fecPro + " " + c.guardada.cNumero : QString());
    for (const auto& [n, t] : s.casillas) l << QString::number(n).rightJustified(3, '0') + "=" + t;
    l << "telefono=" + s.telefono << "profesion=" + s.profesion.left(2).trimmed();
    l << "alquiler=" + opcion(s.inmueble) << "rectifica=" + opcion(s.rectifica)
      << "devolucion=" + opcion(s.devolucion) << "general=" + opcion(s.general)
      << "extranjero=" + opcion(s.extranjero) << "fideicomiso=" + opcion(s.fideicomiso);
    for (const auto& [n, e] : s.listas) l << QStringLiteral("tipodoc.%1=").arg(n) + e.left(2).trimmed();
    l << "nacimiento=" + (s.fechaNacimiento == "__/__/____" ? QString() : s.fechaNacimiento);
    l << "pago.forma=" + s.pago.codigo << "pago.banco=" + s.pago.banco << "pago.cheque=" + s.pago.cheque
      << "pago.monto=" + s.pago.monto;
    for (const TablaRecuperada& t : c.anexos) {
        l << QStringLiteral("%1.filas=%2").arg(t.tabla).arg(t.filas.size());
        for (size_t f = 0; f < t.filas.size(); ++f) {
            QStringList v;
            for (const QVariant& x : t.filas[f]) v << x.toString();
            l << QStringLiteral("%1.%2=").arg(t.tabla).arg(f + 1) + v.join('|');
        }
    }
    return l;
}

QString momentoTexto(const QDateTime& t) { return t.toLocalTime().toString("dd/MM/yyyy hh:mm:ss"); }

}  // namespace qvr
