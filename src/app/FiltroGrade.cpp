#include "app/FiltroGrade.h"

#include <algorithm>

#include "comum/Texto.h"

namespace etiquetas {

FiltroGrade::FiltroGrade(const LeitorGrade& grade, std::vector<int> colunas)
    : grade_(grade), colunas_(std::move(colunas)) {}

void FiltroGrade::indexar() {
    const int n = grade_.linhas();
    indice_.assign(static_cast<std::size_t>(n) + 1, {});
    for (int l = 1; l <= n; ++l) {
        std::string& linha = indice_[static_cast<std::size_t>(l)];
        for (int c : colunas_) linha.append(grade_.texto(l, c)).push_back('\n');
        linha = minusculas(linha);
    }
    aceitas_.assign(indice_.size(), 1);
    texto_.clear();
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

bool FiltroGrade::aceita(int linha) const {
    if (texto_.empty()) return true;
    return linha >= 1 && static_cast<std::size_t>(linha) < aceitas_.size() && aceitas_[linha];
}

}  // namespace etiquetas
