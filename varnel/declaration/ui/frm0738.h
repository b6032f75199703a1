#pragma once
// Frm0738, the declaration window: a view of the declaration core. Its boxes and controls forward
// focus, key, mouse and choice events to the core and mirror what the core reports back; the pages
// are laid out from the box inventory.
#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <memory>

#include "varnel/app/aplicacion.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/frm0738_ident.h"
#include "varnel/sesion/sesion_declaracion.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTableWidget;

namespace qvr {

class BaseDatos;
class ListasAnexo;
class PanelAnexo;
class FormaDePagoQVR;

class Frm0738 : public QDialog {
    Q_OBJECT
  public:
    // Loads the declaration of the mode the run values name (new, modify, sent) through its
    // session. Throws ErrorBD when the database cannot be read, AperturaRechazada when the user
    // may not choose its taxpayer.
    Frm0738(Aplicacion& app, QWidget* padre = nullptr);
    ~Frm0738() override;

    // "V&alidar": the validation in report mode. Empty: the button shows nothing.
    std::function<void(Frm0738&)> validaTodo;

    SesionDeclaracion& sesion() { return *sesion_; }
    Declaracion& declaracion() { return *d_; }
    QLineEdit* TxtValor(int n) const;
    QTabWidget* tabPrincipal() const { return tabPrincipal_; }
    QTabWidget* SSTab2() const { return SSTab2_; }
    QTabWidget* SSTab3() const { return SSTab3_; }
    QTabWidget* SSTab5() const { return SSTab5_; }
    QComboBox* CmbRuc() const { return CmbRuc_; }
    QLineEdit* TxtNumRuc() const { return TxtNumRuc_; }
    QLineEdit* TxtTelefono() const { return TxtTelefono_; }
    QComboBox* cboProfesion() const { return cboProfesion_; }
    QComboBox* cmbtipdoc(int n) const;
    QRadioButton* opcion(Pregunta p, Opcion o) const;
    QLineEdit* MkeFecNac() const { return MkeFecNac_; }
    QScrollBar* hsDeuda() const { return hsDeuda_; }
    QScrollBar* VScrollPatrimonial() const { return VScroll_Patrimonial_; }
    QGroupBox* fraDeuda(int i) const { return fraDeuda_[size_t(i - 1)]; }
    QGroupBox* fraOrden() const { return fraOrden_; }
    QLineEdit* txtOrden() const { return txtOrden_; }
    QLineEdit* txtVerifica() const { return txtVerifica_; }
    FormaDePagoQVR* formaPago() const { return pago_; }
    QPushButton* Cmdgeneral(int i) const { return Cmdgeneral_[size_t(i)]; }
    int contextoAyuda() const { return contextoAyuda_; }
    // The help topic F1 opens: the page's, or 1045 in the representative's and spouse's fields.
    int temaAyuda() const;
    bool CerrarAlGrabar() const { return CerrarAlGrabar_; }

    // The commands.
    void Validar();
    void GrabarForm();
    void Salir();
    // Selects the page (and debt frame) that holds box n and gives it the focus.
    void irACasilla(int n);
    // ValIdent in interactive mode ("1") or report mode ("0", lines to `linea`).
    bool ValIdent(const QString& modo, const std::function<void(const QString&)>& linea = {});

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    // Tab stays in this window (it shares the focus chain of the window it was opened over).
    bool focusNextPrevChild(bool siguiente) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    // The consistency rules for "V&alidar" (report mode).
    void instalaValidacion();
    QWidget* creaPaginaIdentificacion();
    QWidget* creaPaginaCasillas(const QString& pagina);
    QWidget* creaPaginaDeuda();
    QWidget* creaPaginaComplementaria(int sub);
    QWidget* creaPaginaAdicional(int sub);
    QWidget* creaMarco(const QString& pagina, const QString& marco, QWidget* padre);
    QLineEdit* creaCaja(int n, QWidget* padre);
    QComboBox* creaListaDocumento(int n, QWidget* padre);
    QWidget* creaPregunta(Pregunta p, const QString& texto, QWidget* padre);

    void carga();
    void llenaListas();
    void CargaIdent();
    void espejaCasilla(int n);
    void espejaControles();
    void espejaTodo();
    void paginaCambiada(int pagina);
    void eligeRuc(int indice);
    void aplicaFoco(FocoIdent f);
    // Enter in a box: the next box of its page; after a sub-page's last box the first box of the next
    // sub-page (or page), never a command.
    void pasaConEnter(QWidget* w);
    // Focuses the first box (else the first stop) that Tab reaches in `contenedor`.
    bool enfocaPrimeraDe(QWidget* contenedor);
    void letrasDePagina();
    // The identification checks' outcome shown: page 0 and the focus.
    bool muestraIdent(const ResultadoIdent& r);
    // The annex grids, lists and panel shown again after the working rows changed (a restored copy).
    void espejaAnexos();
    void cargaGrilla(QTableWidget* t, const QString& tabla);
    void muestraMarcosPatrimonio(int posicion);
    void abreConTamano();
    void nombraControles();
    void ajustaPaginaDeuda();

    Aplicacion& app_;
    // The workflow below the window: it owns the declaration and the annex lists.
    std::unique_ptr<SesionDeclaracion> sesion_;
    Declaracion* d_ = nullptr;
    // The annex lists over the working tables; the dividends panel shows one of them.
    ListasAnexo* listas_ = nullptr;
    PanelAnexo* panelDividendos_ = nullptr;
    std::unique_ptr<Portapapeles> portapapeles_;
    std::unique_ptr<FiltrosTeclado> filtros_;
    bool espejando_ = false;
    bool cerrando_ = false;
    bool CerrarAlGrabar_ = false;
    int paginaPrevia_ = 0;
    int contextoAyuda_ = 1051;

    std::map<int, QLineEdit*> TxtValor_;
    std::map<int, QComboBox*> cmbtipdoc_;
    std::array<std::array<QRadioButton*, 2>, 6> opciones_{};  // by Pregunta: Si, No
    QTabWidget* tabPrincipal_ = nullptr;
    QTabWidget* SSTab2_ = nullptr;
    QTabWidget* SSTab3_ = nullptr;
    QTabWidget* SSTab5_ = nullptr;
    QComboBox* CmbRuc_ = nullptr;
    QLineEdit* TxtNumRuc_ = nullptr;
    QLineEdit* TxtTelefono_ = nullptr;
    QComboBox* cboProfesion_ = nullptr;
    QLineEdit* txtProfesion_ = nullptr;
    QLineEdit* MkeFecNac_ = nullptr;
    QGroupBox* fraAmazonia_ = nullptr;
    std::array<QGroupBox*, 3> fraDeuda_{};
    QScrollBar* hsDeuda_ = nullptr;
    QWidget* paginaDeuda_ = nullptr;
    FormaDePagoQVR* pago_ = nullptr;
    QGroupBox* fraPatrimonial_[2] = {};
    QScrollBar* VScroll_Patrimonial_ = nullptr;
    QLineEdit* TxtTotal_ = nullptr;
    QGroupBox* fraOrden_ = nullptr;
    QLineEdit* txtOrden_ = nullptr;
    QLineEdit* txtVerifica_ = nullptr;
    std::array<QPushButton*, 3> Cmdgeneral_{};
    QTableWidget* Grid_Dividendos_ = nullptr;
    QTableWidget* Grid_Extranjero_ = nullptr;
    QTableWidget* Grid_Fideicomiso_ = nullptr;
};

}  // namespace qvr
