#pragma once

// zint encodes the symbologies whose bars the printer chooses the same way
// any encoder does; this reads its modules back as bars in dots.

#include <string>
#include <string_view>
#include <vector>

#include "zpl/CodigoBarras.h"

namespace etiquetas::zpl {

struct PedidoZint {
    int simbologia = 0;  // BARCODE_*
    std::string_view dados;
    int opcao2 = 0;
    bool duasLarguras = false;  // narrow and wide elements: the ratio of ^BY applies
};

// An encoding zint refuses leaves no bars and a warning.
SimboloLinear simboloZint(const PedidoZint& pedido, const Modulo& modulo,
                          std::vector<std::string>& avisos);

inline SimboloLinear simboloZint(int simbologia, std::string_view dados, int opcao2,
                                 const Modulo& modulo, std::vector<std::string>& avisos) {
    return simboloZint(PedidoZint{simbologia, dados, opcao2, false}, modulo, avisos);
}

}  // namespace etiquetas::zpl
