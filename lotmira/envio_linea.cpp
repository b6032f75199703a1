#include "lotmira/envio_linea.h"

#include <QStringList>

namespace qvr {

namespace {

constexpr int kCampos = 13;

const char* const kNombres[kCampos] = {"",         "tabla_o",     "tabla_d",    "tabla_ext",    "indice",
                                       "obliga",   "c_tip_doc_d", "c_doc_id_d", "c_Formulario", "c_periodo",
                                       "c_estado", "c_envio",     "c_semana"};

bool soloDigitos(const QString& t) {
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

// A whole number 0..255.
std::optional<int> byte(const QString& campo) {
    const QString t = campo.trimmed();
    if (!soloDigitos(t) || t.size() > 3) return std::nullopt;
    const int n = t.toInt();
    if (n > 255) return std::nullopt;
    return n;
}

// A number: whole ("12", "-1") or with decimals ("1.5").
std::optional<QVariant> numero(const QString& campo) {
    const QString t = campo.trimmed();
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (ok) return QVariant(n);
    const QString sinSigno = t.startsWith('-') || t.startsWith('+') ? t.mid(1) : t;
    const QStringList partes = sinSigno.split('.');
    if (partes.size() != 2 || (partes[0].isEmpty() && partes[1].isEmpty())) return std::nullopt;
    for (const QString& p : partes)
        if (!p.isEmpty() && !soloDigitos(p)) return std::nullopt;
    const double d = t.toDouble(&ok);
    if (!ok) return std::nullopt;
    return QVariant(d);
}

}  // namespace

LineaEnvio LeeLineaEnvio(const QString& linea) {
    LineaEnvio r;
    const QStringList campos = linea.split('|');
    // n fields each followed by "|" give n + 1 pieces; the last field may lack its "|".
    const int n = linea.isEmpty() ? 0 : int(campos.size()) - (linea.endsWith('|') ? 1 : 0);
    if (n < kCampos) {
        r.error = QString("tiene %1 campos de %2").arg(n).arg(kCampos);
        return r;
    }
    FilaEnvio f;
    f.tablaO = campos[1].trimmed();
    f.tablaD = campos[2].trimmed().isEmpty() ? QStringLiteral(" ") : campos[2];
    f.tablaExt = campos[3].trimmed();
    int* pequenos[3] = {&f.indice, &f.obliga, &f.cTipDocD};
    for (int i = 0; i < 3; ++i) {
        const auto valor = byte(campos[4 + i]);
        if (!valor) {
            r.error = QString("el campo %1 (%2) no es un número de 0 a 255: \"%3\"")
                          .arg(4 + i)
                          .arg(kNombres[4 + i], campos[4 + i]);
            return r;
        }
        *pequenos[i] = *valor;
    }
    for (int i = 0; i < 6; ++i) {
        const auto valor = numero(campos[7 + i]);
        if (!valor) {
            r.error = QString("el campo %1 (%2) no es un número: \"%3\"")
                          .arg(7 + i)
                          .arg(kNombres[7 + i], campos[7 + i]);
            return r;
        }
        f.numeros[i] = *valor;
    }
    r.fila = f;
    return r;
}

}  // namespace qvr
