#include "render/MotorTemplate.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

void PreenchimentoUnidade::preencher(std::string_view token, std::string valor) {
    tokens_.push_back(token);
    valores_.push_back(std::move(valor));
}

void PreenchimentoUnidade::aplicar(std::string& corpo) {
    if (!cortado(corpo) && !cortar(corpo)) {
        substituirEmSequencia(corpo);
    } else {
        saida_.clear();
        std::size_t inicio = 0;
        for (const Trecho& t : trechos_) {
            saida_.append(literal_, inicio, t.fim - inicio);
            inicio = t.fim;
            if (t.vaga >= 0) saida_.append(valores_[static_cast<std::size_t>(t.vaga)]);
        }
        corpo.swap(saida_);
    }
    tokens_.clear();
    valores_.clear();
}

bool PreenchimentoUnidade::cortado(const std::string& corpo) const {
    return valido_ && corpo == corpoCortado_ &&
           std::equal(tokens_.begin(), tokens_.end(), tokensCortados_.begin(),
                      tokensCortados_.end());
}

namespace {
// A byte that is neither in the body nor in a token marks where each token
// stood, followed by the token's number as a byte no token holds.
constexpr std::size_t kMaximoTokens = 127;

std::optional<char> marcaAusente(const std::string& corpo,
                                 const std::vector<std::string_view>& tokens) {
    for (char m = 1; m < ' '; ++m)
        if (corpo.find(m) == std::string::npos &&
            std::none_of(tokens.begin(), tokens.end(),
                         [m](std::string_view t) { return t.find(m) != std::string_view::npos; }))
            return m;
    return std::nullopt;
}

bool soAscii(std::string_view t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return (c & 0x80) == 0; });
}
}  // namespace

// The routine's tokens replaced in its order by marks, as the values would
// be: what one token's filling joins or splits is found as it always was.
bool PreenchimentoUnidade::cortar(const std::string& corpo) {
    valido_ = false;
    const auto marca = marcaAusente(corpo, tokens_);
    if (!marca || tokens_.size() > kMaximoTokens ||
        !std::all_of(tokens_.begin(), tokens_.end(), soAscii))
        return false;
    std::string texto = corpo;
    for (std::size_t i = 0; i < tokens_.size(); ++i)
        substituirTodos(texto, tokens_[i], std::string{*marca, static_cast<char>(0x80 + i)});
    literal_.clear();
    trechos_.clear();
    for (std::size_t p = 0;;) {
        const std::size_t m = texto.find(*marca, p);
        literal_.append(texto, p, m == std::string::npos ? std::string::npos : m - p);
        if (m == std::string::npos) break;
        trechos_.push_back({literal_.size(), static_cast<unsigned char>(texto[m + 1]) - 0x80});
        p = m + 2;
    }
    trechos_.push_back({literal_.size(), -1});
    corpoCortado_ = corpo;
    tokensCortados_.assign(tokens_.begin(), tokens_.end());
    valido_ = true;
    return true;
}

void PreenchimentoUnidade::substituirEmSequencia(std::string& corpo) const {
    for (std::size_t i = 0; i < tokens_.size(); ++i)
        substituirTodos(corpo, tokens_[i], valores_[i]);
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
