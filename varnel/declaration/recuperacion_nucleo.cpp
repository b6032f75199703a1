#include "varnel/declaration/recuperacion_nucleo.h"

#include <QFileInfo>
#include <algorithm>

#include "common/cabeceras.h"
#include "common/contribuyentes.h"
#include "platform/database.h"
#include "varnel/declaration/anexos_copia.h"
#include "varnel/declaration/carga.h"
#include "varnel/declaration/instantanea_nucleo.h"
#include "common/version_declaracion.h"

namespace qvr {

std::vector<TablaRecuperada> leeAnexosTrabajo(BaseDatos& base) {
    std::vector<TablaRecuperada> v;
    for (const CopiaAnexo& a : copiasAnexo()) {
        const Registros r = base.consulta(QStringLiteral("SELECT * FROM %1").arg(a.temporal));
        TablaRecuperada t;
        t.tabla = a.temporal;
        for (int c = 0; c < r.columnas(); ++c) t.columnas << r.columna(c).nombre;
        t.filas.reserve(size_t(r.filas()));
        for (int f = 0; f < r.filas(); ++f) {
            QVariantList fila;
            fila.reserve(r.columnas());
            for (int c = 0; c < r.columnas(); ++c) fila << r.valor(f, c);
            t.filas.push_back(std::move(fila));
        }
        v.push_back(std::move(t));
    }
    return v;
}

void restauraAnexosTrabajo(BaseDatos& base, const std::vector<TablaRecuperada>& anexos) {
    // Only the working tables, by the names this program knows: a copy names no other table.
    const auto conocida = [](const QString& t) {
        for (const CopiaAnexo& a : copiasAnexo())
            if (t.compare(QLatin1String(a.temporal), Qt::CaseInsensitive) == 0) return true;
        return false;
    };
    TransaccionEscritura tr(base, Durabilidad::Diferida);
    VaciaTemporales(base);
    for (const TablaRecuperada& t : anexos) {
        if (!conocida(t.tabla) || t.filas.empty()) continue;
        // Columns the table no longer has are left out rather than failing the whole restore.
        QStringList nombres;
        std::vector<int> indices;
        for (const Columna& c : base.columnas(t.tabla)) {
            const int i = int(t.columnas.indexOf(c.nombre));
            if (i < 0) continue;
            nombres << c.nombre;
            indices.push_back(i);
        }
        if (indices.empty()) continue;
        LoteFilas inserta(base, t.tabla, nombres);
        for (const QVariantList& f : t.filas) {
            QVariantList v;
            v.reserve(qsizetype(indices.size()));
            for (int i : indices) v << f.value(i);
            inserta.agrega(std::move(v));
        }
        inserta.envia();
    }
    tr.confirma();
}

CopiaRecuperacion tomaCopia(BaseDatos& base, const Declaracion& d, const QString& usuario,
                            const QString& formulario, const CabeceraGuardada& guardada) {
    CopiaRecuperacion c;
    c.usuario = usuario;
    c.clave.ruc = d.valores.RucDeclarante;
    c.clave.formulario = formulario;
    c.momento = QDateTime::currentDateTime();
    c.nueva = d.valores.ModoDeclaracion == 1;
    c.guardada = guardada;
    c.datos = instantaneaDe(d);
    c.anexos = leeAnexosTrabajo(base);
    return c;
}

void restauraInstantanea(Declaracion& d, const Instantanea& s) {
    SuspendeCalculo suspende(d.valores);
    // What the opening loaded and the copy no longer holds was cleared by the person.
    for (const InfoCasilla& i : inventario())
        if (!s.casillas.count(i.numero)) d.fijaTexto(i.numero, QString());
    Carga c;
    c.datos = s;
    // The lists are chosen by their codes, as an opening chooses them.
    for (auto& [n, entrada] : c.datos.listas) entrada = entrada.left(2);
    c.datos.profesion = s.profesion.left(2);
    aplicaCarga(d, c);
    // The very entry chosen, when the lists still hold it (a code alone misses a blank entry).
    for (const auto& [n, entrada] : s.listas) {
        const auto it = d.controles.listasDocumento.find(n);
        if (it == d.controles.listasDocumento.end() || entrada.isEmpty()) continue;
        const int i = int(it->second.entradas.indexOf(entrada));
        if (i >= 0 && i != it->second.elegida) d.eligeTipoDocumento(n, i);
    }
    const int profesion =
        s.profesion.isEmpty() ? -1 : int(d.controles.profesion.entradas.indexOf(s.profesion));
    if (profesion >= 0 || s.profesion.isEmpty()) d.eligeProfesion(profesion);
    suspende.termina();
    d.Modificado = true;
}

std::vector<BusquedaCopia> buscaCopias(BaseDatos& base, const QString& usuario, const ClaveDeclaracion& clave,
                                       const QString& propia) {
    std::vector<BusquedaCopia> v;
    const QStringList archivos = copiasDeclaracion(usuario, clave);
    if (archivos.isEmpty()) return v;
    const bool permitido = !entradaContribuyente(base, clave.formulario, usuario, clave.ruc).isEmpty();
    const SelloCabecera sello = selloCabecera(base, clave);
    const QByteArray contenido = versionDeclaracion(base, clave, false);
    for (const QString& archivo : archivos) {
        if (!propia.isEmpty() && sesionDeCopia(archivo) == propia) continue;
        BusquedaCopia b;
        b.archivo = archivo;
        b.toma = std::make_shared<TomaCopia>(archivo);
        // Another window's (or program's) copy of its typing: not ours to offer or to remove.
        if (!b.toma->libre()) continue;
        LecturaCopia l = leeCopia(archivo, usuario, clave.ruc);
        if (l.estado == LecturaCopia::Ninguna) continue;  // gone meanwhile
        if (l.estado == LecturaCopia::Danada) {
            b.oferta = Oferta::Danada;
            b.mensaje = l.mensaje;
            v.push_back(std::move(b));
            continue;
        }
        b.copia = std::move(l.copia);
        if (!permitido) {
            b.oferta = Oferta::NoPermitida;
        } else if (b.copia.base ? *b.copia.base != contenido : !(sello == b.copia.guardada)) {
            // Kept, not deleted: it may hold typing that the later save does not.
            b.oferta = Oferta::Superada;
            const QString m = momentoTexto(b.copia.momento);
            const QString apartada = apartaCopia(archivo, "superada");
            b.mensaje =
                (sello.existe
                     ? QStringLiteral("La declaración guardada fue grabada después de que se hizo la copia "
                                      "de recuperación del %1 a las %2: la copia no se recupera sobre lo "
                                      "grabado")
                     : QStringLiteral("La declaración guardada fue eliminada después de que se hizo la "
                                      "copia de recuperación del %1 a las %2: la copia no se recupera"))
                    .arg(m.left(10), m.mid(11)) +
                (apartada.isEmpty()
                     ? QStringLiteral(" y no se pudo apartar.")
                     : QStringLiteral("; se conserva aparte como %1.").arg(QFileInfo(apartada).fileName()));
        } else {
            b.oferta = Oferta::Ofrecer;
        }
        v.push_back(std::move(b));
    }
    // What cannot be read is said first (it has no time); then the newest copy first.
    std::stable_sort(v.begin(), v.end(), [](const BusquedaCopia& x, const BusquedaCopia& y) {
        const bool dx = x.oferta == Oferta::Danada, dy = y.oferta == Oferta::Danada;
        if (dx || dy) return dx && !dy;
        return x.copia.momento > y.copia.momento;
    });
    return v;
}

QString preguntaRecuperacion(const CopiaRecuperacion& c) {
    const QString m = momentoTexto(c.momento);
    return QStringLiteral(
               "El formulario tiene cambios que no fueron grabados (copia de recuperación del %1 a las %2). "
               "¿Desea recuperarlos?")
        .arg(m.left(10), m.mid(11));
}

}  // namespace qvr
