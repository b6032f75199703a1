#include "varnel/reports/indice_reporte.h"

#include <new>

namespace qvr::reporte {

void LectorLineas::situa(qint64 pos) {
    f_.seek(pos);
    buf_.clear();
    pos_ = 0;
    base_ = pos;
    eof_ = false;
}

bool LectorLineas::llena() {
    if (eof_) return false;
    constexpr qint64 kBloque = 64 * 1024;
    buf_.remove(0, pos_);
    base_ += pos_;
    pos_ = 0;
    const QByteArray mas = f_.read(kBloque);
    if (mas.isEmpty()) {
        eof_ = true;
        return false;
    }
    buf_ += mas;
    return true;
}

bool LectorLineas::siguiente(QByteArray& linea, qint64& inicio, qint64& fin) {
    qsizetype desde = pos_;
    for (;;) {
        const qsizetype nl = buf_.indexOf('\n', desde);
        if (nl >= 0) {
            inicio = base_ + pos_;
            fin = base_ + nl + 1;
            linea = buf_.mid(pos_, nl - pos_);
            if (linea.endsWith('\r')) linea.chop(1);
            pos_ = nl + 1;
            return true;
        }
        if (buf_.size() - pos_ > kLineaMaxima) {
            // Too long for a record: skip to the end of the line.
            inicio = base_ + pos_;
            pos_ = buf_.size();
            for (;;) {
                if (!llena()) {
                    fin = base_ + pos_;
                    break;
                }
                const qsizetype n = buf_.indexOf('\n');
                if (n >= 0) {
                    pos_ = n + 1;
                    fin = base_ + pos_;
                    break;
                }
                pos_ = buf_.size();
            }
            linea.clear();
            return true;
        }
        desde = buf_.size();
        const qsizetype antes = pos_;
        if (!llena()) {
            if (pos_ >= buf_.size()) return false;
            // Last line without a line end.
            inicio = base_ + pos_;
            fin = base_ + buf_.size();
            linea = buf_.mid(pos_);
            if (linea.endsWith('\r')) linea.chop(1);
            pos_ = buf_.size();
            return true;
        }
        desde -= antes;  // llena() moved the unread bytes to the front
    }
}

bool IndiceReporte::abre(const QString& ruta, RangoHojas rango, Paginacion modo) {
    cierra();
    archivo_.setFileName(ruta);
    lectura_.setFileName(ruta);
    if (!archivo_.open(QIODevice::ReadOnly) || !lectura_.open(QIODevice::ReadOnly)) {
        cierra();
        return false;
    }
    rango_ = rango;
    modo_ = modo;
    completo_ = false;
    lector_ = std::make_unique<LectorLineas>(archivo_);
    lector_->situa(0);
    paginas_.assign(1, PaginaIndice{});
    // Without a range picture 0 is page 0 of the file, and the first printed page, from the start.
    if (!rango_.activo || modo_ == Paginacion::PorSalto) paginas_[0].hoja = 0;
    return true;
}

void IndiceReporte::cierra() {
    lector_.reset();
    archivo_.close();
    lectura_.close();
    paginas_.clear();
    hojaAPagina_.clear();
    leido_ = lineas_ = 0;
    completo_ = true;  // nothing more to read until a file is opened
    hojasAnunciadas_ = 0;
    color_ = kColorFondoDeclaracion;
    orientacion_ = OrientacionHoja::Vertical;
    error_.reset();
    lineaError_ = 0;
    modo_ = Paginacion::PorHoja;
    saltos_ = 0;
}

// The breaks read before a drawing record open its page (an empty page for each further one);
// the page takes the orientation in force when its first record comes.
void IndiceReporte::colocaPorSalto(qint64 inicio, qint64 fin) {
    for (; saltos_ > 0; --saltos_)
        paginas_.push_back(PaginaIndice{paginas(), inicio, inicio, color_, orientacion_});
    PaginaIndice& p = paginas_.back();
    if (!p.conRegistros) {
        p.inicio = inicio;
        p.orientacion = orientacion_;
        p.conRegistros = true;
    }
    p.fin = fin;
}

// Without a range picture k holds page k of the file; pages without records stay, empty. With a
// range each page of the range gets its own picture in the order the pages appear, picture 0
// holding the first; a repeated header block does not disturb this.
void IndiceReporte::coloca(const Registro& r, qint64 inicio, qint64 fin) {
    if (!rango_.activo) {
        if (r.hoja < 0) return;  // no page of the file
        while (paginas() <= r.hoja)
            paginas_.push_back(PaginaIndice{paginas(), inicio, inicio, color_, orientacion_});
        PaginaIndice& p = paginas_[size_t(r.hoja)];
        if (!p.conRegistros) {
            p.inicio = inicio;  // a picture is read again from its first record
            p.conRegistros = true;
        }
        p.fin = std::max(p.fin, fin);
        return;
    }
    if (!rango_.contiene(r.hoja)) return;
    auto it = hojaAPagina_.constFind(r.hoja);
    int n;
    if (it != hojaAPagina_.constEnd()) {
        n = *it;
    } else if (paginas_[0].hoja < 0) {
        n = 0;
        paginas_[0].hoja = r.hoja;
        paginas_[0].inicio = inicio;
        paginas_[0].orientacion = orientacion_;
        hojaAPagina_.insert(r.hoja, 0);
    } else {
        n = paginas();
        paginas_.push_back(PaginaIndice{r.hoja, inicio, fin, color_, orientacion_});
        hojaAPagina_.insert(r.hoja, n);
    }
    PaginaIndice& p = paginas_[size_t(n)];
    p.fin = std::max(p.fin, fin);
}

bool IndiceReporte::avanzaHasta(int n) {
    if (error_) return false;
    if (!lector_) return false;
    try {
        QByteArray linea;
        qint64 inicio = 0, fin = 0;
        while (!completo_ && paginas() <= n + 1) {
            if (!lector_->siguiente(linea, inicio, fin)) {
                completo_ = true;
                break;
            }
            ++lineas_;
            leido_ = fin;
            const Lectura l = leeLinea(linea);
            if (const auto* e = std::get_if<ErrorLinea>(&l)) {
                error_ = *e;
                lineaError_ = lineas_;
                completo_ = true;
                return false;
            }
            const Registro& r = std::get<Registro>(l);
            switch (r.tipo) {
                case Tipo::NumHojas:
                    hojasAnunciadas_ = r.numero;
                    break;
                case Tipo::Color:
                    color_ = r.numero;
                    paginas_[0].color = r.numero;
                    break;
                case Tipo::Orientacion:
                    // Once landscape, the job stays landscape to its end: only "H" sets it.
                    if (r.texto == "H") orientacion_ = OrientacionHoja::Horizontal;
                    break;
                case Tipo::NuevaHoja:
                    if (modo_ == Paginacion::PorSalto) ++saltos_;
                    break;
                case Tipo::Pos:
                case Tipo::PosVerti:
                case Tipo::Cuadro:
                    if (modo_ == Paginacion::PorSalto)
                        colocaPorSalto(inicio, fin);
                    else
                        coloca(r, inicio, fin);
                    break;
                default:
                    break;
            }
        }
    } catch (const std::bad_alloc&) {
        error_ = ErrorLinea{error::MemoriaInsuficiente, QStringLiteral("Memoria insuficiente")};
        lineaError_ = lineas_;
        completo_ = true;
        return false;
    }
    return true;
}

bool IndiceReporte::recorre(int n, const std::function<void(const Registro&)>& f) {
    if (n < 0 || n >= paginas() || !lectura_.isOpen()) return false;
    const PaginaIndice& p = paginas_[size_t(n)];
    if (p.hoja < 0) return true;
    LectorLineas lector(lectura_);
    lector.situa(p.inicio);
    QByteArray linea;
    qint64 inicio = 0, fin = 0;
    while (lector.siguiente(linea, inicio, fin) && inicio < p.fin) {
        const Lectura l = leeLinea(linea);
        const auto* r = std::get_if<Registro>(&l);
        if (r && r->dibuja() && (modo_ == Paginacion::PorSalto || r->hoja == p.hoja)) f(*r);
    }
    return true;
}

}  // namespace qvr::reporte
