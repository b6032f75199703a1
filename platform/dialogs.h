#pragma once
// The message-box port. Windows and programs show every message through it, so that tests
// script the answers and command-line programs without a display print to standard error.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace qvr {

enum class Icono { Ninguno, Error, Pregunta, Exclamacion, Informacion };
enum class Botones { Ok, OkCancelar, SiNo, SiNoCancelar, ReintentarCancelar };
enum class Respuesta { Ok, Cancelar, Si, No, Reintentar };

struct Mensaje {
    QString texto;
    QString titulo;
    Icono icono = Icono::Ninguno;
    Botones botones = Botones::Ok;
};

class Dialogos {
  public:
    virtual ~Dialogos() = default;
    // `defecto` is the button that Enter presses; it is also the answer when nobody can answer.
    virtual Respuesta muestra(const Mensaje& m, Respuesta defecto) = 0;

    Respuesta muestra(const QString& texto, const QString& titulo, Icono icono = Icono::Ninguno,
                      Botones botones = Botones::Ok);
    Respuesta muestra(const QString& texto, const QString& titulo, Icono icono, Botones botones,
                      Respuesta defecto) {
        return muestra(Mensaje{texto, titulo, icono, botones}, defecto);
    }
};

// The first button of a set: what Enter presses when nothing else is said.
Respuesta primerBoton(Botones b);

// Standard error: "title: text", answered with the default button.
class DialogosConsola : public Dialogos {
  public:
    using Dialogos::muestra;
    Respuesta muestra(const Mensaje& m, Respuesta defecto) override;
};

// Tests: records every message and answers from a script (the default when the script is empty).
class DialogosScript : public Dialogos {
  public:
    using Dialogos::muestra;
    Respuesta muestra(const Mensaje& m, Respuesta defecto) override;
    void responde(Respuesta r) { respuestas.push_back(r); }
    QStringList textos() const;

    std::vector<Mensaje> mostrados;
    std::deque<Respuesta> respuestas;
};

// The port every part of a program uses. Never null: a console port until one is installed.
Dialogos& dialogos();
// Installs a port for the rest of the run (or until replaced); returns the previous one.
std::shared_ptr<Dialogos> instalaDialogos(std::shared_ptr<Dialogos> d);
// A command-line program's choice: message boxes when a display is available and the program has
// the window part of the platform set up (preparaInterfaz, platform/ui), else standard error.
std::shared_ptr<Dialogos> dialogosParaLineaDeComandos();
// The message boxes of the window part (DialogosQt); installed by preparaInterfaz.
using FabricaDialogos = std::function<std::shared_ptr<Dialogos>()>;
void instalaDialogosConPantalla(FabricaDialogos fabrica);

}  // namespace qvr
