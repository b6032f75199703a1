#include "varnel/computation/tasas.h"

#include <gtest/gtest.h>

using namespace qvr;

TEST(Tasas, SeleccionDelValorVigente) {
    using Filas = std::vector<std::pair<QString, QString>>;
    struct Caso {
        Filas filas;
        std::optional<double> valor;
    } casos[] = {
        {{}, std::nullopt},
        {{{"2002", "3100"}, {"2003", "3,100"}}, 3100},               // the last row not after the year
        {{{"200112", "000.15000"}, {"200212", "000.18000"}}, 0.18},  // periods of earlier years
        {{{"20030101", "000.04100"}}, 0.041},                        // the first row is always taken
        {{{"20020101", "000.04100"}, {"20030601", "000.05000"}},
         0.041},  // dated changes of the year do not apply
        {{{"20030101", "000.04100"}, {"20030601", "000.05000"}},
         0.05},  // unless the first row is one of them
        {{{"2003", "abc"}}, 0},
    };
    for (const auto& c : casos) EXPECT_EQ(seleccionaTasa(c.filas, "2003"), c.valor);
}
