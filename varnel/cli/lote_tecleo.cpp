#include "varnel/cli/lote_tecleo.h"

#include <QRegularExpression>

#include "varnel/cli/lote_cambio.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"

namespace qvr {

namespace {

// Control lines are handed to the core in runs of at most this many lines or characters.
constexpr qsizetype kLineasPorTanda = 512;
constexpr qsizetype kCaracteresPorTanda = 256 * 1024;

int numeroCasilla(const QString& clave) {
    if (clave.isEmpty() || clave.size() > 3) return -1;
    for (QChar c : clave)
        if (!c.isDigit()) return -1;
    bool ok = false;
    const int n = clave.toInt(&ok);
    return ok ? n : -1;
}

QString mensaje(int numero, const QString& que, const QString& motivo) {
    return que.isEmpty() ? QString("línea %1: %2").arg(numero).arg(motivo)
                         : QString("línea %1: %2: %3").arg(numero).arg(que, motivo);
}

}  // namespace

QString claveDeLinea(const QString& texto) {
    const int igual = texto.indexOf(u'=');
    return igual < 0 ? QString() : texto.left(igual).trimmed().toLower();
}

QString nombreDeClave(const QString& clave) {
    if (clave.size() > 20) return QString();  // not a key of the batch: the line number says enough
    return numeroCasilla(clave) >= 0 ? "casilla " + clave : clave;
}

void TecleoLineas::rechaza(int numero, const QString& motivo) {
    avisa_(QString("línea %1: %2").arg(numero).arg(motivo));
    estado_ = 2;
}

QString avisoDeFalla(const LineaEntrada& l) {
    if (l.falla == LineaEntrada::Falla::Ninguna) return QString();
    const QString recortado = l.texto.trimmed();
    // A comment is never typed: what its bytes are does not matter. A long line is refused whatever
    // it holds, since the rest of it was not read.
    if (l.falla == LineaEntrada::Falla::NoUtf8 && (recortado.isEmpty() || recortado.startsWith(u'#')))
        return QString();
    const QString motivo = l.falla == LineaEntrada::Falla::NoUtf8
                               ? QStringLiteral("no es texto UTF-8; no se lee")
                               : QString("la línea pasa de %1 bytes; no se lee").arg(kLongitudMaximaLinea);
    return mensaje(l.numero, nombreDeClave(claveDeLinea(l.texto)), motivo);
}

void TecleoLineas::linea(const LineaEntrada& l) {
    if (l.falla != LineaEntrada::Falla::Ninguna) {
        const QString aviso = avisoDeFalla(l);
        if (!aviso.isEmpty()) {
            avisa_(aviso);
            estado_ = 2;
        }
        return;
    }
    QString t = l.texto;
    if (t.endsWith(u'\r')) t.chop(1);
    const QString recortado = t.trimmed();
    if (recortado.isEmpty() || recortado.startsWith(u'#')) return;
    const QString clave = claveDeLinea(t);
    const QString valor = t.mid(t.indexOf(u'=') + 1);
    const int n = numeroCasilla(clave);
    if (n >= 0 && existeCasilla(n)) {
        aplicaPendientes();
        tecleaCasilla(l.numero, clave, valor);
    } else if (clave == "telefono" || clave == "nacimiento") {
        aplicaPendientes();
        aplicaControl(l.numero, clave, valor, t);
    } else {
        pendientes_ << t;
        numerosPendientes_.push_back(l.numero);
        tamanoPendiente_ += t.size();
        if (pendientes_.size() >= kLineasPorTanda || tamanoPendiente_ >= kCaracteresPorTanda)
            aplicaPendientes();
    }
}

int TecleoLineas::termina() {
    aplicaPendientes();
    return estado_;
}

void TecleoLineas::tecleaCasilla(int numero, const QString& clave, const QString& valor) {
    const int n = clave.toInt();
    const std::optional<TextoTecleado> t = tecleaYLee(d_, n, valor);
    if (!t) {
        avisa_(QString("línea %1: la casilla %2 está bloqueada; no se tecleó nada").arg(numero).arg(clave));
        return;
    }
    const QString motivo = motivoDeCambio(n, valor, *t);
    if (!motivo.isEmpty()) {
        avisa_(mensaje(numero, "casilla " + clave, citaValor(valor) + " " + motivo));
        estado_ = 2;
    }
}

// The telephone and the birth date are typed through their own filters: what they would keep
// differently is refused as a box's value is.
void TecleoLineas::aplicaControl(int numero, const QString& clave, const QString& valor,
                                 const QString& texto) {
    const ResultadoLote r = ejecutaLote(d_, {texto}, false);
    informa(r.avisos, {numero});
    if (r.estado != 0) {
        estado_ = 2;
        return;
    }
    const QString v = valor.trimmed();
    if (clave == "telefono" && d_.controles.telefono != v) {
        avisa_(mensaje(numero, clave,
                       citaValor(valor) + " el teléfono admite solo cifras, hasta 8; quedaría " +
                           citaValor(d_.controles.telefono)));
        estado_ = 2;
    } else if (clave == "nacimiento" && !v.isEmpty() && d_.controles.fechaNacimiento != v) {
        avisa_(
            mensaje(numero, clave,
                    citaValor(valor) + " no es una fecha válida dd/mm/aaaa entre 01/01/1850 y 01/01/2500"));
        estado_ = 2;
    }
}

void TecleoLineas::aplicaPendientes() {
    if (pendientes_.isEmpty()) return;
    const ResultadoLote r = ejecutaLote(d_, pendientes_, false);
    if (r.estado != 0 && pendientes_.size() > 1) {
        // A malformed line keeps its whole run from being typed: the run goes again line by line,
        // so that the good lines are typed and the lines after them checked as they would be.
        for (qsizetype i = 0; i < pendientes_.size(); ++i) {
            const ResultadoLote una = ejecutaLote(d_, {pendientes_[i]}, false);
            informa(una.avisos, {numerosPendientes_[size_t(i)]});
            if (una.estado != 0) estado_ = 2;
        }
    } else {
        informa(r.avisos, numerosPendientes_);
        if (r.estado != 0) estado_ = 2;
    }
    pendientes_.clear();
    numerosPendientes_.clear();
    tamanoPendiente_ = 0;
}

// The core numbers the lines it was given from 1: each message gets its line of the input back.
void TecleoLineas::informa(const QStringList& avisos, const std::vector<int>& numeros) {
    static const QRegularExpression linea(QStringLiteral("^línea ([0-9]+): "));
    for (const QString& a : avisos) {
        const QRegularExpressionMatch m = linea.match(a);
        const qsizetype i = m.hasMatch() ? m.captured(1).toLongLong() - 1 : -1;
        if (i >= 0 && i < qsizetype(numeros.size()))
            avisa_(QString("línea %1: ").arg(numeros[size_t(i)]) + a.mid(m.capturedLength()));
        else
            avisa_(a);
    }
}

int tecleaEntrada(Declaracion& d, LectorLineas& lector, const Avisa& avisa) {
    TecleoLineas t(d, avisa);
    LineaEntrada l;
    while (lector.siguiente(l)) t.linea(l);
    const int estado = t.termina();
    if (lector.error()) {
        avisa(QStringLiteral("la entrada no pudo leerse hasta el final"));
        return 2;
    }
    return estado;
}

QStringList salidaDeclaracion(Declaracion& d, bool det) { return ejecutaLote(d, {}, det).salida; }

}  // namespace qvr
