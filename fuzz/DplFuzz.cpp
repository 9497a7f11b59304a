// libFuzzer target over the DPL interpreter: any spool gives labels and
// warnings, never a crash, and every operation stays within the bounds that
// keep its picture finite.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "LimitesEtiqueta.h"
#include "dpl/Interpretador.h"

using namespace etiquetas;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view spool(reinterpret_cast<const char*>(dados), tamanho);
    const int dpmm = tamanho > 0 ? (dados[0] % 3 == 0 ? 8 : dados[0] % 3 == 1 ? 12 : 24) : 8;
    // A Windows-1252 character takes up to three UTF-8 bytes.
    const auto inteira = dpl::interpretar(spool, dpmm);
    fuzz::verificar(inteira, 3 * dpl::kDadosRegistroMaximo);
    fuzz::verificarEmPedacos(*dpl::novoLeitor(dpmm, {}), spool,
                             tamanho > 1 ? dados[1] % tamanho : 0, inteira);
    return 0;
}
