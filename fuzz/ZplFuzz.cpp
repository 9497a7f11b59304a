// libFuzzer target over the ZPL interpreter: any spool gives labels and
// warnings, never a crash, and every operation stays within the bounds that
// keep its picture finite.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "LimitesEtiqueta.h"
#include "zpl/Interpretador.h"

using namespace etiquetas;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view spool(reinterpret_cast<const char*>(dados), tamanho);
    const int dpmm = tamanho > 0 && dados[0] % 2 ? 12 : 8;
    const auto inteira = zpl::interpretar(spool, dpmm);
    fuzz::verificar(inteira, 4 * zpl::kDadosCampoMaximo);
    fuzz::verificarEmPedacos(*zpl::novoLeitor(dpmm, {}), spool,
                             tamanho > 1 ? dados[1] % tamanho : 0, inteira);
    return 0;
}
