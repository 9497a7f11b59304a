#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/sistema/PastaExecutavel.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

// An XDG variable counts only when it holds an absolute path; otherwise
// the default under HOME.
fs::path pastaXdg(const char* variavel, const fs::path& padraoSobHome) {
    const char* valor = std::getenv(variavel);
    if (valor && fs::path(valor).is_absolute()) return valor;
    const char* home = std::getenv("HOME");
    if (!home || !fs::path(home).is_absolute()) return {};
    return fs::path(home) / padraoSobHome;
}

}  // namespace

fs::path pastaDoExecutavel() {
    std::error_code erro;
    const auto executavel = fs::read_symlink("/proc/self/exe", erro);
    return erro ? fs::current_path(erro) : executavel.parent_path();
}

Instalacao instalacaoDestePrograma() {
    Instalacao i;
    i.programa = pastaDoExecutavel();
    i.programaGravavel = ::access(i.programa.c_str(), W_OK) == 0;
    i.usuario.configuracao = pastaXdg("XDG_CONFIG_HOME", ".config");
    i.usuario.estado = pastaXdg("XDG_STATE_HOME", fs::path(".local") / "state");
    i.usuario.dados = pastaXdg("XDG_DATA_HOME", fs::path(".local") / "share");
    return i;
}

}  // namespace etiquetas
