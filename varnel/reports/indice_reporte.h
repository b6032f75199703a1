#pragma once
// The page index of a report file. The file is read once, line by line, only as far as the page
// asked for; each page picture keeps the byte span of its records, so showing or printing a page
// reads just that span again. Nothing of the drawing is kept in memory.
#include <QFile>
#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "common/reporte_marcado.h"
#include "platform/printer.h"

namespace qvr::reporte {

// A range of pages as the user types them (from 1). Inactive: every page.
struct RangoHojas {
    bool activo = false;
    int desde = 1;
    int hasta = 1;
    // `hoja` is a page of the file (from 0).
    bool contiene(int hoja) const { return !activo || (hoja + 1 >= desde && hoja + 1 <= hasta); }
};

// How the records of a file are grouped into pictures (printed pages):
// - PorHoja: by their page field. Without a range picture k holds page k of the file (a page
//   without records is an empty picture); with a range, the pages of the range that have records
//   in the order they appear, from picture 0.
// - PorSalto: by the page breaks ("pNuevaHoja"), whatever their page fields; how a report prints
//   without a range. A break that nothing follows starts no page.
enum class Paginacion { PorHoja, PorSalto };

struct PaginaIndice {
    int hoja = -1;      // page of the file drawn on this picture (PorSalto: the printed page); -1 while none
    qint64 inicio = 0;  // byte span of its records
    qint64 fin = 0;
    std::int32_t color = kColorFondoDeclaracion;  // background taken from picture 0 when created
    OrientacionHoja orientacion = OrientacionHoja::Vertical;
    bool conRegistros = false;  // a drawing record has been placed on it
};

// Lines of a file, each without its line end. Lines longer than kLineaMaxima are returned empty
// (the reader skips them) so that a damaged file can not make one line hold the whole file.
class LectorLineas {
  public:
    static constexpr qsizetype kLineaMaxima = 64 * 1024;
    explicit LectorLineas(QFile& f) : f_(f) {}
    void situa(qint64 pos);
    // False at the end of the file. `inicio` / `fin`: byte offsets of the line with its line end.
    bool siguiente(QByteArray& linea, qint64& inicio, qint64& fin);

  private:
    bool llena();
    QFile& f_;
    QByteArray buf_;
    qsizetype pos_ = 0;
    qint64 base_ = 0;  // file offset of buf_[0]
    bool eof_ = false;
};

class IndiceReporte {
  public:
    // Opens a file-system path; false when it can not be read.
    bool abre(const QString& ruta, RangoHojas rango, Paginacion modo = Paginacion::PorHoja);
    void cierra();

    // Reads on until picture `n` is complete (the next one has begun or the file has ended).
    // False when the file can not be read there (see error()).
    bool avanzaHasta(int n);
    bool avanzaTodo() { return avanzaHasta(1 << 30); }
    bool completo() const { return completo_; }

    // Pictures known so far; always at least 1 (picture 0 exists even for an empty report).
    int paginas() const { return int(paginas_.size()); }
    const PaginaIndice& pagina(int n) const { return paginas_.at(size_t(n)); }
    int hojasAnunciadas() const { return hojasAnunciadas_; }
    std::int32_t colorFondo() const { return color_; }  // picture 0's background
    const std::optional<ErrorLinea>& error() const { return error_; }
    qint64 lineaError() const { return lineaError_; }
    qint64 bytesLeidos() const { return leido_; }
    const RangoHojas& rango() const { return rango_; }

    // Calls `f` for each drawing command of picture `n`.
    bool recorre(int n, const std::function<void(const Registro&)>& f);

  private:
    void coloca(const Registro& r, qint64 inicio, qint64 fin);
    void colocaPorSalto(qint64 inicio, qint64 fin);

    QFile archivo_;
    QFile lectura_;  // a second handle for the spans, so that indexing keeps its position
    std::unique_ptr<LectorLineas> lector_;
    RangoHojas rango_;
    Paginacion modo_ = Paginacion::PorHoja;
    int saltos_ = 0;  // PorSalto: breaks read since the last drawing record
    std::vector<PaginaIndice> paginas_;
    QHash<int, int> hojaAPagina_;
    qint64 leido_ = 0;
    qint64 lineas_ = 0;
    bool completo_ = true;
    int hojasAnunciadas_ = 0;
    std::int32_t color_ = kColorFondoDeclaracion;
    OrientacionHoja orientacion_ = OrientacionHoja::Vertical;
    std::optional<ErrorLinea> error_;
    qint64 lineaError_ = 0;
};

}  // namespace qvr::reporte
