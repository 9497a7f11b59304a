#include "platform/sistema/PastaExecutavel.h"

namespace etiquetas {

LocalizacaoPastas pastasDestePrograma(const std::filesystem::path& escolhida) {
    const Instalacao instalacao = instalacaoDestePrograma();
    if (escolhida.empty()) return localizarPastas(instalacao);
    PastasAplicacao pastas(escolhida);
    pastas.historico = pastaHistorico(instalacao.usuario);
    return {pastas, {}};
}

}  // namespace etiquetas
