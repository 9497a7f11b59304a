#include "config/ArquivosIni.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/AtualizarConfiguracao.h"

namespace etiquetas {

namespace {

constexpr std::string_view kFimLinha = "\r\n";

std::string_view semBrancos(std::string_view t) {
    const auto branco = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && branco(t.front())) t.remove_prefix(1);
    while (!t.empty() && branco(t.back())) t.remove_suffix(1);
    return t;
}

// One line of the file: where its text starts and ends (without the line
// break) and where the next line starts.
struct Linha {
    std::size_t inicio = 0;
    std::size_t fim = 0;
    std::size_t proxima = 0;
};

// A file saved by an editor as UTF-8 may start with a byte-order mark,
// which would hide its first section.
std::size_t inicioDoTexto(std::string_view conteudo) {
    return conteudo.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

Linha linhaEm(std::string_view conteudo, std::size_t inicio) {
    const auto quebra = conteudo.find('\n', inicio);
    Linha l;
    l.inicio = inicio;
    l.proxima = quebra == std::string_view::npos ? conteudo.size() : quebra + 1;
    l.fim = quebra == std::string_view::npos ? conteudo.size() : quebra;
    if (l.fim > l.inicio && conteudo[l.fim - 1] == '\r') --l.fim;
    return l;
}

std::optional<std::string_view> nomeDaSecao(std::string_view texto) {
    texto = semBrancos(texto);
    if (texto.empty() || texto.front() != '[') return std::nullopt;
    texto.remove_prefix(1);
    return semBrancos(texto.substr(0, texto.find(']')));
}

bool comentario(std::string_view texto) {
    texto = semBrancos(texto);
    return !texto.empty() && texto.front() == ';';
}

// Where a key lives in the file, or where it would go.
struct Localizacao {
    bool secaoEncontrada = false;
    std::optional<Linha> linhaChave;
    std::size_t posicaoSeparador = 0;  // the "=" of the key's line
    // Just after the section's last line that is not blank: a new key goes there.
    std::optional<Linha> ultimaLinhaSecao;
};

Localizacao localizar(std::string_view conteudo, std::string_view secao, std::string_view chave) {
    Localizacao achado;
    bool dentro = false;
    for (auto inicio = inicioDoTexto(conteudo); inicio < conteudo.size();) {
        const Linha l = linhaEm(conteudo, inicio);
        inicio = l.proxima;
        const auto texto = conteudo.substr(l.inicio, l.fim - l.inicio);
        if (const auto nome = nomeDaSecao(texto)) {
            if (dentro) break;  // only the first section of that name counts
            dentro = iguaisSemCaixa(*nome, secao);
            if (dentro) {
                achado.secaoEncontrada = true;
                achado.ultimaLinhaSecao = l;
            }
            continue;
        }
        if (!dentro || semBrancos(texto).empty()) continue;
        achado.ultimaLinhaSecao = l;
        const auto igual = texto.find('=');
        if (comentario(texto) || igual == std::string_view::npos) continue;
        if (iguaisSemCaixa(semBrancos(texto.substr(0, igual)), chave)) {
            achado.linhaChave = l;
            achado.posicaoSeparador = l.inicio + igual;
            return achado;
        }
    }
    return achado;
}

bool nomeValido(std::string_view nome) {
    return !semBrancos(nome).empty() && nome.find_first_of("[]=\r\n") == std::string_view::npos;
}

std::string substituirValor(std::string_view conteudo, const Localizacao& achado,
                            std::string_view valor) {
    std::string novo(conteudo.substr(0, achado.posicaoSeparador + 1));
    novo += valor;
    novo += conteudo.substr(achado.linhaChave->fim);
    return novo;
}

// A last line without its break (or with a lone CR) gets one before
// anything is added after it.
void terminarLinha(std::string& texto) {
    if (texto.empty() || texto.back() == '\n') return;
    texto += texto.back() == '\r' ? "\n" : kFimLinha;
}

std::string inserirChave(std::string_view conteudo, const Linha& depoisDe, std::string_view chave,
                         std::string_view valor) {
    std::string novo(conteudo.substr(0, depoisDe.proxima));
    terminarLinha(novo);
    novo.append(chave).append("=").append(valor).append(kFimLinha);
    novo += conteudo.substr(depoisDe.proxima);
    return novo;
}

std::string acrescentarSecao(std::string_view conteudo, std::string_view secao,
                             std::string_view chave, std::string_view valor) {
    std::string novo(conteudo);
    terminarLinha(novo);
    novo.append("[").append(secao).append("]").append(kFimLinha);
    novo.append(chave).append("=").append(valor).append(kFimLinha);
    return novo;
}

short paraCurto(long long valor) {
    return static_cast<short>(std::clamp<long long>(valor, std::numeric_limits<short>::min(),
                                                    std::numeric_limits<short>::max()));
}

// The number written in a piece of a position value; 0 when there is none.
long long numeroDaPosicao(std::string_view texto) {
    const auto valor = valorNumerico(texto);
    if (!valor || std::fabs(*valor) > 1e9) return 0;
    return std::llround(*valor);
}

// The last INI file read, kept while its time and size stay the same: the
// label routines read several keys for every printed row. A file changed
// within the last seconds is always read again, because file times are
// coarser than the writes that may follow each other.
constexpr auto kArquivoAssentado = std::chrono::seconds(2);

struct UltimoArquivoLido {
    std::filesystem::path caminho;
    std::filesystem::file_time_type quando;
    std::uintmax_t tamanho = 0;
    std::string conteudo;
    bool valido = false;
};

std::mutex guardaUltimo;
UltimoArquivoLido ultimoLido;

std::optional<std::string> conteudoIni(const std::filesystem::path& arquivo) {
    std::error_code erro;
    const auto quando = std::filesystem::last_write_time(arquivo, erro);
    if (erro) return std::nullopt;
    const auto tamanho = std::filesystem::file_size(arquivo, erro);
    if (erro) return std::nullopt;
    std::lock_guard trava(guardaUltimo);
    auto& u = ultimoLido;
    if (u.valido && u.caminho == arquivo && u.quando == quando && u.tamanho == tamanho)
        return u.conteudo;
    auto lido = lerArquivo(arquivo, kLimiteIni);
    const bool assentado =
        std::filesystem::file_time_type::clock::now() - quando > kArquivoAssentado;
    if (lido && assentado)
        u = {arquivo, quando, tamanho, *lido, true};
    else
        u.valido = false;
    return lido;
}

void esquecerUltimoLido() {
    std::lock_guard trava(guardaUltimo);
    ultimoLido.valido = false;
}

}  // namespace

std::string lerChaveIni(const std::filesystem::path& arquivo, std::string_view secao,
                        std::string_view chave) {
    const auto conteudo = conteudoIni(arquivo);
    if (!conteudo) return {};
    const auto achado = localizar(*conteudo, secao, chave);
    if (!achado.linhaChave) return {};
    const auto inicio = achado.posicaoSeparador + 1;
    const auto valor =
        semBrancos(std::string_view(*conteudo).substr(inicio, achado.linhaChave->fim - inicio));
    return std::string(valor.substr(0, kTamanhoMaximoValor));
}

bool gravarChaveIni(const std::filesystem::path& arquivo, std::string_view secao,
                    std::string_view chave, std::string_view valor) {
    // A line break in a value would plant keys of its own in the file.
    if (!nomeValido(secao) || !nomeValido(chave) ||
        valor.find_first_of("\r\n") != std::string_view::npos)
        return false;
    std::error_code erro;
    const bool existe = std::filesystem::exists(arquivo, erro);
    const auto lido =
        existe ? lerArquivo(arquivo, kLimiteIni) : std::optional<std::string>(std::string());
    if (!lido) return false;
    const auto achado = localizar(*lido, secao, chave);
    std::string novo;
    if (achado.linhaChave)
        novo = substituirValor(*lido, achado, valor);
    else if (achado.secaoEncontrada)
        novo = inserirChave(*lido, *achado.ultimaLinhaSecao, chave, valor);
    else
        novo = acrescentarSecao(*lido, secao, chave, valor);
    // Forgotten before and after: a write within the clock's resolution may
    // leave time and size as they were.
    esquecerUltimoLido();
    const bool gravou = gravarArquivoAtomico(arquivo, novo);
    esquecerUltimoLido();
    return gravou;
}

namespace {

bool gravarNaConfiguracao(const PastasAplicacao& pastas, std::string_view nome,
                          std::string_view secao, std::string_view chave, std::string_view valor) {
    const auto arquivo = arquivoConfiguracaoGravacao(pastas, nome);
    return arquivo && gravarChaveIni(*arquivo, secao, chave, valor);
}

}  // namespace

std::string LerArquivoIni(const PastasAplicacao& pastas, std::string_view secao,
                          std::string_view chave) {
    return lerChaveIni(arquivoConfiguracaoLeitura(pastas, kArquivoLayout), secao, chave);
}

bool GravarArquivoIni(const PastasAplicacao& pastas, std::string_view secao, std::string_view chave,
                      std::string_view valor) {
    return gravarNaConfiguracao(pastas, kArquivoLayout, secao, chave, valor);
}

std::string LerArquivoConfig(const PastasAplicacao& pastas, std::string_view secao,
                             std::string_view chave) {
    return lerChaveIni(arquivoConfiguracaoLeitura(pastas, kArquivoPessoal), secao, chave);
}

bool GravarArquivoConfig(const PastasAplicacao& pastas, std::string_view secao,
                         std::string_view chave, std::string_view valor) {
    return gravarNaConfiguracao(pastas, kArquivoPessoal, secao, chave, valor);
}

std::string secaoPosicoes(std::string_view nomeTemplate) {
    std::string secao = maiusculas(nomeTemplate);
    substituirTodos(secao, ".PRN", "");
    secao = maiusculas(secao);
    substituirTodos(secao, ".ZPL", "");
    return secao;
}

void LerPosicaoTemplate(const AtualizarConfiguracao& cfg, const PastasAplicacao& pastas,
                        std::string_view nomeTemplate, std::string& chave, short& x, short& y) {
    chave = LerArquivoIni(pastas, secaoPosicoes(nomeTemplate), chave);
    posicaoComMargens(cfg, chave, x, y);
}

void posicaoComMargens(const AtualizarConfiguracao& cfg, std::string_view valor, short& x,
                       short& y) {
    x = paraCurto(numeroDaPosicao(esquerda(valor, 4)) + cfg.margemEsquerda);
    y = paraCurto(numeroDaPosicao(direita(valor, 4)) + cfg.margemTopo);
}

}  // namespace etiquetas
