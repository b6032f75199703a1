#pragma once
// Reading varnel-cli's input lines from a file or standard input one at a time: the input is never
// held whole, a line longer than kLongitudMaximaLinea bytes is not kept, and bytes that are not
// UTF-8 are reported, never replaced.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>

class QIODevice;

namespace qvr {

inline constexpr qsizetype kLongitudMaximaLinea = 64 * 1024;

struct LineaEntrada {
    enum class Falla {
        Ninguna,
        NoUtf8,  // `texto` is the line read with the invalid bytes replaced, to name its key
        Larga,   // `texto` holds only the beginning of the line, read the same way
    };
    int numero = 0;  // 1-based, every line of the input counted
    QString texto;   // without its line end ("\n" or "\r\n")
    Falla falla = Falla::Ninguna;
};

class LectorLineas {
  public:
    explicit LectorLineas(QIODevice& origen) : origen_(origen) {}
    // The next line; false at the end of the input or when it cannot be read further (`error()`).
    bool siguiente(LineaEntrada& linea);
    bool error() const { return error_; }

  private:
    bool llena();
    QString decodifica(QByteArrayView bytes, bool* valido);

    QIODevice& origen_;
    QByteArray bufer_;
    qsizetype inicio_ = 0;
    int numero_ = 0;
    bool fin_ = false;
    bool error_ = false;
    QStringDecoder estricto_{QStringConverter::Utf8,
                             QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom};
};

}  // namespace qvr
