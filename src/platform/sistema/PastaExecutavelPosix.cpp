#include <system_error>

#include "platform/sistema/PastaExecutavel.h"

namespace etiquetas {

std::filesystem::path pastaDoExecutavel() {
    std::error_code erro;
    const auto executavel = std::filesystem::read_symlink("/proc/self/exe", erro);
    return erro ? std::filesystem::current_path(erro) : executavel.parent_path();
}

}  // namespace etiquetas
