#include "cli/OpcoesLinhas.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include "app/EdicaoGrade.h"
#include "cli/ContextoCli.h"
#include "cli/Validadores.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

constexpr int kColunaSeqInicial = 23, kColunaSeqFinal = 24, kColunaCaixas = 10;

std::optional<int> numeroLinha(std::string_view texto) {
    const auto n = valorInteiro(texto);
    if (!n || *n < 1 || *n > 10'000'000) return std::nullopt;
    return static_cast<int>(*n);
}

struct Sequencia {
    int linha = 0;
    std::string inicio, fim;
};
// "LINHA:INICIO-FIM"; the numbers stay text, as the user would type them.
std::optional<Sequencia> lerSequencia(const std::string& texto) {
    const auto doisPontos = texto.find(':');
    if (doisPontos == std::string::npos) return std::nullopt;
    const auto traco = texto.find('-', doisPontos + 2);
    if (traco == std::string::npos) return std::nullopt;
    Sequencia s;
    const auto linha = numeroLinha(texto.substr(0, doisPontos));
    s.inicio = texto.substr(doisPontos + 1, traco - doisPontos - 1);
    s.fim = texto.substr(traco + 1);
    if (!linha || !valorInteiro(s.inicio) || !valorInteiro(s.fim)) return std::nullopt;
    s.linha = *linha;
    return s;
}

struct Caixas {
    int linha = 0;
    std::string quantidade;
};
std::optional<Caixas> lerCaixas(const std::string& texto) {
    const auto doisPontos = texto.find(':');
    if (doisPontos == std::string::npos) return std::nullopt;
    const auto linha = numeroLinha(texto.substr(0, doisPontos));
    const std::string quantidade = texto.substr(doisPontos + 1);
    const auto n = valorInteiro(quantidade);
    if (!linha || !n || *n < 0) return std::nullopt;
    return Caixas{*linha, quantidade};
}

bool linhaExiste(const Grade& grade, int linha, std::ostream& erros) {
    if (linha <= grade.linhas()) return true;
    erros << "linha " << linha << " inexistente: o arquivo tem " << grade.linhas() << " linhas\n";
    return false;
}

int editarSequencias(Grade& grade, const OpcoesLinhas& opcoes, std::ostream& erros) {
    if (opcoes.sequencias.empty()) return kOk;
    if (grade.nome() != "sprPedidos") {
        erros << cp1252ParaUtf8("--sequencia vale só para arquivos de etiquetas de preço") << '\n';
        return kArgumentos;
    }
    for (const auto& texto : opcoes.sequencias) {
        const Sequencia s = *lerSequencia(texto);
        if (!linhaExiste(grade, s.linha, erros)) return kArgumentos;
        grade.editarPeloUsuario(s.linha, kColunaSeqInicial, s.inicio);
        grade.editarPeloUsuario(s.linha, kColunaSeqFinal, s.fim);
        // The grid's check sets a refused range back to the file's values.
        if (grade.texto(s.linha, kColunaSeqInicial) != s.inicio ||
            grade.texto(s.linha, kColunaSeqFinal) != s.fim)
            return kFalha;
    }
    return kOk;
}

int editarCaixas(Grade& grade, const OpcoesLinhas& opcoes, std::ostream& erros) {
    if (opcoes.caixas.empty()) return kOk;
    if (grade.nome() != "vaVolume") {
        erros << cp1252ParaUtf8("--caixas vale só para arquivos de etiquetas de volume") << '\n';
        return kArgumentos;
    }
    for (const auto& texto : opcoes.caixas) {
        const Caixas c = *lerCaixas(texto);
        if (!linhaExiste(grade, c.linha, erros)) return kArgumentos;
        grade.editarPeloUsuario(c.linha, kColunaCaixas, c.quantidade);
        // The grid's check keeps the old count when it refuses the new one.
        if (valorInteiro(grade.texto(c.linha, kColunaCaixas)) != valorInteiro(c.quantidade))
            return kFalha;
    }
    return kOk;
}

int marcarLinhas(Grade& grade, const OpcoesLinhas& opcoes, std::ostream& erros) {
    if (opcoes.todas) {
        marcarTodas(grade, true, false);
        return kOk;
    }
    const auto linhas = linhasDaLista(opcoes.linhas);
    for (int linha : linhas)
        if (!linhaExiste(grade, linha, erros)) return kArgumentos;
    for (int linha : linhas)
        if (!grade.marcada(linha)) grade.clicarCaixa(linha);
    return kOk;
}

}  // namespace

std::vector<int> linhasDaLista(const std::string& lista) {
    std::vector<int> linhas;
    std::size_t inicio = 0;
    while (inicio <= lista.size()) {
        const auto fim = std::min(lista.find(',', inicio), lista.size());
        const std::string parte = lista.substr(inicio, fim - inicio);
        const auto traco = parte.find('-');
        const auto de = numeroLinha(parte.substr(0, traco));
        const auto ate = traco == std::string::npos ? de : numeroLinha(parte.substr(traco + 1));
        if (!de || !ate || *ate < *de || *ate - *de > 1'000'000) return {};
        for (int l = *de; l <= *ate; ++l) linhas.push_back(l);
        inicio = fim + 1;
    }
    std::sort(linhas.begin(), linhas.end());
    linhas.erase(std::unique(linhas.begin(), linhas.end()), linhas.end());
    return linhas;
}

void adicionarOpcoesLinhas(CLI::App& comando, OpcoesLinhas& opcoes) {
    auto* todas = comando.add_flag("--todas", opcoes.todas, "Marca todas as linhas");
    comando.add_option("--linhas", opcoes.linhas, "Linhas a marcar (a partir de 1), ex.: 1,3-5")
        ->check(validador([](const std::string& v) { return !linhasDaLista(v).empty(); },
                          "LINHAS como 1,3-5"))
        ->excludes(todas);
    comando
        .add_option("--sequencia", opcoes.sequencias,
                    utf8(u8"Altera a faixa de sequência de uma linha de preço"))
        ->check(validador([](const std::string& v) { return lerSequencia(v).has_value(); },
                          "LINHA:INICIO-FIM"));
    comando.add_option("--caixas", opcoes.caixas, "Altera a quantidade de caixas de uma linha")
        ->check(
            validador([](const std::string& v) { return lerCaixas(v).has_value(); }, "LINHA:N"));
}

int aplicarOpcoesLinhas(Grade& grade, const OpcoesLinhas& opcoes, std::ostream& erros) {
    for (auto passo : {editarSequencias, editarCaixas})
        if (const int r = passo(grade, opcoes, erros); r != kOk) return r;
    return marcarLinhas(grade, opcoes, erros);
}

}  // namespace etiquetas::cli
