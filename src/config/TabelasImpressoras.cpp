#include "config/TabelasImpressoras.h"

#include <cmath>

#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace etiquetas {

std::optional<std::vector<std::string>> lerLinhasTabela(const std::filesystem::path& arquivo) {
    std::error_code erro;
    if (!std::filesystem::is_regular_file(arquivo, erro)) return std::nullopt;
    const auto conteudo = lerArquivo(arquivo, kLimiteTabela);
    if (!conteudo) return std::nullopt;
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < conteudo->size()) {
        auto fim = conteudo->find('\n', inicio);
        if (fim == std::string::npos) fim = conteudo->size();
        std::string linha = conteudo->substr(inicio, fim - inicio);
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        if (!aparar(linha).empty()) linhas.push_back(std::move(linha));
        inicio = fim + 1;
    }
    return linhas;
}

std::vector<std::string> camposBrutos(std::string_view linha) {
    std::vector<std::string> campos;
    for (std::size_t inicio = 0;;) {
        const auto virgula = linha.find(',', inicio);
        campos.emplace_back(linha.substr(inicio, virgula - inicio));
        if (virgula == std::string_view::npos) break;
        inicio = virgula + 1;
    }
    return campos;
}

std::vector<std::string> camposDaLinha(std::string_view linha) {
    auto campos = camposBrutos(linha);
    for (auto& c : campos) c = aparar(c);
    return campos;
}

std::optional<long> inteiroDoCampo(std::string_view campo) {
    const auto valor = valorInteiro(campo);
    if (!valor || *valor < -2147483647LL || *valor > 2147483647LL) return std::nullopt;
    return static_cast<long>(*valor);
}

bool mesmoIdImpressora(std::string_view a, std::string_view b) {
    const auto na = inteiroDoCampo(a), nb = inteiroDoCampo(b);
    if (na && nb) return *na == *nb;
    return aparar(a) == aparar(b);
}

std::optional<ModeloImpressora> lerModelo(std::string_view linha) {
    const auto campos = camposDaLinha(linha);
    if (campos.size() < 9) return std::nullopt;
    ModeloImpressora m;
    m.idImpressora = campos[0];
    m.nome = campos[2];
    long* destinos[] = {&m.velocidadeDe,  &m.velocidadeAte,  &m.velocidadePadrao,
                        &m.temperaturaDe, &m.temperaturaAte, &m.temperaturaPadrao};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto valor = inteiroDoCampo(campos[3 + i]);
        if (!valor) return std::nullopt;
        *destinos[i] = *valor;
    }
    return m;
}

std::string buscarConversao(const std::filesystem::path& arquivo, std::string_view impressora,
                            std::string_view velocidade) {
    const auto linhas = lerLinhasTabela(arquivo);
    if (!linhas) return {};
    const std::string nome = aparar(impressora), procurada = aparar(velocidade);
    for (const auto& linha : *linhas) {
        const auto campos = camposBrutos(linha);
        // The speed field is compared as written: the installed tables carry
        // no blanks around it.
        if (campos.size() >= 3 && aparar(campos[0]) == nome && campos[1] == procurada)
            return aparar(campos[2]);
    }
    return {};
}

}  // namespace etiquetas
