// varnel-cli imprimir: generates the printed declaration of a taxpayer into the report folder,
// registered in SPOOL, and optionally prints it into a PDF through the viewer's print path.
#include <QFileInfo>
#include <cstdio>

#include "common/cabeceras.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/reports/genera_reporte.h"
#include "varnel/sesion/sesion_declaracion.h"

namespace {

using namespace qvr;
using namespace qvr::reporte;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli imprimir: %s\n", qPrintable(texto)); }

int uso(const QString& motivo) {
    std::fprintf(stderr,
                 "varnel-cli imprimir: %s\nusage: varnel-cli imprimir RUC [--correl C] "
                 "[--opcion declaracion|anexo|ambos] [--exoneradas] [--dividendos] [--pdf OUT.pdf]\n",
                 qPrintable(motivo));
    return 2;
}

int ejecuta(const QStringList& args) {
    QString motivo;
    const auto a =
        cli::leeArgumentos(args, {{"--correl", "--opcion", "--pdf"}, {"--exoneradas", "--dividendos"}, 1, "RUC"}, &motivo);
    if (!a) return uso(motivo);
    DatosReporte d;
    d.ruc = a->posicional();
    d.enviada = a->tiene("--correl");
    d.correl = a->valor("--correl");
    if (a->tiene("--opcion")) {
        const QString o = a->valor("--opcion");
        if (o == "declaracion") d.seleccion.opcion = OpcionImpresion::Declaracion;
        else if (o == "anexo") d.seleccion.opcion = OpcionImpresion::Anexo;
        else if (o == "ambos") d.seleccion.opcion = OpcionImpresion::DeclaracionYAnexo;
        else return uso("--opcion takes declaracion, anexo or ambos");
    }
    d.seleccion.exoneradas = a->tiene("--exoneradas");
    d.seleccion.dividendos = a->tiene("--dividendos");
    QString pdf = a->valor("--pdf");
    if (a->tiene("--pdf") && pdf.isEmpty()) return uso("--pdf takes a file name");
    if (d.ruc.isEmpty()) return uso("RUC is required");
    // Reading NEMDAL.INI makes SysPath the current folder: a relative OUT.pdf is the caller's.
    if (!pdf.isEmpty()) pdf = QFileInfo(pdf).absoluteFilePath();
    // The annexes print only with an option that includes them, as the window's check boxes do.
    if (d.seleccion.opcion == OpcionImpresion::Declaracion && (d.seleccion.exoneradas || d.seleccion.dividendos))
        return uso("--exoneradas and --dividendos need --opcion anexo or ambos");
    if (!d.seleccion.valida()) return uso("Debe seleccionar algún anexo");

    instalaDialogos(std::make_shared<DialogosConsola>());
    DatosSesion s;
    QString sinBase;
    if (!cli::abreBaseConfigurada(s, &sinBase)) {
        if (!sinBase.isEmpty()) error(sinBase);
        return 2;
    }

    // Only a taxpayer the user may choose; then the name from CONT, the week and, for a sent one,
    // its order and control numbers.
    try {
        const QString rechazo = rechazoContribuyente(*s.Base, s.Formulario, s.Usuario, d.ruc);
        if (!rechazo.isEmpty()) return error(rechazo), 1;
        ClaveDeclaracion clave;
        clave.ruc = d.ruc;
        clave.periodo = s.Periodo;
        clave.formulario = s.Formulario;
        clave.correl = d.correl;
        const std::optional<CabeceraImpresion> c = cabeceraImpresion(*s.Base, clave, d.enviada);
        if (!c) return error(QString("no %1 declaration of %2").arg(d.enviada ? "sent" : "stored", d.ruc)), 1;
        d.nombre = c->nombre;
        d.semana = c->semana;
        d.norden = c->norden;
        d.control = c->control;
    } catch (const ErrorBD& e) {
        return error(QString("%1 %2").arg(e.numero()).arg(e.descripcion())), 1;
    }
    d.periodo = s.Periodo;
    d.formulario = s.Formulario;

    const ReporteGenerado g = GeneraDeclaracion(*s.Base, d, s.RutaReportes, s.Usuario);
    if (!g.resultado.ok) return 1;
    std::printf("%s\n", qPrintable(QFileInfo(g.ruta).absoluteFilePath()));
    if (pdf.isEmpty()) return 0;

    // The same path as "varnel-cli reporte FILE --pdf OUT".
    const auto reporte = cli::comandos().find("reporte");
    if (reporte == cli::comandos().end()) return uso("the reporte command is missing");
    return reporte->second.ejecuta({g.ruta, "--pdf", pdf});
}

}  // namespace

REGISTRA_COMANDO("imprimir",
                 "imprimir RUC [--correl C] [--opcion declaracion|anexo|ambos] [--exoneradas] [--dividendos] "
                 "[--pdf OUT.pdf]",
                 "Generates the printed declaration (report RP0008) of a stored declaration, or of the sending\n"
                 "--correl C, into the report folder, registered in SPOOL, and prints the file's path.\n"
                 "--opcion anexo|ambos with --exoneradas and/or --dividendos adds the annex pages.\n"
                 "--pdf also prints the report into OUT.pdf through the same path as 'reporte'.\n"
                 "Only a taxpayer the configured user may choose; any other is refused (exit 1).",
                 ejecuta);
