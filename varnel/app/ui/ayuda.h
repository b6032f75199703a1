#pragma once
// The module's help: an HTML file whose topics are anchors named by help context id, shown in a
// help window. The file ships inside the program (and, in an installed suite, in share/qvr/) and is
// put in place when the host's system folder lacks it.
#include <QWidget>
#include <functional>

class QTextBrowser;

namespace qvr {

// The shipped help that instalaAyuda copies: the installed share/qvr/Varnel.html when the program
// runs from an installation, otherwise the copy inside the program (a resource path).
QString origenAyuda();

// Writes the shipped help to `ruta` (creating its folder) when no file is there, or when the file
// there is the unedited help of an earlier version. False when the file is missing and could not
// be written.
bool instalaAyuda(const QString& ruta);

// The help topic of a window is its property "contextoAyuda" (0 or none: the contents), as the
// main window and its menus carry it.
inline constexpr char kPropiedadAyuda[] = "contextoAyuda";
// The topic of `w` or, when it carries none, of the nearest window around it.
int contextoAyudaDe(const QWidget* w);
// How the help is shown at a topic; the main window installs its help window here. Returns the
// previous one.
std::function<void(int)> instalaMostrarAyuda(std::function<void(int)> f);
// F1 in `ventana` shows the help at the topic the window carries at that moment (once per window).
void conectaAyuda(QWidget* ventana);
// Gives a window its help topic and F1.
void asignaAyuda(QWidget* ventana, int tema);

class FrmAyuda : public QWidget {
    Q_OBJECT
  public:
    explicit FrmAyuda(QWidget* padre = nullptr);
    // Shows the file at a topic; context 0 is the contents (the top of the file).
    void muestra(const QString& ruta, int contexto);
    QString ruta() const { return ruta_; }
    int contexto() const { return contexto_; }
    QTextBrowser* navegador() const { return texto_; }
    // The size and place that keep the whole window, frame included, inside `area` (the screen's
    // available part): the usual size or less, over `centro` where it fits.
    static QRect geometriaEn(const QRect& area, const QPoint& centro, QSize marco);

  private:
    void cabeEnPantalla();

    QTextBrowser* texto_;
    QString ruta_;
    int contexto_ = 0;
};

}  // namespace qvr
