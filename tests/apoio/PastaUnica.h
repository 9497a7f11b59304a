#pragma once

// A new, empty folder under the temporary folder: two tests never share one.

#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>

namespace etiquetas::apoio {

inline std::filesystem::path criarPastaUnica(const std::string& prefixo) {
    static std::mt19937_64 gerador{std::random_device{}()};
    const auto base = std::filesystem::temp_directory_path();
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        const auto candidata = base / (prefixo + std::to_string(gerador() % 1'000'000'000));
        std::error_code erro;
        if (std::filesystem::create_directory(candidata, erro)) return candidata;
    }
    throw std::runtime_error("no temporary folder could be created under " + base.string());
}

// The shipped files `aceitar` takes; others' probe files are skipped, vanishing ones let go.
inline void copiarArquivosDaAplicacao(
    const std::filesystem::path& origem, const std::filesystem::path& destino,
    const std::function<bool(const std::string&)>& aceitar = [](const std::string&) {
        return true;
    }) {
    for (const auto& e : std::filesystem::directory_iterator(origem)) {
        const std::string nome = e.path().filename().string();
        if (nome.starts_with(".") || nome.starts_with("etiquetas") || !aceitar(nome)) continue;
        std::error_code erro;
        if (e.is_regular_file(erro)) std::filesystem::copy_file(e.path(), destino / nome, erro);
    }
}

}  // namespace etiquetas::apoio
