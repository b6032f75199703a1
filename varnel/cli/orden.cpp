// varnel-cli orden: registers the order number of a sent declaration, as its window's save does.
#include <cstdio>

#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_declaracion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli orden: %s\n", qPrintable(texto)); }

int orden(const QStringList& args) {
    QString motivo;
    const auto a = cli::leeArgumentos(args, {{"--correl", "--orden", "--digitos"}, {}, 1, "RUC"}, &motivo);
    if (!a) return error(motivo), 2;
    const QString ruc = a->posicional();
    if (ruc.isEmpty() || a->valor("--correl").isEmpty() || !a->tiene("--orden") || !a->tiene("--digitos"))
        return error("Uso: varnel-cli orden RUC --correl C --orden NNNNNNNN --digitos DD"), 2;
    instalaDialogos(dialogosParaLineaDeComandos());
    return cli::ejecutaConBase(
        [&](DatosSesion& s) {
            const ResultadoGrabarLote r = registraOrden(*s.Base, s.Formulario, s.Usuario, ruc, a->valor("--correl"),
                                                        a->valor("--orden"), a->valor("--digitos"));
            return cli::SalidaLote{r.salida, r.avisos, r.lineas};
        },
        error);
}

}  // namespace

REGISTRA_COMANDO(
    "orden", "orden RUC --correl C --orden NNNNNNNN --digitos DD",
    "Registra el número de orden de la declaración enviada RUC / C de la base de datos de NEMDAL.INI,\n"
    "como la ventana de la declaración graba una declaración enviada: el número de orden debe tener 8\n"
    "caracteres y DD deben ser sus dígitos de verificación para el número de control del envío\n"
    "(mensajes en la salida de errores). Solo un contribuyente que el usuario configurado puede elegir\n"
    "(como lo muestra la lista de declaraciones enviadas).\n"
    "Salida 1: rechazado o no existe ese envío; 2: argumentos incorrectos o sin base de datos.",
    orden);
