#include "host/envio.h"

#include <QDate>
#include <QProcess>
#include <QRandomGenerator>

#include "common/clave_declaracion.h"
#include "common/cnumero.h"
#include "common/schema.h"
#include "platform/database.h"

namespace qvr {

namespace {

// Copies the rows of `origen` that match the declaration into `destino`, inserting the sending
// number after the key columns named `antesDe` and computing each row's cNumero.
void copiaFilas(BaseDatos& base, const QString& origen, const QString& destino, const QString& condicion,
                const QVariantList& parametros, const QString& correl) {
    const auto colsDestino = base.columnas(destino);
    const TablaEsquema* esquema = tablaEsquema(destino);
    const int clave = esquema ? esquema->columnasClave : 0;
    Registros filas = base.consulta(QString("SELECT * FROM %1 WHERE %2").arg(origen, condicion), parametros);
    QStringList nombres, marcas;
    for (const auto& c : colsDestino) {
        nombres << c.nombre;
        marcas << "?";
    }
    const QString insert =
        QString("INSERT INTO %1 (%2) VALUES (%3)").arg(destino, nombres.join(','), marcas.join(','));
    for (int f = 0; f < filas.filas(); ++f) {
        QVariantList valores;
        for (const auto& c : colsDestino) {
            if (c.nombre.compare("correl", Qt::CaseInsensitive) == 0)
                valores << correl;
            else
                valores << filas.valor(f, c.nombre);
        }
        valores.last() = cNumero(valores, colsDestino, clave);
        base.ejecuta(insert, valores);
    }
}

}  // namespace

QString lineaComandosResumen(const QString& ruc, const QString& formulario, const QString& periodo, int semana,
                             const QString& nc) {
    return "  " + ruc.leftJustified(15, ' ', true) + formulario.leftJustified(4, ' ', true) +
           (periodo + "00").leftJustified(6, ' ', true) + QString::number(semana).right(1) +
           nc.leftJustified(8, ' ', true);
}

std::vector<Envio> EnviaDeclaraciones(BaseDatos& base) {
    std::vector<Envio> enviados;
    TransaccionEscritura t(base);
    // The next correl of each declaration is read from hCAB: one sending at a time.
    base.bloqueaTabla("hCAB");
    Registros cab = base.consulta(
        "SELECT doc_id_d, periodo, semana FROM CAB WHERE tip_doc_d=6 AND formulario=? AND estado=0 ORDER BY doc_id_d",
        {kFormulario});
    for (int i = 0; i < cab.filas(); ++i) {
        const QString ruc = cab.texto(i, 0);
        const QString periodo = cab.texto(i, 1);
        const int semana = cab.valor(i, 2).toInt();
        ClaveDeclaracion k;
        k.ruc = ruc;
        k.periodo = periodo;
        k.formulario = kFormulario;
        k.semana = semana;
        const CondicionSql c = condicionDeclaracion(k);
        const QString& cond = c.sql;
        const QVariantList& clave = c.parametros;
        const int ultimo =
            base.escalar("SELECT max(CAST(correl AS INTEGER)) FROM hCAB WHERE " + cond, clave).toInt();
        const QString correl = QString::number(ultimo + 1);
        const QString control = QString::number(QRandomGenerator::global()->bounded(10000000, 100000000));

        // The header: CAB's columns plus the sending's own.
        const auto colsH = base.columnas("hCAB");
        Registros fila = base.consulta("SELECT * FROM CAB WHERE " + cond, clave);
        QStringList nombres, marcas;
        QVariantList valores;
        for (const auto& c : colsH) {
            nombres << c.nombre;
            marcas << "?";
            const QString n = c.nombre.toLower();
            if (n == "correl") valores << correl;
            else if (n == "control") valores << control;
            else if (n == "fec_env") valores << textoFechaBD(QDate::currentDate());
            else if (n == "estado") valores << 1;
            else valores << fila.valor(0, c.nombre);
        }
        valores.last() = cNumero(valores, colsH, tablaEsquema("hCAB")->columnasClave);
        base.ejecuta(QString("INSERT INTO hCAB (%1) VALUES (%2)").arg(nombres.join(','), marcas.join(',')), valores);

        copiaFilas(base, "DET", "hDET", cond, clave, correl);
        const CondicionSql anexo = condicionDeclaracion(k, PartesClave::SinSemana);
        copiaFilas(base, "F0738DIVIDEND", "HF0738DIVIDEND", anexo.sql, anexo.parametros, correl);
        copiaFilas(base, "F0738EXTRANJ", "HF0738EXTRANJ", anexo.sql, anexo.parametros, correl);
        copiaFilas(base, "F0738FIDEICOM", "HF0738FIDEICOM", anexo.sql, anexo.parametros, correl);
        base.ejecuta("UPDATE CAB SET estado=1 WHERE " + cond, clave);
        recalculaCNumero(base, "CAB", cond, clave);

        enviados.push_back({ruc, correl, control, lineaComandosResumen(ruc, kFormulario, periodo, semana, control)});
    }
    t.confirma();
    return enviados;
}

int ejecutaResumenes(const std::vector<Envio>& envios, const QString& rutaOskeni,
                     const std::function<void(const QString&)>& anota) {
    int fallas = 0;
    for (const Envio& e : envios) {
        anota("Enviada la declaración " + e.ruc + " (envío " + e.correl + ", control " + e.control + ").");
        QProcess oskeni;
        oskeni.start(rutaOskeni, {e.lineaComandos});
        if (!oskeni.waitForStarted(10000)) {
            anota("No se pudo iniciar Oskeni.");
            ++fallas;
            continue;
        }
        if (!oskeni.waitForFinished(60000)) {
            oskeni.kill();
            anota("Oskeni no terminó a tiempo.");
            ++fallas;
            continue;
        }
        const QString error = QString::fromUtf8(oskeni.readAllStandardError()).trimmed();
        if (!error.isEmpty()) anota(error);
        if (oskeni.exitStatus() == QProcess::NormalExit && oskeni.exitCode() == 0) {
            anota("Resumen de envío generado.");
        } else {
            anota("Oskeni terminó con el código " + QString::number(oskeni.exitCode()) + ".");
            ++fallas;
        }
    }
    return fallas;
}

}  // namespace qvr
