#pragma once

// A new, empty folder under the system's temporary folder, on every system:
// create_directory fails when the name is taken, so two tests never share one.

#include <filesystem>
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

}  // namespace etiquetas::apoio
