#include "render/RotinaPreco.h"

#include <cmath>
#include <filesystem>
#include <limits>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/Separador.h"

namespace etiquetas {

long long parteInteira(const std::string& texto, const char* nome) {
    const auto valor = valorNumerico(texto);
    if (!valor)
        throw FalhaImpressao(std::string("Valor não numérico em ") + nome + ": \"" + texto + "\".");
    const double inteiro = std::trunc(*valor);
    if (inteiro > std::numeric_limits<int>::max() || inteiro < std::numeric_limits<int>::min())
        throw FalhaImpressao("Estouro de capacidade.");
    return static_cast<long long>(inteiro);
}

void RotinaPreco::executarLinhas(int passoInicio, int passoFim) {
    x_.passo = passoInicio;
    // Nothing of an earlier run may ride along, and the first row always
    // gets its separator.
    x_.memoria.LoteDatamax.clear();
    x_.TextoSaida.clear();
    x_.memoria.PedidoSeparador = kSemSeparador;
    x_.memoria.ItemSeparador = kSemSeparador;
    for (int linha = 0; linha <= x_.grade.linhas(); ++linha) {
        x_.linha = linha;
        imprimirLinha(linha);
    }
    x_.passo = passoFim;
}

const std::string& RotinaPreco::celula(CampoPreco campo) const {
    return LinhaPreco(x_.grade, x_.linha)[campo];
}

FaixaSequencias RotinaPreco::faixaDaLinha() const {
    return {parteInteira(celula(CampoPreco::SequenciaInicial), "Inf. a Seq. Inicial"),
            parteInteira(celula(CampoPreco::SequenciaFinal), "Inf. a Seq.Final")};
}

void RotinaPreco::conferirRepeticao() {
    if (x_.lerUmaVez && repeticaoConferida_) return;
    const std::string secao = std::string("QuelmonteEtiqPreco") + x_.linguagem();
    const auto arquivo = arquivoConfiguracaoLeitura(x_.pastas, kArquivoLayout);
    // A folder, a FIFO or a file over the limit is there, but unread: say why.
    const auto falha = conferirArquivo(arquivo, kLimiteIni);
    if (falha == FalhaLeitura::Ausente)
        throw FalhaImpressao("Arquivo de configuração não encontrado: " + textoDoCaminho(arquivo));
    if (falha != FalhaLeitura::Nenhuma)
        throw FalhaImpressao(mensagemFalhaLeitura(arquivo, falha, kLimiteIni));
    const std::string texto = x_.lerLayout(secao, "Repeticao");
    const auto valor = valorNumerico(texto);
    if (!valor || std::round(*valor) < -32768 || std::round(*valor) > 32767)
        throw FalhaImpressao("Valor inválido para Repeticao na seção " + secao +
                             " de QuelmonteEtiqueta.ini: \"" + texto + "\".");
    repeticaoConferida_ = true;
}

std::string varianteDaLinha(const LinhaPreco& linha) {
    std::string variante = linha[CampoPreco::Variante];
    CompletarZeros(variante);
    if (const std::string digito = aparar(linha[CampoPreco::Digito]); !digito.empty())
        variante.append("-").append(digito);
    return variante;
}

void RotinaPreco::anotarEtiquetas(long long primeira, long long ultima) {
    x_.anotarEtiquetas({x_.linha, celula(CampoPreco::Pedido), celula(CampoPreco::Item),
                        varianteDaLinha(LinhaPreco(x_.grade, x_.linha)), primeira, ultima});
}

ChaveSeparador chaveSeparador(const LinhaPreco& linha, ComparacaoSeparador comparacao) {
    if (comparacao == ComparacaoSeparador::ComoDigitados)
        return {linha[CampoPreco::Pedido], linha[CampoPreco::Item]};
    return {formatarNumero(linha[CampoPreco::Pedido], "0000000000"),
            formatarNumero(linha[CampoPreco::Item], "0000")};
}

void RotinaPreco::imprimirSeparadorSeDevido(ComparacaoSeparador comparacao) {
    if (!x_.parametros.separadorPorPedido) return;
    auto chave = chaveSeparador(LinhaPreco(x_.grade, x_.linha), comparacao);
    auto& memoria = x_.memoria;
    if (chave == ChaveSeparador{memoria.PedidoSeparador, memoria.ItemSeparador}) return;
    memoria.PedidoSeparador = std::move(chave.pedido);
    memoria.ItemSeparador = std::move(chave.item);
    ImprimirSeparador(x_, x_.linha);
}

}  // namespace etiquetas
