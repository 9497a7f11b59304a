#pragma once

// A fresh application folder per test, removed afterwards.

#include <filesystem>
#include <fstream>
#include <string>

#include "PastaUnica.h"
#include "comum/PastasAplicacao.h"

namespace etiquetas::teste {

class PastaTeste {
  public:
    PastaTeste() : caminho_(apoio::criarPastaUnica("etiquetas_")) {}
    ~PastaTeste() {
        std::error_code erro;
        std::filesystem::remove_all(caminho_, erro);
    }

    operator const std::filesystem::path&() const { return caminho_; }
    operator PastasAplicacao() const { return caminho_; }  // one folder for everything
    std::filesystem::path operator/(const std::string& nome) const { return caminho_ / nome; }
    void gravar(const std::string& nome, const std::string& conteudo) const {
        std::ofstream(caminho_ / nome, std::ios::binary) << conteudo;
    }
    std::string ler(const std::string& nome) const {
        std::ifstream entrada(caminho_ / nome, std::ios::binary);
        return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
    }
    std::size_t quantosArquivos() const {
        const std::filesystem::directory_iterator itens(caminho_);
        return static_cast<std::size_t>(std::distance(begin(itens), end(itens)));
    }

  private:
    std::filesystem::path caminho_;
};

}  // namespace etiquetas::teste
