// On the server the session runs its statements itself, in one exchange each, instead of through
// the driver. What it stores for a bound value, what it refuses, and the kind and value of every
// column it reads must be what the driver would have stored, refused and given.
#include <gtest/gtest.h>

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>
#include <limits>

#include "platform/database.h"
#include "support/entorno.h"

using namespace qvr;

namespace {

// What a column holds after the insert, as the server writes it ("<null>" for none), or the
// refusal's SQLSTATE.
QString porControlador(BaseDatos& b, const QString& columna, const QVariant& valor) {
    b.ejecuta("DELETE FROM A");
    QSqlQuery q(b.sql());
    if (!q.prepare(QString("INSERT INTO A (%1) VALUES (?)").arg(columna))) return "prepare";
    q.bindValue(0, valor);
    if (!q.exec()) return "error " + q.lastError().nativeErrorCode();
    q.finish();
    return b.escalar(QString("SELECT COALESCE(CAST(%1 AS TEXT), '<null>') FROM A").arg(columna)).toString();
}

QString porSesion(BaseDatos& b, const QString& columna, const QVariant& valor) {
    b.ejecuta("DELETE FROM A");
    try {
        b.ejecuta(QString("INSERT INTO A (%1) VALUES (?)").arg(columna), {valor});
    } catch (const ErrorBD&) {
        return "refused";
    }
    return b.escalar(QString("SELECT COALESCE(CAST(%1 AS TEXT), '<null>') FROM A").arg(columna)).toString();
}

const QVariantList& valores() {
    static const QVariantList v = {
        QVariant(), QString(), QString(""), QString("12"), QString("-5"), QString("5.5"), QString("abc"),
        QString("2003-01-31"), QString("O'HIGGINS \\ ? $1 \"x\""), QString::fromUtf8("ÑANDÚ 😀"), QVariant(5),
        QVariant(-7), QVariant(qlonglong(3000000000)), QVariant(5.0), QVariant(-0.0), QVariant(5.5),
        QVariant(1e20), QVariant(std::numeric_limits<double>::quiet_NaN()), QVariant(true), QVariant(false),
        QVariant(QDate(2003, 1, 31)), QVariant(QDate()), QVariant(QMetaType(QMetaType::Int), nullptr)};
    return v;
}

TEST(SesionServidorDirecta, GuardaYRechazaLoMismoQueElControlador) {
    QVR_REQUIERE_SERVIDOR();
    prueba::Entorno env(prueba::Motor::Postgres, false);
    auto& b = env.base();
    b.ejecuta("CREATE TABLE A ([tip] BYTE, [n] LONG, [t] TEXT(20), [fec] DATE, [monto] CURRENCY, [d] DOUBLE)");
    for (const QString c : {"tip", "n", "t", "fec", "monto", "d"})
        for (const QVariant& v : valores()) {
            const QString esperado = porControlador(b, c, v);
            const QString dado = porSesion(b, c, v);
            if (esperado.startsWith("error"))
                EXPECT_EQ(dado.toStdString(), "refused") << c.toStdString() << " " << v.toString().toStdString();
            else
                EXPECT_EQ(dado.toStdString(), esperado.toStdString()) << c.toStdString() << " " << v.typeName() << " "
                                          << v.toString().toStdString();
        }
}

TEST(SesionServidorDirecta, LeeLasMismasClasesYValoresQueElControlador) {
    QVR_REQUIERE_SERVIDOR();
    prueba::Entorno env(prueba::Motor::Postgres, false);
    auto& b = env.base();
    b.ejecuta("CREATE TABLE A ([tip] BYTE, [fec] DATE, [monto] CURRENCY, [t] MEMO)");
    b.ejecuta("INSERT INTO A VALUES (3, '2003-04-05', 12.5, 'O''H'), (NULL, NULL, NULL, NULL)");
    const QString sql =
        "SELECT tip, fec, monto, t, CAST(1 AS SMALLINT) AS i2, 2 AS i4, CAST(-3 AS BIGINT) AS i8, "
        "CAST(1.25 AS NUMERIC) AS num, CAST(2.5 AS DOUBLE PRECISION) AS f8, CAST('NaN' AS REAL) AS f4, "
        "CAST(NULL AS INTEGER) AS nulo_i, CAST(NULL AS TEXT) AS nulo_t, TRUE AS b, "
        "CAST('2003-01-31' AS DATE) AS fecha, CAST('12:34:56' AS TIME) AS hora, "
        "CAST('2003-01-31 10:00:00' AS TIMESTAMP) AS momento, CAST('2003-01-31 10:00:00+05' AS TIMESTAMPTZ) AS tz, "
        "CAST('\\x41' AS BYTEA) AS bytes, CAST(ARRAY[1,2] AS INTEGER[]) AS lista, ? AS dado FROM A ORDER BY tip";
    QSqlQuery q(b.sql());
    ASSERT_TRUE(q.prepare(sql));
    q.bindValue(0, QString("x"));
    ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    std::vector<QVariantList> filas;
    while (q.next()) {
        QVariantList f;
        for (int i = 0; i < q.record().count(); ++i) f << q.value(i);
        filas.push_back(f);
    }
    const Registros r = b.consulta(sql, {QString("x")});
    ASSERT_EQ(r.filas(), int(filas.size()));
    ASSERT_EQ(r.columnas(), q.record().count());
    for (int c = 0; c < r.columnas(); ++c) EXPECT_EQ(r.columna(c).nombre, q.record().fieldName(c));
    for (int f = 0; f < r.filas(); ++f)
        for (int c = 0; c < r.columnas(); ++c) {
            const QVariant& esperado = filas[size_t(f)][c];
            const QVariant dado = r.valor(f, c);
            const std::string donde = r.columna(c).nombre.toStdString() + " fila " + std::to_string(f);
            EXPECT_EQ(dado.typeId(), esperado.typeId()) << donde;
            EXPECT_EQ(dado.isNull(), esperado.isNull()) << donde;
            if (esperado.typeId() == QMetaType::Double && std::isnan(esperado.toDouble()))
                EXPECT_TRUE(std::isnan(dado.toDouble())) << donde;
            else
                EXPECT_EQ(dado, esperado) << donde;
        }
}

}  // namespace
