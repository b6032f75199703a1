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
                 "varnel-cli imprimir: %s\nUso: varnel-cli imprimir RUC [--correl C] "
                 "[--opcion declaracion|anexo|ambos] [--exoneradas] [--dividendos] [--pdf SALIDA.pdf]\n",
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
        else
            return uso("--opcion admite declaracion, anexo o ambos");
    }
    d.seleccion.exoneradas = a->tiene("--exoneradas");
    d.seleccion.dividendos = a->tiene("--dividendos");
    QString pdf = a->valor("--pdf");
    if (a->tiene("--pdf") && pdf.isEmpty()) return uso("--pdf necesita el nombre de un archivo");
    if (d.ruc.isEmpty()) return uso("falta el RUC");
    // Reading NEMDAL.INI makes SysPath the current folder: a relative OUT.pdf is the caller's.
    if (!pdf.isEmpty()) pdf = QFileInfo(pdf).absoluteFilePath();
    // The annexes print only with an option that includes them, as the window's check boxes do.
    if (d.seleccion.opcion == OpcionImpresion::Declaracion && (d.seleccion.exoneradas || d.seleccion.dividendos))
        return uso("--exoneradas y --dividendos necesitan --opcion anexo o ambos");
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
        if (!c)
            return error(QString("no hay una declaración %1 del RUC %2")
                             .arg(d.enviada ? "enviada" : "guardada", d.ruc)),
                   1;
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
    if (reporte == cli::comandos().end()) return uso("falta la orden reporte");
    return reporte->second.ejecuta({g.ruta, "--pdf", pdf});
}

}  // namespace

REGISTRA_COMANDO(
    "imprimir",
    "imprimir RUC [--correl C] [--opcion declaracion|anexo|ambos] [--exoneradas] [--dividendos] "
    "[--pdf SALIDA.pdf]",
    "Genera la declaración impresa (reporte RP0008) de una declaración guardada, o del envío\n"
    "--correl C, en la carpeta de reportes, la registra en SPOOL e imprime la ruta del archivo.\n"
    "--opcion anexo|ambos con --exoneradas y/o --dividendos agrega las páginas de los anexos.\n"
    "--pdf además imprime el reporte en SALIDA.pdf por el mismo camino que 'reporte'.\n"
    "Solo un contribuyente que el usuario configurado puede elegir; otro se rechaza (salida 1).",
    ejecuta);
