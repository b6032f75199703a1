#include "varnel/cli/lote_validacion.h"

#include <memory>

#include "common/catalogos.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "varnel/computation/recalculo.h"
#include "varnel/computation/validacion.h"
#include "varnel/declaration/declaracion.h"
#include "varnel/declaration/lote.h"
#include "varnel/sesion/sesion_declaracion.h"

namespace qvr {

namespace {

// Message boxes raised during the validation become notices; the previous port comes back after.
class CapturaAvisos {
  public:
    CapturaAvisos() : captura_(std::make_shared<DialogosScript>()), previo_(instalaDialogos(captura_)) {}
    ~CapturaAvisos() { instalaDialogos(previo_); }
    QStringList avisos() const {
        QStringList r;
        for (const Mensaje& m : captura_->mostrados)
            for (const QString& l : m.texto.split('\n', Qt::SkipEmptyParts)) r << l.trimmed();
        return r;
    }

  private:
    std::shared_ptr<DialogosScript> captura_;
    std::shared_ptr<Dialogos> previo_;
};

}  // namespace

ResultadoValidacionEntrada validaEntrada(BaseDatos& base, const QString& formulario, const QString& usuario,
                                         LectorLineas& lector, const QDate& hoy, const Avisa& avisa) {
    ResultadoValidacionEntrada r;
    const auto uit = valorDeTasa(UitDelAnio(base, "2003"));
    const auto tasa110 = valorDeTasa(TasaPorCodigo(base, "050802", catalogo::Tasas, "2003"));
    if (!uit) avisa("no hay UIT de 2003 en el catálogo '404'");
    if (!tasa110) avisa("no hay tasa '050802' en el catálogo '998'");
    if (!uit || !tasa110) return r.estado = 2, r;

    ValoresEjecucion valores;
    valores.ModoDeclaracion = 2;  // as opened for modification: no taxpayer-list checks
    Declaracion d(valores, Tasas{*uit, *tasa110, 0});
    conectaCalculo(d);
    llenaListas(d, base);
    d.preparaNueva();
    if (tecleaEntrada(d, lector, avisa) != 0) return r.estado = 2, r;
    if (!valores.RucDeclarante.isEmpty()) {
        const QString rechazo = rechazoContribuyente(base, formulario, usuario, valores.RucDeclarante);
        if (!rechazo.isEmpty()) {
            r.rechazo = rechazo;
            return r.estado = 2, r;
        }
    }

    ContextoValidacion c;
    c.base = &base;
    c.hoy = hoy;
    c.confirma = false;
    // Nothing is entered into the annex grids here.
    c.hayExtranjero = [] { return false; };
    c.hayFideicomisos = [] { return false; };
    ResultadoValidacion v;
    {
        CapturaAvisos captura;
        v = ValidaTodoDetalle(d, "0", c);
        r.avisos << captura.avisos();
    }
    for (const Inconsistencia& i : v.lineas) r.lineas << i.texto;
    r.estado = v.consistente ? 0 : 1;
    return r;
}

}  // namespace qvr
