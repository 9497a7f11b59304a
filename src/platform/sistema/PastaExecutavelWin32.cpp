#include <windows.h>

#include <string>

#include "platform/sistema/PastaExecutavel.h"

namespace etiquetas {

std::filesystem::path pastaDoExecutavel() {
    std::wstring caminho(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, caminho.data(), static_cast<DWORD>(caminho.size()));
        if (n < caminho.size()) {
            caminho.resize(n);
            break;
        }
        caminho.resize(caminho.size() * 2);  // a long path: try a larger buffer
    }
    return std::filesystem::path(caminho).parent_path();
}

}  // namespace etiquetas
