#include <windows.h>
// After windows.h, which it needs.
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "platform/sistema/PastaExecutavel.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

// A function of a system DLL, loaded only when needed: shell32 brings in
// user32 and the desktop, which a run that finds its variables never needs.
template <typename Funcao>
Funcao funcaoDoSistema(const wchar_t* dll, const char* nome) {
    const HMODULE modulo = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!modulo) return nullptr;
    // Through void(*)(), the one cast between function types GCC takes as meant.
    return reinterpret_cast<Funcao>(reinterpret_cast<void (*)()>(GetProcAddress(modulo, nome)));
}

fs::path pastaConhecida(REFKNOWNFOLDERID pasta) {
    using Buscar = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
    using Liberar = void(WINAPI*)(LPVOID);
    const auto buscar = funcaoDoSistema<Buscar>(L"shell32.dll", "SHGetKnownFolderPath");
    const auto liberar = funcaoDoSistema<Liberar>(L"ole32.dll", "CoTaskMemFree");
    if (!buscar || !liberar) return {};
    PWSTR caminho = nullptr;
    fs::path r;
    if (buscar(pasta, KF_FLAG_DEFAULT, nullptr, &caminho) == S_OK) r = caminho;
    liberar(caminho);
    return r.is_absolute() ? r : fs::path();
}

// The variable when the user (or a test) set it, as Windows' own programs
// follow it; the system's folder when it is missing, as in a service or a
// scheduled task started without a profile's variables.
fs::path pastaDoAmbiente(const wchar_t* variavel, REFKNOWNFOLDERID pasta) {
    const wchar_t* valor = _wgetenv(variavel);
    if (valor && fs::path(valor).is_absolute()) return valor;
    return pastaConhecida(pasta);
}

// Access rights on Windows live in ACLs that the file attributes do not
// show: the one true answer is to try, with a name no one else uses.
bool podeGravar(const fs::path& pasta) {
    std::random_device aleatorio;
    const fs::path teste =
        pasta / (L".etiquetas-gravacao-" + std::to_wstring(aleatorio()) + L".tmp");
    bool gravou = false;
    {
        std::ofstream arquivo(teste, std::ios::binary);
        gravou = static_cast<bool>(arquivo);
    }
    std::error_code erro;
    if (gravou) fs::remove(teste, erro);
    return gravou;
}

}  // namespace

fs::path pastaDoExecutavel() {
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
    return fs::path(caminho).parent_path();
}

Instalacao instalacaoDestePrograma() {
    Instalacao i;
    i.programa = pastaDoExecutavel();
    i.programaGravavel = podeGravar(i.programa);
    i.usuario.configuracao = pastaDoAmbiente(L"APPDATA", FOLDERID_RoamingAppData);
    i.usuario.estado = pastaDoAmbiente(L"LOCALAPPDATA", FOLDERID_LocalAppData);
    i.usuario.dados = i.usuario.estado;
    return i;
}

}  // namespace etiquetas
