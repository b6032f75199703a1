#include "varnel/cli/lote_cambio.h"

#include <QRegularExpression>
#include <QStringList>
#include <optional>

#include "varnel/declaration/inventario.h"

namespace qvr {

namespace {

bool esMonto(TipoCasilla t) {
    return t == TipoCasilla::MontoSimple || t == TipoCasilla::Deduccion || t == TipoCasilla::OtroMonto;
}

bool esCifra(QChar c) { return c >= u'0' && c <= u'9'; }

// The digits of an amount written plainly or with its display's thousands separators (and, in a
// deduction box, within its display's parentheses); nullopt for any other writing.
std::optional<QString> cifrasDe(QString v, bool parentesis) {
    if (parentesis && v.size() > 2 && v.startsWith(u'(') && v.endsWith(u')')) v = v.mid(1, v.size() - 2);
    static const QRegularExpression simple(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression agrupado(QStringLiteral("^[0-9]{1,3}(,[0-9]{3})+$"));
    if (simple.match(v).hasMatch()) return v;
    if (agrupado.match(v).hasMatch()) return v.remove(u',');
    return std::nullopt;
}

bool mismoValor(TipoCasilla tipo, const QString& valor, const TextoTecleado& t) {
    const QString v = valor.trimmed();
    if (t.tecleado == valor || t.tecleado == v) return true;
    // The box writes capitals: the same letters in another case are the same text.
    if (t.tecleado.size() == v.size() && t.tecleado.compare(v, Qt::CaseInsensitive) == 0) return true;
    if (!esMonto(tipo)) return false;
    if (t.mostrado == v) return true;
    const auto cifras = cifrasDe(v, tipo == TipoCasilla::Deduccion);
    return cifras && *cifras == t.tecleado;
}

bool mismaLetra(QChar escrita, QChar tecleada) {
    return escrita == tecleada || QString(escrita).toUpper() == QString(tecleada);
}

}  // namespace

QString citaValor(const QString& valor) {
    QString r;
    int mostrados = 0;
    for (QChar c : valor) {
        if (++mostrados > 40) {
            r += u'…';
            break;
        }
        if (c.unicode() < 32 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            r += QString("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
        else
            r += c;
    }
    return u'"' + r + u'"';
}

QString motivoDeCambio(int casilla, const QString& valor, const TextoTecleado& t) {
    const InfoCasilla* info = infoCasilla(casilla);
    const TipoCasilla tipo = info ? info->tipo : TipoCasilla::Nombre;
    if (mismoValor(tipo, valor, t)) return QString();

    const bool monto = esMonto(tipo);
    const bool cifras = monto || tipo == TipoCasilla::Ruc || tipo == TipoCasilla::Indicador;
    const QString v = valor.trimmed();
    bool signo = false, decimales = false, cortado = false, separadores = false;
    QString caidos;
    // What was typed is what the filter let through of the value, in order, up to the length: walk
    // both to tell the dropped characters from those the length cut off.
    qsizetype j = 0;
    for (QChar c : v) {
        if (j < t.tecleado.size() && mismaLetra(c, t.tecleado[j])) {
            ++j;
            continue;
        }
        if (monto &&
            (c == u'-' || c == u'+' || (tipo != TipoCasilla::Deduccion && (c == u'(' || c == u')')))) {
            signo = true;
        } else if (monto && c == u'.') {
            decimales = true;
        } else if (monto && (c == u',' || c == u'(' || c == u')')) {
            separadores = true;
        } else if (j >= t.tecleado.size() && t.longitud > 0 && t.tecleado.size() >= t.longitud &&
                   (!cifras || esCifra(c))) {
            cortado = true;
        } else if (!caidos.contains(c)) {
            caidos += c;
        }
    }

    QStringList motivos;
    if (signo) motivos << QStringLiteral("lleva signo; la casilla admite solo cifras");
    if (decimales) motivos << QStringLiteral("lleva decimales; la casilla admite solo importes enteros");
    if (!caidos.isEmpty()) motivos << "lleva caracteres que la casilla no admite (" + citaValor(caidos) + ")";
    if (cortado)
        motivos << QString(cifras ? "pasa de las %1 cifras que admite la casilla"
                                  : "pasa de los %1 caracteres que admite la casilla")
                       .arg(t.longitud);
    if (motivos.isEmpty() && separadores)
        motivos << "lleva los separadores de miles fuera de su sitio (la casilla mostraría " +
                       citaValor(t.mostrado) + ")";
    if (motivos.isEmpty()) motivos << "la casilla lo guardaría como " + citaValor(t.mostrado);
    return motivos.join(QStringLiteral("; "));
}

}  // namespace qvr
