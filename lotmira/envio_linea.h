#pragma once
// One line of the send-list file env738.txt: thirteen fields, each followed by "|".
#include <QString>
#include <QVariant>
#include <optional>

namespace qvr {

struct FilaEnvio {
    QString tablaO;    // field 1, trimmed
    QString tablaD;    // field 2 as written; one blank when empty
    QString tablaExt;  // field 3, trimmed
    int indice = 0;    // fields 4-6: 0..255
    int obliga = 0;
    int cTipDocD = 0;
    // fields 7-12: c_doc_id_d, c_Formulario, c_periodo, c_estado, c_envio, c_semana
    QVariant numeros[6];
};

struct LineaEnvio {
    std::optional<FilaEnvio> fila;
    QString error;  // why the line cannot be installed, when fila is empty
};

// Field 0 is ignored; anything after the thirteenth field is ignored too. A line with fewer than
// thirteen fields, or whose numeric fields are not numbers, gives no row and says why.
LineaEnvio LeeLineaEnvio(const QString& linea);

}  // namespace qvr
