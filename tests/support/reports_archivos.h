#pragma once
// Report files for the viewer's tests: written as CR LF lines into a folder.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace qvr::prueba {

inline QString escribeReporte(const QString& carpeta, const QString& nombre,
                              const QList<QByteArray>& lineas) {
    QFile f(carpeta + "/" + nombre);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    for (const QByteArray& l : lineas) f.write(l + "\r\n");
    return f.fileName();
}

inline QList<QByteArray> bloqueEncabezado(int hojas, const char* color = "&H00FFFFC0&") {
    return {"<!font!>Courier New<!/font!>", "<!nHojas!>" + QByteArray::number(hojas) + "<!/nHojas!>",
            "<!Orientacion!>V<!/Orientacion!>", QByteArray("<!Color!>") + color + "<!/Color!>"};
}

// A report of `hojas` pages; page k (from 0) carries the text "PAGINA k+1" and a frame. With
// `encabezadoPorSeccion`, the header block comes again before each page break, as the
// declaration report writes it while its page counter stays at 1.
inline QList<QByteArray> reporteDeHojas(int hojas, bool encabezadoPorSeccion = false) {
    QList<QByteArray> l = bloqueEncabezado(hojas);
    for (int k = 0; k < hojas; ++k) {
        if (k > 0) {
            if (encabezadoPorSeccion) l += bloqueEncabezado(hojas);
            l += "pNuevaHoja";
        }
        const QByteArray h = QByteArray::number(k);
        l += "pPos|1440|1440|PAGINA " + QByteArray::number(k + 1) + "|True|12|" + h + "|";
        l += "pCuadro|720|720|10000|15000|" + h + "|";
    }
    return l;
}

}  // namespace qvr::prueba
