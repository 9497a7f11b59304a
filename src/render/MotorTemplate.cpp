#include "render/MotorTemplate.h"

#include <cmath>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "render/FalhaImpressao.h"

namespace etiquetas {

namespace {
constexpr std::string_view kInicio = "#INICIO#";
constexpr std::string_view kFim = "#FIM#";

std::size_t posicaoMarcador(const std::string& texto, std::string_view marcador,
                            std::size_t desde = 0) {
    const auto pos = texto.find(marcador, desde);
    if (pos == std::string::npos)
        throw FalhaImpressao("O modelo de etiqueta não tem o marcador " + std::string(marcador) +
                             ".");
    return pos;
}
}  // namespace

std::string lerTemplate(const std::filesystem::path& pasta, const std::string& nome) {
    const auto caminho = caminhoNaPasta(pasta, nome);
    auto texto = lerArquivoLimitado(caminho, kLimiteModelo);
    if (texto.falha == FalhaLeitura::Ausente)
        throw FalhaImpressao("Arquivo não encontrado: " + textoDoCaminho(caminho));
    if (!texto) throw FalhaImpressao(mensagemFalhaLeitura(caminho, texto.falha, kLimiteModelo));
    return std::move(texto.conteudo);
}

void CarregarTemplate(ExecucaoImpressao& execucao) {
    execucao.TextoTemplate = execucao.lerModeloAjustado(execucao.nomeTemplate);
}

void preencherComandosImpressora(std::string& modelo, const std::string& velocidade,
                                 const std::string& temperatura) {
    substituirTodos(modelo, ":: CMD_VELOCIDADE ::", velocidade);
    substituirTodos(modelo, "::Temperatura::", temperatura);
}

void ExtrairCorpoTemplate(ExecucaoImpressao& execucao) {
    const auto& texto = execucao.TextoTemplate;
    const auto inicio = posicaoMarcador(texto, kInicio) + kInicio.size();
    const auto fim = posicaoMarcador(texto, kFim, inicio);
    execucao.CorpoTemplate = aparar(std::string_view(texto).substr(inicio, fim - inicio));
}

void AplicarCabecalhoRodape(ExecucaoImpressao& execucao) {
    const auto& texto = execucao.TextoTemplate;
    const auto inicio = posicaoMarcador(texto, kInicio);
    const auto fim = posicaoMarcador(texto, kFim);
    std::string saida;
    saida.reserve(texto.size() + execucao.TextoSaida.size());
    saida.append(texto, 0, inicio).append(execucao.TextoSaida).append(texto, fim + kFim.size());
    execucao.TextoSaida.swap(saida);
}

void MostrarStatusImpressao(ExecucaoImpressao& execucao, const std::string& pedido,
                            const std::string& item, long long sequencia, long long codBarras) {
    execucao.PedidoAtual = pedido;
    execucao.ItemAtual = item;
    execucao.progresso.mostrarStatus(
        "Imprimindo etiquetas para o Pedido : " + pedido + " Item : " + item +
        " - Sequência : " + std::to_string(sequencia) +
        " - Cod. Barras : " + std::to_string(codBarras) + ". (Aguarde. . .)");
}

std::string& CompletarEspacos(std::string& texto) {
    static constexpr int kEspacos[] = {1, 6, 5, 4, 5, 3};
    const auto tamanho = texto.size();
    int espacos = 0;
    if (tamanho < std::size(kEspacos))
        espacos = kEspacos[tamanho];
    else if (tamanho <= 10)
        espacos = 1;
    texto.insert(0, static_cast<std::size_t>(espacos), ' ');
    return texto;
}

std::string& CompletarZeros(std::string& texto) {
    const auto primeiro = texto.find_first_not_of('0');
    texto.erase(0, primeiro == std::string::npos ? texto.size() : primeiro);
    if (!texto.empty() && texto.size() < 10) texto = formatarNumero(texto, "0000000000");
    return texto;
}

double ArredondarParaCima(double numero) {
    return std::ceil(numero);
}

}  // namespace etiquetas
