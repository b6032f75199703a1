#include "common/conexion.h"

#include "common/oficina.h"
#include "platform/dialogs.h"
#include "platform/descripciones_jet.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace qvr {

namespace {
QString desdeCodigos(std::initializer_list<int> codigos) {
    QString s;
    for (int c : codigos) s.append(QChar(c));
    return s;
}
}  // namespace

// Built from character codes at run time, as the suite does, so the text is not in the binary as is.
QString usuarioGrupoTrabajo() { return desdeCodigos({81, 86, 82, 85, 83, 69, 82, 49}); }
QString claveGrupoTrabajo() { return desdeCodigos({81, 86, 82, 50, 48, 48, 51, 88}); }

QString numeroConBlanco(long long n) { return n >= 0 ? " " + QString::number(n) : QString::number(n); }

QString mensajeConexion(const ErrorBD& e, const QString& mensajeBloqueo) {
    if (e.numero() == jet::BaseBloqueada) return numeroConBlanco(e.numero()) + mensajeBloqueo;
    return textoErrorBD(e) + "\n" + numeroConBlanco(e.numero());
}

BaseDatos::Opciones opcionesConexion() {
    BaseDatos::Opciones o;
    // QVR_ESPERA_MS shortens the lock wait (tests, and offices that prefer to fail fast).
    if (bool ok = false; qEnvironmentVariableIntValue("QVR_ESPERA_MS", &ok), ok)
        o.esperaMs = qEnvironmentVariableIntValue("QVR_ESPERA_MS");
    o.usuario = usuarioGrupoTrabajo();
    o.clave = claveGrupoTrabajo();
    return o;
}

std::unique_ptr<BaseDatos> AbreBaseConfigurada(const QString& ruta, const BaseDatos::Opciones& opciones) {
    return BaseDatos::conecta(leeOpcion("DBServer"), ruta, opciones);
}

bool AbreBaseDatos(DatosSesion& s, const QString& mensajeBloqueo) {
    // Without an environment nothing is written: SystemDB would make an INI of its own.
    if (!hayEntorno()) {
        dialogos().muestra(mensajeSinEntorno(), "Error de Conección", Icono::Error, Botones::Ok);
        return false;
    }
    const QString grupo = s.RutaSistema + kArchivoGrupoTrabajo;
    Perfil::escribe(kSeccionIni, "SystemDB", grupo, kArchivoIni);
    try {
        if (!existeRuta(grupo))
            throw ErrorBD(jet::GrupoTrabajo,
                          QString("No se puede iniciar la aplicación. Falta el archivo de información del grupo "
                                  "de trabajo '%1' o está abierto en modo exclusivo por otro usuario.")
                              .arg(grupo));
        s.Base = BaseDatos::conecta(s.ServidorBD, s.RutaBaseDatos, opcionesConexion());
        // The annex working tables hold what one window is editing: each program its own.
        s.Base->tablasDeTrabajo(tablasTrabajoAnexo());
        if (!s.ServidorBD.trimmed().isEmpty()) s.Usuario = UsuarioConfigurado(*s.Base, s.ServidorBD);
        return true;
    } catch (const ErrorBD& e) {
        dialogos().muestra(mensajeConexion(e, mensajeBloqueo), "Error de Conección", Icono::Ninguno, Botones::Ok);
        return false;
    }
}

QString mensajeErrorRegistro(int numero, const QString& descripcion) {
    switch (numero) {
        case 3020: return "Registro ha sido eliminado por otro usuario";
        case 3022: return "Registro ya existe lo ingresaron en ese momento";
        case 3167: return "Registro ha sido modificado o eliminado por otro usuario";
        case 3186: return "No puede grabarlo. Actualmente bloqueado";
        case 3197: return "La data ha cambiado";
        case 3260: return "Registro bloqueado. Intente luego";
        default:
            return "Error tecnico: " + numeroConBlanco(numero) + "\n" + textoErrorBD(numero, descripcion) + "\n" +
                   "Intente nuevamente por favor.";
    }
}

void ErrorRegistro(const ErrorBD& e, bool* operacionOk) {
    if (e.numero() <= 0) return;
    if (operacionOk) *operacionOk = false;
    dialogos().muestra(mensajeErrorRegistro(e.numero(), e.descripcion()), "Mensaje", Icono::Informacion, Botones::Ok);
}

QString TipoUsuario(BaseDatos& base, const QString& usuario) {
    // User names compare without regard to case, as the host's engine compares text.
    Registros r = base.consulta("SELECT * FROM CLAVES WHERE UPPER(Usuario)=UPPER(?)", {usuario});
    if (r.vacio()) return "1";
    return r.texto(0, "Tipo");
}

}  // namespace qvr
