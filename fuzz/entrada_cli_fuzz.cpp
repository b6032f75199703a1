// varnel-cli's declaration lines (calcular, grabar, validar) on arbitrary bytes, typed into a new
// declaration without a database: malformed lines are reported and nothing applied, anything else
// is typed through the boxes' key filters and the recalculation, and neither crashes.
//
// Leading comment lines, which the batch ignores, choose what calcular's options would:
//   #det          print the stored values
//   #uit=N        the UIT (3100 when not given)
//   #tasa110=N    the rate of box 110 (0.015 when not given)
#include <QBuffer>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/formato.h"
#include "platform/dialogs.h"
#include "varnel/computation/recalculo.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"

namespace {

// Every message box answered with its default button, and nothing kept.
class DialogosMudos : public qvr::Dialogos {
  public:
    using Dialogos::muestra;
    qvr::Respuesta muestra(const qvr::Mensaje&, qvr::Respuesta defecto) override { return defecto; }
};

// A new declaration as `varnel-cli calcular` prepares it when no database fills its lists. The one
// place that knows how a declaration is built and gets its recalculation.
struct Formulario {
    qvr::ValoresEjecucion valores;
    qvr::Declaracion d;
    explicit Formulario(qvr::Tasas tasas) : d(valores, tasas) {
        qvr::conectaCalculo(d);
        d.preparaNueva();
    }
};

std::unique_ptr<Formulario> nuevaDeclaracion(qvr::Tasas tasas) { return std::make_unique<Formulario>(tasas); }

// The lines as varnel-cli reads a file or standard input.
QStringList lineasDe(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    QTextStream in(&b);
    in.setEncoding(QStringConverter::Utf8);
    QStringList lineas;
    while (!in.atEnd()) lineas << in.readLine();
    return lineas;
}

// The option lines at the head; nullopt for a value calcular's options refuse.
struct Opciones {
    bool det = false;
    double uit = 3100;
    double tasa110 = 0.015;
};
std::optional<Opciones> opcionesDe(const QStringList& lineas) {
    Opciones o;
    for (const QString& l : lineas) {
        if (l == "#det") {
            o.det = true;
        } else if (l.startsWith("#uit=") || l.startsWith("#tasa110=")) {
            const auto v = qvr::numeroDeTexto(l.mid(l.indexOf('=') + 1));
            if (!v || *v < 0) return std::nullopt;
            (l.startsWith("#uit=") ? o.uit : o.tasa110) = *v;
        } else {
            break;
        }
    }
    return o;
}

void falla(const char* que, const QString& detalle = {}) {
    std::fprintf(stderr, "batch invariant broken: %s %s\n", que, qPrintable(detalle));
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qvr::instalaDialogos(std::make_shared<DialogosMudos>());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lineas = lineasDe(data, size);
    const std::optional<Opciones> o = opcionesDe(lineas);
    if (!o) return 0;
    const auto f = nuevaDeclaracion(qvr::Tasas{o->uit, o->tasa110, 0});
    const qvr::ResultadoLote r = qvr::ejecutaLote(f->d, lineas, o->det);

    if (r.estado != 0 && r.estado != 2) falla("exit status", QString::number(r.estado));
    if (r.estado == 2 && (!r.salida.isEmpty() || r.avisos.isEmpty())) falla("a refused batch printed boxes");
    static const QRegularExpression casilla("^[0-9]{3}=");
    for (const QString& s : r.salida) {
        if (!casilla.match(s).hasMatch() || !f->d.existe(s.left(3).toInt())) falla("not a box line:", s);
        if (s.contains(u'\n')) falla("a box line holds a line break:", s);
    }
    return 0;
}
