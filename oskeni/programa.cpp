#include "oskeni/programa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "common/conexion.h"
#include "common/cp1252.h"
#include "common/oficina.h"
#include "common/reporte_escritor.h"
#include "common/sesion.h"
#include "common/spool.h"
#include "oskeni/linea_comandos.h"
#include "oskeni/resumen.h"
#include "platform/descripciones_jet.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace qvr {

namespace {

constexpr int kLineasPorPagina = 80;

struct Falla {
    int numero;
    QString texto;
};

void errorTecnico(const Falla& f) {
    dialogos().muestra("Error tecnico: " + QString::number(f.numero) + "\n" + f.texto + "\n" +
                           "Intente nuevamente por favor.",
                       "Mensaje", Icono::Error, Botones::Ok);
}

bool terminaEnSeparador(const QString& ruta) { return ruta.endsWith('\\') || ruta.endsWith('/'); }

bool mismoArchivo(const QString& a, const QString& b) {
    const QFileInfo x(rutaFs(a)), y(rutaFs(b));
    if (QDir::cleanPath(x.absoluteFilePath()) == QDir::cleanPath(y.absoluteFilePath())) return true;
    return x.exists() && y.exists() && x.canonicalFilePath() == y.canonicalFilePath();
}

void copia(const QString& origen, const QString& destino) {
    const QString error = copiaResumen(origen, destino);
    if (!error.isEmpty()) throw Falla{75, error};
}

// The name base goes into two paths: only letters and digits may reach them.
bool nombreBaseValido(const QString& base) {
    if (base.isEmpty()) return false;
    for (QChar c : base)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return false;
    return true;
}

}  // namespace

QString copiaResumen(const QString& origen, const QString& destino) {
    if (mismoArchivo(origen, destino)) return {};
    QFile::remove(rutaFs(destino));
    if (!QFile::copy(rutaFs(origen), rutaFs(destino)))
        return QString("No se puede copiar el archivo '%1' en '%2'.").arg(origen, destino);
    return {};
}

QByteArray textoPlano(const QStringList& lineas) {
    QByteArray out;
    int contadas = 0;
    for (const QString& l : lineas) {
        out += aCp1252(l.isEmpty() ? QStringLiteral(" ") : l) + "\r\n";
        if (++contadas % kLineasPorPagina == 0) out += QByteArray(1, char(15)) + "\r\n";
    }
    return out;
}

int EjecutaOskeni(const QString& lineaComandos, const QDateTime& ahora) {
    if (!hayEntorno()) {
        dialogos().muestra(mensajeSinEntorno(), "Mensaje", Icono::Error, Botones::Ok);
        return 1;
    }
    // The program's folders hang from DBPath, not from SysPath as in the interactive module.
    const QString dbPath = leeOpcion("DBPath");
    const QString rutaBase = dbPath + leeOpcion("DBName");
    const QString carpetaReportes = dbPath + "RPT";
    const QString carpetaTemporal = dbPath + "TMP";
    QString usuario;

    Perfil::escribe(kSeccionIni, "SystemDB", dbPath + "\\" + kArchivoGrupoTrabajo, kArchivoIni);
    const QString grupo = terminaEnSeparador(dbPath) ? dbPath + kArchivoGrupoTrabajo : dbPath + "\\" + kArchivoGrupoTrabajo;
    std::unique_ptr<BaseDatos> base;
    try {
        if (!existeRuta(grupo))
            throw ErrorBD(jet::GrupoTrabajo,
                          QString("No se puede iniciar la aplicación. Falta el archivo de información del grupo "
                                  "de trabajo '%1'.")
                              .arg(grupo));
        base = AbreBaseConfigurada(rutaBase);
        // The report's user: the login on a server, SysUser on the file.
        usuario = UsuarioConfigurado(*base, leeOpcion("DBServer"));
    } catch (const ErrorBD& e) {
        dialogos().muestra(textoErrorBD(e) + "\n" + "Intente nuevamente por favor.", "Mensaje", Icono::Error,
                           Botones::Ok);
        return 1;
    }

    try {
        const LineaResumen linea = separaLinea(lineaComandos);
        // No taxpayer or no declaration of that key: a short or garbled line ends here.
        std::optional<DatosResumen> datos = leeDatosResumen(*base, linea);
        if (!datos) {
            dialogos().muestra("No existe data para Generar Reporte de Envio!!!\r\n\n", "Error", Icono::Error,
                               Botones::Ok);
            return 1;
        }
        const QString nombreBase = linea.nombreBase();
        if (!nombreBaseValido(nombreBase)) {
            dialogos().muestra(
                "El nombre de los archivos del resumen ('" + nombreBase +
                    "', posiciones 18 a 36 de la línea de comandos) solo puede llevar letras y "
                    "dígitos. No se generó el resumen.",
                "Error", Icono::Error, Botones::Ok);
            return 1;
        }

        // The plain text summary first, under a fresh name that no other file has.
        QDir().mkpath(rutaFs(carpetaTemporal));
        QTemporaryFile temporal(rutaFs(carpetaTemporal) + "/XXXXXXXX");
        temporal.setAutoRemove(true);
        if (!temporal.open())
            throw Falla{75, QString("No se puede crear un archivo en '%1'.").arg(carpetaTemporal)};
        const QByteArray texto = textoPlano(lineasResumenTexto(*datos, ahora));
        if (temporal.write(texto) != texto.size() || !temporal.flush())
            throw Falla{57, "Error de E/S de dispositivo"};

        // The markup summary is written whole before its SPOOL row exists, then takes the row's file
        // name in the same transaction: a row never names a file that is not there.
        QDir().mkpath(rutaFs(carpetaReportes));
        const QString archivo = RegistraReporteEscrito(
            *base, kReporteEnvio, kTipDocDeclarante, linea.numero.trimmed(), usuario, rutaFs(carpetaReportes),
            [&](const QString& ruta) {
                reporte::EscritorReporte escritor(reporte::Programa::Oskeni, 80);
                escritor.abre(ruta);
                for (const QString& l : lineasResumenMarcado(*datos, ahora)) escritor.EscribeLinea(l);
                escritor.cierra();
                return true;
            });
        const QString rutaReporte = carpetaReportes + "\\" + archivo;

        const QString prn = carpetaReportes + "\\" + nombreBase + ".PRN";
        const QString txt = carpetaTemporal + "\\" + nombreBase + ".txt";
        copia(rutaReporte, prn);
        copia(temporal.fileName(), txt);
        // The temporary file was private; the caller reads the copy as it reads the report.
        QFile::setPermissions(rutaFs(txt), QFile::permissions(rutaFs(prn)));
        return 0;
    } catch (const ErrorBD& e) {
        errorTecnico({e.numero(), textoErrorBD(e)});
    } catch (const reporte::ErrorEscritura& e) {
        errorTecnico({e.numero(), e.descripcion()});
    } catch (const Falla& f) {
        errorTecnico(f);
    }
    return 1;
}

}  // namespace qvr
