#include "platform/postgres_directo.h"

#include <QCoreApplication>
#include <QDate>
#include <QtNumeric>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace qvr::motor::pg {

namespace {

// The server's type numbers of the columns whose values are not text.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kRegproc = 24, kOid = 26, kXid = 28, kCid = 29,
              kFloat4 = 700, kFloat8 = 701, kAbstime = 702, kReltime = 703, kDate = 1082, kTime = 1083,
              kTimestamp = 1114, kTimestamptz = 1184, kTimetz = 1266, kNumeric = 1700, kBytea = 17;

QMetaType tipoDe(Oid t) {
    switch (t) {
        case kBool:
            return QMetaType::fromType<bool>();
        case kInt8:
            return QMetaType::fromType<qlonglong>();
        case kInt2:
        case kInt4:
        case kOid:
        case kRegproc:
        case kXid:
        case kCid:
            return QMetaType::fromType<int>();
        case kNumeric:
        case kFloat4:
        case kFloat8:
            return QMetaType::fromType<double>();
        case kAbstime:
        case kReltime:
        case kDate:
            return QMetaType::fromType<QDate>();
        case kTime:
        case kTimetz:
            return QMetaType::fromType<QTime>();
        case kTimestamp:
        case kTimestamptz:
            return QMetaType::fromType<QDateTime>();
        case kBytea:
            return QMetaType::fromType<QByteArray>();
        default:
            return QMetaType::fromType<QString>();
    }
}

struct Liberador {
    void operator()(PGresult* r) const { PQclear(r); }
};

// The driver's error for a refused statement: the server's message and its SQLSTATE.
QSqlError errorDe(PGconn* c, const PGresult* r) {
    const char* estado = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
    const QString codigo = estado ? QString::fromLatin1(estado) : QString();
    QString texto = QString::fromUtf8(PQerrorMessage(c));
    if (r) texto += QString("(%1)").arg(codigo);
    return QSqlError("QPSQL: " + QCoreApplication::translate("QPSQLResult", "Unable to create query"), texto,
                     QSqlError::StatementError, codigo);
}

// "?" markers as the server numbers its parameters ($1, $2, ...); a '?' inside quotes stays.
QString marcasNumeradas(const QString& sql) {
    QString out;
    out.reserve(sql.size() + sql.size() / 4);
    QChar cierre;
    int n = 0;
    for (const QChar ch : sql) {
        if (!cierre.isNull()) {
            if (ch == cierre) cierre = QChar();
            out += ch;
        } else if (ch == u'?') {
            out += QString("$%1").arg(++n);
        } else {
            if (ch == u'\'' || ch == u'"' || ch == u'`') cierre = ch;
            out += ch;
        }
    }
    return out;
}

// The text the server reads for a value; false when the value is of a kind only the driver passes.
// A null value (also a null text or an invalid date, as the driver treats them) sets `nulo`.
bool textoDeValor(const QVariant& v, QByteArray& texto, bool& nulo) {
    nulo = false;
    if (v.isNull() || !v.isValid()) {
        nulo = true;
        return true;
    }
    switch (v.typeId()) {
        case QMetaType::QString: {
            const QString& s = *static_cast<const QString*>(v.constData());
            if (s.isNull()) {
                nulo = true;
                return true;
            }
            texto = s.toUtf8();
            return true;
        }
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            texto = v.toString().toLatin1();
            return true;
        case QMetaType::Double:
        case QMetaType::Float: {
            // The driver writes a number into the statement, which the server converts to the
            // column's type as it does a number of its own (5.5 into a whole-number column is 6): only
            // whole numbers read the same as text; the others are left to the driver.
            const double d = v.toDouble();
            if (std::isnan(d))
                texto = "NaN";
            else if (std::isinf(d))
                texto = d < 0 ? "-Infinity" : "Infinity";
            else if (d == std::trunc(d) && std::fabs(d) < 1e15)
                texto = QByteArray::number(qint64(d));
            else
                return false;
            return true;
        }
        case QMetaType::Bool:
            texto = v.toBool() ? "true" : "false";
            return true;
        case QMetaType::QDate: {
            const QDate d = v.toDate();
            if (!d.isValid()) {
                nulo = true;
                return true;
            }
            texto = d.toString(Qt::ISODate).toLatin1();
            return true;
        }
        default:
            // Times, byte strings and the rest: the driver writes them as typed literals.
            return false;
    }
}

// A column's value as the driver gives it for the column's type.
QVariant valorDeColumna(const PGresult* r, int fila, int columna) {
    const Oid oid = PQftype(r, columna);
    const QMetaType tipo = tipoDe(oid);
    if (PQgetisnull(r, fila, columna)) return QVariant(tipo, nullptr);
    const char* val = PQgetvalue(r, fila, columna);
    switch (tipo.id()) {
        case QMetaType::Bool:
            return QVariant(bool(val[0] == 't'));
        case QMetaType::QString:
            return QString::fromUtf8(val, PQgetlength(r, fila, columna));
        case QMetaType::LongLong:
            if (val[0] == '-') return QByteArray::fromRawData(val, qstrlen(val)).toLongLong();
            return QByteArray::fromRawData(val, qstrlen(val)).toULongLong();
        case QMetaType::Int:
            return std::atoi(val);
        case QMetaType::Double: {
            bool ok = false;
            double d = QByteArray::fromRawData(val, qstrlen(val)).toDouble(&ok);
            if (!ok) {
                if (qstricmp(val, "NaN") == 0)
                    d = qQNaN();
                else if (qstricmp(val, "Infinity") == 0)
                    d = qInf();
                else if (qstricmp(val, "-Infinity") == 0)
                    d = -qInf();
                else
                    return QVariant();
            }
            return d;
        }
        case QMetaType::QDate:
            return QVariant(QDate::fromString(QString::fromLatin1(val), Qt::ISODate));
        case QMetaType::QTime:
            return QVariant(QTime::fromString(QString::fromLatin1(val), Qt::ISODate));
        case QMetaType::QDateTime: {
            const QString t = QString::fromLatin1(val);
            const QString hora = t.mid(11);
            if (hora.contains(u'-') || hora.contains(u'+') || hora.endsWith(u'Z'))
                return QDateTime::fromString(t, Qt::ISODate);
            return QVariant(QDateTime::fromString(t + u'Z', Qt::ISODate));
        }
        case QMetaType::QByteArray: {
            size_t n = 0;
            unsigned char* datos = PQunescapeBytea(reinterpret_cast<const unsigned char*>(val), &n);
            QByteArray b(reinterpret_cast<const char*>(datos), qsizetype(n));
            PQfreemem(datos);
            return b;
        }
        default:
            return QVariant();
    }
}

}  // namespace

bool arreglo(const std::vector<QVariantList>& filas, size_t desde, size_t n, int columna, QString& literal) {
    QByteArray out = "{";
    QByteArray texto;
    for (size_t f = desde; f < desde + n; ++f) {
        bool nulo = false;
        texto.clear();
        if (!textoDeValor(filas[f][columna], texto, nulo)) return false;
        if (f > desde) out += ',';
        if (nulo) {
            out += "NULL";
            continue;
        }
        out += '"';
        for (const char ch : texto) {
            if (ch == '"' || ch == '\\') out += '\\';
            out += ch;
        }
        out += '"';
    }
    out += '}';
    literal = QString::fromUtf8(out);
    return true;
}

Resultado corre(PGconn* c, const QString& sql, const QVariantList& parametros) {
    Resultado out;
    // A result of the driver's still being read: the driver keeps the connection.
    if (!c || PQstatus(c) != CONNECTION_OK || PQtransactionStatus(c) == PQTRANS_ACTIVE) return out;
    std::vector<QByteArray> textos(size_t(parametros.size()));
    std::vector<const char*> valores(size_t(parametros.size()), nullptr);
    for (int i = 0; i < parametros.size(); ++i) {
        bool nulo = false;
        if (!textoDeValor(parametros[i], textos[size_t(i)], nulo)) return out;
        if (!nulo) valores[size_t(i)] = textos[size_t(i)].constData();
    }
    out.corrido = true;
    std::unique_ptr<PGresult, Liberador> r(
        parametros.isEmpty()
            ? PQexec(c, sql.toUtf8().constData())
            : PQexecParams(c, marcasNumeradas(sql).toUtf8().constData(), int(parametros.size()), nullptr,
                           valores.data(), nullptr, nullptr, 0));
    const ExecStatusType estado = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (estado != PGRES_TUPLES_OK && estado != PGRES_COMMAND_OK) {
        out.error = errorDe(c, r.get());
        return out;
    }
    const int columnas = PQnfields(r.get());
    for (int i = 0; i < columnas; ++i) {
        out.nombres << QString::fromUtf8(PQfname(r.get(), i));
        out.origen.emplace_back(PQftable(r.get(), i), PQftablecol(r.get(), i));
    }
    const int filas = PQntuples(r.get());
    out.filas.reserve(size_t(filas));
    for (int f = 0; f < filas; ++f) {
        QVariantList fila;
        fila.reserve(columnas);
        for (int i = 0; i < columnas; ++i) fila << valorDeColumna(r.get(), f, i);
        out.filas.push_back(std::move(fila));
    }
    out.cambiadas = QByteArray(PQcmdTuples(r.get())).toInt();
    return out;
}

}  // namespace qvr::motor::pg
