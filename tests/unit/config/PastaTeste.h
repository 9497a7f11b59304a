#pragma once

// A fresh application folder per test, removed afterwards, with helpers to
// put installation files in it and to read files back byte for byte.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace etiquetas::teste {

class PastaTeste {
  public:
    PastaTeste() {
        static std::atomic<int> contador{0};
        caminho_ =
            std::filesystem::temp_directory_path() /
            ("etiquetas_cfg_" + std::to_string(::getpid()) + "_" + std::to_string(contador++));
        std::filesystem::remove_all(caminho_);
        std::filesystem::create_directories(caminho_);
    }
    ~PastaTeste() {
        std::error_code erro;
        std::filesystem::permissions(caminho_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, erro);
        std::filesystem::remove_all(caminho_, erro);
    }
    PastaTeste(const PastaTeste&) = delete;
    PastaTeste& operator=(const PastaTeste&) = delete;

    const std::filesystem::path& caminho() const { return caminho_; }
    std::filesystem::path operator/(const std::string& nome) const { return caminho_ / nome; }

    void gravar(const std::string& nome, const std::string& conteudo) const {
        std::ofstream(caminho_ / nome, std::ios::binary) << conteudo;
    }
    std::string ler(const std::string& nome) const {
        std::ifstream entrada(caminho_ / nome, std::ios::binary);
        return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
    }
    bool existe(const std::string& nome) const { return std::filesystem::exists(caminho_ / nome); }
    // Copies installation files from the source data folder.
    void copiarDados(std::initializer_list<const char*> nomes) const {
        for (const char* nome : nomes)
            std::filesystem::copy_file(std::filesystem::path(ETIQUETAS_DADOS_FONTE) / nome,
                                       caminho_ / nome,
                                       std::filesystem::copy_options::overwrite_existing);
    }
    std::size_t quantosArquivos() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(caminho_)) ++n;
        return n;
    }

  private:
    std::filesystem::path caminho_;
};

}  // namespace etiquetas::teste
