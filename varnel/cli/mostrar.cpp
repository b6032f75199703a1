// varnel-cli mostrar: a stored or sent declaration opened as the declaration window opens it.
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_declaracion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli mostrar: %s\n", qPrintable(texto)); }

int mostrar(const QStringList& args) {
    QString motivo;
    const auto a = cli::leeArgumentos(args, {{"--correl"}, {}, 1, "RUC"}, &motivo);
    if (!a) return error(motivo), 2;
    const QString ruc = a->posicional();
    if (ruc.isEmpty()) return error("falta el RUC"), 2;
    return cli::ejecutaConBase(
        [&](DatosSesion& s) {
            const ResultadoGrabarLote r = muestraDeclaracion(*s.Base, s.Formulario, s.Usuario, ruc, a->valor("--correl"));
            return cli::SalidaLote{r.salida, r.avisos, r.lineas};
        },
        error);
}

}  // namespace

REGISTRA_COMANDO(
    "mostrar", "mostrar RUC [--correl C]",
    "Abre la declaración guardada del RUC (o, con --correl, la enviada con ese correlativo) por los\n"
    "pasos de carga de la ventana de la declaración e imprime cada casilla no vacía como NNN=texto, tal\n"
    "como se muestra, y luego los otros controles como clave=valor con las claves que lee `calcular` (y\n"
    "orden, verifica en una enviada). Como la ventana, la apertura vuelve a llenar las tablas de trabajo\n"
    "de los anexos.\n"
    "Salida 1: no existe esa declaración o un error de la base de datos; 2: argumentos incorrectos o sin\n"
    "base de datos.",
    mostrar);
