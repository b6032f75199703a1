// varnel-cli recuperacion: the recovery copies of declarations being typed, for support to look at
// without the window. Reads only: nothing is restored, set aside or removed.
#include "varnel/declaration/recuperacion.h"

#include <QDir>
#include <cstdio>

#include "varnel/cli/comando.h"

namespace {

using namespace qvr;

void error(const QString& texto) { std::fprintf(stderr, "varnel-cli recuperacion: %s\n", qPrintable(texto)); }

int recuperacion(const QStringList& args) {
    QString ruc;
    bool mostrar = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--mostrar") {
            if (i + 1 >= args.size()) return error("--mostrar necesita un RUC"), 2;
            mostrar = true;
            ruc = args[++i].trimmed();
        } else {
            return error("argumento desconocido " + args[i]), 2;
        }
    }
    const std::vector<CopiaListada> copias = listaCopias();
    if (!mostrar) {
        for (const CopiaListada& c : copias) {
            const QString archivo = QDir::toNativeSeparators(c.archivo);
            if (c.copia)
                std::printf("%s\t%s\t%s\t%s\n", qPrintable(c.copia->usuario), qPrintable(c.copia->clave.ruc),
                            qPrintable(momentoTexto(c.copia->momento)), qPrintable(archivo));
            else
                std::printf("?\t?\tdañada: %s\t%s\n", qPrintable(c.error), qPrintable(archivo));
        }
        return 0;
    }
    int mostradas = 0;
    for (const CopiaListada& c : copias) {
        if (!c.copia || c.copia->clave.ruc != ruc) continue;
        if (mostradas++) std::printf("\n");
        std::printf("archivo=%s\n", qPrintable(QDir::toNativeSeparators(c.archivo)));
        for (const QString& l : lineasCopia(*c.copia)) std::printf("%s\n", qPrintable(l));
    }
    bool danadas = false;
    for (const CopiaListada& c : copias)
        if (!c.copia && c.archivo.contains("_" + ruc + "_")) {
            error(QString("%1: %2").arg(QDir::toNativeSeparators(c.archivo), c.error));
            danadas = true;
        }
    if (mostradas == 0 && !danadas)
        error(QString("no hay copia de recuperación del RUC %1 en %2").arg(ruc, carpetaRecuperacion()));
    return mostradas > 0 && !danadas ? 0 : 1;
}

}  // namespace

REGISTRA_COMANDO("recuperacion", "recuperacion [--mostrar RUC]",
                 "Lista las copias de recuperación que la ventana de la declaración guarda de lo tecleado\n"
                 "sin grabar, en $XDG_DATA_HOME/qvr/recuperacion: usuario, RUC, hora de la copia y archivo,\n"
                 "separados por tabuladores (una copia ilegible dice por qué). Con --mostrar imprime cada\n"
                 "copia del RUC como líneas clave=valor: quién y cuándo, cada casilla no vacía como\n"
                 "NNN=texto, los otros controles y las filas de los anexos. Solo lee.\n"
                 "Salida 1: no hay una copia legible de ese RUC; 2: argumentos incorrectos.",
                 recuperacion);
