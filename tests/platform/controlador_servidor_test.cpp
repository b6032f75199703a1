// An installation without the recommended PostgreSQL driver: a DBServer says what is missing
// instead of a login failure. Its own executable, because Qt finds its database drivers once per
// process: here the plugin folders are hidden before any driver is looked up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "platform/database.h"

using namespace qvr;

TEST(ControladorServidor, SinElControladorSeNombraElPaqueteQueFalta) {
    QTemporaryDir vacia;
    QCoreApplication::setLibraryPaths({vacia.path()});
    ASSERT_FALSE(QSqlDatabase::isDriverAvailable("QPSQL"));
    try {
        BaseDatos::abreServidor("host=/no/existe port=5999 dbname=qvr", {});
        FAIL() << "opened without a driver";
    } catch (const ErrorBD& e) {
        EXPECT_EQ(e.numero(), jet::ConexionFallida);
        EXPECT_TRUE(e.descripcion().contains("libqt6sql6-psql")) << e.descripcion().toStdString();
        EXPECT_TRUE(e.descripcion().contains("QPSQL")) << e.descripcion().toStdString();
    }
}
