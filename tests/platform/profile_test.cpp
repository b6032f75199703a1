#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/profile.h"

using qvr::Perfil;

TEST(Perfil, LeeConMayusculasMinusculasYFaltantes) {
    const QByteArray ini =
        "; host settings\r\n[options]\r\nSYSPATH = C:\\QVR\\ \r\ndbname=NEMDAL.MDB\r\n[Otra]\r\nSysUser=X\r\n";
    struct Caso { const char* seccion; const char* clave; const char* esperado; } casos[] = {
        {"Options", "SysPath", "C:\\QVR\\"},
        {"OPTIONS", "DBName", "NEMDAL.MDB"},
        {"Options", "SysUser", ""},   // only in another section
        {"Nada", "SysPath", ""},      // missing section
        {"Options", "DBPath", ""},    // missing key
    };
    for (const auto& c : casos)
        EXPECT_EQ(Perfil::leeTexto(ini, c.seccion, c.clave, ""), QString(c.esperado)) << c.seccion << "/" << c.clave;
    EXPECT_EQ(Perfil::leeTexto(ini, "Options", "DBPath", "def"), "def");
}

TEST(Perfil, ValorLargoSeCortaAlBuffer) {
    const QString largo(300, 'x');
    const QByteArray ini = "[Options]\nDBPath=" + largo.toUtf8() + "\n";
    EXPECT_EQ(Perfil::leeTexto(ini, "Options", "DBPath", "").size(), 254);
}

TEST(Perfil, LineasMalformadasSeIgnoran) {
    const QByteArray ini = "[Options\ngarbage line\n=novalue\n[Options]\n\x01\x02\nSysUser=ANA\n";
    EXPECT_EQ(Perfil::leeTexto(ini, "Options", "SysUser", ""), "ANA");
}

TEST(Perfil, EscribirConservaLasDemasLineas) {
    QTemporaryDir dir;
    const QString ruta = dir.path() + "/NEMDAL.INI";
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("; comentario\r\n[Options]\r\nSysPath=C:\\QVR\\\r\nSysVersion=1\r\n\r\n[Otra]\r\nA=1\r\n");
    f.close();

    ASSERT_TRUE(Perfil::escribe("OPTIONS", "SystemDB", "C:\\QVR\\NEMDAL.MDW", ruta));
    ASSERT_TRUE(Perfil::escribe("Options", "sysversion", "2", ruta));
    ASSERT_TRUE(Perfil::escribe("Nueva", "K", "v", ruta));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray out = f.readAll();
    EXPECT_EQ(out,
              "; comentario\r\n[Options]\r\nSysPath=C:\\QVR\\\r\nsysversion=2\r\nSystemDB=C:\\QVR\\NEMDAL.MDW\r\n\r\n"
              "[Otra]\r\nA=1\r\n\r\n[Nueva]\r\nK=v\r\n");
    EXPECT_EQ(Perfil::lee("options", "systemdb", "", ruta), "C:\\QVR\\NEMDAL.MDW");
}

TEST(Perfil, ArchivoFaltanteDaElDefectoYEscribirLoCrea) {
    QTemporaryDir dir;
    qputenv("WINDIR", dir.path().toUtf8());
    EXPECT_EQ(Perfil::lee("Options", "SysPath", "", "NEMDAL.INI"), "");
    ASSERT_TRUE(Perfil::escribe("Options", "SysPath", "/srv/qvr/", "NEMDAL.INI"));
    EXPECT_EQ(Perfil::lee("Options", "SysPath", "", "NEMDAL.INI"), "/srv/qvr/");
    EXPECT_TRUE(QFile::exists(dir.path() + "/NEMDAL.INI"));
    qunsetenv("WINDIR");
}
