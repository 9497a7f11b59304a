#pragma once

// Asking a printer its state on the line its jobs take: the network
// connection or the serial port.

#include <chrono>
#include <optional>
#include <string>

#include "output/EstadoImpressora.h"
#include "platform/Maquina.h"

namespace etiquetas {

// "servidor:porta" (port 1 to 65535, no path separators): a network printer
// the program sends to itself. Anything else goes through the print script.
struct EnderecoRede {
    std::string servidor;
    int porta = 0;
};
std::optional<EnderecoRede> enderecoRede(const std::string& destino);

// Sends the question and reads the answer within `limite`. What arrived
// before the question (an old answer) is passed over. A printer silent until
// the limit, or whose answer cannot be read, "não respondeu".
EstadoImpressora consultarEstado(Linguagem linguagem, ConexaoRede& conexao,
                                 std::chrono::milliseconds limite);
EstadoImpressora consultarEstado(Linguagem linguagem, PortaSerial& porta,
                                 std::chrono::milliseconds limite);

}  // namespace etiquetas
