#pragma once
// The report writer: appends markup lines to the report file being generated. One writer per
// report; the generator opens it, writes its lines and closes it.
#include <QFile>
#include <QString>
#include <stdexcept>

namespace qvr::reporte {

// Which program writes: it sets the lines-per-page limit.
enum class Programa { Varnel, Oskeni };

// A report file that can not be opened or written.
class ErrorEscritura : public std::runtime_error {
  public:
    ErrorEscritura(int numero, const QString& descripcion);
    int numero() const { return numero_; }
    const QString& descripcion() const { return descripcion_; }

  private:
    int numero_;
    QString descripcion_;
};

// The header block that opens a section of a report.
struct Encabezado {
    int hojas = 1;
    QString color;  // "&H00FFFFC0&"
    QString orientacion = QStringLiteral("V");
};
QString etiquetaFuente();
QString etiquetaHojas(int hojas);
QString etiquetaOrientacion(const QString& valor);
QString etiquetaColor(const QString& literal);

class EscritorReporte {
  public:
    EscritorReporte(Programa programa, int anchoPagina);
    ~EscritorReporte();

    // Opens (replacing) the report file at a file-system path. Throws ErrorEscritura.
    void abre(const QString& ruta);
    void cierra();

    void EscribeLinea(const QString& texto);
    void EscribeTexto(int x, int y, const QString& texto, bool negrita, int tamano, int hoja);
    void EscribeCuadro(int x1, int y1, int x2, int y2, int hoja);

    // The writer state.
    int hoja() const { return hoja_; }
    void fijaHoja(int h) { hoja_ = h; }  // the annex-list sections advance it
    int lineas() const { return lineas_; }
    int posicionY() const { return y_; }
    void fijaPosicionY(int y) { y_ = y; }
    int anchoPagina() const { return ancho_; }
    void fijaAnchoPagina(int ancho) { ancho_ = ancho; }
    int lineasPorHoja() const;

  private:
    bool etiquetaPermitida() const { return hoja_ <= 1; }
    void escribe(const QString& linea);

    Programa programa_;
    int ancho_;
    QFile archivo_;
    int hoja_ = 1;
    int lineas_ = 0;
    int y_ = 0;
};

}  // namespace qvr::reporte
