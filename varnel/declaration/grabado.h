#pragma once
// Saving a declaration: the header row in CAB, one DET row per non-empty box, the annex rows and
// the header's estado, all in one write transaction. A refused or failed save leaves the
// declaration saved before exactly as it was, and the caller keeps what was typed.
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

#include "varnel/declaration/instantanea.h"

namespace qvr {

class BaseDatos;

struct OpcionesGrabado {
    // Identification checks before anything is written (ValIdent("1")); true: go on.
    std::function<bool()> validaIdentificacion;
    // The silent validation (ValidaTodo("2")), run inside the save after the rows are written;
    // true: no inconsistency. Without it the declaration counts as consistent.
    std::function<bool()> validaSilenciosa;
    QString titulo;  // the window's caption, title of the messages
    QDate hoy;       // fec_pro; today when not given
    // Under the save's lock, before anything is written: throws ErrorBD (3197, 3167) when the
    // stored declaration is no longer the one that was read.
    std::function<void()> compruebaVersion;
    // Under the lock, after everything is written and before it is committed: what the caller
    // keeps as the version it now holds.
    std::function<void()> trasEscribir;
    // Called once the header and every detail row are written, before the annex rows, with the
    // number of detail rows: where a test stops a save half-way. Empty in the program.
    std::function<void(int filas)> trasDetalle;
};

struct ResultadoGrabado {
    bool grabado = false;      // everything was written
    bool detenido = false;     // the identification checks stopped it: nothing written, no error
    bool consistente = false;  // estado 0
    int errorBD = 0;           // Jet number of the error that made the database refuse the save
    QString ruc;               // RucDeclarante of the saved declaration
};

// idcasilla of a box.
QString idCasilla(const QString& casilla);

// The rows a save writes into DET, in order: box (three characters) and i_valor.
std::vector<std::pair<QString, QString>> filasDetalle(const Instantanea& d, const QString& ruc,
                                                      const QString& periodo);

// GrabarForm of a declaration that is not a sent one. Shows the closing message of a save or, when
// the database refuses it, the record-error message.
ResultadoGrabado GrabarForm(BaseDatos& base, const Instantanea& d, const ClaveDeclaracion& clave,
                            const OpcionesGrabado& opciones = {});

// GrabarCasilla: writes one DET row of the declaration (replacing the box's row); false when the
// value writes no row. Throws ErrorBD.
bool GrabarCasilla(BaseDatos& base, const ClaveDeclaracion& clave, const QString& casilla,
                   const QString& valor);

}  // namespace qvr
