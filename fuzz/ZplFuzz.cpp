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
    fuzz::verificar(zpl::interpretar(spool, dpmm), 4 * zpl::kDadosCampoMaximo);
    return 0;
}
