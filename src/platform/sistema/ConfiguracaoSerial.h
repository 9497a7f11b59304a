#pragma once

// The serial control's settings text, "9600,N,8,1": baud rate, parity
// (N, E, O, M, S), data bits (5 to 8), stop bits (1, 1.5, 2).

#include <optional>
#include <string>

namespace etiquetas {

enum class Paridade { Nenhuma, Par, Impar, Marca, Espaco };
enum class BitsParada { Um, UmEMeio, Dois };

struct ConfiguracaoSerial {
    long baud = 9600;
    Paridade paridade = Paridade::Nenhuma;
    int bitsDados = 8;
    BitsParada bitsParada = BitsParada::Um;
};

// Nothing when a value is not understood.
std::optional<ConfiguracaoSerial> interpretarConfiguracaoSerial(const std::string& texto);

}  // namespace etiquetas
