// varnel-cli grabar: a declaration typed as `calcular` types it, saved as the window saves it.
#include <QFile>
#include <cstdio>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "varnel/cli/comando.h"
#include "varnel/cli/comunes.h"
#include "varnel/cli/lote_declaracion.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli grabar: %s\n", qPrintable(texto)); }

int grabar(const QStringList& args) {
    QString motivo;
    QFile entrada;
    if (!cli::entradaDeArgumentos(args, entrada, &motivo)) return error(motivo), 2;
    return cli::ejecutaConBase(
        [&](DatosSesion& s) {
            LectorLineas lector(entrada);
            const ResultadoGrabarLote r = grabaLote(*s.Base, s.Formulario, s.Usuario, lector, error);
            return cli::SalidaLote{r.salida, r.avisos, r.lineas};
        },
        error);
}

}  // namespace

REGISTRA_COMANDO(
    "grabar", "grabar [ARCHIVO]",
    "Graba una declaración en la base de datos de NEMDAL.INI como la graba la ventana de la declaración.\n"
    "Lee las líneas de `calcular` (NNN=texto y los otros controles) después de una línea ruc=RUC que\n"
    "nombra un contribuyente que el usuario configurado (SysUser) puede elegir; cualquier otro RUC se\n"
    "rechaza. Antes de la línea ruc= solo puede haber líneas vacías o de comentario, y una posterior solo\n"
    "puede repetirla. Cada línea se revisa como en `calcular`; si se rechaza alguna no se graba nada. Si\n"
    "ese RUC ya tiene una declaración del formulario 0738 de 2003, se abre y las líneas la modifican; si\n"
    "no, se ingresa una declaración nueva. Las verificaciones de identificación de la ventana se hacen\n"
    "antes de escribir nada; sus mensajes van a la salida de errores. Imprime estado=N, el estado de la\n"
    "cabecera (0 consistente).\n"
    "Salida 1: RUC rechazado, verificaciones fallidas o un error de la base de datos; 2: entrada mal\n"
    "formada o sin base de datos.",
    grabar);
