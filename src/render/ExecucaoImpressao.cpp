#include "render/ExecucaoImpressao.h"

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "render/FalhaImpressao.h"

namespace etiquetas {

void ExecucaoImpressao::anotarEtiquetas(OrigemTrabalho origem) {
    if (!origensPendentes.empty()) {
        auto& anterior = origensPendentes.back();
        if (anterior.linha == origem.linha && anterior.ultima + 1 == origem.primeira) {
            anterior.ultima = origem.ultima;
            return;
        }
    }
    origensPendentes.push_back(std::move(origem));
}

void ExecucaoImpressao::enviarEtiquetas(const std::string& spool, const std::string& texto,
                                        int etiquetas) {
    enviarTexto(TipoTrabalho::Etiqueta, spool, texto, etiquetas);
}

void ExecucaoImpressao::enviarTexto(TipoTrabalho tipo, const std::string& spool,
                                    const std::string& texto, int etiquetas) {
    trabalhoEmEnvio.tipo = tipo;
    trabalhoEmEnvio.spool = spool;
    trabalhoEmEnvio.texto.assign(texto).append("\r\n");
    trabalhoEmEnvio.etiquetas = etiquetas;
    trabalhoEmEnvio.origens.clear();
    // Set-up jobs go out between the labels made and the job that carries them.
    if (tipo == TipoTrabalho::Etiqueta) trabalhoEmEnvio.origens.swap(origensPendentes);
    saida.enviar(trabalhoEmEnvio);
    resultado.etiquetas += etiquetas;
    ++resultado.trabalhos;
    progresso.etiquetasEnviadas(resultado.etiquetas);
    if (progresso.cancelado()) throw ImpressaoInterrompida();
}

void ExecucaoImpressao::enviarConfiguracaoDatamax() {
    const auto origem = caminhoNaPasta(pastas.dados, "QuelmonteConfiguracaoDatamax.prn");
    const auto configuracao = lerArquivoLimitado(origem, kLimiteModelo);
    if (configuracao.falha == FalhaLeitura::Ausente)
        throw FalhaImpressao("Arquivo de configuração da Datamax não encontrado: " +
                             textoDoCaminho(origem));
    if (!configuracao)
        throw FalhaImpressao(mensagemFalhaLeitura(origem, configuracao.falha, kLimiteModelo));
    enviarTexto(TipoTrabalho::ConfiguracaoDatamax, "SpoolEtqImg.prn", configuracao.conteudo);
}

}  // namespace etiquetas
