#include "varnel/computation/validacion.h"

#include <QFile>

#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/utilitario.h"
#include "varnel/computation/calculo.h"
#include "varnel/computation/validacion_reglas.h"
#include "varnel/declaration/declaracion.h"

namespace qvr {

QString rutaInconsistencias(const QString& rutaSistema) { return rutaSistema + kArchivoInconsistencias; }

namespace {

// Not inconsistencies: the amount to pay against the debt, and a spouse younger than 15.
void avisosPreliminares(const Declaracion& d, const ContextoValidacion& c) {
    const QString saldo = calculo::SaldoaPagar(d.texto(146), d.texto(180), "por impuesto a la renta ");
    if (!saldo.trimmed().isEmpty()) dialogos().muestra(saldo, d.Titulo, Icono::Informacion, Botones::Ok);

    const QString nacimiento = d.controles.fechaNacimiento;
    if (Utilitario::ValidaFecha(nacimiento, "01/01/1850", c.hoy.toString("dd/MM/yyyy"))) {
        const QDate fecha = QDate::fromString(nacimiento, "dd/MM/yyyy");
        if (fecha.daysTo(c.hoy) / 365.0 < 15)
            dialogos().muestra("Verifique la fecha de nacimiento de su conyuge", d.Titulo, Icono::Informacion,
                               Botones::Ok);
    }
}

// UTF-8, one line each, ending in CR LF; any previous content is replaced.
QString escribeArchivo(const QString& ruta, const std::vector<Inconsistencia>& lineas) {
    QFile f(rutaFs(ruta));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return f.errorString();
    QByteArray datos;
    for (const Inconsistencia& l : lineas) datos += l.texto.toUtf8() + "\r\n";
    if (f.write(datos) != datos.size()) return f.errorString();
    f.close();
    return f.error() == QFileDevice::NoError ? QString() : f.errorString();
}

}  // namespace

ResultadoValidacion ValidaTodoDetalle(const Declaracion& d, const QString& Tipo, ContextoValidacion& c) {
    const bool informe = Tipo == "0";
    ResultadoValidacion r;
    avisosPreliminares(d, c);

    Evaluador e(d, c, informe);
    if (informe) {
        ContextoIdent ci = c.identificacion;
        if (!ci.base) ci.base = c.base;
        if (ci.titulo.isEmpty()) ci.titulo = d.Titulo;
        ci.linea = [&e](const QString& texto) { e.lineas.push_back({texto, 0}); };
        if (!ValIdent("0", d, ci).ok) r.consistente = false;
    }
    try {
        for (const ReglaValidacion& regla : reglasValidacion()) regla.aplica(e);
    } catch (const Evaluador::Detenida&) {
        r.consistente = false;
        return r;
    }
    if (e.roto) r.consistente = false;
    if (!informe) return r;

    r.lineas = std::move(e.lineas);
    // The file is written whole after the rules: the rules only read, so its content is the same as
    // line by line, and a rule's error leaves the previous report intact.
    if (!c.rutaSistema.isEmpty()) r.errorArchivo = escribeArchivo(rutaInconsistencias(c.rutaSistema), r.lineas);
    if (r.consistente) {
        if (c.confirma) dialogos().muestra(kSinInconsistencias, "Mensaje", Icono::Exclamacion, Botones::Ok);
    } else if (c.abreInconsistencias) {
        c.abreInconsistencias(r.lineas);
    }
    return r;
}

}  // namespace qvr
