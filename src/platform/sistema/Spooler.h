#pragma once

// Printers installed in Windows, reached through its print spooler with the
// job's bytes passed RAW. Elsewhere there is no such printer.

#include <chrono>
#include <string>

#include "platform/Maquina.h"

namespace etiquetas {

// Names in Windows-1252, as the core keeps them.
bool impressoraNoSpooler(const std::string& nome);
// A printer that Windows marks paused, offline or in error gets nothing: the
// job would wait in the queue and print whenever someone notices. A job
// still queued at `limite`, or stopped by an error, is removed from the queue.
ResultadoSpooler enviarRawAoSpooler(const std::string& impressora, const std::string& documento,
                                    const std::string& bytes, std::chrono::milliseconds limite);

}  // namespace etiquetas
