#pragma once
// Declarations for the list tests: stored and sent headers with their boxes and annex rows, and a
// session on the environment's database.
#include <QString>
#include <memory>

#include "common/schema.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "support/entorno.h"

namespace qvr::prueba {

// A session of user `usuario` with its own connection to the environment's database.
inline std::unique_ptr<DatosSesion> sesionListas(Entorno& e, const QString& usuario) {
    auto s = std::make_unique<DatosSesion>();
    s->RutaSistema = e.sistema();
    s->RutaBaseDatos = e.rutaBase();
    s->ServidorBD = e.servidor();
    s->Usuario = usuario;
    s->Base = e.abreBase();
    return s;
}

// A stored declaration with two boxes and one row in each annex table (the annex tables have no
// week: only week 0 gets annex rows).
inline void agregaGuardada(BaseDatos& b, const QString& ruc, int semana = 0, int estado = 0,
                           const QString& periodo = kPeriodo) {
    b.ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, rectifica, cNumero) "
              "VALUES (6, ?, ?, '0738', ?, ?, '0', '000000')",
              {ruc, periodo, semana, estado});
    for (const char* casilla : {"100", "598"})
        b.ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, idcasilla, "
                  "estado, cNumero) VALUES (6, ?, ?, '0738', ?, ?, '1000', '01', 0, '000000')",
                  {ruc, periodo, semana, QString(casilla)});
    if (semana != 0 || !b.existeTabla("F0738DIVIDEND")) return;
    b.ejecuta("INSERT INTO F0738DIVIDEND VALUES (6, ?, ?, '0738', '20100000001', 'PAGADORA', '2003-05-01', "
              "'100', '4', '000000')",
              {ruc, periodo});
    b.ejecuta("INSERT INTO F0738EXTRANJ VALUES (6, ?, ?, '0738', 'EMPRESA', '0001', '01', '01', '50', '000000')",
              {ruc, periodo});
    b.ejecuta("INSERT INTO F0738FIDEICOM VALUES (6, ?, ?, '0738', 6, '20100000002', '', '', '', 'FIDEICOMITENTE', "
              "'01', 'FIDUCIARIA', 6, '20100000003', '', '', '', 'BENEFICIARIO', '01', '70', '000000')",
              {ruc, periodo});
}

// A sent declaration (one sending, `correl`) with two boxes and one row in each annex history table.
inline void agregaEnviada(BaseDatos& b, const QString& ruc, const QString& correl, int estado = 1,
                          const QString& norden = "12345678", const QString& control = "87654321",
                          const QString& fecEnv = "2004-03-15") {
    b.ejecuta("INSERT INTO hCAB (tip_doc_d, doc_id_d, periodo, formulario, semana, correl, estado, rectifica, "
              "norden, control, fec_env, cNumero) VALUES (6, ?, '2003', '0738', 0, ?, ?, '0', ?, ?, ?, '000000')",
              {ruc, correl, estado, norden, control, fecEnv});
    for (const char* casilla : {"100", "598"})
        b.ejecuta("INSERT INTO hDET (tip_doc_d, doc_id_d, periodo, formulario, semana, correl, casilla, i_valor, "
                  "idcasilla, estado, cNumero) VALUES (6, ?, '2003', '0738', 0, ?, ?, '1000', '01', 0, '000000')",
                  {ruc, correl, QString(casilla)});
    if (!b.existeTabla("HF0738DIVIDEND")) return;
    b.ejecuta("INSERT INTO HF0738DIVIDEND VALUES (6, ?, '2003', '0738', ?, '20100000001', 'PAGADORA', "
              "'2003-05-01', '100', '4', '000000')",
              {ruc, correl});
    b.ejecuta("INSERT INTO HF0738EXTRANJ VALUES (6, ?, '2003', '0738', ?, 'EMPRESA', '0001', '01', '01', '50', "
              "'000000')",
              {ruc, correl});
    b.ejecuta("INSERT INTO HF0738FIDEICOM VALUES (6, ?, '2003', '0738', ?, 6, '20100000002', '', '', '', "
              "'FIDEICOMITENTE', '01', 'FIDUCIARIA', 6, '20100000003', '', '', '', 'BENEFICIARIO', '01', '70', "
              "'000000')",
              {ruc, correl});
}

// Rows of a taxpayer in a table (of one sending when `correl` is given).
inline int cuentaFilas(BaseDatos& b, const QString& tabla, const QString& ruc, const QString& correl = {}) {
    QString sql = "SELECT COUNT(*) FROM " + tabla + " WHERE doc_id_d=?";
    QVariantList p = {ruc};
    if (!correl.isEmpty()) {
        sql += " AND correl=?";
        p << correl;
    }
    return b.escalar(sql, p).toInt();
}

inline const QStringList& tablasGuardadas() {
    static const QStringList t = {"DET", "CAB", "F0738DIVIDEND", "F0738EXTRANJ", "F0738FIDEICOM"};
    return t;
}
inline const QStringList& tablasEnviadas() {
    static const QStringList t = {"hDET", "hCAB", "HF0738DIVIDEND", "HF0738EXTRANJ", "HF0738FIDEICOM"};
    return t;
}

}  // namespace qvr::prueba
