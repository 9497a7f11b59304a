#include "app/ServicoImpressao.h"

#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

ResultadoImpressao ServicoImpressao::executar(const PedidoImpressao& pedido, SaidaTrabalhos& saida,
                                              MemoriaImpressao& memoria,
                                              ProgressoImpressao& progresso) {
    const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
    if (!familia || !familia->rotina) return {};
    return sessao_.rodar(*familia, pedido, saida, memoria, progresso);
}

}  // namespace etiquetas
