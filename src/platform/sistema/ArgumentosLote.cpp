#include "platform/sistema/ArgumentosLote.h"

namespace etiquetas {

std::optional<char> caractereRecusadoPeloLote(std::string_view valor) {
    for (char c : valor) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '%' || c == '!' || b < 0x20 || b == 0x7F) return c;
    }
    return std::nullopt;
}

bool loteExigeAspas(std::string_view valor) {
    return valor.empty() || valor.find_first_of(" \t&|<>()^,;=") != std::string_view::npos;
}

std::string mensagemValorRecusadoPeloLote(std::string_view valor, char caractere) {
    const auto b = static_cast<unsigned char>(caractere);
    const std::string mostrado = b < 0x20 || b == 0x7F ? "um caractere de controle"
                                                       : std::string("o caractere ") + caractere;
    return "Não é possível passar \"" + std::string(valor) + "\" ao script de impressão: contém " +
           mostrado + ", que o cmd do Windows interpretaria como comando.";
}

}  // namespace etiquetas
