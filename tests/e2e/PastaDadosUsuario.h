#pragma once

// The user's data folder for the history: XDG_DATA_HOME, LOCALAPPDATA on Windows.

#include <cstdlib>
#include <filesystem>

#include "PastaUnica.h"

namespace etiquetas::e2e {

inline std::filesystem::path pastaDadosUsuario() {
#ifdef _WIN32
    const wchar_t* valor = _wgetenv(L"LOCALAPPDATA");
#else
    const char* valor = std::getenv("XDG_DATA_HOME");
#endif
    return valor ? std::filesystem::path(valor) : std::filesystem::path();
}

inline void definirPastaDadosUsuario(const std::filesystem::path& pasta) {
#ifdef _WIN32
    _wputenv_s(L"LOCALAPPDATA", pasta.c_str());
#else
    setenv("XDG_DATA_HOME", pasta.c_str(), 1);
#endif
}

// A data folder of the caller's own while it lives, the history under it.
class DadosProprios {
  public:
    explicit DadosProprios(const std::string& prefixo = "etiquetas-historico-")
        : pasta_(apoio::criarPastaUnica(prefixo)), anterior_(pastaDadosUsuario()) {
        definirPastaDadosUsuario(pasta_);
    }
    ~DadosProprios() {
        definirPastaDadosUsuario(anterior_);
        std::error_code e;
        std::filesystem::remove_all(pasta_, e);
    }
    std::filesystem::path historico() const { return pasta_ / "etiquetas" / "historico.sqlite"; }
    const std::filesystem::path& pasta() const { return pasta_; }

  private:
    std::filesystem::path pasta_, anterior_;
};

}  // namespace etiquetas::e2e
