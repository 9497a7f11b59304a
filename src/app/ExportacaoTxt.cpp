#include "app/ExportacaoTxt.h"

#include "comum/Arquivos.h"
#include "export/ArquivoSequencial.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

Exportacao exportarTxt(SessaoImpressao& sessao, const PedidoImpressao& pedido, Acompanhamento& a) {
    if (!sessao.conferirSelecao(pedido, a)) return {};
    const FamiliaEtiqueta* familia = familiaDoTipo(pedido.tipoEtiqueta);
    if (!familia || familia->registroTxt == RegistroTxt::Nenhum) {
        sessao.pessoa().cursorOcupado(false);
        Exportacao semExportacao;
        semExportacao.tipoSemExportacao = true;
        return semExportacao;
    }
    ArquivoSequencial arquivo(sessao.pastas().estado);
    arquivo.definirGrid(linhasDaFamilia(*familia, pedido));
    const bool gerado = arquivo.Gerar(exportacaoTxt(*familia), sessao.maquina().agora());
    sessao.pessoa().cursorOcupado(false);
    if (!gerado) {
        sessao.mensagem(arquivo.Erro(), "Gerar TXT", Icone::Critico);
        return {};
    }
    sessao.mensagem("Arquivo gerado com sucesso!\nNome: " + textoDoCaminho(arquivo.NomeTXT()));
    Exportacao exportacao;
    exportacao.arquivo = arquivo.NomeTXT();
    return exportacao;
}

}  // namespace etiquetas
