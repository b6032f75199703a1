// varnel-cli's declaration lines (calcular, grabar, validar) on arbitrary bytes, read by its line
// reader and typed into a new declaration without a database: unreadable, malformed and changed
// values are refused with a line number of the input, anything else is typed through the boxes' key
// filters and the recalculation, and neither crashes.
//
// Leading comment lines, which the batch ignores, choose what calcular's options would:
//   #det          print the stored values
//   #uit=N        the UIT (3100 when not given)
//   #tasa110=N    the rate of box 110 (0.015 when not given)
#include <QBuffer>
#include <QRegularExpression>
#include <QStringList>
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

// The fuzz targets link the core only: the batch's reader and typing are compiled in here.
#include "varnel/cli/lote_cambio.cpp"
#include "varnel/cli/lote_entrada.cpp"
#include "varnel/cli/lote_tecleo.cpp"

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

// The option lines at the head; nullopt for a value calcular's options refuse. `l` is left holding
// the first line that is no option, `hay` telling whether there is one.
struct Opciones {
    bool det = false;
    double uit = 3100;
    double tasa110 = 0.015;
};
std::optional<Opciones> opcionesDe(qvr::LectorLineas& lector, qvr::LineaEntrada& l, bool* hay) {
    Opciones o;
    while ((*hay = lector.siguiente(l))) {
        const QString& t = l.texto;
        if (l.falla != qvr::LineaEntrada::Falla::Ninguna) break;
        if (t == "#det") {
            o.det = true;
        } else if (t.startsWith("#uit=") || t.startsWith("#tasa110=")) {
            const auto v = qvr::numeroDeTexto(t.mid(t.indexOf('=') + 1));
            if (!v || *v < 0) return std::nullopt;
            (t.startsWith("#uit=") ? o.uit : o.tasa110) = *v;
        } else {
            break;
        }
    }
    return o;
}

// The line number a message names ("línea 12: ...", "line 12: ..."); 0 when it names none.
int numeroDe(const QString& aviso) {
    static const QRegularExpression linea(QStringLiteral("^(?:línea|line) ([0-9]+): "));
    const QRegularExpressionMatch m = linea.match(aviso);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
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
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    qvr::LectorLineas lector(b);
    qvr::LineaEntrada l;
    bool hay = false;
    const std::optional<Opciones> o = opcionesDe(lector, l, &hay);
    if (!o) return 0;
    const auto f = nuevaDeclaracion(qvr::Tasas{o->uit, o->tasa110, 0});

    QStringList avisos;
    qvr::TecleoLineas tecleo(f->d, [&](const QString& a) { avisos << a; });
    int ultima = hay ? l.numero - 1 : 0;
    for (; hay; hay = lector.siguiente(l)) {
        if (l.numero != ultima + 1) falla("line numbers skip:", QString::number(l.numero));
        ultima = l.numero;
        if (l.texto.size() > qvr::kLongitudMaximaLinea) falla("a line past the bound was kept");
        tecleo.linea(l);
    }
    const int estado = tecleo.termina();

    if (estado != 0 && estado != 2) falla("exit status", QString::number(estado));
    if (estado == 2 && avisos.isEmpty()) falla("a refused batch says nothing");
    for (const QString& a : avisos) {
        const int n = numeroDe(a);
        if (n < 1 || n > ultima) falla("a message without a line of the input:", a);
        if (estado == 0 && !a.contains("is locked")) falla("an accepted batch reported:", a);
    }
    if (estado != 0) return 0;
    static const QRegularExpression casilla("^[0-9]{3}=");
    for (const QString& s : qvr::salidaDeclaracion(f->d, o->det)) {
        if (!casilla.match(s).hasMatch() || !f->d.existe(s.left(3).toInt())) falla("not a box line:", s);
        if (s.contains(u'\n')) falla("a box line holds a line break:", s);
    }
    return 0;
}
