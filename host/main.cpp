// orvelane: the stand-in for the host suite. Without arguments it shows the "Orvelane" window;
// with --setup it creates a demonstration environment, with --attach a further workstation of an
// office on a server, with --add-user a clerk's login.
#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include <QDir>

#include "common/conexion.h"
#include "common/oficina.h"
#include "common/sesion.h"
#include "host/entorno_demo.h"
#include "host/envio.h"
#include "host/estacion.h"
#include "platform/database.h"
#include "host/ventana_orvelane.h"
#include "platform/arranque.h"
#include "platform/ui/dialogos_qt.h"
#include "platform/ui/interfaz.h"

namespace qvr {
const char* versionPrograma();
}

namespace {

const char* const kUso =
    "Uso: orvelane                          abre la ventana del integrador\n"
    "     orvelane --setup CARPETA [--force] [--server CONEXION]\n"
    "                                        crea un entorno de demostración en CARPETA; con --server,\n"
    "                                        sus tablas en esa base de datos PostgreSQL (cadena libpq)\n"
    "     orvelane --attach CARPETA --server CONEXION\n"
    "                                        prepara esta estación para la base de datos de la oficina\n"
    "                                        que ya está en el servidor (no crea ni cambia tablas)\n"
    "     orvelane --add-user USUARIO --type 0|1 --server CONEXION-DEL-DUEÑO\n"
    "                                        da a un usuario del servidor (createuser) los derechos de\n"
    "                                        digitador y su fila en CLAVES (0: todos los contribuyentes)\n"
    "     orvelane --enviar                 envía las declaraciones consistentes y genera sus resúmenes\n"
    "     orvelane --version\n"
    "NEMDAL.INI se escribe en la carpeta de Windows: $WINDIR, o $XDG_CONFIG_HOME/qvr.\n";

int uso(FILE* destino, int codigo) {
    std::fputs(kUso, destino);
    return codigo;
}

int rechaza(const char* palabra) { return qvr::rechazaOpcion("orvelane", palabra, kUso); }

int ventana(int argc, char** argv) {
    qvr::agrupaVentanasEnLaSuite();
    qvr::PlataformaDeLaSesion plataforma;
    QApplication app(argc, argv);
    plataforma.suelta();
    if (app.arguments().size() > 1) return rechaza(qPrintable(app.arguments().at(1)));
    qvr::preparaInterfaz(app);
    qvr::instalaDialogos(std::make_shared<qvr::DialogosQt>());
    qvr::host::VentanaOrvelane w(QCoreApplication::applicationDirPath());
    qvr::anunciaEnPantalla(&w);
    w.show();
    return app.exec();
}

int setup(int argc, char** argv) {
    QString carpeta;
    QString servidor;
    bool forzar = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--force") == 0 && !forzar)
            forzar = true;
        else if (std::strcmp(argv[i], "--server") == 0 && servidor.isEmpty() && i + 1 < argc &&
                 argv[i + 1][0] != '\0')
            servidor = QString::fromLocal8Bit(argv[++i]);
        else if (argv[i][0] != '-' && carpeta.isEmpty())
            carpeta = QString::fromLocal8Bit(argv[i]);
        else if (std::strcmp(argv[i], "--force") == 0 || std::strcmp(argv[i], "--server") == 0)
            return uso(stderr, 2);  // twice, or --server without its value
        else
            return rechaza(argv[i]);
    }
    if (carpeta.isEmpty()) return uso(stderr, 2);
    QCoreApplication app(argc, argv);
    const auto r = qvr::host::creaEntornoDemo(carpeta, forzar, servidor);
    std::fprintf(r.ok ? stdout : stderr, "%s\n", r.mensaje.toLocal8Bit().constData());
    return r.ok ? 0 : 1;
}

// orvelane --attach DIR --server CONNINFO: a further workstation of an office already on the server.
int attach(int argc, char** argv) {
    QString carpeta;
    QString servidor;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--server") == 0 && servidor.isEmpty() && i + 1 < argc && argv[i + 1][0] != '\0')
            servidor = QString::fromLocal8Bit(argv[++i]);
        else if (argv[i][0] != '-' && carpeta.isEmpty())
            carpeta = QString::fromLocal8Bit(argv[i]);
        else
            return uso(stderr, 2);
    }
    if (carpeta.isEmpty() || servidor.isEmpty()) return uso(stderr, 2);
    QCoreApplication app(argc, argv);
    const auto r = qvr::host::preparaEstacion(carpeta, servidor);
    std::fprintf(r.ok ? stdout : stderr, "%s\n", r.mensaje.toLocal8Bit().constData());
    return r.ok ? 0 : 1;
}

// orvelane --add-user ROLE --type 0|1 --server OWNER-CONNINFO: an existing login made a clerk.
int agregaUsuario(int argc, char** argv) {
    if (argc != 7 || argv[2][0] == '-' || argv[2][0] == '\0') return uso(stderr, 2);
    QString tipo;
    QString servidor;
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--type") == 0 && tipo.isEmpty())
            tipo = QString::fromLocal8Bit(argv[i + 1]);
        else if (std::strcmp(argv[i], "--server") == 0 && servidor.isEmpty() && argv[i + 1][0] != '\0')
            servidor = QString::fromLocal8Bit(argv[i + 1]);
        else
            return uso(stderr, 2);
    }
    if (tipo != "0" && tipo != "1") return uso(stderr, 2);
    QCoreApplication app(argc, argv);
    const QString rol = QString::fromLocal8Bit(argv[2]);
    try {
        auto base = qvr::BaseDatos::abreServidor(servidor, qvr::opcionesConexion());
        if (!base->existeTabla("CLAVES")) {
            std::fprintf(stderr, "orvelane: el servidor %s no tiene las tablas de la oficina (orvelane --setup).\n",
                         qPrintable(base->ruta()));
            return 1;
        }
        if (!qvr::esDuenoDeLasTablas(*base)) {
            std::fprintf(stderr, "orvelane: solo el dueño de las tablas (%s) registra usuarios; %s no lo es.\n",
                         qPrintable(qvr::duenoDeLasTablas(*base)), qPrintable(qvr::loginSesion(*base)));
            return 1;
        }
        qvr::registraUsuario(*base, rol, tipo);
    } catch (const qvr::ErrorBD& e) {
        std::fprintf(stderr, "orvelane: %s\n", e.descripcion().toLocal8Bit().constData());
        return 1;
    }
    std::printf("Usuario %s registrado (tipo %s): ingresa con su propia clave del servidor.\n", qPrintable(rol),
                qPrintable(tipo));
    return 0;
}

// The host's sending without its window: every consistent stored declaration goes to the history
// tables and gets its send summary. Prints one line per sending: RUC, correl, control.
int enviar(int argc, char** argv) {
    if (argc != 2) return rechaza(argv[2]);
    QCoreApplication app(argc, argv);
    qvr::instalaDialogos(std::make_shared<qvr::DialogosConsola>());
    std::vector<qvr::Envio> envios;
    if (!qvr::hayEntorno()) {
        std::fprintf(stderr, "orvelane: %s\n", qvr::mensajeSinEntorno().toLocal8Bit().constData());
        return 1;
    }
    try {
        auto base = qvr::AbreBaseConfigurada(qvr::leeOpcion("DBPath") + qvr::leeOpcion("DBName"));
        envios = qvr::EnviaDeclaraciones(*base);
    } catch (const qvr::ErrorBD& e) {
        std::fprintf(stderr, "orvelane: %s\n", e.descripcion().toLocal8Bit().constData());
        return 1;
    }
    const int fallas = qvr::ejecutaResumenes(
        envios, QDir(QCoreApplication::applicationDirPath()).filePath("Oskeni"),
        [](const QString& l) { std::fprintf(stderr, "%s\n", l.toLocal8Bit().constData()); });
    for (const auto& e : envios)
        std::printf("%s %s %s\n", qPrintable(e.ruc), qPrintable(e.correl), qPrintable(e.control));
    return fallas == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Only the window toolkit's own options: the window. They go with the window alone.
    const char* a = qvr::primeraPalabraPropia(argc, argv);
    if (!a) return ventana(argc, argv);
    if (a != argv[1]) return rechaza(a);
    if (std::strcmp(a, "--setup") == 0) return setup(argc, argv);
    if (std::strcmp(a, "--attach") == 0) return attach(argc, argv);
    if (std::strcmp(a, "--add-user") == 0) return agregaUsuario(argc, argv);
    if (std::strcmp(a, "--enviar") == 0) return enviar(argc, argv);
    if (argc == 2 && std::strcmp(a, "--version") == 0) {
        std::printf("orvelane %s\n", qvr::versionPrograma());
        return 0;
    }
    if (argc == 2 && (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0)) return uso(stdout, 0);
    const bool informativa = std::strcmp(a, "--version") == 0 || std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0;
    return rechaza(informativa ? argv[2] : a);
}
