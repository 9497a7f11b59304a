#include "app/ListasImpressoras.h"

#include "comum/Texto.h"
#include "config/TabelasImpressoras.h"

namespace etiquetas {

bool PopularListControldoArquivo(Lista& lista, const std::filesystem::path& arquivo) {
    const auto linhas = lerLinhasTabela(arquivo);
    if (!linhas) return false;
    lista.limpar();
    for (const auto& linha : *linhas) {
        const auto campos = camposDaLinha(linha);
        const auto id = campos.size() >= 2 ? inteiroDoCampo(campos[1]) : std::nullopt;
        if (!id) return false;
        lista.adicionar(linha, *id);
    }
    if (lista.contagem() > 0) lista.selecionar(0);
    return true;
}

bool PopularListControl(Lista& lista, const std::filesystem::path& arquivo) {
    const auto linhas = lerLinhasTabela(arquivo);
    if (!linhas) return false;
    lista.limpar();
    for (const auto& linha : *linhas) lista.adicionar(linha);
    if (lista.contagem() > 0) lista.selecionar(0);
    return true;
}

bool PopularListModeloImpressora(Lista& cmbModelo, std::string_view idImpressora,
                                 const std::filesystem::path& arquivo) {
    const auto linhas = lerLinhasTabela(arquivo);
    if (!linhas) return false;
    for (const auto& linha : *linhas) {
        const auto campos = camposDaLinha(linha);
        if (campos.size() < 3) return false;
        if (!mesmoIdImpressora(campos[0], idImpressora)) continue;
        const auto id = inteiroDoCampo(campos[0]);
        if (!id) return false;
        cmbModelo.adicionar(campos[2], *id);
    }
    return true;
}

bool PopularListVelocidadeImpressora(Lista& velocidade, Lista& temperatura, std::string_view modelo,
                                     std::string_view idImpressora,
                                     const std::filesystem::path& arquivo) {
    velocidade.limpar();
    temperatura.limpar();
    const auto linhas = lerLinhasTabela(arquivo);
    if (!linhas) return false;
    const std::string nome = aparar(modelo);
    bool ok = true;
    for (const auto& linha : *linhas) {
        const auto campos = camposDaLinha(linha);
        if (campos.size() < 3 || !mesmoIdImpressora(campos[0], idImpressora) || campos[2] != nome)
            continue;
        const auto m = lerModelo(linha);
        if (!m) return false;
        ok =
            MontaComboBox(velocidade, m->velocidadeDe, m->velocidadeAte, m->velocidadePadrao) && ok;
        ok =
            MontaComboBox(temperatura, m->temperaturaDe, m->temperaturaAte, m->temperaturaPadrao) &&
            ok;
    }
    return ok;
}

bool MontaComboBox(Lista& lista, long de, long ate, long padrao) {
    if (static_cast<long long>(ate) - de >= kMaximoItensFaixa) return false;
    for (long n = de; n <= ate; ++n) lista.adicionar(std::to_string(n));
    if (lista.contagem() > 0) lista.definirTexto(std::to_string(padrao));
    return true;
}

std::string BuscaListaConvercao(const std::string& impressora, const std::string& velocidade,
                                const std::filesystem::path& arquivo) {
    return buscarConversao(arquivo, camposBrutos(impressora).front(), velocidade);
}

std::string idDaImpressora(std::string_view linhaImpressora) {
    const auto campos = camposDaLinha(linhaImpressora);
    return campos.size() >= 2 ? campos[1] : std::string();
}

}  // namespace etiquetas
