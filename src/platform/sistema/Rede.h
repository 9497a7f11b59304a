#pragma once

// Raw TCP to a network label printer without any toolkit: POSIX sockets or
// Winsock behind one function. Connecting, sending and reading each wait at
// most their limit; a printer that takes the connection and never reads
// fails the send instead of holding the run.

#include <chrono>
#include <string>

#include "platform/Maquina.h"

namespace etiquetas {

ResultadoConexao conectarTcp(const std::string& servidor, int porta,
                             std::chrono::milliseconds limite);

}  // namespace etiquetas
