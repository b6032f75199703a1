// Arbitrary bytes as the text of NEMDAL.INI: reading and writing must never crash, a value written
// with a plain key must read back unchanged, and a write must not change what any other key reads.
#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>
#include <cstdlib>

#include "platform/profile.h"

namespace {

// A name or value the profile functions keep as written: printable ASCII, no surrounding blanks,
// no quotes at the ends, and for names nothing that would make the line a section or comment.
bool esNombreLimpio(const QString& s) {
    if (s.isEmpty() || s.trimmed() != s) return false;
    for (QChar c : s)
        if (c.unicode() < 0x21 || c.unicode() > 0x7e || c == u'=' || c == u'[' || c == u']' || c == u';')
            return false;
    return true;
}

bool esValorLimpio(const QString& s) {
    if (s.trimmed() != s || s.size() > qvr::kPerfilBuffer - 1) return false;
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e) return false;
    if (s.size() >= 2 && (s.front() == u'"' || s.front() == u'\'') && s.front() == s.back()) return false;
    return true;
}

void falla(const char* que) {
    fprintf(stderr, "profile invariant broken: %s\n", que);
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    const QString seccion = QString::fromStdString(fdp.ConsumeRandomLengthString(24));
    const QString clave = QString::fromStdString(fdp.ConsumeRandomLengthString(24));
    const QString otraSeccion = QString::fromStdString(fdp.ConsumeRandomLengthString(24));
    const QString otraClave = QString::fromStdString(fdp.ConsumeRandomLengthString(24));
    const QString valor = QString::fromStdString(fdp.ConsumeRandomLengthString(300));
    const int buffer = fdp.ConsumeIntegralInRange<int>(-1, 300);
    const std::string resto = fdp.ConsumeRemainingBytesAsString();
    const QByteArray contenido(resto.data(), qsizetype(resto.size()));

    // Any buffer, any names: no crash, never longer than the buffer allows.
    const QString leido = qvr::Perfil::leeTexto(contenido, seccion, clave, QStringLiteral("defecto"), buffer);
    if (buffer > 0 && leido.size() > buffer - 1) falla("read longer than the buffer");

    const QByteArray escrito = qvr::Perfil::escribeTexto(contenido, seccion, clave, valor);

    if (!esNombreLimpio(seccion) || !esNombreLimpio(clave) || !esValorLimpio(valor)) return 0;
    if (qvr::Perfil::leeTexto(escrito, seccion, clave, QStringLiteral("@"), qvr::kPerfilBuffer) != valor)
        falla("written value does not read back");

    // Another key reads the same before and after the write.
    const bool mismaClave = seccion.compare(otraSeccion, Qt::CaseInsensitive) == 0 &&
                            clave.compare(otraClave, Qt::CaseInsensitive) == 0;
    if (!mismaClave && esNombreLimpio(otraSeccion) && esNombreLimpio(otraClave)) {
        const QString antes = qvr::Perfil::leeTexto(contenido, otraSeccion, otraClave, QStringLiteral("@"));
        const QString despues = qvr::Perfil::leeTexto(escrito, otraSeccion, otraClave, QStringLiteral("@"));
        if (antes != despues) falla("a write changed another key");
    }
    return 0;
}
