#include "output/PortasCom.h"

#include <system_error>

#include "comum/Texto.h"
#include "config/ArquivosIni.h"

namespace etiquetas {

std::string dispositivoPortaCom(const std::filesystem::path& pasta, int numero) {
    const std::string nome = "COM" + std::to_string(numero);
    // A USB adapter gets whatever number the system gives it; the mapping
    // lets "COM1" of the window lead there (COM1=\\.\COM5 on Windows).
    const std::string mapeado = aparar(LerArquivoConfig(pasta, "PortasCom", nome));
    if (!mapeado.empty()) return mapeado;
#ifdef _WIN32
    return nome;
#else
    return "/dev/ttyS" + std::to_string(numero - 1);
#endif
}

bool PortaComDisponivel(const std::filesystem::path& pasta, int numero) {
#ifdef _WIN32
    (void)pasta;
    return numero >= 1;  // opening the port tells the rest
#else
    if (numero < 1) return false;
    std::error_code erro;
    return std::filesystem::exists(dispositivoPortaCom(pasta, numero), erro);
#endif
}

std::string IdentificarSistemaOperacional() {
#ifdef _WIN32
    return "WINDOWS NT";
#else
    return {};
#endif
}

}  // namespace etiquetas
