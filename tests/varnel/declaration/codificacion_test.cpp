#include "varnel/declaration/codificacion.h"

#include <gtest/gtest.h>

using namespace qvr;

TEST(Codificacion, ValorAlmacenadoPorCasilla) {
    struct Caso {
        const char *casilla, *valor;
        std::optional<QString> guardado;
    } casos[] = {
        {"122", "(1,234)", "-1234"},
        {"180", "1,234", "1234"},
        {"204", "01", "1"},
        {"025", "01", "01"},
        {"229", "20100066603", "20100066603"},
        {"236", "09876543", "09876543"},
        {"599", "C", "C"},
        {"811", "PEREZ", "PEREZ"},
        {"832", "0123", "0123"},
        {"100", "", std::nullopt},
        {"234", "__/__/____", std::nullopt},
        {"012", "________", std::nullopt},
        {"141", "0", "0"},
    };
    for (const auto& c : casos) EXPECT_EQ(valorAlmacenado(c.casilla, c.valor), c.guardado) << c.casilla;
}
