#include "platform/sistema/PastaExecutavel.h"

namespace etiquetas {

LocalizacaoPastas pastasDestePrograma(const std::filesystem::path& escolhida) {
    if (!escolhida.empty()) return {PastasAplicacao(escolhida), {}};
    return localizarPastas(instalacaoDestePrograma());
}

}  // namespace etiquetas
