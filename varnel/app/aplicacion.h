#pragma once
// Varnel's run: the run settings, the run values the commands set, the status bar the windows
// write to, and the start-up steps that need no window.
#include <QString>
#include <functional>

#include "common/sesion.h"
#include "platform/dialogs.h"
#include "varnel/app/valores.h"

namespace qvr {

inline const QString kTituloHost = QStringLiteral("Orvelane");
inline const QString kPrograma = QStringLiteral("Varnel");
inline const QString kTituloModulo = QStringLiteral("Declaración Pago Anual Impuesto a la Renta");

// The suite's status bar as the windows see it: four texts and a numeric value, written only.
class BarraEstado {
  public:
    virtual ~BarraEstado() = default;
    virtual void setNumeroDocumento(const QString& texto) = 0;
    virtual void setNombre(const QString& texto) = 0;
    virtual void setFormulario(const QString& texto) = 0;
    virtual void setPeriodo(const QString& texto) = 0;
    virtual void setValor(short valor) = 0;
    // The four texts at once, as the lists write the chosen declaration.
    void fija(const QString& ruc, const QString& nombre, const QString& formulario, const QString& periodo);
    // Clears the four texts, as the windows do when they unload.
    void limpia();
};

// A status bar that shows nothing: for a window opened without the host's bar (tests, benches).
class SinBarra : public BarraEstado {
  public:
    void setNumeroDocumento(const QString&) override {}
    void setNombre(const QString&) override {}
    void setFormulario(const QString&) override {}
    void setPeriodo(const QString&) override {}
    void setValor(short) override {}
};

struct Aplicacion {
    DatosSesion sesion;
    ValoresEjecucion valores;
    BarraEstado* barra = nullptr;
    // The application's help file, without extension: RutaSistema + Formulario + "\" + "Varnel".
    QString ArchivoAyuda;
    // Shows the help at a topic; set by the main window, so that F1 works in the windows it opens.
    std::function<void(int topico)> ayuda;

    Dialogos& dialogos() const { return qvr::dialogos(); }
};

// The status bar the windows write to: the main window's, or one that shows nothing when a window
// is opened without the main window.
BarraEstado& barraActiva(Aplicacion& app);

// The main window's load after it is shown: reads NEMDAL.INI, opens the database, fixes the form
// number and the help file, and checks the host table ERROR. False (after a message) when the
// program must end.
bool cargaAplicacion(Aplicacion& app);

// The status bar as start-up leaves it: no taxpayer, the form number and the period, value 1.
void inicializaBarra(BarraEstado& barra, const DatosSesion& s);

// Closes the shared database at the end of the run.
void cierraBaseDatos(Aplicacion& app);

// The file that holds the help: the help file name plus ".html", as a file-system path.
QString rutaAyudaHtml(const QString& archivoAyuda);

// Twips (1/1440 inch) to pixels at a logical resolution: 15 twips per pixel at 96 dpi.
int twipsAPixeles(int twips, double dpi);

}  // namespace qvr
