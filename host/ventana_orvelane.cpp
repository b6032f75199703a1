#include "host/ventana_orvelane.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/descripciones_jet.h"
#include "host/envio.h"
#include "host/ventana_spool.h"
#include "platform/database.h"
#include "platform/database_motor.h"
#include "platform/dialogs.h"
#include "platform/profile.h"
#include "platform/ui/geometria.h"
#include "platform/windows.h"

namespace qvr::host {

VentanaOrvelane::VentanaOrvelane(const QString& carpetaProgramas, QWidget* parent)
    : QMainWindow(parent), carpeta_(carpetaProgramas) {
    setWindowTitle(kTituloHost);
    // While shown, the window holds the mark the modules' host check looks for.
    new MarcaVentana(this, kTituloHost);

    auto* central = new QWidget(this);
    auto* columna = new QVBoxLayout(central);

    auto* grupo = new QGroupBox("Entorno en uso", central);
    auto* enGrupo = new QVBoxLayout(grupo);
    entorno_ = new QLabel(grupo);
    entorno_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    entorno_->setWordWrap(true);
    enGrupo->addWidget(entorno_);
    columna->addWidget(grupo);

    auto* fila = new QHBoxLayout();
    varnel_ = new QPushButton("&Varnel", central);
    lotmira_ = new QPushButton("&Instalar tablas (Lotmira)", central);
    fila->addWidget(varnel_);
    fila->addWidget(lotmira_);
    enviar_ = new QPushButton("&Enviar declaraciones", central);
    spool_ = new QPushButton("&Reportes (SPOOL)", central);
    fila->addWidget(enviar_);
    fila->addWidget(spool_);
    fila->addStretch();
    columna->addLayout(fila);

    registro_ = new QPlainTextEdit(central);
    registro_->setReadOnly(true);
    registro_->setMaximumBlockCount(500);
    registro_->setPlaceholderText("Aquí se anotan los programas iniciados y lo que informan.");
    registro_->setAccessibleName("Registro de los programas iniciados");
    columna->addWidget(registro_, 1);

    setCentralWidget(central);
    resize(640, 320);
    restauraGeometria(this, "orvelane/principal");
    recuerdaGeometria(this, "orvelane/principal");

    connect(varnel_, &QPushButton::clicked, this, &VentanaOrvelane::iniciaVarnel);
    connect(lotmira_, &QPushButton::clicked, this, &VentanaOrvelane::instalaTablas);
    connect(enviar_, &QPushButton::clicked, this, &VentanaOrvelane::enviaDeclaraciones);
    connect(spool_, &QPushButton::clicked, this, &VentanaOrvelane::muestraSpool);
    muestraEntorno();
}

QString VentanaOrvelane::rutaPrograma(const QString& nombre) const { return QDir(carpeta_).filePath(nombre); }

QString VentanaOrvelane::textoEntorno() const {
    const QString ini = Perfil::rutaArchivo(kArchivoIni);
    if (!QFileInfo::exists(ini))
        return "NEMDAL.INI: " + ini + " (no existe; créelo con orvelane --setup CARPETA)";
    // With DBServer the database is the server's and the user is the login of the connection.
    const QString servidor = leeOpcion("DBServer");
    if (!servidor.isEmpty())
        return "NEMDAL.INI: " + ini + "\nServidor de base de datos: " + motor::conexionVisible(servidor) +
               "\nUsuario: el de la conexión al servidor";
    return "NEMDAL.INI: " + ini + "\nBase de datos: " + leeOpcion("DBPath") + leeOpcion("DBName") +
           "\nUsuario: " + leeOpcion("SysUser");
}

void VentanaOrvelane::muestraEntorno() { entorno_->setText(textoEntorno()); }

void VentanaOrvelane::anota(const QString& linea) {
    registro_->appendPlainText(QTime::currentTime().toString("HH:mm:ss") + "  " + linea);
}

bool VentanaOrvelane::existePrograma(const QString& nombre) {
    const QFileInfo f(rutaPrograma(nombre));
    if (f.isFile() && f.isExecutable()) return true;
    const QString texto =
        "No se encontró el programa " + nombre + " en " + QDir::toNativeSeparators(carpeta_) + ".";
    anota(texto);
    dialogos().muestra(texto, kTituloHost, Icono::Error, Botones::Ok);
    return false;
}

void VentanaOrvelane::iniciaVarnel() {
    if (!existePrograma("Varnel")) return;
    qint64 pid = 0;
    if (!QProcess::startDetached(rutaPrograma("Varnel"), {}, carpeta_, &pid)) {
        const QString texto = "No se pudo iniciar Varnel.";
        anota(texto);
        dialogos().muestra(texto, kTituloHost, Icono::Error, Botones::Ok);
        return;
    }
    anota("Varnel iniciado (proceso " + QString::number(pid) + ").");
}

void VentanaOrvelane::instalaTablas() {
    if (instalador_ || !existePrograma("Lotmira")) return;
    // Installing again replaces the form's tables: never on a stray Enter, only when confirmed.
    if (dialogos().muestra(kPreguntaInstalar, kTituloHost, Icono::Pregunta, Botones::SiNo, Respuesta::No) !=
        Respuesta::Si)
        return;
    instalador_ = new QProcess(this);
    instalador_->setProgram(rutaPrograma("Lotmira"));
    instalador_->setWorkingDirectory(carpeta_);
    connect(instalador_, &QProcess::finished, this, &VentanaOrvelane::lotmiraTermino);
    connect(instalador_, &QProcess::errorOccurred, this, &VentanaOrvelane::lotmiraFallo);
    lotmira_->setEnabled(false);
    anota("Lotmira: instalando las tablas del formulario 0738...");
    instalador_->start();
}

void VentanaOrvelane::lotmiraTermino(int codigo, QProcess::ExitStatus estado) {
    const QString error = QString::fromUtf8(instalador_->readAllStandardError()).trimmed();
    const QString salida = QString::fromUtf8(instalador_->readAllStandardOutput()).trimmed();
    instalador_->deleteLater();
    instalador_ = nullptr;
    lotmira_->setEnabled(true);
    if (!salida.isEmpty()) anota(salida);
    if (!error.isEmpty()) anota(error);
    if (estado == QProcess::CrashExit) {
        anota("Lotmira terminó de forma anormal.");
        codigo = -1;
    } else {
        anota(codigo == 0 ? "Lotmira terminó correctamente."
                          : "Lotmira terminó con el código " + QString::number(codigo) + ".");
    }
    muestraEntorno();
    emit instalacionTerminada(codigo);
}

void VentanaOrvelane::lotmiraFallo(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart || !instalador_) return;  // the others end in finished()
    instalador_->deleteLater();
    instalador_ = nullptr;
    lotmira_->setEnabled(true);
    const QString texto = "No se pudo iniciar Lotmira.";
    anota(texto);
    dialogos().muestra(texto, kTituloHost, Icono::Error, Botones::Ok);
    emit instalacionTerminada(-1);
}

void VentanaOrvelane::enviaDeclaraciones() {
    std::vector<Envio> enviados;
    try {
        auto base = AbreBaseConfigurada(leeOpcion("DBPath") + leeOpcion("DBName"));
        enviados = EnviaDeclaraciones(*base);
    } catch (const ErrorBD& e) {
        const QString texto = "No se pudo enviar: " + textoErrorBD(e);
        anota(texto);
        dialogos().muestra(texto, kTituloHost, Icono::Error, Botones::Ok);
        return;
    }
    if (enviados.empty()) {
        anota("No hay declaraciones consistentes por enviar.");
        return;
    }
    if (!existePrograma("Oskeni")) return;
    ejecutaResumenes(enviados, rutaPrograma("Oskeni"), [this](const QString& l) { anota(l); });
}

void VentanaOrvelane::muestraSpool() {
    VentanaSpool v(carpeta_, this);
    v.exec();
}

}  // namespace qvr::host
