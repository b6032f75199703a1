#include "lotmira/instalador.h"

#include <QFile>
#include <functional>

#include "common/conexion.h"
#include "common/cp1252.h"
#include "common/oficina.h"
#include "common/schema.h"
#include "common/sesion.h"
#include "lotmira/envio_linea.h"
#include "lotmira/filas_catalogo.h"
#include "platform/database.h"
#include "platform/descripciones_jet.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

namespace qvr {

namespace {

const char* const kTablasTrabajo[] = {"TMP_F0738DIVID", "TMP_F0738FIDEI", "TMP_F0738EXTRA"};

struct Reporte {
    const char* codigo;
    const char* titulo;
    int numero;
};
const Reporte kReportes[] = {
    {"RP0008", "Reporte del formulario 738", 1},
    {"RP0009", "Resumen de envío de información -  Formulario 738", 1},
};

// Opens the database as the installer does: the workgroup file beside the installation folder,
// the database file directly after it. Shows the connection message on failure.
std::unique_ptr<BaseDatos> abreBase(const QString& carpeta) {
    const QString grupo = carpeta + "\\" + kArchivoGrupoTrabajo;
    const QString ruta = carpeta + leeOpcion("DBName");
    try {
        if (!existeRuta(grupo))
            throw ErrorBD(
                jet::GrupoTrabajo,
                QString("No se puede iniciar la aplicación. Falta el archivo de información del grupo "
                        "de trabajo '%1' o está abierto en modo exclusivo por otro usuario.")
                    .arg(grupo));
        return AbreBaseConfigurada(ruta);
    } catch (const ErrorBD& e) {
        dialogos().muestra(mensajeConexion(e, "- La Base de datos esta bloqueda"), "Error de Conección",
                           Icono::Ninguno, Botones::Ok);
        return nullptr;
    }
}

class Instalacion {
  public:
    explicit Instalacion(BaseDatos& base) : base_(base) {}

    // One step: a failing statement shows its message (but for "table exists" and "primary key
    // exists", which are expected on a second run) and the installation goes on.
    void paso(const std::function<void()>& f) {
        try {
            f();
        } catch (const ErrorBD& e) {
            if (e.numero() == jet::ClavePrimariaExiste || e.numero() == jet::TablaExiste) return;
            ++errores;
            dialogos().muestra("Error Número : " + QString::number(e.numero()) + "\n" + textoErrorBD(e),
                               "Error al Ejecutar Sentencia SQL", Icono::Error, Botones::Ok);
        }
    }

    void tablasAnexo() {
        for (const char* t : kTablasTrabajo)
            paso([&] {
                if (base_.existeTabla(t)) base_.ejecuta(QString("DROP TABLE %1").arg(t));
            });
        // Each CREATE carries its primary key, which the engine cannot add to an existing table.
        for (const TablaEsquema& t : qvr::tablasAnexo())
            paso([&] {
                if (!base_.existeTabla(t.nombre)) base_.ejecuta(t.crear);
            });
        // Text columns accept zero-length values in this engine without being told; nothing to do
        // for TablaEsquema::textoVacio.
    }

    void catalogos() {
        for (const FilaCatalogo& f : filasCatalogo())
            paso([&] {
                const QVariantList clave{QString(f.numero), QString(f.argumento)};
                if (!base_.consulta("SELECT * FROM PARAM WHERE numero = ? AND argumento = ?", clave).vacio())
                    base_.ejecuta(
                        "UPDATE PARAM SET funcion = ?, correl_param = ? WHERE numero = ? AND argumento = ?",
                        QVariantList{QString(f.funcion), QString(f.correl)} + clave);
                else
                    base_.ejecuta(
                        "INSERT INTO PARAM (numero, argumento, funcion, correl_param) VALUES (?, ?, ?, ?)",
                        clave + QVariantList{QString(f.funcion), QString(f.correl)});
            });
    }

    void reportes() {
        for (const Reporte& r : kReportes) {
            paso([&] { base_.ejecuta("DELETE FROM reportes WHERE codrep = ?", {QString(r.codigo)}); });
            paso([&] {
                base_.ejecuta("INSERT INTO reportes VALUES (?, ?, ?)",
                              {QString(r.codigo), QString::fromUtf8(r.titulo), r.numero});
            });
        }
    }

    void filaEnvio(const FilaEnvio& f) {
        QVariantList valores{f.tablaD, f.tablaExt, f.indice, f.obliga, f.cTipDocD};
        for (const QVariant& n : f.numeros) valores << n;
        const QVariantList clave{kFormulario, f.tablaO};
        paso([&] {
            // A table named again in the file (in any case) replaces its earlier line.
            if (!base_
                     .consulta("SELECT * FROM envio_t WHERE formulario = ? AND UPPER(tabla_o) = UPPER(?)",
                               clave)
                     .vacio())
                base_.ejecuta(
                    "UPDATE envio_t SET tabla_d = ?, tabla_ext = ?, indice = ?, obliga = ?, "
                    "c_tip_doc_d = ?, c_doc_id_d = ?, c_Formulario = ?, c_periodo = ?, c_estado = ?, "
                    "c_envio = ?, c_semana = ? WHERE formulario = ? AND UPPER(tabla_o) = UPPER(?)",
                    valores + clave);
            else
                base_.ejecuta(
                    "INSERT INTO envio_t (formulario, tabla_o, tabla_d, tabla_ext, indice, obliga, "
                    "c_tip_doc_d, c_doc_id_d, c_Formulario, c_periodo, c_estado, c_envio, c_semana) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    clave + valores);
        });
    }

    // The send list replaces the form's rows of envio_t. The file is read before anything is
    // deleted, so a missing file leaves the rows of the last installation in place.
    int listaEnvio(const QString& carpeta) {
        const QString ruta = rutaListaEnvio(carpeta);
        QFile archivo(rutaFs(ruta));
        if (!archivo.open(QIODevice::ReadOnly)) {
            const QString motivo =
                archivo.exists() ? "No se puede leer el archivo " : "No existe el archivo ";
            dialogos().muestra(motivo + ruta + "\nNo se instaló la lista de tablas a enviar.", "Mensaje",
                               Icono::Error, Botones::Ok);
            return SinListaEnvio;
        }
        const QByteArray contenido = archivo.readAll();
        const bool leido = archivo.error() == QFileDevice::NoError;
        archivo.close();
        if (!leido) {
            dialogos().muestra(
                "No se puede leer el archivo " + ruta + "\nNo se instaló la lista de tablas a enviar.",
                "Mensaje", Icono::Error, Botones::Ok);
            return SinListaEnvio;
        }
        paso([&] { base_.ejecuta("DELETE FROM envio_t WHERE formulario = ?", {kFormulario}); });
        const QStringList lineas = deCp1252(contenido).split('\n');
        for (int i = 0; i < lineas.size(); ++i) {
            QString linea = lineas[i];
            if (linea.endsWith('\r')) linea.chop(1);
            if (linea.trimmed().isEmpty()) break;
            const LineaEnvio l = LeeLineaEnvio(linea);
            if (!l.fila) {
                ++errores;
                dialogos().muestra(
                    QString("%1, línea %2: %3.\nLa línea no se instaló.").arg(ruta).arg(i + 1).arg(l.error),
                    "Mensaje", Icono::Exclamacion, Botones::Ok);
                continue;
            }
            filaEnvio(*l.fila);
        }
        return InstalacionCompleta;
    }

    int errores = 0;

  private:
    BaseDatos& base_;
};

}  // namespace

QString carpetaInstalacion(const QString& valorSysPath) {
    QString c = valorSysPath.trimmed();
    if (c.endsWith("\\\\")) c.chop(1);
    return c;
}

QString rutaListaEnvio(const QString& carpeta) { return carpeta + "tmp\\env738.txt"; }

int InstalaTablas() {
    // A suite just installed has no environment: tell how to make one instead of asking to install.
    if (!hayEntorno()) {
        dialogos().muestra(mensajeSinEntorno(), "Mensaje", Icono::Informacion, Botones::Ok);
        return SinCarpetaInstalacion;
    }
    const QString carpeta = carpetaInstalacion(leeOpcion("SysPath"));
    if (carpeta.isEmpty()) {
        dialogos().muestra("Debe instalar primero el QVR ", "Mensaje", Icono::Informacion, Botones::Ok);
        return SinCarpetaInstalacion;
    }
    std::unique_ptr<BaseDatos> base = abreBase(carpeta);
    if (!base) return SinBaseDatos;
    const bool servidor = !leeOpcion("DBServer").isEmpty();
    // On a server the tables are the owner's: a clerk's login would only collect refusals.
    try {
        if (servidor && !esDuenoDeLasTablas(*base)) {
            dialogos().muestra("Lotmira instala las tablas de la oficina y solo lo ejecuta su dueño en el servidor (" +
                                   duenoDeLasTablas(*base) + "); el usuario " + loginSesion(*base) +
                                   " no puede hacerlo. No se cambió nada.",
                               "Mensaje", Icono::Error, Botones::Ok);
            return NoEsDueno;
        }
    } catch (const ErrorBD& e) {
        dialogos().muestra(mensajeConexion(e, "- La Base de datos esta bloqueda"), "Error de Conección",
                           Icono::Ninguno, Botones::Ok);
        return SinBaseDatos;
    }

    Instalacion inst(*base);
    inst.tablasAnexo();
    // The clerks' rights on the tables just made, and the row-level security of the annex rows.
    if (servidor) inst.paso([&] { preparaDerechos(*base); });
    inst.catalogos();
    inst.reportes();
    const int lista = inst.listaEnvio(carpeta);
    base->cierra();
    if (lista != InstalacionCompleta) return lista;
    return inst.errores > 0 ? InstalacionConErrores : InstalacionCompleta;
}

}  // namespace qvr
