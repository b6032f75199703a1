#include "varnel/reports/genera_reporte.h"

#include <QDate>
#include <functional>
#include <new>
#include <vector>

#include "common/anexos.h"
#include "common/cabeceras.h"
#include "common/catalogos.h"
#include "common/detalles.h"
#include "common/formato.h"
#include "common/reporte_escritor.h"
#include "common/spool.h"
#include "platform/paths.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/reports/paginas_formato.h"

namespace qvr::reporte {

namespace {

ClaveDeclaracion claveDe(const DatosReporte& d) {
    ClaveDeclaracion c;
    c.ruc = d.ruc;
    c.periodo = d.periodo;
    c.formulario = d.formulario;
    c.semana = d.semana;
    c.correl = d.correl;
    return c;
}

using namespace pagina;

constexpr int kAnchoPagina = 104;
constexpr int kTipDoc = 6;
const QString kColorFondo = QStringLiteral("&H00FFFFC0&");
const QString kTablaDividendos = QStringLiteral("F0738DIVIDEND");
constexpr int kIntentos2055 = 3;

// The dividends list on landscape pages.
constexpr int kOffsetHorizontal = 2100;  // centres the page header on the wider page
constexpr int kXListaDesde = 290, kXListaHasta = 15200;
constexpr int kYTitulo = 2000, kYCabeza = 2400, kYPrimeraFila = 2730;
constexpr int kYUltimaFila = 9899;
constexpr int kTamanoLista = 7;
constexpr int kXRuc = 400, kXRazon = 1700, kXFecha = 6600, kXDistribuido = 10550, kXRetenido = 12970;
constexpr int kXTotales = 9000;

QString u8(const char* t) { return QString::fromUtf8(t); }

// An amount field as the sums read it: the number of a numeric text, else its leading number.
double importe(const QString& t) {
    const auto n = numeroDeTexto(t);
    return n ? *n : numeroInicial(t);
}

QString montoLista(const QString& t) { return alineaDerecha(formatoTexto(t, patron::Monto), 15); }

// A generation error with the number its message is keyed on.
struct Fallo {
    int numero;
    QString descripcion;
};

class Generador {
  public:
    Generador(BaseDatos& base, const DatosReporte& d, EscritorReporte& w) : base_(base), d_(d), w_(w) {}

    int indice = -1;

    void inicioSeccion() {
        w_.EscribeLinea(etiquetaFuente());
        w_.EscribeLinea(etiquetaHojas(d_.seleccion.exoneradas ? 4 : 3));
        w_.EscribeLinea(etiquetaOrientacion(QStringLiteral("V")));
        w_.EscribeLinea(etiquetaColor(kColorFondo));
        EncabezadoPagina(0, {});
    }

    void EncabezadoPagina(int dx, const QString& tabla) {
        if (indice++ != -1) {
            w_.EscribeTexto(0, 0, QStringLiteral("pNuevaHoja"), false, 8, indice);
            if (tabla == kTablaDividendos) w_.EscribeLinea(etiquetaOrientacion(QStringLiteral("H")));
        }
        const int h = indice;
        auto t = [&](int x, int y, const QString& s, bool b = false, int tam = 8) {
            w_.EscribeTexto(dx + x, y, s, b, tam, h);
        };
        auto c = [&](int x1, int y1, int x2, int y2) { w_.EscribeCuadro(dx + x1, y1, dx + x2, y2, h); };
        t(300, 350, QStringLiteral("ZORVA"), true, 16);
        t(300, 750, QStringLiteral("DECLARACION"));
        c(150, 300, 1700, 1640);
        t(550, 1100, QStringLiteral("PAGO"));
        t(550, 1330, QStringLiteral("738"), true, 12);
        t(3050, 400, u8("DECLARACIÓN PAGO ANUAL IMPUESTO A LA RENTA"), true, 9);
        t(9000, 400, QStringLiteral("Pag. %1").arg(h + 1));
        t(4100, 670, QStringLiteral("PERSONAS NATURALES"), true, 9);
        t(3750, 900, QStringLiteral("Ejercicio Gravable 2003"));
        t(1750, 1170, QStringLiteral("RUC"));
        t(3850, 1170, d_.ruc, true);
        t(9030, 1170, QStringLiteral("TELEFONO"));
        t(9030, 1440, d_.casilla(28));
        t(1750, 1450, QStringLiteral("Apellidos y nombres"));
        t(3850, 1450, d_.nombre, true);
        t(9000, 670, QStringLiteral("Copia para el"));
        t(9000, 900, QStringLiteral("Contribuyente"));
        c(1700, 300, 8500, 1100);
        c(8500, 300, 11000, 650);
        c(8500, 300, 11000, 1100);
        c(8500, 1100, 11000, 1370);
        c(8500, 1100, 11000, 1640);
        c(1700, 1100, 3800, 1370);
        c(1700, 1370, 3800, 1640);
        c(3800, 1370, 8500, 1640);
        if (!d_.norden.trimmed().isEmpty()) {
            c(150, 1640, 2650, 1910);
            t(300, 1720, QStringLiteral("NRO. CONTROL: "));
            t(1800, 1720, alineaDerecha(d_.control, 8), true);
            c(8500, 1640, 11000, 1910);
            t(8700, 1720, QStringLiteral("NRO. ORDEN: "));
            t(10000, 1720, alineaDerecha(d_.norden, 8), true);
        }
    }

    void paginaDeclaracion(int n) {
        inicioSeccion();
        for (const Elemento& e : pagina::paginaDeclaracion(n)) dibuja(e);
    }

    void paginaRentas() {
        inicioSeccion();
        int y = 2540;
        bool primero = true;
        for (const BloqueRentas* b : {&rentasExoneradas(), &rentasInafectas()}) {
            if (!primero) y += 1280;
            primero = false;
            texto(300, y, b->titulo, true);
            y += 540;
            for (const ItemLegal& item : b->items) {
                texto(kXMonto, y, montoReporte(d_.casilla(item.casilla)));
                for (const QString& l : item.lineas) {
                    texto(300, y, l);
                    y += kAltoFila;
                }
            }
            y += 540 - kAltoFila;
            texto(300, y, b->total, true);
            texto(kXMonto, y, montoReporte(d_.casilla(b->casillaTotal)));
        }
    }

    void dividendos() {
        const Registros r = filasAnexoDeclaracion(base_, kTablaDividendos, claveDe(d_), d_.enviada,
                                                  QStringLiteral("num_ruc, fec_retenida"));
        if (r.vacio()) return;

        const int cRuc = r.indice(QStringLiteral("num_RUC")), cRazon = r.indice(QStringLiteral("des_entpagadora"));
        const int cFecha = r.indice(QStringLiteral("fec_retenida"));
        const int cDist = r.indice(QStringLiteral("mto_distribuido")), cRet = r.indice(QStringLiteral("mto_retenido"));

        int y = 0;
        auto paginaLista = [&] {
            EncabezadoPagina(kOffsetHorizontal, kTablaDividendos);
            w_.EscribeCuadro(kXListaDesde, kYTitulo, kXListaHasta, kYCabeza, indice);
            w_.EscribeTexto(6100, kYTitulo + 80, QStringLiteral("DIVIDENDOS PERCIBIDOS"), true, 13, indice);
            w_.EscribeCuadro(kXListaDesde, kYCabeza, kXListaHasta, kYCabeza + kAltoFila, indice);
            const int yc = kYCabeza + kMargenFila;
            lista(kXRuc, yc, QStringLiteral("R.U.C."));
            lista(kXRazon, yc, u8("Razón Social"));
            lista(kXFecha, yc, QStringLiteral("Fecha de Pago del Dividendo"));
            lista(kXDistribuido, yc, QStringLiteral("Dividendo percibido"));
            lista(kXRetenido, yc, QStringLiteral("Retención"));
            y = kYPrimeraFila;
        };
        auto filaLista = [&] {
            if (y > kYUltimaFila) paginaLista();
            w_.EscribeCuadro(kXListaDesde, y - kMargenFila, kXListaHasta, y - kMargenFila + kAltoFila, indice);
        };

        paginaLista();
        double distribuido = 0, retenido = 0;
        for (int f = 0; f < r.filas(); ++f) {
            filaLista();
            const QString dist = r.texto(f, cDist), ret = r.texto(f, cRet);
            const QDate fecha = fechaDeBD(r.valor(f, cFecha));
            lista(kXRuc, y, r.texto(f, cRuc));
            lista(kXRazon, y, r.texto(f, cRazon));
            lista(kXFecha, y, fecha.isValid() ? fecha.toString(QStringLiteral("dd/MM/yyyy")) : r.texto(f, cFecha));
            lista(kXDistribuido, y, montoLista(dist));
            lista(kXRetenido, y, montoLista(ret));
            distribuido += importe(dist);
            retenido += importe(ret);
            y += kAltoFila;
        }
        filaLista();
        lista(kXRuc, y, QStringLiteral("Cantidad total de registros  :") + QString::number(r.filas()));
        lista(kXTotales, y, QStringLiteral("Totales :"));
        lista(kXDistribuido, y, alineaDerecha(formatoNumero(distribuido, patron::Monto), 15));
        lista(kXRetenido, y, alineaDerecha(formatoNumero(retenido, patron::Monto), 15));
        w_.fijaHoja(indice + 1);
    }

  private:
    void texto(int x, int y, const QString& t, bool negrita = false, int tam = 8) {
        w_.EscribeTexto(x, y, t, negrita, tam, indice);
    }
    void lista(int x, int y, const QString& t) { w_.EscribeTexto(x, y, t, false, kTamanoLista, indice); }
    void marcoFila(int y, int filas, int x1 = kXIzquierda, int x2 = kXDerecha) {
        w_.EscribeCuadro(x1, y - kMargenFila, x2, y - kMargenFila + filas * kAltoFila, indice);
    }

    QString nombreCatalogo(const QString& catalogo, const QString& codigo, int inicio, int largo) {
        const Registros r = base_.consulta(
            QStringLiteral("SELECT substr(ARGUMENTO,1,2) AS codigo, substr(FUNCION,?,?) AS descrip FROM PARAM "
                           "WHERE NUMERO=? AND trim(ARGUMENTO)=?"),
            {inicio, largo, catalogo, codigo});
        return r.vacio() ? QString() : r.texto(0, 1).trimmed();
    }

    // The description (1-30) of a document type of catalog '044', trimmed; "" when missing.
    QString descripcionDocumento(const QString& tipo) {
        const Registros r = base_.consulta(
            QStringLiteral("SELECT substr(FUNCION,1,30) FROM PARAM WHERE NUMERO=? AND ARGUMENTO=?"),
            {catalogo::TiposDocumento, tipo});
        return r.vacio() ? QString() : r.texto(0, 0).trimmed();
    }

    void dibuja(const Elemento& e) {
        const QString t = e.texto ? u8(e.texto) : QString();
        switch (e.op) {
            case Op::Fila: {
                marcoFila(e.y, e.filas);
                const QStringList lineas = t.split(QLatin1Char('\n'));
                for (int i = 0; i < lineas.size(); ++i) texto(e.x, e.y + i * kAltoFila, lineas[i]);
                if (e.casilla) {
                    marcoFila(e.y, e.filas, kXCeldaDesde, kXCeldaHasta);
                    const int y = e.y + e.linea * kAltoFila;
                    texto(kXNumero, y, QStringLiteral("%1").arg(e.casilla, 3, 10, QLatin1Char('0')));
                    texto(kXMonto, y, montoReporte(d_.casilla(e.casilla)));
                }
                break;
            }
            case Op::Seccion:
                w_.EscribeCuadro(kXIzquierda, 2280, kXDerecha, 2550, indice);
                texto(e.x, e.y, t, true);
                break;
            case Op::Grupo:
            case Op::Negrita:
                texto(e.x, e.y, t, true);
                break;
            case Op::Texto:
                texto(e.x, e.y, t);
                break;
            case Op::Marco:
                marcoFila(e.y, e.filas);
                break;
            case Op::Celda:
                marcoFila(e.y, e.filas, kXCeldaDesde, kXCeldaHasta);
                break;
            case Op::Numero:
                texto(e.x, e.y, QStringLiteral("%1").arg(e.casilla, 3, 10, QLatin1Char('0')));
                break;
            case Op::Monto:
                texto(e.x, e.y, montoReporte(d_.casilla(e.casilla)));
                break;
            case Op::Valor:
                texto(e.x, e.y, d_.casilla(e.casilla));
                break;
            case Op::Marca:
                if (d_.casilla(e.casilla).trimmed() == t) texto(e.x, e.y, QStringLiteral(" X"));
                break;
            case Op::MarcaIgual:
                if (d_.casilla(e.casilla).trimmed() == t) texto(e.x, e.y, QStringLiteral(" X "));
                break;
            case Op::MarcaOtro: {
                const QString v = d_.casilla(e.casilla).trimmed();
                if (!v.isEmpty() && v != t) texto(e.x, e.y, QStringLiteral(" X "));
                break;
            }
            case Op::TipoDocumento: {
                const QString codigo = d_.casilla(e.casilla).trimmed();
                if (!codigo.isEmpty())
                    texto(e.x, e.y, codigo + "-" + descripcionDocumento(codigo));
                break;
            }
            case Op::Profesion:
                texto(e.x, e.y,
                      alineaDerecha(nombreCatalogo(catalogo::Profesiones, d_.casilla(e.casilla).trimmed(), 1, 36), 14));
                break;
            case Op::Banco:
                texto(e.x, e.y, alineaDerecha(nombreCatalogo(catalogo::Bancos, d_.banco.trimmed(), 38, 12), 14));
                break;
            case Op::Cheque:
                texto(e.x, e.y, d_.nroCheque);
                break;
            case Op::Rectifica:
                texto(e.x, e.y, d_.rectifica == QStringLiteral("1") ? QStringLiteral("SI") : QStringLiteral("NO"));
                break;
        }
    }

    BaseDatos& base_;
    const DatosReporte& d_;
    EscritorReporte& w_;
};

}  // namespace

QString DatosReporte::casilla(int numero) const {
    if (numero >= 1 && numero <= 700) return casillasA[size_t(numero - 1)];
    if (numero >= 800 && numero <= 999) return casillasB[size_t(numero - 800)];
    return {};
}

void DatosReporte::fijaCasilla(int numero, const QString& valor) {
    if (numero >= 1 && numero <= 700) casillasA[size_t(numero - 1)] = valor;
    else if (numero >= 800 && numero <= 999) casillasB[size_t(numero - 800)] = valor;
}

void BorraArray(DatosReporte& d) {
    for (QString& s : d.casillasA) s.clear();
    for (QString& s : d.casillasB) s.clear();
}

void CargarCasillas(BaseDatos& base, DatosReporte& d) {
    BorraArray(d);
    const ClaveDeclaracion clave = claveDe(d);
    const Registros r = casillasDeclaracion(base, clave, d.enviada);
    for (int f = 0; f < r.filas(); ++f) {
        const int n = int(numeroInicial(r.texto(f, 0)));
        if (n == 721 || n == 722) continue;
        // A box outside both arrays (701-799 other than 721/722) has no place on the form.
        d.fijaCasilla(n, r.valor(f, 1).isNull() ? QString() : r.valor(f, 1).toString());
    }

    const Registros c = leeCabecera(base, clave, d.enviada);
    if (c.vacio()) return;
    auto campo = [&](const char* nombre, QString& destino) {
        const QVariant v = c.valor(0, QString::fromLatin1(nombre));
        if (!v.isNull()) destino = v.toString();
    };
    d.banco.clear();
    campo("bcolibrad", d.banco);
    campo("cheque", d.cheque);
    campo("nrocheque", d.nroCheque);
    campo("efectivo", d.efectivo);
    campo("rectifica", d.rectifica);
}

QString alineaDerecha(const QString& texto, int ancho) {
    const int relleno = std::min(ancho - int(texto.size()), 80);
    return relleno > 0 ? QString(relleno, QLatin1Char(' ')) + texto : texto;
}

QString montoReporte(const QString& valor) {
    const QString f = formatoTexto(valor, patron::MontoConSigno);
    if (f.isEmpty()) return f;
    // Only a number gets formatted; a negative one comes back in parentheses.
    const bool negativo = f != valor && f.startsWith(QLatin1Char('('));
    return alineaDerecha(f, negativo ? 16 : 15);
}

QString mensajeErrorImpresion(int numero, const QString& descripcion) {
    switch (numero) {
        case 53:
        case 55:
            return {};
        case 380:
            return QStringLiteral("No Existe Información a Imprimir.Verifique.");
        case 482:
            return QStringLiteral("No existe una impresora seleccionada.Verifique.");
        case 20545:
            return QStringLiteral("La Impresión ha sido Cancelada.");
        default:
            return QStringLiteral("Error Técnico : (%1) ").arg(numero) + descripcion;
    }
}

ResultadoReporte GeneraReporte(BaseDatos& base, const DatosReporte& d, const QString& ruta) {
    ResultadoReporte res;
    EscritorReporte w(Programa::Varnel, kAnchoPagina);
    Generador g(base, d, w);

    std::vector<std::function<void()>> pasos;
    pasos.emplace_back([&] { w.abre(ruta); });
    if (d.seleccion.incluyeDeclaracion())
        for (int n = 1; n <= 3; ++n) pasos.emplace_back([&g, n] { g.paginaDeclaracion(n); });
    if (d.seleccion.exoneradas) pasos.emplace_back([&g] { g.paginaRentas(); });
    if (d.seleccion.dividendos) pasos.emplace_back([&g] { g.dividendos(); });
    pasos.emplace_back([&] {
        // A selection that writes no page leaves nothing to show or print.
        if (g.indice < 0) throw Fallo{380, {}};
    });
    pasos.emplace_back([&] { w.cierra(); });

    for (const auto& paso : pasos) {
        for (int intento = 1;; ++intento) {
            Fallo f{0, {}};
            try {
                paso();
                break;
            } catch (const Fallo& e) {
                f = e;
            } catch (const ErrorEscritura& e) {
                f = {e.numero(), e.descripcion()};
            } catch (const ErrorBD& e) {
                f = {e.numero(), e.descripcion()};
            } catch (const std::bad_alloc&) {
                f = {7, QStringLiteral("Memoria insuficiente")};
            }
            if (f.numero == 53) break;  // resume with the next step
            if (f.numero == 2055 && intento < kIntentos2055) continue;
            try {
                w.cierra();
            } catch (const ErrorEscritura&) {
            }
            res.numeroError = f.numero;
            res.mensaje = mensajeErrorImpresion(f.numero, f.descripcion);
            if (!res.mensaje.isEmpty())
                dialogos().muestra(res.mensaje, QStringLiteral("Impresión"), Icono::Error, Botones::Ok);
            res.paginas = g.indice + 1;
            return res;
        }
    }
    res.ok = true;
    res.paginas = g.indice + 1;
    return res;
}

ReporteGenerado GeneraDeclaracion(BaseDatos& base, DatosReporte& d, const QString& rutaReportes,
                                  const QString& usuario) {
    ReporteGenerado g;
    const auto falla = [&g](int numero, const QString& descripcion) {
        g.resultado.ok = false;
        g.resultado.numeroError = numero;
        g.resultado.mensaje = mensajeErrorImpresion(numero, descripcion);
        dialogos().muestra(g.resultado.mensaje, QStringLiteral("Impresión"), Icono::Error, Botones::Ok);
    };
    try {
        CargarCasillas(base, d);
        // Written whole first, registered after: a report that fails half-way (a full disk) leaves
        // no truncated file and no SPOOL row naming it.
        g.archivo = RegistraReporteEscrito(base, kReporteDeclaracion, kTipDoc, d.ruc.trimmed(), usuario,
                                           rutaFs(rutaReportes), [&](const QString& ruta) {
                                               g.resultado = GeneraReporte(base, d, ruta);
                                               return g.resultado.ok;
                                           });
    } catch (const ErrorBD& e) {
        falla(e.numero(), e.descripcion());
        return g;
    } catch (const ErrorEscritura& e) {
        falla(e.numero(), e.descripcion());
        return g;
    }
    if (!g.archivo.isEmpty()) g.ruta = rutaFs(rutaReportes + QStringLiteral("\\") + g.archivo);
    return g;
}

}  // namespace qvr::reporte
