#include "varnel/reports/visor_reporte.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/utilitario.h"
#include "varnel/reports/dibujo_reporte.h"
#include "varnel/reports/texto_pagina.h"

namespace qvr::reporte {

VisorReporte::VisorReporte(QString rutaReportes, RangoHojas rango)
    : rutaReportes_(std::move(rutaReportes)), rango_(rango) {}

QString mensajeArchivoAusente(const QString& ruta) {
    // Where it was looked for: with a shared database the SPOOL row may name a report written on
    // another workstation, whose file is in that workstation's report folder.
    return QStringLiteral(
               "Archivo Físico del Reporte no Existe\n\nSe buscó en: %1\n\n"
               "Un reporte generado en otra estación de trabajo sólo se encuentra aquí cuando la "
               "carpeta del sistema (SysPath) es una carpeta compartida por todas las estaciones.")
        .arg(QDir::toNativeSeparators(QFileInfo(rutaFs(ruta)).absoluteFilePath()));
}

bool VisorReporte::archivoPresente(const QString& archivo) {
    const QString ruta = rutaReportes_ + QStringLiteral("\\") + archivo;
    // A folder of that name is no report.
    existe_ = Utilitario::ExisteArchivo(ruta) == -1;
    if (!existe_)
        dialogos().muestra(mensajeArchivoAusente(ruta), QStringLiteral("Error al Imprimir"), Icono::Error);
    return existe_;
}

bool VisorReporte::pDesencripta(const QString& archivo, const QString& tipo) {
    if (tipo != kModoPrevia)
        sObject_ = kModoImprimir;
    else
        sObject_ = kModoPrevia;
    // A missing file draws nothing; the viewer stays as it is.
    if (!archivoPresente(archivo)) return true;
    const QString ruta = rutaFs(rutaReportes_ + QStringLiteral("\\") + archivo);
    return sObject_ == kModoPrevia ? previa(ruta) : imprime(ruta);
}

bool VisorReporte::errorLectura(const ErrorLinea& e, qint64 linea) {
    if (e.numero == error::MemoriaInsuficiente) {
        dialogos().muestra(e.descripcion + QStringLiteral("\nIngrese un rango de hojas menos \nvoluminoso"),
                           QStringLiteral(" Aviso:") + QString::number(e.numero), Icono::Error);
    } else {
        // A damaged line closes the viewer; the user is told why instead of seeing it vanish.
        dialogos().muestra(QStringLiteral("Error tecnico: %1\n%2 (línea %3)\nIntente nuevamente por favor.")
                               .arg(e.numero)
                               .arg(e.descripcion)
                               .arg(linea),
                           QStringLiteral("Error"), Icono::Error);
    }
    indice_.cierra();
    cache_.clear();
    fallo_ = true;
    return false;
}

void VisorReporte::actualizaPaginas() {
    // While the file is still being read the announced count is shown, never fewer than the
    // pictures already found; at the end the pictures found are the count.
    paginas_ =
        indice_.completo() ? indice_.paginas() : std::max(indice_.paginas(), int(indice_.hojasAnunciadas()));
    paginas_ = std::max(paginas_, 1);
}

bool VisorReporte::previa(const QString& ruta) {
    cache_.clear();
    fallo_ = false;
    if (!indice_.abre(ruta, rango_)) {
        return errorLectura({53, QStringLiteral("No se encontró el archivo")}, 0);
    }
    iNroHoja_ = 0;
    indice_.avanzaHasta(1);
    return revisa();
}

bool VisorReporte::continuaIndice(int paginasMas) {
    if (!indice_.completo()) indice_.avanzaHasta(indice_.paginas() + paginasMas);
    return revisa();
}

bool VisorReporte::revisa() {
    if (fallo_) return false;
    if (indice_.error()) return errorLectura(*indice_.error(), indice_.lineaError());
    actualizaPaginas();
    return true;
}

bool VisorReporte::imprime(const QString& ruta) {
    // Its own index: printing leaves the preview's pages and position as they are. The page breaks
    // make the printed pages, with a range as without one: a range prints those of its pages, the
    // same pages that printing everything gives at those places.
    IndiceReporte indice;
    if (!indice.abre(ruta, {}, Paginacion::PorSalto))
        return errorLectura({53, QStringLiteral("No se encontró el archivo")}, 0);
    // The whole file is read before the job starts, so a damaged file prints nothing.
    if (!indice.avanzaTodo()) return errorLectura(*indice.error(), indice.lineaError());
    std::vector<int> hojas;
    for (int n = 0; n < indice.paginas(); ++n)
        if (rango_.contiene(n)) hojas.push_back(n);
    if (hojas.empty()) return true;  // a range beyond the last page: nothing to print

    auto impresora = abreImpresora();
    if (!impresora) return true;  // the user cancelled the choice of printer
    auto falla = [&] {
        const QString texto = impresora->error();
        impresora->aborta();
        dialogos().muestra(QStringLiteral("Error tecnico: 482\n%1\nIntente nuevamente por favor.").arg(texto),
                           QStringLiteral("Error"), Icono::Error);
        return false;
    };
    if (!impresora->comienza(indice.pagina(hojas.front()).orientacion)) return falla();
    for (size_t k = 0; k < hojas.size(); ++k) {
        const int n = hojas[k];
        // A page break only between pages that are printed: none before the first, none after the last.
        if (k > 0 && !impresora->nuevaPagina(indice.pagina(n).orientacion)) return falla();
        QPainter& p = impresora->pintor();
        p.save();
        usaTwips(p, impresora->resolucion());
        dibujaPagina(p, indice, n);
        p.restore();
    }
    if (!impresora->termina()) return falla();
    return true;
}

void VisorReporte::pMostrar(int n) {
    if (n == 0) {
        iNroHoja_ = 0;
    } else if (n == -2 && iNroHoja_ > 0) {
        --iNroHoja_;
    } else if (n == -1) {
        // The next picture may not have been read yet.
        if (!indice_.completo()) indice_.avanzaHasta(iNroHoja_ + 1);
        if (revisa() && iNroHoja_ < indice_.paginas() - 1) ++iNroHoja_;
    }
}

bool VisorReporte::ultima() {
    while (!indice_.completo() && continuaIndice()) {
    }
    if (!revisa()) return false;
    iNroHoja_ = indice_.paginas() - 1;
    return true;
}

bool VisorReporte::boton(int indice) {
    switch (indice) {
        case 2:
            pMostrar(-2);
            return true;
        case 3:
            pMostrar(-1);
            return !fallo_;
        case 4:
            sObject_ = kModoImprimir;
            return pDesencripta(sRut_, sObject_);
        case 5:
            return false;
        default:
            return true;
    }
}

QColor VisorReporte::colorFondo(int n) const {
    if (indice_.paginas() == 0) return colorDe(kColorFondoDeclaracion);
    return colorDe(n == 0 || n >= indice_.paginas() ? indice_.colorFondo() : indice_.pagina(n).color);
}

OrientacionHoja VisorReporte::orientacion(int n) const {
    return n >= 0 && n < indice_.paginas() ? indice_.pagina(n).orientacion : OrientacionHoja::Vertical;
}

QString VisorReporte::texto(int n) {
    if (n < 0 || n >= indice_.paginas()) return {};
    indice_.avanzaHasta(n);
    return textoPagina(indice_, n);
}

QImage VisorReporte::imagen(int n, double ppp) {
    if (n < 0 || n >= indice_.paginas()) {
        const QSizeF t = tamanoHojaTwips() * (ppp / kTwipsPorPulgada);
        QImage vacia(t.toSize(), QImage::Format_RGB32);
        vacia.fill(colorDe(kColorFondoDeclaracion));
        return vacia;
    }
    indice_.avanzaHasta(n);
    const qint64 fin = indice_.pagina(n).fin;
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->n == n && it->fin == fin && it->ppp == ppp) {
            cache_.splice(cache_.begin(), cache_, it);
            return cache_.front().img;
        }
    }
    cache_.push_front({n, fin, ppp, imagenPagina(indice_, n, ppp)});
    if (cache_.size() > kCache) cache_.pop_back();
    return cache_.front().img;
}

}  // namespace qvr::reporte
