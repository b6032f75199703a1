#include "varnel/computation/rep_inconsist.h"

#include <QCursor>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QPen>
#include <algorithm>

#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "varnel/app/aplicacion.h"

namespace qvr {

namespace {

constexpr int kXFila = 400;
constexpr int kYPrimeraFila = 1000;
constexpr int kAltoFila = 270;
constexpr int kMaxLinea = 90;

int yFila(int fila) { return kYPrimeraFila + kAltoFila * fila; }
// A number as text with the blank of its sign.
QString conSigno(int n) { return (n < 0 ? "" : " ") + QString::number(n); }

TrazoListado texto(int x, int y, const QString& t, bool negrita) {
    TrazoListado tr;
    tr.x = x;
    tr.y = y;
    tr.texto = t;
    tr.negrita = negrita;
    return tr;
}

void cabecera(PaginaListado& p, const CabeceraListado& c, int pagina) {
    p.push_back(texto(400, 30, "ZORVA", true));
    p.push_back(texto(400, 300, c.fecha, true));
    p.push_back(texto(9000, 300, "PAG. " + QString::number(pagina) + " ", true));
    p.push_back(texto(4000, 300, "INCONSISTENCIAS DETECTADAS ", true));
    p.push_back(texto(400, 570, c.hora, true));
    p.push_back(texto(3000, 570, c.titulo, true));
}

// The frame closes just under the last row of the page.
void cierra(PaginaListado& p, int filas) {
    TrazoListado tr;
    tr.cuadro = true;
    tr.x = 300;
    tr.y = 900;
    tr.x2 = 10000;
    tr.y2 = yFila(filas);
    p.push_back(tr);
}

// A message on one row, or cut at 89 characters with a hyphen and carried to a second row.
QStringList filasDe(int k, const QString& linea) {
    const int largo = int(linea.trimmed().size());
    const QString numero = conSigno(k) + ". ";
    if (largo <= kMaxLinea) return {numero + linea};
    return {numero + linea.left(kMaxLinea - 1) + "-", "    " + linea.mid(kMaxLinea - 1, largo - (kMaxLinea - 1))};
}

void muestraError(int numero, const QString& descripcion) {
    QString m;
    switch (numero) {
        case errorImpresion::ArchivoAbierto: return;
        case errorImpresion::NadaQueImprimir: m = "No Existe Información a Imprimir.Verifique."; break;
        case errorImpresion::Impresora: m = "No existe una impresora seleccionada.Verifique."; break;
        case errorImpresion::Cancelada: m = "La Impresión ha sido Cancelada."; break;
        default: m = "Error Técnico : (" + QString::number(numero) + ") " + descripcion;
    }
    dialogos().muestra(m, "Impresión", Icono::Error, Botones::Ok);
}

// The hourglass while printing, restored however the printing ends.
class Reloj {
public:
    Reloj() : activo_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (activo_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Reloj() {
        if (activo_) QGuiApplication::restoreOverrideCursor();
    }

private:
    bool activo_;
};

}  // namespace

QStringList lineasDeTexto(const QByteArray& datos) {
    QString t = QString::fromUtf8(datos);
    t.replace("\r\n", "\n");
    QStringList l = t.split('\n');
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();  // the last line's own ending
    return l;
}

CabeceraListado cabeceraActual() {
    const QDateTime ahora = QDateTime::currentDateTime();
    const QLocale sistema = QLocale::system();
    // The system's long time format without its time zone.
    QString formatoHora = sistema.timeFormat(QLocale::LongFormat);
    formatoHora.remove('t');
    return {sistema.toString(ahora.date(), QLocale::ShortFormat), ahora.time().toString(formatoHora.trimmed()),
            kTituloModulo + " - Formulario 0738 Versión 1.0"};
}

std::vector<PaginaListado> disponeListado(const QStringList& lineas, const CabeceraListado& c) {
    std::vector<PaginaListado> paginas(1);
    cabecera(paginas.back(), c, 1);
    int fila = 0;
    int k = 0;
    for (const QString& linea : lineas) {
        const QStringList filas = filasDe(++k, linea);
        if (fila > 0 && fila + filas.size() > kFilasPorPagina) {
            cierra(paginas.back(), fila);
            paginas.emplace_back();
            cabecera(paginas.back(), c, int(paginas.size()));
            fila = 0;
        }
        for (const QString& f : filas) paginas.back().push_back(texto(kXFila, yFila(fila++), f, false));
    }
    // A full page takes no more rows: the total line and its frame go on the next one.
    if (fila >= kFilasPorPagina) {
        cierra(paginas.back(), fila);
        paginas.emplace_back();
        cabecera(paginas.back(), c, int(paginas.size()));
        fila = 0;
    }
    paginas.back().push_back(texto(500, yFila(fila), " Inconsistencias Detectadas : " + conSigno(k), false));
    cierra(paginas.back(), fila + 1);
    return paginas;
}

void pPosImprime(Impresora& imp, short x, short y, const QString& t, bool negrita, short tamano) {
    QPainter& p = imp.pintor();
    QFont f(QStringLiteral("Courier new"));
    f.setStyleHint(QFont::TypeWriter);
    f.setBold(negrita);
    f.setPointSize(tamano);
    p.setFont(f);
    p.setPen(Qt::black);
    const double escala = imp.resolucion() / 1440.0;
    // (x, y) is the top of the text, as the printer's current position is.
    p.drawText(QPointF(x * escala, y * escala + p.fontMetrics().ascent()), t);
}

void pImprimeCuadro(Impresora& imp, short x1, short y1, short x2, short y2) {
    QPainter& p = imp.pintor();
    p.setFont(QFont(QStringLiteral("Courier new")));
    const double escala = imp.resolucion() / 1440.0;
    // A line width of one printer dot, at least a three-hundredth of an inch to stay visible.
    p.setPen(QPen(Qt::black, std::max(1.0, imp.resolucion() / 300.0)));
    const QPointF a(x1 * escala, y1 * escala), b(x2 * escala, y2 * escala);
    p.drawLine(QPointF(a.x(), a.y()), QPointF(a.x(), b.y()));
    p.drawLine(QPointF(b.x(), a.y()), QPointF(b.x(), b.y()));
    p.drawLine(QPointF(a.x(), a.y()), QPointF(b.x(), a.y()));
    p.drawLine(QPointF(a.x(), b.y()), QPointF(b.x(), b.y()));
}

int RepInconsist(const QString& ruta, Impresora* impresora) {
    // The hourglass goes back to the default also when the printing fails.
    Reloj reloj;
    const CabeceraListado c = cabeceraActual();
    QFile f(rutaFs(ruta));
    if (!f.open(QIODevice::ReadOnly)) {
        muestraError(errorImpresion::ArchivoNoEncontrado, f.errorString());
        return errorImpresion::ArchivoNoEncontrado;
    }
    const QStringList lineas = lineasDeTexto(f.readAll());
    f.close();
    if (lineas.isEmpty()) {
        muestraError(errorImpresion::NadaQueImprimir, {});
        return errorImpresion::NadaQueImprimir;
    }

    std::unique_ptr<Impresora> propia;
    if (!impresora) {
        propia = abreImpresora();
        impresora = propia.get();
    }
    if (!impresora) {
        muestraError(errorImpresion::Cancelada, {});
        return errorImpresion::Cancelada;
    }
    if (!impresora->comienza(OrientacionHoja::Vertical)) {
        muestraError(errorImpresion::Impresora, impresora->error());
        return errorImpresion::Impresora;
    }
    const std::vector<PaginaListado> paginas = disponeListado(lineas, c);
    for (size_t i = 0; i < paginas.size(); ++i) {
        if (i > 0 && !impresora->nuevaPagina(OrientacionHoja::Vertical)) {
            impresora->aborta();
            muestraError(errorImpresion::Impresora, impresora->error());
            return errorImpresion::Impresora;
        }
        for (const TrazoListado& t : paginas[i]) {
            if (t.cuadro)
                pImprimeCuadro(*impresora, short(t.x), short(t.y), short(t.x2), short(t.y2));
            else
                pPosImprime(*impresora, short(t.x), short(t.y), t.texto, t.negrita, short(t.tamano));
        }
    }
    if (!impresora->termina()) {
        muestraError(errorImpresion::EntradaSalida, impresora->error());
        return errorImpresion::EntradaSalida;
    }
    QCoreApplication::processEvents();
    return 0;
}

}  // namespace qvr
