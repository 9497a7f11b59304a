#include "app/Grade.h"

#include <iterator>

namespace etiquetas {

namespace {
const std::string kVazio;
constexpr unsigned char kFonteNormal = 8;
}  // namespace

Grade::Grade(std::string nome, std::vector<ColunaGrade> colunas)
    : nome_(std::move(nome)), colunas_(std::move(colunas)) {}

bool Grade::valida(int linha, int coluna) const {
    return linha >= 1 && linha <= linhas_ && coluna >= 1 && coluna <= colunas();
}

const std::string& Grade::texto(int linha, int coluna) const {
    if (linha == 0 && coluna >= 1 && coluna <= colunas()) return colunas_[coluna - 1].titulo;
    if (!valida(linha, coluna)) return kVazio;
    return celulas_[static_cast<std::size_t>(linha - 1) * colunas() + (coluna - 1)];
}

void Grade::definirTexto(int linha, int coluna, std::string texto) {
    if (!valida(linha, coluna)) return;
    celulas_[static_cast<std::size_t>(linha - 1) * colunas() + (coluna - 1)] = std::move(texto);
    avisar(linha, coluna);
}

void Grade::definirLinhas(int linhas) {
    if (linhas < 0) linhas = 0;
    linhas_ = linhas;
    celulas_.resize(static_cast<std::size_t>(linhas) * colunas());
    negrito_.resize(linhas, 0);
    tamanho_.resize(linhas, kFonteNormal);
    avisar(-1, -1);
}

void Grade::substituirConteudo(int linhas, std::vector<std::string> celulas) {
    linhas_ = linhas;
    celulas_ = std::move(celulas);
    celulas_.resize(static_cast<std::size_t>(linhas) * colunas());
    negrito_.assign(linhas, 0);
    tamanho_.assign(linhas, kFonteNormal);
    avisar(-1, -1);
}

void Grade::acrescentarLinhas(int linhas, std::vector<std::string> celulas) {
    if (linhas <= 0) return;
    const int primeira = linhas_ + 1;
    const int ultima = linhas_ + linhas;
    if (suspensoes_ == 0) linhasPorAcrescentar.emitir(primeira, ultima);
    celulas.resize(static_cast<std::size_t>(linhas) * colunas());
    celulas_.insert(celulas_.end(), std::make_move_iterator(celulas.begin()),
                    std::make_move_iterator(celulas.end()));
    negrito_.resize(static_cast<std::size_t>(ultima), 0);
    tamanho_.resize(static_cast<std::size_t>(ultima), kFonteNormal);
    linhas_ = ultima;
    if (suspensoes_ == 0) linhasAcrescentadas.emitir(primeira, ultima);
}

void Grade::reservarLinhas(int linhas) {
    if (linhas > linhas_) celulas_.reserve(static_cast<std::size_t>(linhas) * colunas());
}

ConteudoGrade Grade::retirarConteudo() {
    ConteudoGrade c{linhas_, std::move(celulas_), std::move(negrito_), std::move(tamanho_)};
    linhas_ = 0;
    celulas_.clear();
    negrito_.clear();
    tamanho_.clear();
    avisar(-1, -1);
    return c;
}

void Grade::devolverConteudo(ConteudoGrade c) {
    linhas_ = c.linhas;
    celulas_ = std::move(c.celulas);
    negrito_ = std::move(c.negrito);
    tamanho_ = std::move(c.tamanho);
    avisar(-1, -1);
}

bool Grade::negrito(int linha) const {
    return linha >= 1 && linha <= linhas_ && negrito_[linha - 1];
}

int Grade::tamanhoFonte(int linha) const {
    return linha >= 1 && linha <= linhas_ ? tamanho_[linha - 1] : kFonteNormal;
}

void Grade::definirNegrito(int linha, bool negrito) {
    if (linha < 1 || linha > linhas_) return;
    negrito_[linha - 1] = negrito;
    avisar(linha, -1);
}

void Grade::definirTamanhoFonte(int linha, int pontos) {
    if (linha < 1 || linha > linhas_) return;
    tamanho_[linha - 1] = static_cast<unsigned char>(pontos);
    avisar(linha, -1);
}

void Grade::definirOculta(int coluna, bool oculta) {
    if (coluna < 1 || coluna > colunas()) return;
    colunas_[coluna - 1].oculta = oculta;
    if (suspensoes_ == 0) formatoMudou.emitir();
}

void Grade::definirCor(int coluna, int cor) {
    if (coluna < 1 || coluna > colunas()) return;
    colunas_[coluna - 1].cor = cor;
    avisar(-1, -1);
}

void Grade::definirVisivel(bool v) {
    visivel_ = v;
    formatoMudou.emitir();
}

void Grade::editarPeloUsuario(int linha, int coluna, std::string texto) {
    if (!valida(linha, coluna)) return;
    antesDaEdicao_ = this->texto(linha, coluna);
    definirTexto(linha, coluna, std::move(texto));
    celulaEditada.emitir(linha, coluna);
}

void Grade::clicarCaixa(int linha) {
    if (!valida(linha, 1)) return;
    definirTexto(linha, 1, texto(linha, 1) == "1" ? "0" : "1");
    caixaClicada.emitir(linha);
}

void Grade::suspenderAvisos() {
    ++suspensoes_;
}

void Grade::retomarAvisos() {
    if (suspensoes_ > 0 && --suspensoes_ == 0) {
        mudou.emitir(-1, -1);
        formatoMudou.emitir();
    }
}

void Grade::avisar(int linha, int coluna) {
    if (suspensoes_ == 0) mudou.emitir(linha, coluna);
}

}  // namespace etiquetas
