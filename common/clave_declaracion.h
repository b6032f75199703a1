#pragma once
// The key of a stored declaration (tip_doc_d 6, RUC, period, form, week; and the correl of a sent
// one) and the one condition that finds its rows in every table that carries the key: the headers
// (CAB, hCAB), the boxes (DET, hDET) and the annexes.
#include <QString>
#include <QVariantList>

#include "common/schema.h"

namespace qvr {

// The key of the declaration shown; `correl` only for a sent one.
struct ClaveDeclaracion {
    QString ruc;
    QString periodo = kPeriodo;
    QString formulario = kFormulario;
    int semana = kSemana;
    QString correl;
    friend bool operator==(const ClaveDeclaracion&, const ClaveDeclaracion&) = default;
};

// A WHERE condition with its bound values, in the order of its markers.
struct CondicionSql {
    QString sql;
    QVariantList parametros;
};

// What of the key the condition names.
enum class PartesClave {
    Completa,      // tip_doc_d, doc_id_d, periodo, formulario, semana
    ConCorrel,     // the same and correl: one sending of a sent declaration
    SinSemana,     // tip_doc_d, doc_id_d, periodo, formulario: the annexes, which carry no week
};

// How the RUC is compared: as stored, or without trailing blanks on either side (a number given by
// another program as it was typed).
enum class ComparaRuc { Exacta, SinBlancosFinales };

// "TIP_DOC_D=6 AND DOC_ID_D=? AND PERIODO=? AND FORMULARIO=? AND SEMANA=?" (with the parts asked
// for), each column prefixed by `alias` and a dot when one is given.
CondicionSql condicionDeclaracion(const ClaveDeclaracion& clave, PartesClave partes = PartesClave::Completa,
                                  const QString& alias = {}, ComparaRuc ruc = ComparaRuc::Exacta);

}  // namespace qvr
