#include "app/Visualizacao.h"

#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

bool visualizarPedido(SessaoImpressao& sessao, const PedidoImpressao& pedido, Acompanhamento& a,
                      SaidaTrabalhos& destino) {
    if (!sessao.impressoraCadastrada() || sessao.tipoSemEtiquetas(pedido)) return false;
    const SessaoImpressao::Execucao execucao(sessao, a);
    if (!sessao.conferirSelecao(pedido, a) || !sessao.conferirVariante(pedido, a)) return false;
    const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
    if (sessao.conferirFamilia(familia, pedido.tipoEtiqueta) != DesfechoImpressao::Impressa)
        return false;
    const ResultadoImpressao resultado = sessao.rodarSemEfeito(*familia, pedido, destino, a);
    a.mostrarStatus("");
    if (resultado.falha) {
        sessao.mensagem(mensagemFalha(*resultado.falha), "Erro !", Icone::Critico);
        return false;
    }
    return true;
}

}  // namespace etiquetas
