#include "common/reporte_escritor.h"

#include "common/cp1252.h"

namespace qvr::reporte {

namespace {
// A text field can hold neither the field separator nor a line break: either would break the
// record (and the viewer would refuse the whole file), so they are written as blanks.
QString campoTexto(QString t) {
    for (QChar& c : t)
        if (c == u'|' || c == u'\r' || c == u'\n') c = u' ';
    return t;
}
}  // namespace

ErrorEscritura::ErrorEscritura(int numero, const QString& descripcion)
    : std::runtime_error(descripcion.toStdString()), numero_(numero), descripcion_(descripcion) {}

QString etiquetaFuente() { return QStringLiteral("<!font!>Courier New<!/font!>"); }
QString etiquetaHojas(int hojas) { return QStringLiteral("<!nHojas!>%1<!/nHojas!>").arg(hojas); }
QString etiquetaOrientacion(const QString& valor) {
    return QStringLiteral("<!Orientacion!>") + valor + QStringLiteral("<!/Orientacion!>");
}
QString etiquetaColor(const QString& literal) {
    return QStringLiteral("<!Color!>") + literal + QStringLiteral("<!/Color!>");
}

EscritorReporte::EscritorReporte(Programa programa, int anchoPagina)
    : programa_(programa), ancho_(anchoPagina) {}

EscritorReporte::~EscritorReporte() { archivo_.close(); }

void EscritorReporte::abre(const QString& ruta) {
    archivo_.close();
    archivo_.setFileName(ruta);
    if (!archivo_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ErrorEscritura(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta);
    hoja_ = 1;
    lineas_ = 0;
    y_ = 0;
}

void EscritorReporte::cierra() {
    if (!archivo_.isOpen()) return;
    const bool ok = archivo_.flush();
    archivo_.close();
    if (!ok) throw ErrorEscritura(57, QStringLiteral("Error de E/S de dispositivo"));
}

int EscritorReporte::lineasPorHoja() const {
    if (programa_ == Programa::Varnel) return ancho_ < 83 ? 85 : 83;
    return ancho_ < 83 ? 80 : 44;
}

void EscritorReporte::escribe(const QString& linea) {
    if (!archivo_.isOpen()) throw ErrorEscritura(52, QStringLiteral("Nombre o número de archivo incorrecto"));
    const QByteArray bytes = aCp1252(linea) + "\r\n";
    if (archivo_.write(bytes) != bytes.size())
        throw ErrorEscritura(57, QStringLiteral("Error de E/S de dispositivo"));
}

void EscritorReporte::EscribeLinea(const QString& texto) {
    if (texto.startsWith(QStringLiteral("<!"))) {
        // Tag lines belong to the first page only; later they write nothing and count nothing.
        if (!etiquetaPermitida()) return;
        escribe(texto);
    } else {
        y_ += 175;
        escribe(QStringLiteral("pPos|10|%1|").arg(y_) + campoTexto(texto) +
                QStringLiteral("|False|8|%1|").arg(hoja_ - 1));
    }
    if (++lineas_ >= lineasPorHoja()) {
        lineas_ = 0;
        ++hoja_;
        y_ = 0;  // the next page starts at its top, not below the last line of this one
        escribe(QStringLiteral("pNuevaHoja"));
    }
}

void EscritorReporte::EscribeTexto(int x, int y, const QString& texto, bool negrita, int tamano, int hoja) {
    if (texto.startsWith(QStringLiteral("<!"))) {
        if (etiquetaPermitida()) escribe(texto);
        return;
    }
    if (texto == QStringLiteral("pNuevaHoja")) {
        escribe(texto);
        return;
    }
    escribe(QStringLiteral("pPos|%1|%2|").arg(x).arg(y) + campoTexto(texto) +
            (negrita ? QStringLiteral("|True|") : QStringLiteral("|False|")) +
            QStringLiteral("%1|%2|").arg(tamano).arg(hoja));
}

void EscritorReporte::EscribeCuadro(int x1, int y1, int x2, int y2, int hoja) {
    escribe(QStringLiteral("pCuadro|%1|%2|%3|%4|%5|").arg(x1).arg(y1).arg(x2).arg(y2).arg(hoja));
}

}  // namespace qvr::reporte
