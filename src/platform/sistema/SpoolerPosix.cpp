#include "platform/sistema/Spooler.h"

namespace etiquetas {

// CUPS queues are the print script's: "lp -d QUEUE" there.
bool impressoraNoSpooler(const std::string&) {
    return false;
}

ResultadoSpooler enviarRawAoSpooler(const std::string&, const std::string&, const std::string&,
                                    std::chrono::milliseconds) {
    return {false, "não há fila de impressão do Windows neste sistema."};
}

}  // namespace etiquetas
