// varnel-cli imprimir: generates the printed declaration of a taxpayer into the report folder,
// registered in SPOOL, and optionally prints it into a PDF through the viewer's print path.
#include <QFileInfo>
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/cli/comando.h"
#include "varnel/reports/genera_reporte.h"

namespace {

using namespace qvr;
using namespace qvr::reporte;

int uso(const QString& motivo) {
    std::fprintf(stderr,
                 "varnel-cli imprimir: %s\nusage: varnel-cli imprimir RUC [--correl C] "
                 "[--opcion declaracion|anexo|ambos] [--exoneradas] [--dividendos] [--pdf OUT.pdf]\n",
                 qPrintable(motivo));
    return 2;
}

int ejecuta(const QStringList& args) {
    DatosReporte d;
    QString pdf;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto valor = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == "--correl") {
            d.correl = valor();
            d.enviada = true;
        } else if (a == "--opcion") {
            const QString o = valor();
            if (o == "declaracion") d.seleccion.opcion = OpcionImpresion::Declaracion;
            else if (o == "anexo") d.seleccion.opcion = OpcionImpresion::Anexo;
            else if (o == "ambos") d.seleccion.opcion = OpcionImpresion::DeclaracionYAnexo;
            else return uso("--opcion takes declaracion, anexo or ambos");
        } else if (a == "--exoneradas") {
            d.seleccion.exoneradas = true;
        } else if (a == "--dividendos") {
            d.seleccion.dividendos = true;
        } else if (a == "--pdf") {
            pdf = valor();
            if (pdf.isEmpty()) return uso("--pdf takes a file name");
        } else if (a.startsWith("--") || !d.ruc.isEmpty()) {
            return uso("unexpected argument " + a);
        } else {
            d.ruc = a.trimmed();
        }
    }
    if (d.ruc.isEmpty()) return uso("RUC is required");
    // Reading NEMDAL.INI makes SysPath the current folder: a relative OUT.pdf is the caller's.
    if (!pdf.isEmpty()) pdf = QFileInfo(pdf).absoluteFilePath();
    // The annexes print only with an option that includes them, as the window's check boxes do.
    if (d.seleccion.opcion == OpcionImpresion::Declaracion && (d.seleccion.exoneradas || d.seleccion.dividendos))
        return uso("--exoneradas and --dividendos need --opcion anexo or ambos");
    if (!d.seleccion.valida()) return uso("Debe seleccionar algún anexo");

    instalaDialogos(std::make_shared<DialogosConsola>());
    DatosSesion s;
    LeeConfiguracion(s);
    if (!AbreBaseDatos(s)) return 2;

    // The declaration: the name from CONT, the week and, for a sent one, its order and control.
    try {
        const QString sql =
            d.enviada
                ? "SELECT B.NOMBRE, A.SEMANA, A.NORDEN, A.CONTROL FROM HCAB AS A, CONT AS B WHERE "
                  "A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND A.FORMULARIO=? AND A.DOC_ID_D=? "
                  "AND A.CORREL=? AND A.ESTADO=1"
                : "SELECT B.NOMBRE, A.SEMANA FROM CAB AS A, CONT AS B WHERE A.DOC_ID_D=B.DOC_ID_D AND "
                  "A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND A.FORMULARIO=? AND A.DOC_ID_D=? AND A.PERIODO=? "
                  "ORDER BY A.SEMANA";
        const Registros r = s.Base->consulta(sql, d.enviada ? QVariantList{s.Formulario, d.ruc, d.correl}
                                                              : QVariantList{s.Formulario, d.ruc, s.Periodo});
        if (r.vacio()) {
            std::fprintf(stderr, "varnel-cli imprimir: no %s declaration of %s\n", d.enviada ? "sent" : "stored",
                         qPrintable(d.ruc));
            return 1;
        }
        d.nombre = r.texto(0, 0).trimmed();
        d.semana = r.valor(0, 1).isNull() ? 0 : r.valor(0, 1).toInt();
        if (d.enviada) {
            d.norden = r.texto(0, 2);
            d.control = r.texto(0, 3);
        }
    } catch (const ErrorBD& e) {
        std::fprintf(stderr, "varnel-cli imprimir: %d %s\n", e.numero(), qPrintable(e.descripcion()));
        return 1;
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
                 "--pdf also prints the report into OUT.pdf through the same path as 'reporte'.",
                 ejecuta);
