#include "render/RotinaVolume.h"

#include <algorithm>
#include <cmath>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "orderfile/Xml.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/Separador.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {
constexpr int kMaiorQuantidade = 32767;
constexpr int kLoteDatamax = 3;
}  // namespace

RotinaVolume::RotinaVolume(ExecucaoImpressao& execucao, const char* spool)
    : x_(execucao), spool_(spool) {}

void RotinaVolume::executar() {
    x_.passo = kPassoVolumeInicio;
    x_.memoria.LoteDatamax.clear();
    x_.memoria.ContadorLoteDatamax = 0;
    x_.memoria.PedidoSeparador = "0000";
    x_.memoria.ItemSeparador = "0000";
    x_.passo = kPassoVolumeTemplate;
    prepararExecucao();
    percorrerLinhas();
    x_.passo = kPassoVolumeLoteFinal;
    enviarLotePendente();
    x_.passo = kPassoVolumeFim;
}

// Labels already made go out even when a later row fails: a Datamax batch
// holds finished labels of earlier boxes. Only a failure on the printer's
// side leaves them, since sending again would fail the same way.
void RotinaVolume::percorrerLinhas() {
    try {
        for (int numero = 0; numero <= x_.grade.linhas(); ++numero) lerLinha(numero);
    } catch (const std::exception& falha) {
        if (envioEmCurso_ || x_.memoria.ContadorLoteDatamax == 0) throw;
        const int passo = x_.passo;
        try {
            enviarLotePendente();
        } catch (const std::exception& envio) {
            x_.passo = passo;
            throw FalhaImpressao(std::string(falha.what()) + "\n" + envio.what());
        }
        x_.passo = passo;
        throw;
    }
}

void RotinaVolume::lerLinha(int numero) {
    x_.linha = numero;
    x_.passo = kPassoVolumeAguarde;
    x_.progresso.mostrarStatus("Aguarde o final da impressão das Etiquetas. . .");
    x_.passo = kPassoVolumeMarcada;
    if (!x_.grade.marcada(numero)) return;
    x_.passo = kPassoVolumeColunas;
    const LinhaVolumeLida linha = colunas(numero);
    x_.PedidoAtual = linha.pedido;
    x_.ItemAtual = linha.item;
    x_.SemanaEntrega = linha.semana;
    x_.passo = kPassoVolumeSeparador;
    imprimirSeparadorSeDevido(linha);
    imprimirLinha(linha);
}

LinhaVolumeLida RotinaVolume::colunas(int numero) const {
    using enum CampoVolume;
    const LinhaVolume celulas(x_.grade, numero);
    LinhaVolumeLida linha;
    linha.loja = aparar(celulas[Loja]);
    linha.material = celulas[Material];
    CompletarZeros(linha.material);
    linha.pedido = celulas[Pedido];
    linha.item = celulas[Item];
    linha.bureau = celulas[CodigoBureau];
    linha.semana = celulas[SemanaEntrega];
    linha.caixas = celulas[Caixas];
    return linha;
}

void RotinaVolume::imprimirSeparadorSeDevido(const LinhaVolumeLida& linha) {
    if (!x_.parametros.separadorPorPedido) return;
    auto& memoria = x_.memoria;
    if (linha.pedido == memoria.PedidoSeparador && linha.item == memoria.ItemSeparador) return;
    memoria.PedidoSeparador = linha.pedido;
    memoria.ItemSeparador = linha.item;
    envioEmCurso_ = true;
    ImprimirSeparador(x_, x_.linha);
    envioEmCurso_ = false;
}

pugi::xml_node RotinaVolume::lojaDaLinha(const LinhaVolumeLida& linha) {
    x_.passo = kPassoVolumeArquivoPedidos;
    if (!lojas_) {
        lojas_ = x_.documento ? std::optional(LojasVolume(x_.documento))
                              : LojasVolume::carregar(x_.arquivoPedidos);
        if (!lojas_)
            throw FalhaImpressao("O arquivo de pedidos não pôde ser lido: " +
                                 textoDoCaminho(x_.arquivoPedidos));
    }
    const auto loja = lojas_->loja(linha.pedido, linha.loja, linha.item);
    if (!loja)
        throw FalhaImpressao("A " + descricaoLoja(linha) + " não está no arquivo de pedidos: " +
                             textoDoCaminho(x_.arquivoPedidos));
    return loja;
}

std::string RotinaVolume::textoExigido(pugi::xml_node no, const char* nome,
                                       const std::string& onde) const {
    auto texto = textoDoFilho(no, nome);
    if (!texto) throw FalhaImpressao("Falta o elemento " + std::string(nome) + " " + onde + ".");
    return std::move(*texto);
}

int RotinaVolume::quantidade(const std::string& texto, const char* figura,
                             const std::string& nome) const {
    const auto valor = valorNumerico(formatarNumero(texto, figura));
    if (!valor) throw FalhaImpressao(nome + " não é um número: \"" + texto + "\".");
    const double inteiro = std::trunc(*valor);
    if (inteiro > kMaiorQuantidade)
        throw FalhaImpressao(nome + " passa de " + std::to_string(kMaiorQuantidade) + ": " + texto +
                             ".");
    return static_cast<int>(std::max(inteiro, 0.0));
}

void RotinaVolume::texto(std::string_view token, std::string_view valor) {
    preencherTexto(preenchimento_, token, valor, x_.parametros.linguagem);
}

void RotinaVolume::valor(std::string_view token, std::string conteudo) {
    preenchimento_.preencher(token, std::move(conteudo));
}

void RotinaVolume::preencherEtiqueta(std::string& etiqueta) {
    preenchimento_.aplicar(etiqueta);
}

std::string RotinaVolume::descricaoLoja(const LinhaVolumeLida& linha) {
    return "loja " + linha.loja + " (Pedido " + linha.pedido + ", Item " + linha.item + ")";
}

void RotinaVolume::entregar(std::string& etiqueta, const LinhaVolumeLida& linha, long long caixa) {
    x_.passo = kPassoVolumeEnvio;
    x_.anotarEtiquetas({x_.linha, linha.pedido, linha.item, linha.loja, caixa, caixa});
    auto& memoria = x_.memoria;
    if (!x_.parametros.datamax()) {
        memoria.ContadorLoteDatamax = 0;
        enviar(etiqueta, 1);
        return;
    }
    // Every send waits for the printer: Datamax labels go three at a time.
    memoria.LoteDatamax += etiqueta;
    if (memoria.ContadorLoteDatamax < kLoteDatamax - 1) {
        ++memoria.ContadorLoteDatamax;
        return;
    }
    enviar(memoria.LoteDatamax, kLoteDatamax);
    memoria.LoteDatamax.clear();
    memoria.ContadorLoteDatamax = 0;
}

void RotinaVolume::enviar(std::string& texto, int etiquetas) {
    envioEmCurso_ = true;
    x_.enviarEtiquetas(spool_, texto, etiquetas);
    envioEmCurso_ = false;
}

void RotinaVolume::enviarLotePendente() {
    auto& memoria = x_.memoria;
    if (memoria.ContadorLoteDatamax == 0) return;
    enviar(memoria.LoteDatamax, memoria.ContadorLoteDatamax);
    memoria.LoteDatamax.clear();
    memoria.ContadorLoteDatamax = 0;
}

}  // namespace etiquetas
