#pragma once
// The printed declaration (report RP0008): the three declaration pages and, on request, the exempt
// and non-taxable income page and the dividends list, written as report markup into a .PRN file.
// The print selection fills DatosReporte (CargarCasillas), registers the file in SPOOL and calls
// GeneraReporte; the viewer reads the file afterwards.
#include <QString>
#include <array>

namespace qvr {
class BaseDatos;
}

namespace qvr::reporte {

class EscritorReporte;

// The option chosen in the print selection.
enum class OpcionImpresion { Declaracion, Anexo, DeclaracionYAnexo };

struct SeleccionImpresion {
    OpcionImpresion opcion = OpcionImpresion::Declaracion;
    bool exoneradas = false;  // "Rentas exoneradas e Inafectas"
    bool dividendos = false;  // "Dividendos percibidos"

    bool incluyeDeclaracion() const { return opcion != OpcionImpresion::Anexo; }
    // "Anexo" and "Declaración y anexo" need at least one annex ticked.
    bool valida() const { return opcion == OpcionImpresion::Declaracion || exoneradas || dividendos; }
};

// What one run prints: the declaration's identification, its box values and payment data.
struct DatosReporte {
    QString ruc;
    QString nombre;
    QString periodo = QStringLiteral("2003");
    QString formulario = QStringLiteral("0738");
    int semana = 0;
    QString correl;   // sent declarations only
    QString norden;   // sent declarations only
    QString control;  // sent declarations only
    bool enviada = false;

    std::array<QString, 700> casillasA;  // boxes 1 to 700
    std::array<QString, 200> casillasB;  // boxes 800 to 999

    QString banco;  // bcolibrad
    QString cheque;
    QString nroCheque;
    QString efectivo;
    QString rectifica;

    SeleccionImpresion seleccion;

    // The value of a box; empty for a box outside both arrays.
    QString casilla(int numero) const;
    void fijaCasilla(int numero, const QString& valor);
};

// Empties both box arrays.
void BorraArray(DatosReporte& d);

// Loads the box values (DET, or hDET of the sending) and the payment data of the header (CAB or
// hCAB) of the declaration `d` names. Boxes 721 and 722 are never loaded. Throws ErrorBD.
void CargarCasillas(BaseDatos& base, DatosReporte& d);

// Formatting of the printed form.
QString alineaDerecha(const QString& texto, int ancho);
// A box value in the amount format: positive right-aligned to 15, negative in parentheses to 16,
// so that the digits line up; empty text stays empty; a text that is not a number stays as it is.
QString montoReporte(const QString& valor);

struct ResultadoReporte {
    bool ok = false;
    int paginas = 0;   // pages written (page index + 1)
    int numeroError = 0;
    QString mensaje;   // the message shown, when the run failed
};

// Generates the report into the file at `ruta` (a file-system path), replacing it. An error is
// shown titled "Impresión" and ends the run (the file is closed); a momentary 2055 is tried again
// up to three times.
ResultadoReporte GeneraReporte(BaseDatos& base, const DatosReporte& d, const QString& ruta);

// One press of "&Preliminar" or "&Imprimir" without the windows: loads the boxes (CargarCasillas),
// registers a new SPOOL row (RP0008) and generates its file in the report folder `rutaReportes`
// (a suite path). `archivo` is the file name, `ruta` the file-system path of the file. A SPOOL row
// that was added stays when the generation fails. Loading or registering errors are shown titled
// "Impresión" like the generation's own.
struct ReporteGenerado {
    QString archivo;
    QString ruta;
    ResultadoReporte resultado;
};
ReporteGenerado GeneraDeclaracion(BaseDatos& base, DatosReporte& d, const QString& rutaReportes,
                                  const QString& usuario);

// The message of a generation error; empty for the errors the run goes on after (53).
QString mensajeErrorImpresion(int numero, const QString& descripcion);

}  // namespace qvr::reporte
