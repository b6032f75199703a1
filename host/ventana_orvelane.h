#pragma once
// The host suite's main window as the module sees it: a shown window captioned exactly "Orvelane"
// that holds its mark while shown (Varnel refuses to run without it), with buttons that start the module and
// its table installer from the folder this program lives in.
#include <QMainWindow>
#include <QProcess>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qvr::host {

inline const QString kTituloHost = QStringLiteral("Orvelane");
// Asked before the table installer runs (No is the default answer).
inline const QString kPreguntaInstalar = QStringLiteral(
    "Se instalarán las tablas del formulario 0738 en la base de datos en uso; "
    "si ya están instaladas, se vuelven a instalar. ¿Desea continuar?");

class VentanaOrvelane : public QMainWindow {
    Q_OBJECT
  public:
    // `carpetaProgramas`: where Varnel and Lotmira are looked for.
    explicit VentanaOrvelane(const QString& carpetaProgramas, QWidget* parent = nullptr);

    QString rutaPrograma(const QString& nombre) const;
    // The environment in use, as the INI names it.
    QString textoEntorno() const;

    QPushButton* botonVarnel() const { return varnel_; }
    QPushButton* botonLotmira() const { return lotmira_; }
    QPushButton* botonEnviar() const { return enviar_; }
    QPushButton* botonSpool() const { return spool_; }
    QPlainTextEdit* registro() const { return registro_; }

  public slots:
    void iniciaVarnel();
    void instalaTablas();
    // Sends every consistent stored declaration and runs the send-summary program for each.
    void enviaDeclaraciones();
    void muestraSpool();

  signals:
    void instalacionTerminada(int codigo);

  private:
    void anota(const QString& linea);
    void muestraEntorno();
    bool existePrograma(const QString& nombre);
    void lotmiraTermino(int codigo, QProcess::ExitStatus estado);
    void lotmiraFallo(QProcess::ProcessError error);

    QString carpeta_;
    QLabel* entorno_ = nullptr;
    QPushButton* varnel_ = nullptr;
    QPushButton* lotmira_ = nullptr;
    QPushButton* enviar_ = nullptr;
    QPushButton* spool_ = nullptr;
    QPlainTextEdit* registro_ = nullptr;
    QProcess* instalador_ = nullptr;
};

}  // namespace qvr::host
