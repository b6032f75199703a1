#include "host/ventana_spool.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/conexion.h"
#include "common/sesion.h"
#include "platform/database.h"
#include "platform/descripciones_jet.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/ui/teclas_grilla.h"

namespace qvr::host {

namespace {
const QStringList kColumnas = {"CodRep", "Secuencia", "Archivo", "Fecha", "Usuario", "Doc_id_d"};
}

VentanaSpool::VentanaSpool(const QString& carpetaProgramas, QWidget* parent)
    : QDialog(parent), carpeta_(carpetaProgramas) {
    setWindowTitle("Reportes generados (SPOOL)");
    auto* columna = new QVBoxLayout(this);
    tabla_ = new QTableWidget(0, kColumnas.size(), this);
    tabla_->setHorizontalHeaderLabels(kColumnas);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->horizontalHeader()->setStretchLastSection(true);
    tabla_->setAccessibleName("Reportes generados");
    columna->addWidget(tabla_, 1);
    auto* fila = new QHBoxLayout();
    ver_ = new QPushButton("&Ver reporte", this);
    auto* cerrar = new QPushButton("&Cerrar", this);
    fila->addStretch();
    fila->addWidget(ver_);
    fila->addWidget(cerrar);
    columna->addLayout(fila);
    resize(640, 360);
    connect(ver_, &QPushButton::clicked, this, &VentanaSpool::verSeleccionado);
    connect(tabla_, &QTableWidget::cellDoubleClicked, this, [this] { verSeleccionado(); });
    preparaTeclasGrilla(tabla_, [this] {
        if (ver_->isEnabled()) verSeleccionado();
    });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
    carga();
}

bool VentanaSpool::carga() {
    tabla_->setRowCount(0);
    try {
        auto base = AbreBaseConfigurada(leeOpcion("DBPath") + leeOpcion("DBName"));
        Registros r = base->consulta(
            "SELECT CodRep, Secuencia, Archivo, Fecha, Usuario, Doc_id_d FROM SPOOL ORDER BY Archivo DESC");
        tabla_->setRowCount(r.filas());
        for (int f = 0; f < r.filas(); ++f)
            for (int c = 0; c < kColumnas.size(); ++c) tabla_->setItem(f, c, new QTableWidgetItem(r.texto(f, c)));
        tabla_->resizeColumnsToContents();
        ver_->setEnabled(r.filas() > 0);
        if (r.filas() > 0) tabla_->selectRow(0);
        return true;
    } catch (const ErrorBD& e) {
        ver_->setEnabled(false);
        dialogos().muestra("No se puede leer la tabla SPOOL:\n" + textoErrorBD(e), windowTitle(), Icono::Error,
                           Botones::Ok);
        return false;
    }
}

QString VentanaSpool::rutaReporte(int fila) const {
    if (fila < 0 || fila >= tabla_->rowCount()) return {};
    const QString archivo = tabla_->item(fila, 2)->text().trimmed();
    // The interactive module writes under SysPath, the send-summary program under DBPath.
    for (const QString& carpeta : {leeOpcion("SysPath") + "RPT", leeOpcion("DBPath") + "RPT"}) {
        const QString ruta = rutaFs(carpeta + "/" + archivo);
        if (QFileInfo::exists(ruta)) return ruta;
    }
    return {};
}

void VentanaSpool::verSeleccionado() {
    const int fila = tabla_->currentRow();
    if (fila < 0) return;
    const QString ruta = rutaReporte(fila);
    if (ruta.isEmpty()) {
        dialogos().muestra("No se encuentra el archivo " + tabla_->item(fila, 2)->text() + ".", windowTitle(),
                           Icono::Exclamacion, Botones::Ok);
        return;
    }
    const QString cli = QDir(carpeta_).filePath("varnel-cli");
    if (!QProcess::startDetached(cli, {"ver", ruta}, carpeta_))
        dialogos().muestra("No se pudo iniciar el visor de reportes (" + cli + ").", windowTitle(), Icono::Error,
                           Botones::Ok);
}

}  // namespace qvr::host
