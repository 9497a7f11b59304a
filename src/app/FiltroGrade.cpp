#include "app/FiltroGrade.h"

#include <algorithm>

#include "comum/Texto.h"

namespace etiquetas {

FiltroGrade::FiltroGrade(const LeitorGrade& grade, std::vector<int> colunas)
    : grade_(grade), colunas_(std::move(colunas)) {}

void FiltroGrade::indexar() {
    const int n = grade_.linhas();
    indice_.assign(1, {});
    for (int l = 1; l <= n; ++l) indexarLinha(l);
    aceitas_.assign(indice_.size(), 1);
    texto_.clear();
}

void FiltroGrade::indexarLinha(int l) {
    std::string linha;
    for (int c : colunas_) linha.append(grade_.texto(l, c)).push_back('\n');
    indice_.push_back(minusculas(linha));
}

void FiltroGrade::definirTexto(const std::string& texto) {
    const std::string novo = minusculas(aparar(texto));
    if (novo.empty()) {
        texto_.clear();
        std::fill(aceitas_.begin(), aceitas_.end(), 1);
        return;
    }
    if (indice_.size() != static_cast<std::size_t>(grade_.linhas()) + 1) indexar();
    // A longer text only leaves rows out.
    const bool estreita = novo.find(texto_) != std::string::npos;
    for (std::size_t l = 1; l < indice_.size(); ++l)
        if (aceitas_[l] || !estreita) aceitas_[l] = indice_[l].find(novo) != std::string::npos;
    texto_ = novo;
}

bool FiltroGrade::aceita(int linha) {
    if (texto_.empty()) return true;
    if (linha < 1 || linha > grade_.linhas()) return false;
    while (static_cast<std::size_t>(linha) >= aceitas_.size() &&
           indice_.size() == aceitas_.size()) {
        indexarLinha(static_cast<int>(indice_.size()));
        aceitas_.push_back(indice_.back().find(texto_) != std::string::npos);
    }
    return static_cast<std::size_t>(linha) < aceitas_.size() && aceitas_[linha];
}

}  // namespace etiquetas
