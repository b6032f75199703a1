#pragma once
// The catalog rows that the installer writes into PARAM.
#include <vector>

namespace qvr {

struct FilaCatalogo {
    const char* numero;
    const char* argumento;
    const char* funcion;
    const char* correl;
};

// '044', '916', '992', '996', '913', '919', '926', '927', '979', each in its own row order.
const std::vector<FilaCatalogo>& filasCatalogo();

}  // namespace qvr
