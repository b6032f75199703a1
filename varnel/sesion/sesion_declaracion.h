#pragma once
// One declaration opened for the current user, below every face that shows or drives it (the
// declaration window, varnel-cli): it refuses a taxpayer the user may not choose, reads the
// declaration and keeps what was read, saves it (or the order number of a sent one) with the
// silent check, decides the closing and keeps the recovery copy. It reports through its results
// and the dialogs port, never through widgets.
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

#include "platform/database.h"
#include "varnel/app/valores.h"
#include "varnel/declaration/carga.h"
#include "varnel/declaration/frm0738_ident.h"

namespace qvr {

class BarraEstado;
class Declaracion;
class ListasAnexo;
class RecuperacionSesion;
struct ContextoValidacion;

// Who opens the declaration, and where.
struct EntornoSesion {
    BaseDatos* base = nullptr;
    QString formulario = kFormulario;
    QString usuario;
    QString rutaSistema;  // where the validation writes its inconsistency file
    BarraEstado* barra = nullptr;
    // The window keeps a recovery copy of the typing; the command line types nothing by hand.
    bool copiaRecuperacion = false;
};

struct ResultadoApertura {
    bool abierta = false;
    QString motivo;           // refused: why, in the suite's words
    bool existe = false;      // a stored header (or the sending) was found
    bool restaurada = false;  // a recovery copy was put back
};

// Why `usuario` may not open the declarations of `ruc` ("El contribuyente … no está entre los que
// el usuario … puede elegir"); empty when the taxpayer is one the user may choose. Throws ErrorBD.
QString rechazoContribuyente(BaseDatos& base, const QString& formulario, const QString& usuario, const QString& ruc);

// A window asked to open a declaration that the session refused; what() says why, in Spanish.
class AperturaRechazada : public std::runtime_error {
  public:
    explicit AperturaRechazada(const QString& motivo) : std::runtime_error(motivo.toStdString()) {}
};

// What the closing question decided.
enum class DecisionCierre { Cerrar, Quedarse, Grabar };

class SesionDeclaracion {
  public:
    // The tax year of this form: the window sets it as the run's period.
    static inline const QString kPeriodoDeclaracion = QStringLiteral("2003");

    // Nothing is read yet: the declaration is empty until abre().
    SesionDeclaracion(const EntornoSesion& entorno, ValoresEjecucion& valores);
    ~SesionDeclaracion();
    SesionDeclaracion(const SesionDeclaracion&) = delete;
    SesionDeclaracion& operator=(const SesionDeclaracion&) = delete;

    // Opens the declaration the run values name: ModoDeclaracion 1 a new one (the taxpayer list of
    // the user), 2 the stored one of RucDeclarante, with DeclaracionEnviada the sending
    // CorrelEnviada (its order and control numbers read when not given). A stored or sent
    // declaration of a taxpayer the user may not choose is refused and nothing is read. The annex
    // working rows are refilled and a stored "No" with rows asks its question; a recovery copy of
    // it is offered. With `exigeExistente` a stored declaration (or sending) that is not there is
    // refused too, before anything is read. Throws ErrorBD when the database cannot be read.
    ResultadoApertura abre(bool exigeExistente = false);

    Declaracion& declaracion() { return *d_; }
    const Declaracion& declaracion() const { return *d_; }
    ListasAnexo& listas() { return *listas_; }
    BaseDatos& base() { return *entorno_.base; }
    const EntornoSesion& entorno() const { return entorno_; }
    ValoresEjecucion& valores() { return valores_; }
    // The opening's reading: the taxpayer entries of a new declaration among it.
    const Carga& carga() const { return carga_; }
    // Null when the session keeps no recovery copy.
    RecuperacionSesion* recuperacion() { return recuperacion_.get(); }
    // The face that typed goes away: the copy takes what was typed last and stops watching.
    void terminaCopia();

    // The chosen taxpayer entry of a new declaration (empty until one is chosen).
    const QString& entradaRuc() const { return entradaRuc_; }
    // The entry of `ruc` among the taxpayers the user may choose; empty when it is not one.
    QString entradaDe(const QString& ruc) const;

    // Choosing a taxpayer of a new declaration, as CmbRuc does: an entry that is not one of the
    // user's is refused (nothing changes); the recovery copy of the chosen one is offered.
    struct Eleccion {
        bool ok = false;
        bool existe = false;     // the taxpayer already has this declaration
        bool restaurada = false;  // a recovery copy was put back: the view shows everything again
    };
    Eleccion eligeContribuyente(const QString& entrada);

    ContextoIdent contextoIdent() const;
    ContextoValidacion contextoValidacion() const;
    // ValIdent in interactive mode ("1") or report mode ("0"). A database error is shown as the
    // record error and fails the check.
    ResultadoIdent ValIdent(const QString& modo, const std::function<void(const QString&)>& linea = {});
    // The save's silent check (ValidaTodo "2"): true when consistent.
    bool validaSilenciosa();

    // GrabarForm: a sent declaration's order number (`orden`, `verifica`), or the declaration with
    // the identification checks (`identificacion`; empty: ValIdent("1")) and the silent check. On
    // success the declaration is unmodified, in modify mode, and its copy removed.
    struct Guardado {
        bool grabado = false;
        bool focoVerifica = false;  // the order number was refused: the check-digit field takes the focus
    };
    Guardado graba(const QString& orden = {}, const QString& verifica = {},
                   const std::function<bool()>& identificacion = {});

    // "&Salir": the closing question. Cerrar: close without saving (a "No" drops the copy too);
    // Grabar: save, then close; Quedarse: the window stays as it is.
    DecisionCierre decideCierre(const QString& orden, const QString& verifica);

  private:
    // The key of the declaration shown (RucDeclarante; the sending's correl when sent).
    ClaveDeclaracion clave() const;
    // Under a save's lock: the stored declaration is still the one read, or ErrorBD 3197 (changed)
    // or 3167 (removed) is thrown.
    void compruebaVersion() const;
    void tomaVersion();
    // After a save refused because of another's change: how to go on.
    void avisaCambioAjeno(int errorBD) const;
    // The working rows are the session's: after a lost connection they are put back from the lists;
    // a save goes ahead only when the working tables hold what the lists show.
    void reponeTrabajo();
    bool trabajoListo();

    EntornoSesion entorno_;
    ValoresEjecucion& valores_;
    std::unique_ptr<Declaracion> d_;
    std::unique_ptr<ListasAnexo> listas_;
    Carga carga_;
    QString entradaRuc_;
    // What the stored declaration held when it was read (or last saved here); `conVersion_` false
    // while a new declaration has never been saved.
    QByteArray version_;
    bool conVersion_ = false;
    // The connection's mark of changes (BaseDatos::marcaCambios) taken just before `version_`: while
    // it stays the same, the stored declaration is still `version_` without reading it again.
    QByteArray marcaVersion_;
    BaseDatos::AvisoReconexion reconexion_;
    bool trabajoPendiente_ = false;  // a reconnection's refill has not succeeded yet
    // Last: it watches the declaration and the lists.
    std::unique_ptr<RecuperacionSesion> recuperacion_;
};

}  // namespace qvr
