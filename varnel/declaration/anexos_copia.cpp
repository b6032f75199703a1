#include "varnel/declaration/anexos_copia.h"

#include "common/anexos.h"
#include "common/catalogos.h"
#include "common/cnumero.h"
#include "platform/database.h"

namespace qvr {

namespace {

QStringList nombres(const std::vector<Columna>& columnas) {
    QStringList n;
    for (const Columna& c : columnas) n << c.nombre;
    return n;
}

bool vacioONulo(const QVariant& v) { return v.isNull() || v.toString().trimmed().isEmpty(); }

int indice(const std::vector<Columna>& columnas, const QString& nombre) {
    for (size_t i = 0; i < columnas.size(); ++i)
        if (columnas[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

}  // namespace

const std::vector<CopiaAnexo>& copiasAnexo() {
    static const std::vector<CopiaAnexo> c = {
        {"F0738DIVIDEND", "HF0738DIVIDEND", "TMP_F0738DIVID", 6, 0, 4, 4, 5},
        {"F0738EXTRANJ", "HF0738EXTRANJ", "TMP_F0738EXTRA", 8, 0, 4, 4, 5},
        {"F0738FIDEICOM", "HF0738FIDEICOM", "TMP_F0738FIDEI", 10, 0, 15, 4, 5},
    };
    return c;
}

void Graba_Patrimonial(BaseDatos& base, const ClaveDeclaracion& clave, const QString& sTabla,
                       const QString& sTemporal, int iIndice, int iCampoInicial, int iCampoFinal) {
    borraAnexoDeclaracion(base, sTabla, clave);
    const Registros trabajo = base.consulta("SELECT * FROM " + sTemporal);
    if (trabajo.vacio()) return;
    const std::vector<Columna> destino = base.columnas(sTabla);
    const int n = int(destino.size());
    if (n < 5 || 4 + (iCampoFinal - iCampoInicial) >= n - 1 || iCampoFinal >= trabajo.columnas())
        throw ErrorBD(jet::Reservado, QString("La tabla %1 no tiene las columnas esperadas.").arg(sTabla));
    // A trust party given by name parts is a person: its business name is not stored.
    const bool fideicomiso = sTabla.compare("F0738FIDEICOM", Qt::CaseInsensitive) == 0;
    // The rows of the table in one go (on the server one statement).
    LoteFilas inserta(base, sTabla, nombres(destino));
    for (int f = 0; f < trabajo.filas(); ++f) {
        QVariantList v;
        v.reserve(n);
        for (int c = 0; c < n; ++c) v << QVariant();
        v[0] = kTipDocDeclarante;
        v[1] = clave.ruc;
        v[2] = clave.periodo;
        v[3] = clave.formulario;
        for (int c = iCampoInicial; c <= iCampoFinal; ++c) {
            QVariant x = trabajo.valor(f, c);
            if (fideicomiso && (c == 5 || c == 13)) {
                x = vacioONulo(trabajo.valor(f, c - 2)) ? QVariant(x.toString().left(40).trimmed())
                                                        : QVariant();
            }
            v[4 + c - iCampoInicial] = x;
        }
        v[n - 1] = cNumero(v, destino, iIndice);
        inserta.agrega(std::move(v));
    }
    inserta.envia();
}

void GrabaAnexos(BaseDatos& base, const ClaveDeclaracion& clave) {
    for (const CopiaAnexo& c : copiasAnexo())
        Graba_Patrimonial(base, clave, c.tabla, c.temporal, c.indice, c.inicial, c.final);
}

// The working tables are scratch rows that every opening rebuilds: their writes need not wait for
// the disk.
Registros filasTrabajo(BaseDatos& base, const QString& sTemporal) {
    // Only the three working tables: the name goes into the statement.
    for (const CopiaAnexo& a : copiasAnexo())
        if (sTemporal.compare(a.temporal, Qt::CaseInsensitive) == 0)
            return base.consulta(QString("SELECT * FROM %1").arg(a.temporal));
    throw ErrorBD(jet::TablaNoExiste, "no es una tabla de trabajo: " + sTemporal);
}

void VaciaTemporales(BaseDatos& base) {
    TransaccionEscritura t(base, Durabilidad::Diferida);
    for (const CopiaAnexo& c : copiasAnexo()) base.ejecuta(QString("DELETE FROM %1").arg(c.temporal));
    t.confirma();
}

void LlenaTemporales(BaseDatos& base, const ClaveDeclaracion& clave, bool enviada) {
    TransaccionEscritura t(base, Durabilidad::Diferida);
    VaciaTemporales(base);
    for (const CopiaAnexo& c : copiasAnexo()) {
        const Registros origen = filasAnexoDeclaracion(base, c.tabla, clave, enviada);
        if (origen.vacio()) continue;
        const std::vector<Columna> destino = base.columnas(c.temporal);
        const int desde = enviada ? c.desdeHistoria : c.desdeTabla;
        const int copiadas = c.final - c.inicial + 1;  // the working columns before the descriptions
        if (desde + copiadas > origen.columnas() || copiadas > int(destino.size()))
            throw ErrorBD(jet::Reservado, QString("La tabla %1 no tiene las columnas esperadas.")
                                              .arg(enviada ? c.historia : c.tabla));
        LoteFilas inserta(base, c.temporal, nombres(destino));
        auto col = [&](const QString& nombre) { return indice(destino, nombre); };
        for (int f = 0; f < origen.filas(); ++f) {
            QVariantList v;
            for (size_t i = 0; i < destino.size(); ++i) v << QVariant();
            for (int i = 0; i < copiadas; ++i) v[i] = origen.valor(f, desde + i);
            const QString temporal = c.temporal;
            auto fija = [&](const QString& nombre, const QVariant& x) {
                if (int i = col(nombre); i >= 0) v[i] = x;
            };
            auto de = [&](const QString& nombre) {
                const int i = col(nombre);
                return i >= 0 ? v[i] : QVariant();
            };
            if (temporal == "TMP_F0738EXTRA") {
                fija("des_pais", FuncionDe(base, "976", de("ind_pais").toString(), 60, 1));
                fija("des_cargo", FuncionDe(base, "913", de("ind_cargo").toString(), 30, 1));
                fija("des_operacion", FuncionDe(base, "919", de("ind_operacion").toString(), 50, 1));
            } else if (temporal == "TMP_F0738FIDEI") {
                // A person is shown with its name parts joined as its business name.
                for (const QString& s : {QStringLiteral("fde"), QStringLiteral("ben")}) {
                    const QVariant apepat = de("des_apepat_" + s);
                    if (!vacioONulo(apepat))
                        fija("des_razon_" + s, apepat.toString().trimmed() + " " +
                                                   de("des_apemat_" + s).toString().trimmed() + " " +
                                                   de("des_nombre_" + s).toString().trimmed());
                }
                fija("des_empre_fdu2", FuncionDe(base, "927", de("tip_empre_fdu").toString(), 40, 1));
                fija("des_doc_ben", FuncionDe(base, "044", de("tip_doc_ben").toString(), 30, 1));
                fija("des_patri_fdei", FuncionDe(base, "926", de("tip_patri_fdei").toString(), 65, 1));
                fija("des_doc_fde", FuncionDe(base, "044", de("tip_doc_fde").toString(), 30, 1));
            }
            inserta.agrega(std::move(v));
        }
        inserta.envia();
    }
    t.confirma();
}

}  // namespace qvr
