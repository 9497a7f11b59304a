#include "app/Reimpressao.h"

#include <algorithm>
#include <cctype>

#include "app/RegistroHistorico.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace etiquetas {

namespace {

std::string numeroExecucao(long long execucao) {
    return "A impressão " + std::to_string(execucao);
}

// The run's rows in the order they were written.
std::vector<LinhaHistorico> linhasDaExecucao(HistoricoImpressao& h, long long execucao) {
    FiltroHistorico filtro;
    filtro.execucao = execucao;
    std::vector<LinhaHistorico> r;
    h.percorrer(filtro, 0, -1, [&](const LinhaHistorico& l) {
        r.push_back(l);
        return true;
    });
    std::reverse(r.begin(), r.end());
    return r;
}

bool contem(const LinhaHistorico& l, long long numero) {
    return numero >= l.origem.primeira && numero <= l.origem.ultima;
}

// The label row the reprint starts at, and the number of its first label.
std::pair<std::size_t, long long> inicio(const std::vector<LinhaHistorico>& etiquetas,
                                         long long execucao, std::optional<long long> trabalho,
                                         std::optional<long long> aPartirDe) {
    if (trabalho) {
        const auto l = std::find_if(etiquetas.begin(), etiquetas.end(),
                                    [&](const auto& x) { return x.id == *trabalho; });
        if (l == etiquetas.end())
            throw FalhaHistorico("A linha " + std::to_string(*trabalho) +
                                 " do histórico não é uma etiqueta da impressão " +
                                 std::to_string(execucao) + ".");
        const long long numero = aPartirDe.value_or(l->origem.primeira);
        if (!contem(*l, numero))
            throw FalhaHistorico("A etiqueta " + std::to_string(numero) + " não está na linha " +
                                 std::to_string(*trabalho) + " do histórico (" +
                                 std::to_string(l->origem.primeira) + " a " +
                                 std::to_string(l->origem.ultima) + ").");
        return {static_cast<std::size_t>(l - etiquetas.begin()), numero};
    }
    const long long numero = aPartirDe.value_or(etiquetas.front().origem.primeira);
    const auto l = std::find_if(etiquetas.begin(), etiquetas.end(),
                                [&](const auto& x) { return contem(x, numero); });
    if (l == etiquetas.end())
        throw FalhaHistorico(numeroExecucao(execucao) + " não tem etiqueta de número " +
                             std::to_string(numero) + ".");
    return {static_cast<std::size_t>(l - etiquetas.begin()), numero};
}

// A run cut short (a signal, a kill, a failure) never started its last rows,
// and the row in progress has more than the history holds: as asked, they
// belong to the remainder.
void acrescentarNuncaIniciadas(RestanteExecucao& r, const std::vector<LinhaPedida>& pedidas,
                               const std::vector<LinhaHistorico>& etiquetas) {
    int ultimaIniciada = 0;
    for (const auto& l : etiquetas) ultimaIniciada = std::max(ultimaIniciada, l.origem.linha);
    for (const auto& p : pedidas) {
        const auto ja = std::find_if(r.linhas.begin(), r.linhas.end(),
                                     [&](const auto& x) { return x.linha == p.linha; });
        if (ja != r.linhas.end())
            ja->ultima = std::max(ja->ultima, p.ultima);
        else if (p.linha > ultimaIniciada)
            r.linhas.push_back({p.linha, p.primeira, p.ultima});
    }
}

}  // namespace

RestanteExecucao restanteDaExecucao(HistoricoImpressao& historico, long long execucao,
                                    std::optional<long long> trabalho,
                                    std::optional<long long> aPartirDe) {
    const auto linhas = linhasDaExecucao(historico, execucao);
    if (linhas.empty()) throw FalhaHistorico(numeroExecucao(execucao) + " não está no histórico.");
    RestanteExecucao r;
    r.id = execucao;
    r.execucao = linhas.front().execucao;
    std::vector<LinhaHistorico> etiquetas;
    for (const auto& l : linhas) {
        if (l.tipoTrabalho == "separador") r.separador = true;
        if (l.origem.linha > 0) etiquetas.push_back(l);
    }
    if (etiquetas.empty())
        throw FalhaHistorico(numeroExecucao(execucao) + " não enviou etiquetas.");
    const auto [primeiro, numero] = inicio(etiquetas, execucao, trabalho, aPartirDe);
    for (std::size_t i = primeiro; i < etiquetas.size(); ++i) {
        const OrigemRegistrada& o = etiquetas[i].origem;
        const long long desde = i == primeiro ? numero : o.primeira;
        // A Datamax batch may come back to a row already met.
        const auto ja = std::find_if(r.linhas.begin(), r.linhas.end(),
                                     [&](const auto& x) { return x.linha == o.linha; });
        if (ja == r.linhas.end()) {
            r.linhas.push_back({o.linha, desde, o.ultima});
            continue;
        }
        ja->primeira = std::min(ja->primeira, desde);
        ja->ultima = std::max(ja->ultima, o.ultima);
    }
    acrescentarNuncaIniciadas(r, historico.linhasPedidas(execucao), etiquetas);
    return r;
}

std::pair<long long, long long> faixaReimpressa(const LinhaReimpressa& l,
                                                std::optional<long long> finalArquivo) {
    const long long ultima = finalArquivo ? std::min(l.ultima, *finalArquivo) : l.ultima;
    return {std::min(l.primeira, ultima), ultima};
}

bool destinoEmPorta(const std::string& destino) {
    const std::string d = aparar(destino);
    if (d.size() < 4) return false;
    const std::string prefixo = d.substr(0, 3);
    if (!iguaisSemCaixa(prefixo, "LPT") && !iguaisSemCaixa(prefixo, "COM")) return false;
    return std::all_of(d.begin() + 3, d.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string motivoArquivoDiferente(const RestanteExecucao& r) {
    const std::string& arquivo = r.execucao.arquivo;
    const auto& caminho = r.execucao.caminho;
    std::error_code erro;
    if (!std::filesystem::is_regular_file(caminho, erro))
        return "O arquivo de pedidos " + arquivo + " da impressão " + std::to_string(r.id) +
               " não existe mais: nada foi reimpresso.";
    if (identificarArquivoPedidos(caminho).md5 != r.execucao.md5)
        return "O arquivo de pedidos " + arquivo + " mudou desde a impressão " +
               std::to_string(r.id) +
               " (o MD5 do seu conteúdo não é o mesmo): nada foi reimpresso.";
    return {};
}

}  // namespace etiquetas
