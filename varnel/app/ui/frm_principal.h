#pragma once
// Varnel's main window: the menus, the toolbar and the suite's status bar. Every command sets its
// run values and opens its window modally, as a fresh instance.
#include <QMainWindow>
#include <QPointer>
#include <map>

#include "varnel/app/aplicacion.h"
#include "varnel/app/comandos.h"
#include "varnel/app/ui/ayuda.h"
#include "varnel/app/ui/ventanas.h"

class QAction;
class QDialog;

namespace qvr {

class BarradeEstadoQVR;

class FrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    FrmPrincipal(Aplicacion& app, const RegistroVentanas& ventanas, QWidget* padre = nullptr);
    ~FrmPrincipal() override;

    // The load step: position and style, shown, configuration, database, help file, status bar.
    // False when the program must end (the message was shown).
    bool carga();

    void ejecutaComando(Comando c);
    // Unloads every window this window opened; the help window stays.
    void CierraVentanasHijas();
    // Shows the help at a topic (a help context id); 0 shows the contents.
    void muestraAyuda(int contexto);

    BarradeEstadoQVR* barra() const { return barra_; }
    FrmAyuda* ventanaAyuda() const { return ayuda_; }

signals:
    // The program must end: the database is closed and the window unloaded.
    void programaTerminado();

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void construyeMenus();
    void construyeBarra();
    void abre(Ventana v, bool relojArena);
    void termina(Fin fin);

    Aplicacion& app_;
    const RegistroVentanas& ventanas_;
    BarradeEstadoQVR* barra_;
    QPointer<FrmAyuda> ayuda_;
    std::map<Ventana, QPointer<QDialog>> abiertas_;
    bool terminando_ = false;
};

}  // namespace qvr
