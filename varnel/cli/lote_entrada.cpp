#include "varnel/cli/lote_entrada.h"

#include <QIODevice>

namespace qvr {

namespace {

constexpr qsizetype kBloque = 64 * 1024;

}  // namespace

bool LectorLineas::llena() {
    if (fin_) return false;
    // What was consumed goes first, so that the buffer stays within a line and a block.
    if (inicio_ > 0) {
        bufer_.remove(0, inicio_);
        inicio_ = 0;
    }
    const qsizetype antes = bufer_.size();
    bufer_.resize(antes + kBloque);
    const qint64 leidos = origen_.read(bufer_.data() + antes, kBloque);
    bufer_.resize(antes + qMax<qint64>(leidos, 0));
    if (leidos < 0) error_ = true;
    if (leidos <= 0) fin_ = true;
    return leidos > 0;
}

QString LectorLineas::decodifica(QByteArrayView bytes, bool* valido) {
    estricto_.resetState();
    QString texto = estricto_.decode(bytes);
    *valido = !estricto_.hasError();
    return texto;
}

bool LectorLineas::siguiente(LineaEntrada& linea) {
    // The line end is searched within the bound only: a longer line is cut there and the rest of it
    // is read past without being kept.
    qsizetype fin = -1;
    qsizetype buscados = 0;  // bytes of this line already searched
    for (;;) {
        fin = bufer_.indexOf('\n', inicio_ + buscados);
        if (fin >= 0) break;
        buscados = bufer_.size() - inicio_;
        if (buscados > kLongitudMaximaLinea || !llena()) break;
    }
    if (fin < 0 && bufer_.size() == inicio_) return false;  // the end: no bytes left

    QByteArrayView bytes;
    bool larga = false;
    if (fin >= 0) {
        bytes = QByteArrayView(bufer_).sliced(inicio_, fin - inicio_);
    } else {
        bytes = QByteArrayView(bufer_).sliced(inicio_);  // the last line, without a line end
    }
    if (bytes.size() > kLongitudMaximaLinea) {
        larga = true;
        bytes = bytes.first(kLongitudMaximaLinea);
    }
    if (!larga && bytes.endsWith('\r')) bytes.chop(1);
    if (numero_ == 0 && bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);  // a byte-order mark

    linea.numero = ++numero_;
    bool valido = true;
    linea.texto = decodifica(bytes, &valido);
    linea.falla = larga    ? LineaEntrada::Falla::Larga
                  : valido ? LineaEntrada::Falla::Ninguna
                           : LineaEntrada::Falla::NoUtf8;

    if (!larga) {
        inicio_ = fin >= 0 ? fin + 1 : bufer_.size();
        return true;
    }
    // The rest of a long line: read and dropped up to its line end.
    for (;;) {
        const qsizetype salto = bufer_.indexOf('\n', inicio_);
        if (salto >= 0) {
            inicio_ = salto + 1;
            return true;
        }
        inicio_ = bufer_.size();
        if (!llena()) return true;
    }
}

}  // namespace qvr
