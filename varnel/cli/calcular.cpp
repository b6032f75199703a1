// varnel-cli calcular: types a declaration through the declaration core and prints its boxes.
#include <QFile>
#include <cstdio>

#include "common/catalogos.h"
#include "common/conexion.h"
#include "common/formato.h"
#include "common/sesion.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_tecleo.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/lote.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli calcular: %s\n", qPrintable(texto)); }

std::optional<double> opcionNumerica(const QString& texto) {
    const auto n = numeroDeTexto(texto);
    return n && *n >= 0 ? n : std::nullopt;
}

int calcular(const QStringList& args) {
    QString motivo;
    const auto a = cli::leeArgumentos(args, {{"--uit", "--tasa110"}, {"--det"}}, &motivo);
    if (!a) return error(motivo), 2;
    std::optional<double> uit, tasa110;
    for (const char* opcion : {"--uit", "--tasa110"}) {
        if (!a->tiene(opcion)) continue;
        const auto v = opcionNumerica(a->valor(opcion));
        if (!v) return error(QString(opcion) + ": not a number: " + a->valor(opcion)), 2;
        (QString(opcion) == "--uit" ? uit : tasa110) = v;
    }
    const bool det = a->tiene("--det");
    QFile entrada;
    if (!cli::abreEntrada(a->posicional(), entrada, &motivo)) return error(motivo), 2;

    // The rates come from the options or else from the catalogs of the configured database.
    DatosSesion s;
    if (!uit || !tasa110) {
        LeeConfiguracion(s);
        if (leeOpcion("DBName").isEmpty()) {
            error("no --uit/--tasa110 given and no database configured in NEMDAL.INI");
            return 2;
        }
        if (!AbreBaseDatos(s)) return 2;
        try {
            if (!uit) uit = valorDeTasa(UitDelAnio(*s.Base, s.Periodo));
            if (!tasa110) tasa110 = valorDeTasa(TasaPorCodigo(*s.Base, "050802", catalogo::Tasas, s.Periodo));
        } catch (const ErrorBD& e) {
            error(QString("reading the catalogs: %1 %2").arg(e.numero()).arg(e.descripcion()));
            return 2;
        }
        if (!uit) return error("no UIT for " + s.Periodo + " in catalog '404'; give --uit"), 2;
        if (!tasa110) return error("no rate '050802' in catalog '998'; give --tasa110"), 2;
    }

    ValoresEjecucion valores;
    Declaracion d(valores, Tasas{*uit, *tasa110, 0});
    conectaCalculo(d);
    if (s.Base) {
        try {
            llenaListas(d, *s.Base);
        } catch (const ErrorBD& e) {
            error(QString("reading the lists: %1 %2").arg(e.numero()).arg(e.descripcion()));
            return 2;
        }
    }
    d.preparaNueva();
    LectorLineas lector(entrada);
    const int estado =
        tecleaEntrada(d, lector, [](const QString& a) { std::fprintf(stderr, "%s\n", a.toUtf8().constData()); });
    if (estado != 0) return estado;
    for (const QString& l : salidaDeclaracion(d, det)) std::printf("%s\n", l.toUtf8().constData());
    return 0;
}

}  // namespace

REGISTRA_COMANDO(
    "calcular", "calcular [--uit U] [--tasa110 T] [--det] [FILE]",
    "Types a declaration into a new form 0738 as a person at the keyboard does and prints the boxes.\n"
    "Reads lines NNN=text from FILE or standard input; blank lines and lines starting with # are ignored.\n"
    "For each line box NNN gets the focus, its text is selected and deleted, each character of text is\n"
    "typed through the box's key filter, and the focus leaves the box. Boxes 530-540 are typed through\n"
    "the detail window of box 200 (535-539) or 201 (530-534, 540), accepted with Aceptar.\n"
    "Other controls: ruc, telefono, profesion, alquiler (1 Si, 2 No), rectifica, devolucion, general,\n"
    "extranjero, fideicomiso (1 Si, 0 No), tipodoc.NNN (code chosen in list NNN), nacimiento (dd/mm/yyyy),\n"
    "pago.forma, pago.banco, pago.cheque, pago.monto.\n"
    "Prints every non-empty box as NNN=text as shown, in box order; with --det the stored value (i_valor)\n"
    "of each non-empty box of the save order, in that order.\n"
    "The UIT and the box-110 rate come from --uit/--tasa110 or else from the catalogs '404' and '998' of\n"
    "the database of NEMDAL.INI (which also fills the document-type and profession lists).\n"
    "A locked box is reported on standard error and left as it is.\n"
    "The input is read line by line in UTF-8. A value its box would keep changed is refused: digits or\n"
    "characters beyond the box's length, a sign, decimals, characters its key filter drops (thousands\n"
    "separators where the box shows them, the case of letters and blanks around the value excepted);\n"
    "so are a telephone or birth date the control would change, bytes that are not UTF-8 and lines\n"
    "longer than 65536 bytes. Every line is checked and each refusal reported with its line number.\n"
    "Exit status 2: a malformed or refused line (no '=', unknown key or box, a changed value), no rates,\n"
    "unreadable input; nothing is printed then.",
    calcular);
