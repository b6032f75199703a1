#pragma once
// The host's sending of declarations, simulated: every consistent stored declaration of the form
// is copied into the sent-history tables under its next sending number, and the send-summary
// program is run for it.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace qvr {

class BaseDatos;

struct Envio {
    QString ruc;
    QString correl;
    QString control;  // eight digits
    QString lineaComandos;  // the send-summary program's command line for this sending
};

// Copies CAB, DET and the three annex tables of every declaration of form 0738 with estado 0 into
// hCAB, hDET and the HF tables (next correl, control, fec_env today, estado 1, cNumero), all in one
// transaction; the sent CAB rows are marked estado 1 so that they are not sent twice.
std::vector<Envio> EnviaDeclaraciones(BaseDatos& base);

// The send-summary program's command line: 2 unused characters, the taxpayer number in 15, the form
// in 4, the period in 6, the week in 1 and the NC value (the control number) in 8.
QString lineaComandosResumen(const QString& ruc, const QString& formulario, const QString& periodo, int semana,
                             const QString& nc);

// Runs the send-summary program (at `rutaOskeni`) for each sending, reporting through `anota`;
// returns how many runs failed.
int ejecutaResumenes(const std::vector<Envio>& envios, const QString& rutaOskeni,
                     const std::function<void(const QString&)>& anota);

}  // namespace qvr
