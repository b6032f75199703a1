#include "varnel/app/aplicacion.h"

#include <cmath>

#include "common/conexion.h"
#include "platform/descripciones_jet.h"
#include "platform/paths.h"

namespace qvr {

void BarraEstado::fija(const QString& ruc, const QString& nombre, const QString& formulario,
                       const QString& periodo) {
    setNumeroDocumento(ruc);
    setNombre(nombre);
    setFormulario(formulario);
    setPeriodo(periodo);
}

void BarraEstado::limpia() {
    setNumeroDocumento("");
    setNombre("");
    setPeriodo("");
    setFormulario("");
}

BarraEstado& barraActiva(Aplicacion& app) {
    static SinBarra ninguna;
    return app.barra ? *app.barra : ninguna;
}

bool cargaAplicacion(Aplicacion& app) {
    DatosSesion& s = app.sesion;
    LeeConfiguracion(s);
    if (!AbreBaseDatos(s)) return false;
    s.Formulario = kFormulario;
    app.ArchivoAyuda = s.RutaSistema + s.Formulario + "\\" + kPrograma;
    // The host's ERROR table must be there; a probe that reads no row shows it without keeping a
    // read open for the whole run (an open read would hold the file's lock against the other programs).
    try {
        s.Base->consulta("SELECT * FROM ERROR WHERE 1=0");
    } catch (const ErrorBD& e) {
        app.dialogos().muestra("No se puede abrir la tabla ERROR de la base de datos " + s.RutaBaseDatos +
                                   "\n" + textoErrorBD(e) + "\n" + numeroConBlanco(e.numero()),
                               "Error de Conección", Icono::Error, Botones::Ok);
        s.Base.reset();
        return false;
    }
    return true;
}

void inicializaBarra(BarraEstado& barra, const DatosSesion& s) {
    barra.setNumeroDocumento("");
    barra.setNombre("");
    barra.setFormulario(s.Formulario);
    barra.setPeriodo(s.Periodo);
    barra.setValor(1);
}

void cierraBaseDatos(Aplicacion& app) {
    if (app.sesion.Base) app.sesion.Base->cierra();
}

QString rutaAyudaHtml(const QString& archivoAyuda) { return rutaFs(archivoAyuda + ".html"); }

int twipsAPixeles(int twips, double dpi) { return int(std::lround(twips * dpi / 1440.0)); }

}  // namespace qvr
