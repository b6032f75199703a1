#pragma once
// A declaration session opened as a window opens it, for the tests of the session.
#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "platform/database.h"
#include "varnel/app/valores.h"
#include "varnel/sesion/sesion_declaracion.h"

namespace qvr::prueba {

// `usuario`'s session on `b` in `modo` (1 new, 2 stored) for `ruc`; a session that does not open
// fails the test.
inline std::unique_ptr<SesionDeclaracion> abreSesion(BaseDatos& b, ValoresEjecucion& v, int modo,
                                                     const QString& ruc, const QString& usuario) {
    v.ModoDeclaracion = modo;
    v.RucDeclarante = ruc;
    EntornoSesion e;
    e.base = &b;
    e.usuario = usuario;
    auto s = std::make_unique<SesionDeclaracion>(e, v);
    EXPECT_TRUE(s->abre().abierta);
    return s;
}

// How many dividends of `ruc`'s declaration are stored.
inline int dividendosGuardados(BaseDatos& b, const QString& ruc) {
    return b.escalar("SELECT count(*) FROM F0738DIVIDEND WHERE doc_id_d = ?", {ruc}).toInt();
}

}  // namespace qvr::prueba
