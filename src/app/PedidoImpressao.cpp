#include "app/PedidoImpressao.h"

#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "config/TabelasImpressoras.h"

namespace etiquetas {

namespace {

// Section "Impressao", key "LimiteEnvioSegundos" of the personal settings:
// how long one job may take to leave; 120 seconds when absent or not a
// positive whole number.
std::chrono::seconds limiteEnvio(const PastasAplicacao& pastas) {
    const auto valor = valorInteiro(LerArquivoConfig(pastas, "Impressao", "LimiteEnvioSegundos"));
    if (!valor || *valor <= 0 || *valor > 86400) return std::chrono::seconds(120);
    return std::chrono::seconds(*valor);
}

// Key "EsperaOutraImpressaoSegundos" of the same section: how long a run
// waits for another run of the folder to end; 5 seconds when absent or not a
// whole number from 0 to a day.
std::chrono::seconds esperaOutraImpressao(const PastasAplicacao& pastas) {
    const auto valor =
        valorInteiro(LerArquivoConfig(pastas, "Impressao", "EsperaOutraImpressaoSegundos"));
    if (!valor || *valor < 0 || *valor > 86400) return std::chrono::seconds(5);
    return std::chrono::seconds(*valor);
}

// Keys "LimiteConexaoSegundos", "LimiteRespostaSegundos",
// "LimiteFimImpressaoSegundos" and "IntervaloConsultaSegundos" (0: before
// every job) of the same section: a network printer's connect, a printer's
// answer to the status question, the wait for it to print what it holds
// after a run, and how often a run asks it between jobs.
std::chrono::seconds limiteSegundos(const PastasAplicacao& pastas, const char* chave,
                                    std::chrono::seconds padrao, int minimo = 1) {
    const auto valor = valorInteiro(LerArquivoConfig(pastas, "Impressao", chave));
    if (!valor || *valor < minimo || *valor > 86400) return padrao;
    return std::chrono::seconds(*valor);
}

}  // namespace

ParametrosImpressao resolverParametros(const PastasAplicacao& pastas,
                                       const ImpressoraEscolhida& impressora,
                                       bool separadorPorPedido, bool listaTipoVisivel,
                                       const std::string& textoTipo, bool layoutNovo,
                                       const std::string& origemSolicitacao) {
    ParametrosImpressao p;
    p.impressora = impressora.linha;
    p.fabricante = fabricanteImpressora(p.impressora);
    p.linguagem = linguagemDoFabricante(p.fabricante);
    p.velocidade = valorVelocidade(velocidadeConvertida(pastas.dados, impressora), p.fabricante);
    p.temperatura = aparar(impressora.temperatura);
    p.porta = impressora.porta;
    p.destino = impressora.destino;
    p.serial = impressora.serial;
    p.separadorPorPedido = separadorPorPedido;
    p.variante = varianteDoTexto(listaTipoVisivel, textoTipo);
    p.layoutNovo = layoutNovo;
    p.origemSolicitacao = origemSolicitacao;
    p.resolucao = impressora.resolucao;
    p.limiteEnvio = limiteEnvio(pastas);
    p.esperaOutraImpressao = esperaOutraImpressao(pastas);
    p.limiteConexao = limiteSegundos(pastas, "LimiteConexaoSegundos", p.limiteConexao);
    p.limiteResposta = limiteSegundos(pastas, "LimiteRespostaSegundos", p.limiteResposta);
    p.limiteFimImpressao =
        limiteSegundos(pastas, "LimiteFimImpressaoSegundos", p.limiteFimImpressao);
    p.intervaloConsulta =
        limiteSegundos(pastas, "IntervaloConsultaSegundos", p.intervaloConsulta, 0);
    return p;
}

bool listaTipoVisivel(SeletorTipo seletor) {
    return seletor == SeletorTipo::InternaCaixa || seletor == SeletorTipo::IlpnVolume;
}

// Cells that are not numbers count nothing here; the routine reports them.
long long etiquetasPedidas(const PedidoImpressao& pedido) {
    long long total = 0;
    if (!pedido.linhas) return total;
    const LeitorGrade& g = *pedido.linhas;
    for (int l = 1; l <= g.linhas(); ++l) {
        if (pedido.tipoArquivo == kArquivoPreco) {
            const LinhaPreco linha(g, l);
            const auto primeira = valorInteiro(linha[CampoPreco::SequenciaInicial]);
            const auto ultima = valorInteiro(linha[CampoPreco::SequenciaFinal]);
            if (linha.marcada() && primeira && ultima && *ultima >= *primeira)
                total += *ultima - *primeira + 1;
        } else if (pedido.tipoArquivo == kArquivoVolume) {
            const LinhaVolume linha(g, l);
            const auto caixas = valorInteiro(linha[CampoVolume::Caixas]);
            if (linha.marcada() && caixas && *caixas > 0) total += *caixas;
        }
    }
    return total;
}

}  // namespace etiquetas
