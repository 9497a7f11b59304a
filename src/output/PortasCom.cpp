#include "output/PortasCom.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "comum/Texto.h"
#include "config/ArquivosIni.h"

namespace etiquetas {

std::string dispositivoPortaCom(const PastasAplicacao& pastas, int numero) {
    const std::string nome = "COM" + std::to_string(numero);
    // A USB adapter gets whatever number the system gives it; the mapping
    // lets "COM1" of the window lead there (COM1=\\.\COM5 on Windows).
    const std::string mapeado = aparar(LerArquivoConfig(pastas, "PortasCom", nome));
    if (!mapeado.empty()) return mapeado;
#ifdef _WIN32
    return nome;
#else
    return "/dev/ttyS" + std::to_string(numero - 1);
#endif
}

bool PortaComDisponivel(const PastasAplicacao& pastas, int numero) {
    if (numero < 1) return false;
    const std::string dispositivo = dispositivoPortaCom(pastas, numero);
#ifdef _WIN32
    // A port ("COM5", "\\.\COM5") exists when the system has a default
    // configuration for it; anything else is a path.
    std::string porta = dispositivo;
    if (porta.rfind("\\\\.\\", 0) == 0) porta.erase(0, 4);
    if (maiusculas(porta).rfind("COM", 0) == 0 && porta.size() > 3 &&
        porta.find_first_not_of("0123456789", 3) == std::string::npos) {
        const std::wstring nome(porta.begin(), porta.end());
        COMMCONFIG configuracao{};
        DWORD tamanho = sizeof configuracao;
        return GetDefaultCommConfigW(nome.c_str(), &configuracao, &tamanho) != 0;
    }
#endif
    std::error_code erro;
    return std::filesystem::exists(dispositivo, erro);
}

std::string IdentificarSistemaOperacional() {
#ifdef _WIN32
    return "WINDOWS NT";
#else
    return {};
#endif
}

}  // namespace etiquetas
