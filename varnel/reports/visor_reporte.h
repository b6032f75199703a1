#pragma once
// The viewer of report files without its window: reading a report in preview or print mode
// (pDesencripta), paging (pMostrar) and the toolbar. frmPreview shows what this holds.
#include <QImage>
#include <QString>
#include <list>

#include "varnel/reports/indice_reporte.h"

namespace qvr::reporte {

inline const QString kModoPrevia = QStringLiteral("PresPrevia");
inline const QString kModoImprimir = QStringLiteral("IMPRIMIR");
inline const QString kVerPrevia = QStringLiteral("Vprevia");

// The message for a report file that is not in the report folder (`ruta`: where it was looked for).
QString mensajeArchivoAusente(const QString& ruta);

class VisorReporte {
  public:
    // `rutaReportes`: the report folder as the settings give it (RutaReportes).
    explicit VisorReporte(QString rutaReportes, RangoHojas rango = {});

    // Reads the report `archivo` (a name inside the report folder). Preview mode indexes its first
    // pages; any other mode prints the pages of the range. False when the viewer must close.
    bool pDesencripta(const QString& archivo, const QString& tipo);
    // 0 first picture, -2 previous, -1 next.
    void pMostrar(int n);
    // The last picture (the file is read to its end first). False when the viewer must close.
    bool ultima();
    // Toolbar buttons: 2 previous, 3 next, 4 print, 5 close. False when the viewer must close.
    bool boton(int indice);

    // Reads on through the file in steps, so that a window can index it while it is shown.
    // False when it has met an unreadable line (the message has been shown: close the viewer).
    bool continuaIndice(int paginasMas = 50);
    bool indiceCompleto() const { return indice_.completo(); }

    // Picture `n` at `ppp` pixels per inch; the last few are kept.
    QImage imagen(int n, double ppp);
    QColor colorFondo(int n) const;
    // The orientation picture `n` is printed in (and shown in).
    OrientacionHoja orientacion(int n) const;
    // The texts of picture `n`, line by line (what a screen reader reads of the page).
    QString texto(int n);

    const QString& sRut() const { return sRut_; }
    void fijaRut(const QString& archivo) { sRut_ = archivo; }
    const QString& sObject() const { return sObject_; }
    int iNroHoja() const { return iNroHoja_; }
    int paginas() const { return paginas_; }
    const RangoHojas& rango() const { return rango_; }
    bool archivoExiste() const { return existe_; }
    const IndiceReporte& indice() const { return indice_; }

  private:
    bool archivoPresente(const QString& archivo);
    bool previa(const QString& ruta);
    bool imprime(const QString& ruta);
    bool errorLectura(const ErrorLinea& e, qint64 linea);
    // Reports an unreadable line met while reading on; false when the viewer must close.
    bool revisa();
    void actualizaPaginas();

    QString rutaReportes_;
    RangoHojas rango_;
    QString sRut_;
    QString sObject_;
    int iNroHoja_ = 0;
    int paginas_ = 1;
    bool existe_ = false;
    bool fallo_ = false;  // an unreadable line was met: the viewer closes
    IndiceReporte indice_;

    struct Imagen {
        int n;
        qint64 fin;
        double ppp;
        QImage img;
    };
    std::list<Imagen> cache_;
    static constexpr size_t kCache = 3;
};

}  // namespace qvr::reporte
